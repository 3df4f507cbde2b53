#include "ui/editor_support.h"

#include "core/program_location.h"
#include "platform/ports.h"
#include "base/texts.h"
#include "ui/kit/handles.h"
#include "ui/kit/tooltips.h"
#include "win32/wide.h"

namespace tbq::ui {

void RefuseField(HWND dlg, int id, const Text& message) {
    platform::dialogs().Show(WindowIdOf(dlg), message, kProductName, platform::BoxStyle::Warning);
    HWND control = GetDlgItem(dlg, id);
    SendMessageW(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void AddOkCancelTips(HWND dlg, Tooltips& tips) {
    tips.Add(dlg, GetDlgItem(dlg, IDOK), Text(Tr(TextId::RuleOkTip)));
    tips.Add(dlg, GetDlgItem(dlg, IDCANCEL), Text(Tr(TextId::RuleCancelTip)));
}

void FillDropDown(HWND combo, const std::vector<Text>& entries, const Text& text) {
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const Text& e : entries)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(e).c_str()));
    SetWindowTextW(combo, win32::Wide(text).c_str());
}

int PopupUnder(HWND button, const std::vector<Text>& items) {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return 0;
    UINT id = 0;
    for (const Text& item : items) {
        ++id;
        if (item.empty())
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu.get(), MF_STRING, id, win32::Wide(item).c_str());
    }
    RECT r{};
    GetWindowRect(button, &r);
    return static_cast<int>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN,
                                           r.left, r.bottom, 0, GetParent(button), nullptr));
}

}  // namespace tbq::ui
