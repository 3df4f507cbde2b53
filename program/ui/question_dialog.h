// The question dialog: a question with Yes and No and the check box
// "次回以降表示しない(&R)", whose state the caller reads whatever the answer
// (the end confirmation, the delete confirmations of the settings window).
#pragma once

#include <windows.h>

#include "base/text.h"
#include "base/texts.h"
#include "ui/kit/dialog.h"

namespace tbq::ui {

class QuestionDialog final : public Dialog {
public:
    QuestionDialog(Text caption, Text message, bool checkEnabled, Text checkText = Text(Tr(TextId::MsgDontAskAgain)),
                   bool ticked = false);
    // Shows the question modally; true for Yes.
    bool Ask(HWND owner);
    bool CheckTicked() const { return ticked_; }

private:
    void OnInit() override;
    // Escape and the close box answer No.
    void OnCancel() override { Answer(IDNO); }
    void Answer(int id);

    Text caption_, message_, checkText_;
    bool checkEnabled_;
    bool ticked_ = false;
};

}  // namespace tbq::ui
