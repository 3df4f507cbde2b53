#include "ui/window_dialogs.h"

#include <windows.h>

#include <cstdint>

#include "ui/input_dialog.h"
#include "ui/question_dialog.h"

namespace tbq::ui {

namespace {
HWND Hwnd(platform::WindowId w) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(w)); }
}  // namespace

platform::BoxAnswer WindowDialogs::AskWithCheck(platform::WindowId owner, const Text& text, const Text& caption,
                                                const Text& checkText, bool& checked) {
    QuestionDialog q(caption, text, true, checkText, checked);
    const bool yes = q.Ask(Hwnd(owner));
    checked = q.CheckTicked();
    return yes ? platform::BoxAnswer::Yes : platform::BoxAnswer::No;
}

std::optional<Text> WindowDialogs::InputBox(platform::WindowId owner, const Text& prompt, const Text& note,
                                            const Text& title, const Text& defaultText) {
    InputDialog box(title, prompt, note, defaultText);
    return box.Ask(Hwnd(owner));
}

}  // namespace tbq::ui
