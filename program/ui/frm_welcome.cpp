#include "ui/frm_welcome.h"

#include <commdlg.h>

#include <string>

#include "app/app_state.h"
#include "app/first_run.h"
#include "app/settings_files.h"
#include "core/program_location.h"
#include "core/startup_shortcut.h"
#include "base/texts.h"
#include "ui/resource.h"
#include "ui/window_helpers.h"
#include "win32/wide.h"

namespace tbq::ui {

namespace {

constexpr int kMaxSamples = 999;

struct Mode {
    TextId description;
    COLORREF color;
};
// The three ways to begin, in the order of their buttons.
const Mode kModes[] = {
    {TextId::WelcomeSampleDescription, 0xC0C0FF},
    {TextId::WelcomeImportDescription, 0xC0FFC0},
    {TextId::WelcomeNothingDescription, 0xFFC0C0},
};
// The window's own texts, by control.
constexpr std::pair<int, TextId> kTexts[] = {
    {IDC_WC_INTRO, TextId::WelcomeIntro},           {IDC_WC_MODE0, TextId::WelcomeModeSample},
    {IDC_WC_MODE1, TextId::WelcomeModeImport},      {IDC_WC_MODE2, TextId::WelcomeModeNothing},
    {IDC_WC_SAMPLE_LABEL, TextId::WelcomeSampleLabel}, {IDC_WC_PATH_LABEL, TextId::WelcomePathLabel},
    {IDC_WC_NOTE, TextId::WelcomeImportNote},       {IDC_WC_FOUND, TextId::WelcomeFound},
    {IDC_WC_STARTUP, TextId::WelcomeStartup},
};
constexpr int kSampleControls[] = {IDC_WC_SAMPLE_LABEL, IDC_WC_SAMPLES, IDC_WC_COMMENT};
constexpr int kPathControls[] = {IDC_WC_PATH_LABEL, IDC_WC_PATH, IDC_WC_BROWSE, IDC_WC_NOTE};
// The labels that stand on the tinted frame.
constexpr int kTintedLabels[] = {IDC_WC_DESCRIPTION, IDC_WC_SAMPLE_LABEL, IDC_WC_COMMENT,
                                 IDC_WC_PATH_LABEL,  IDC_WC_NOTE,         IDC_WC_FOUND,
                                 IDC_WC_BACKUP};

// "\n" in a sample's comment stands for a line break.
Text CommentLines(TextView comment) {
    Text out;
    for (std::size_t i = 0; i < comment.size(); ++i) {
        if (comment[i] == u'\\' && i + 1 < comment.size() && comment[i + 1] == u'n') {
            out += u"\r\n";
            ++i;
        } else {
            out += comment[i];
        }
    }
    return out;
}

void ShowControls(HWND dlg, const int* ids, std::size_t n, bool show) {
    for (std::size_t i = 0; i < n; ++i) ShowWindow(GetDlgItem(dlg, ids[i]), show ? SW_SHOW : SW_HIDE);
}

}  // namespace

Text FrmWelcome::WindowCaption() {
    Text caption(kProductName);
    caption += Tr(TextId::WelcomeCaptionSuffix);
    return caption;
}

FrmWelcome::FrmWelcome(vbKerova_Dll& dll) : dll_(dll) {
    OnCommand(IDC_WC_MODE0, [this] { SelectMode(0); });
    OnCommand(IDC_WC_MODE1, [this] { SelectMode(1); });
    OnCommand(IDC_WC_MODE2, [this] { SelectMode(2); });
    OnCommand(IDC_WC_SAMPLES, CBN_SELCHANGE, [this] {
        ShowComment();
        ShowBackupNote();
    });
    OnCommand(IDC_WC_BROWSE, [this] { Browse(); });
    OnCommand(IDOK, [this] { OnOk(); });
    OnMessage(WM_PAINT, [this](WPARAM, LPARAM) -> INT_PTR {
        PaintFrame();
        return TRUE;
    });
    OnMessage(WM_CTLCOLORSTATIC, [this](WPARAM wp, LPARAM lp) -> INT_PTR {
        const HWND control = reinterpret_cast<HWND>(lp);
        for (int id : kTintedLabels) {
            if (control == GetDlgItem(dlg_, id)) {
                SetBkColor(reinterpret_cast<HDC>(wp), color_);
                return reinterpret_cast<INT_PTR>(brush_.get());
            }
        }
        return FALSE;
    });
}

void FrmWelcome::OnInit() {
    SetWindowTextW(dlg_, win32::Wide(WindowCaption()).c_str());
    for (const auto& [id, text] : kTexts) SetField(dlg_, id, Text(Tr(text)));
    SendMessageW(dlg_, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM))));
    if (SettingFileExists(kLegacyFile)) {
        SetField(dlg_, IDC_WC_PATH, ProgramFolder() + kLegacyFile);
        foundLegacy_ = true;
    }
    for (int i = 1; i <= kMaxSamples; ++i) {
        Text name, comment;
        if (!GetSampleInfo(i, name, comment)) break;
        SendDlgItemMessageW(dlg_, IDC_WC_SAMPLES, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(win32::Wide(name).c_str()));
        sampleNumbers_.push_back(i);
        comments_.push_back(CommentLines(comment));
    }
    if (!sampleNumbers_.empty()) SendDlgItemMessageW(dlg_, IDC_WC_SAMPLES, CB_SETCURSEL, 0, 0);
    ShowComment();
    CheckRadioButton(dlg_, IDC_WC_MODE0, IDC_WC_MODE2, IDC_WC_MODE0);
    SelectMode(0);
}

