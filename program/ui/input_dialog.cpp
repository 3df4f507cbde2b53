#include "ui/input_dialog.h"

#include "ui/resource.h"
#include "ui/window_helpers.h"
#include "win32/wide.h"

namespace tbq::ui {

namespace {
// Answers become file names inside the program folder: far below any path
// limit, far above any name a user types.
constexpr WPARAM kMaxAnswer = 200;
}  // namespace

InputDialog::InputDialog(Text title, Text prompt, Text note, Text offered)
    : title_(std::move(title)), prompt_(std::move(prompt)), note_(std::move(note)), answer_(std::move(offered)) {
    OnCommand(IDOK, [this] {
        answer_ = FieldText(dlg_, IDC_INPUT_TEXT);
        Close(IDOK);
    });
}

std::optional<Text> InputDialog::Ask(HWND owner) {
    if (RunModal(owner, IDD_INPUT) != IDOK) return std::nullopt;
    return answer_;
}

void InputDialog::OnInit() {
    const ControlText texts[] = {{0, title_.c_str()},
                                 {IDC_INPUT_PROMPT, prompt_.c_str()},
                                 {IDC_INPUT_NOTE, note_.c_str()},
                                 {IDC_INPUT_TEXT, answer_.c_str()}};
    ApplyTexts(dlg_, texts);
    SetNoteFont();
    HWND edit = Item(IDC_INPUT_TEXT);
    SendMessageW(edit, EM_LIMITTEXT, kMaxAnswer, 0);
    // The edit is the first control that takes the focus; the offered text is
    // selected whole, so that typing replaces it.
    SendMessageW(edit, EM_SETSEL, 0, -1);
}

void InputDialog::SetNoteFont() {
    // The note is a point smaller than the dialog's own font, at the window's DPI.
    LOGFONTW lf{};
    auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(dlg_, WM_GETFONT, 0, 0));
    if (!dialogFont || !GetObjectW(dialogFont, sizeof lf, &lf)) return;
    lf.lfHeight = MulDiv(lf.lfHeight, TBQ_DIALOG_FONT_POINTS - 1, TBQ_DIALOG_FONT_POINTS);
    UniqueFont font(CreateFontIndirectW(&lf));
    if (!font) return;
    SendMessageW(Item(IDC_INPUT_NOTE), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    noteFont_ = std::move(font);
}

}  // namespace tbq::ui
