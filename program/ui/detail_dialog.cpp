#include "ui/detail_dialog.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>

#include "base/texts.h"
#include "core/program_location.h"
#include "platform/ports.h"
#include "ui/editor_support.h"
#include "ui/kit/accessible.h"
#include "ui/kit/dialog.h"
#include "ui/resource.h"
#include "ui/window_helpers.h"
#include "win32/wide.h"

namespace tbq::ui {

namespace {

Text Caption(TextId mode) {
    Text caption = kProductName;
    caption += Tr(mode);
    return caption;
}

class SoundDetailDialog final : public Dialog {
public:
    explicit SoundDetailDialog(uimodel::AlarmDraft& draft) : draft_(draft) {
        OnCheck(IDC_DETAIL_REPEAT, [this](bool) { EnableInterval(); });
        OnMessage(WM_HSCROLL, [this](WPARAM, LPARAM) -> INT_PTR {
            ShowInterval();
            return TRUE;
        });
        OnCommand(IDOK, [this] {
            draft_.repeat = Checked(IDC_DETAIL_REPEAT);
            draft_.soundInterval = Interval();
            Close(IDOK);
        });
    }

private:
    void OnInit() override {
        const Text caption = Caption(TextId::AlarmSoundDetailCaption);
        const ControlText texts[] = {{0, caption.c_str()}};
        ApplyTexts(dlg_, texts);
        HWND slider = Item(IDC_DETAIL_INTERVAL);
        SendMessageW(slider, TBM_SETRANGEMIN, FALSE, uimodel::kMinSoundInterval);
        SendMessageW(slider, TBM_SETRANGEMAX, FALSE, uimodel::kMaxSoundInterval);
        // The arrow keys move a second, Page Up and Down a minute.
        SendMessageW(slider, TBM_SETLINESIZE, 0, 1);
        SendMessageW(slider, TBM_SETPAGESIZE, 0, 60);
        SendMessageW(slider, TBM_SETPOS, TRUE,
                     std::clamp(draft_.soundInterval, uimodel::kMinSoundInterval, uimodel::kMaxSoundInterval));
        SetChecked(IDC_DETAIL_REPEAT, draft_.repeat);
        ShowInterval();
        EnableInterval();
    }

    std::int32_t Interval() const {
        return static_cast<std::int32_t>(SendMessageW(Item(IDC_DETAIL_INTERVAL), TBM_GETPOS, 0, 0));
    }
    void ShowInterval() { SetField(dlg_, IDC_DETAIL_INTERVAL_TEXT, uimodel::IntervalText(Interval())); }
    void EnableInterval() {
        const bool on = Checked(IDC_DETAIL_REPEAT);
        for (int id : {IDC_DETAIL_INTERVAL_LABEL, IDC_DETAIL_INTERVAL, IDC_DETAIL_INTERVAL_TEXT})
            EnableWindow(Item(id), on);
    }

    uimodel::AlarmDraft& draft_;
};

// The folder dialog's caption is its window's text; the title the shell
// takes is only the line inside it.
int CALLBACK FolderDialogStarted(HWND w, UINT msg, LPARAM, LPARAM title) {
    if (msg == BFFM_INITIALIZED) SetWindowTextW(w, reinterpret_cast<const wchar_t*>(title));
    return 0;
}

std::optional<Text> AskFolder(HWND owner) {
    const std::wstring title = win32::Wide(Tr(TextId::AlarmFolderTitle));
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = FolderDialogStarted;
    info.lParam = reinterpret_cast<LPARAM>(title.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (!chosen) return std::nullopt;
    std::wstring path(MAX_PATH, L'\0');
    const bool ok = SHGetPathFromIDListW(chosen, path.data()) != FALSE;
    CoTaskMemFree(chosen);
    if (!ok) return std::nullopt;
    return win32::FromWide(path.c_str());
}

class FileDetailDialog final : public Dialog {
public:
    explicit FileDetailDialog(uimodel::AlarmDraft& draft) : draft_(draft) {
        OnCommand(IDC_DETAIL_FOLDER_MENU, [this] { ChooseFolder(); });
        OnCommand(IDOK, [this] {
            draft_.fileAction = FieldText(dlg_, IDC_DETAIL_ACTION);
            draft_.fileCommandLine = FieldText(dlg_, IDC_DETAIL_COMMANDLINE);
            draft_.fileDirectory = FieldText(dlg_, IDC_DETAIL_FOLDER);
            Close(IDOK);
        });
    }

private:
    void OnInit() override {
        const Text caption = Caption(TextId::AlarmFileDetailCaption);
        const ControlText texts[] = {{0, caption.c_str()},
                                     {IDC_DETAIL_ACTION, draft_.fileAction.c_str()},
                                     {IDC_DETAIL_COMMANDLINE, draft_.fileCommandLine.c_str()},
                                     {IDC_DETAIL_FOLDER, draft_.fileDirectory.c_str()}};
        ApplyTexts(dlg_, texts);
        SetAccessibleName(Item(IDC_DETAIL_FOLDER_MENU), Tr(TextId::AlarmFolderMenuName));
    }

    void ChooseFolder() {
        std::optional<Text> folder;
        switch (PopupUnder(Item(IDC_DETAIL_FOLDER_MENU),
                           {Text(Tr(TextId::AlarmFolderFromFile)), Text(Tr(TextId::AlarmFolderChoose))})) {
            case 1: {
                platform::FileRequest request{
                    Text(Tr(TextId::AlarmFileTitle)), {{Text(Tr(TextId::AlarmAllFilesFilter)), u"*.*"}}, {}, {}};
                if (auto file = platform::dialogs().OpenFileName(WindowIdOf(dlg_), request))
                    folder = uimodel::FolderOf(*file);
                break;
            }
            case 2: folder = AskFolder(dlg_); break;
            default: break;
        }
        if (folder) SetField(dlg_, IDC_DETAIL_FOLDER, *folder);
    }

    uimodel::AlarmDraft& draft_;
};

}  // namespace

bool EditSoundDetail(HWND owner, uimodel::AlarmDraft& draft) {
    SoundDetailDialog dialog(draft);
    return dialog.RunModal(owner, IDD_DETAIL_SOUND) == IDOK;
}

bool EditFileDetail(HWND owner, uimodel::AlarmDraft& draft) {
    FileDetailDialog dialog(draft);
    return dialog.RunModal(owner, IDD_DETAIL_FILE) == IDOK;
}

}  // namespace tbq::ui
