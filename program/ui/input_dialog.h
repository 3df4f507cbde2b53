// The input box: a prompt, a smaller note under it, and a one-line answer
// offered with a text already selected, so that typing replaces it. Enter is
// OK, Escape and the close box cancel.
#pragma once

#include <windows.h>

#include <optional>

#include "base/text.h"
#include "ui/kit/dialog.h"
#include "ui/kit/handles.h"

namespace tbq::ui {

class InputDialog final : public Dialog {
public:
    InputDialog(Text title, Text prompt, Text note, Text offered);
    // Shows the box modally; the answer, or nullopt when cancelled.
    std::optional<Text> Ask(HWND owner);

private:
    void OnInit() override;
    void OnDpiChanged(UINT) override { SetNoteFont(); }
    void SetNoteFont();

    Text title_, prompt_, note_, answer_;
    UniqueFont noteFont_;
};

}  // namespace tbq::ui
