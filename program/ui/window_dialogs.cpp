#include "ui/window_dialogs.h"

#include <windows.h>

#include <cstdint>

#include "ui/question_dialog.h"

namespace tbq::ui {

platform::BoxAnswer WindowDialogs::AskWithCheck(platform::WindowId owner, const Text& text, const Text& caption,
                                                const Text& checkText, bool& checked) {
    QuestionDialog q(caption, text, true, checkText, checked);
    const bool yes = q.Ask(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(owner)));
    checked = q.CheckTicked();
    return yes ? platform::BoxAnswer::Yes : platform::BoxAnswer::No;
}

}  // namespace tbq::ui
