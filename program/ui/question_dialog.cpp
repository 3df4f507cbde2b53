#include "ui/question_dialog.h"

#include "ui/resource.h"
#include "win32/wide.h"

namespace tbq::ui {

QuestionDialog::QuestionDialog(Text caption, Text message, bool checkEnabled, Text checkText, bool ticked)
    : caption_(std::move(caption)),
      message_(std::move(message)),
      checkText_(std::move(checkText)),
      checkEnabled_(checkEnabled),
      ticked_(ticked) {
    OnCommand(IDYES, [this] { Answer(IDYES); });
    OnCommand(IDNO, [this] { Answer(IDNO); });
}

bool QuestionDialog::Ask(HWND owner) { return RunModal(owner, IDD_QUESTION) == IDYES; }

void QuestionDialog::OnInit() {
    const ControlText texts[] = {{0, caption_.c_str()},
                                 {IDC_QUESTION_MESSAGE, message_.c_str()},
                                 {IDC_QUESTION_NOMORE, checkText_.c_str()}};
    ApplyTexts(dlg_, texts);
    SetChecked(IDC_QUESTION_NOMORE, ticked_);
    EnableWindow(Item(IDC_QUESTION_NOMORE), checkEnabled_);
    SendDlgItemMessageW(dlg_, IDC_QUESTION_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_QUESTION)), 0);
}

void QuestionDialog::Answer(int id) {
    ticked_ = Checked(IDC_QUESTION_NOMORE);
    Close(id);
}

}  // namespace tbq::ui