void FrmWelcome::SelectMode(int mode) {
    mode_ = mode;
    const Mode& m = kModes[mode];
    SetField(dlg_, IDC_WC_DESCRIPTION, Text(Tr(m.description)));
    color_ = m.color;
    brush_.reset(CreateSolidBrush(color_));
    const auto count = [](const auto& ids) { return sizeof(ids) / sizeof(ids[0]); };
    ShowControls(dlg_, kSampleControls, count(kSampleControls), mode == 0);
    ShowControls(dlg_, kPathControls, count(kPathControls), mode == 1);
    ShowWindow(GetDlgItem(dlg_, IDC_WC_FOUND), mode == 1 && foundLegacy_ ? SW_SHOW : SW_HIDE);
    ShowBackupNote();
    InvalidateRect(dlg_, nullptr, TRUE);
}

int FrmWelcome::SelectedSample() const {
    const LRESULT i = SendDlgItemMessageW(dlg_, IDC_WC_SAMPLES, CB_GETCURSEL, 0, 0);
    return i >= 0 && static_cast<std::size_t>(i) < sampleNumbers_.size() ? static_cast<int>(i) : -1;
}

void FrmWelcome::ShowComment() {
    const int i = SelectedSample();
    SetField(dlg_, IDC_WC_COMMENT, i < 0 ? Text() : comments_[static_cast<std::size_t>(i)]);
}

// Files a choice replaces are kept; the window says which.
void FrmWelcome::ShowBackupNote() {
    std::vector<Text> names;
    if (mode_ == 0 && SelectedSample() >= 0)
        names = FilesToBeReplacedBySample(sampleNumbers_[static_cast<std::size_t>(SelectedSample())]);
    else if (mode_ == 1)
        names = FilesToBeReplacedByImport();
    Text note;
    if (!names.empty()) {
        Text list;
        for (const Text& n : names) list += (list.empty() ? Text() : Text(Tr(TextId::WelcomeListSeparator))) + n;
        note = Tr(TextId::WelcomeBackupNote, list);
    }
    SetField(dlg_, IDC_WC_BACKUP, note);
    ShowWindow(GetDlgItem(dlg_, IDC_WC_BACKUP), note.empty() ? SW_HIDE : SW_SHOW);
}

void FrmWelcome::PaintFrame() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dlg_, &ps);
    RECT r;
    GetWindowRect(GetDlgItem(dlg_, IDC_WC_FRAME), &r);
    MapWindowPoints(nullptr, dlg_, reinterpret_cast<POINT*>(&r), 2);
    FillRect(dc, &r, brush_.get());
    FrameRect(dc, &r, GetSysColorBrush(COLOR_3DSHADOW));
    EndPaint(dlg_, &ps);
}

void FrmWelcome::Browse() {
    std::wstring file(32768, L'\0');
    const std::wstring current = win32::Wide(FieldText(dlg_, IDC_WC_PATH));
    if (current.size() < file.size()) file.replace(0, current.size(), current);
    const std::wstring folder = win32::Wide(ProgramFolder());
    // The filter: pairs of a description and a pattern, each ending in a zero,
    // and one more zero after the last.
    std::wstring filter = win32::Wide(Text(Tr(TextId::DocsWelcomeLegacyFilter)));
    filter += L'\0';
    filter += L"Kerova.ini";
    filter += L'\0';
    filter += win32::Wide(Text(Tr(TextId::DocsWelcomeAllFiles)));
    filter += L'\0';
    filter += L"*.*";
    filter += L'\0';
    const std::wstring title = win32::Wide(Text(Tr(TextId::DocsWelcomeOpenTitle)));
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = dlg_;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = folder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&ofn)) return;
    file.resize(file.find(L'\0'));
    SetField(dlg_, IDC_WC_PATH, win32::FromWide(file));
}

void FrmWelcome::OnOk() {
    // While the files are written (and a box may ask about them) the window
    // takes no second OK.
    EnableWindow(dlg_, FALSE);
    bool done = true;
    if (mode_ == 0) {
        const int i = SelectedSample();
        done = i < 0 || ApplySample(sampleNumbers_[static_cast<std::size_t>(i)]);
    } else if (mode_ == 1) {
        done = ImportLegacySettings(FieldText(dlg_, IDC_WC_PATH), u"");
    }
    EnableWindow(dlg_, TRUE);
    // A choice that could not be carried out keeps the window open, so the
    // user can mend the path or choose another way.
    if (!done) {
        SetForegroundWindow(dlg_);
        return;
    }
    if (IsDlgButtonChecked(dlg_, IDC_WC_STARTUP) == BST_CHECKED) StartupShortcut(dll_, false, true);
    Finish(true);
}

void FrmWelcome::Finish(bool finished) {
    App().WelcomeState = finished ? 2 : 3;
    ShowWindow(dlg_, SW_HIDE);
}

}  // namespace tbq::ui
