// frmMain as the user sees it: the preview of the composed text, the seven
// pages in a tab control, the menus, and the list pop-up whose choice runs a
// tick later on the object that was chosen.
#include <windows.h>
// After windows.h:
#include <commctrl.h>

#include "app/app_state.h"
#include "base/texts.h"
#include "app/settings_files.h"
#include "core/helpers.h"
#include "items/view_list.h"
#include "platform/ports.h"
#include "ui/editor_support.h"
#include "ui/frm_main.h"
#include "ui/kit/dialog.h"
#include "ui/kit/dpi.h"
#include "ui/list_sources.h"
#include "ui/resource.h"
#include "ui/window_helpers.h"
#include "uimodel/preview.h"
#include "win32/wide.h"

namespace tbq::ui {

namespace {
constexpr int kMargin = 8, kPreviewHeight = 28;

void AppendItem(HMENU menu, UINT id, TextView text, bool enabled = true) {
    AppendMenuW(menu, MF_STRING | (enabled ? 0 : MF_GRAYED), id, win32::Wide(text).c_str());
}

void AppendPopup(HMENU menu, HMENU popup, TextId text) {
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), win32::Wide(Tr(text)).c_str());
}

}  // namespace

bool FrmMain::BuildWindow() {
    EnsureCommonControls();
    HWND w = hwnd();
    HINSTANCE inst = GetModuleHandleW(nullptr);
    SetWindowLongPtrW(w, GWL_EXSTYLE, GetWindowLongPtrW(w, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    font_ = MakeDialogFont(Dpi());

    MakeMenuBar();

    preview_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 0, 0,
                               10, 10, w, reinterpret_cast<HMENU>(IDC_MAIN_PREVIEW), inst, nullptr);
    tabs_ = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | TCS_MULTILINE, 0, 0,
                            10, 10, w, reinterpret_cast<HMENU>(IDC_MAIN_TABS), inst, nullptr);
    if (!preview_ || !tabs_) return false;
    SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    TitleTabs(true);

    PageHost& host = *this;
    pages_.push_back(std::make_unique<BasicPage>(host));
    pages_.push_back(std::make_unique<TitleBarPage>(host));
    pages_.push_back(std::make_unique<ListPage>(2, host, MakeDrawBarSource()));
    pages_.push_back(std::make_unique<ListPage>(3, host, MakeViewItemSource()));
    pages_.push_back(std::make_unique<ListPage>(4, host, MakeAlarmSource()));
    pages_.push_back(std::make_unique<ListPage>(5, host, MakeWindowRuleSource([&host] { return host.WindowRuleContext(); })));
    pages_.push_back(std::make_unique<InfoPage>(host));
    for (auto& p : pages_) {
        if (!p->Make(w)) return false;
    }

    // The window is as large as the largest page needs.
    RECT pageRect{};
    for (auto& p : pages_) {
        RECT r{};
        GetWindowRect(p->hwnd(), &r);
        pageRect.right = std::max(pageRect.right, r.right - r.left);
        pageRect.bottom = std::max(pageRect.bottom, r.bottom - r.top);
    }
    // The tabs take as many rows as the page's width needs.
    MoveWindow(tabs_, 0, 0, pageRect.right + Scale(8, Dpi()), pageRect.bottom + Scale(80, Dpi()), FALSE);
    TabCtrl_AdjustRect(tabs_, TRUE, &pageRect);
    const int m = Scale(kMargin, Dpi());
    RECT client{0, 0, pageRect.right - pageRect.left + 2 * m,
                pageRect.bottom - pageRect.top + Scale(kPreviewHeight, Dpi()) + 3 * m};
    AdjustWindowRectEx(&client, static_cast<DWORD>(GetWindowLongPtrW(w, GWL_STYLE)), TRUE,
                       static_cast<DWORD>(GetWindowLongPtrW(w, GWL_EXSTYLE)));
    SetWindowPos(w, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    minSize_ = {client.right - client.left, client.bottom - client.top};

    keys_ = LoadAcceleratorsW(inst, MAKEINTRESOURCEW(IDR_MAIN_KEYS));
    navigation::Add(w);
    LayoutWindow();
    ShowPage(0);
    return true;
}

void FrmMain::LayoutWindow() {
    if (!tabs_) return;
    RECT c{};
    GetClientRect(hwnd(), &c);
    const int m = Scale(kMargin, Dpi());
    const int ph = Scale(kPreviewHeight, Dpi());
    MoveWindow(preview_, m, m, std::max<LONG>(c.right - 2 * m, 0), ph, TRUE);
    RECT t{m, 2 * m + ph, std::max<LONG>(c.right - m, m), std::max<LONG>(c.bottom - m, 2 * m + ph)};
    MoveWindow(tabs_, t.left, t.top, t.right - t.left, t.bottom - t.top, TRUE);
    TabCtrl_AdjustRect(tabs_, FALSE, &t);
    for (auto& p : pages_) {
        SetWindowPos(p->hwnd(), HWND_TOP, t.left, t.top, t.right - t.left, t.bottom - t.top, SWP_NOACTIVATE);
        p->Resized();
    }
}

void FrmMain::OnDpiChanged(UINT dpi) {
    font_ = MakeDialogFont(dpi);
    if (tabs_) SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    LayoutWindow();
}

void FrmMain::ShowPage(int index) {
    if (index < 0 || index >= static_cast<int>(pages_.size())) return;
    HWND focus = GetFocus();
    const bool focusInPage = focus && IsChild(pages_[static_cast<std::size_t>(page_)]->hwnd(), focus);
    page_ = index;
    TabCtrl_SetCurSel(tabs_, index);
    pages_[static_cast<std::size_t>(index)]->Refill();
    for (std::size_t i = 0; i < pages_.size(); ++i)
        ShowWindow(pages_[i]->hwnd(), static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
    // Focus never stays on a control that was hidden.
    if (focusInPage || !focus) SetFocus(tabs_);
    RefreshPreview();
}

void FrmMain::RefreshPreview() {
    if (preview_ && IsWindowVisible(hwnd())) InvalidateRect(preview_, nullptr, FALSE);
}

void FrmMain::PaintPreview(const DRAWITEMSTRUCT& di) {
    const AppSettings& s = App().settings;
    // On the painting-profiles page, the profile chosen there.
    std::shared_ptr<vbKerova_DrawBar> chosen;
    if (ListView* profiles = pages_.size() > 2 ? pages_[2]->List() : nullptr) {
        const void* key = profiles->Selected();
        for (const auto& p : App().DrawBarList)
            if (p.get() == key) chosen = p;
    }
    const uimodel::PreviewChoice choice = uimodel::ChoosePreview(
        s, page_, tick_ ? tick_->LastListName() : Text(), tick_ ? tick_->ActiveDrawBar : nullptr, chosen);
    ViewListPtr list = ViewListRegistry::Instance().GetViewList(choice.listName, true);
    HDC dc = di.hDC;
    RECT r = di.rcItem;
    bool painted = false;
    if (choice.profile && list) {
        // The caption painter itself paints the preview, into the box.
        const platform::PaintRect box{r.left, r.top, r.right, r.bottom};
        auto& profile = *choice.profile;
        if (!profile.DrawPreviewStart(WindowIdOf(preview_),
                                      box, static_cast<int>(Dpi()), s.Unicode)) {
            std::int32_t x = 0;
            for (const uimodel::PreviewRun& run : uimodel::PreviewRuns(*list))
                if ((x = profile.DrawCaption(run.text, run.color, x)) < 0) break;
            profile.EndDraw();
            painted = true;
        }
    }
    if (!painted) {
        // Without a profile: the plain text in the caption's colours.
        FillRect(dc, &r, GetSysColorBrush(COLOR_ACTIVECAPTION));
        const Text text = choice.border && list ? ComposeListText(*list, false) : tick_ ? tick_->LastText : Text();
        const std::wstring wide = win32::Wide(text);
        SelectedObject font(dc, font_.get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        TextOutW(dc, r.left + Scale(5, Dpi()), r.top + (r.bottom - r.top - tm.tmHeight) / 2, wide.c_str(),
                 static_cast<int>(wide.size()));
    }
    // The list edited on the display-items page is not the one shown in titles.
    if (choice.border) FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
}

void FrmMain::OnInitMenu(HMENU menu) {
    if (menu != copyMenu_) return;
    while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
    selectEntries_.clear();
    if (ViewListPtr list = uimodel::ShownList(ViewListRegistry::Instance(), App().settings, page_))
        selectEntries_ = uimodel::SelectDataEntries(*list);
    UINT id = mnuFile_Copy_SelectData;
    for (const auto& e : selectEntries_) {
        AppendItem(menu, id, e.caption.c_str(), !e.item.expired());
        if (++id > 1999) break;
    }
}

void FrmMain::CopyText(const Text& text) {
    // Another program may hold the clipboard for a moment.
    bool open = false;
    for (int attempt = 0; attempt < 10 && !(open = OpenClipboard(hwnd()) != FALSE); ++attempt) Sleep(20);
    if (!open) return;
    EmptyClipboard();
    const std::wstring w = win32::Wide(text);
    if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (w.size() + 1) * sizeof(wchar_t))) {
        if (void* p = GlobalLock(mem)) {
            memcpy(p, w.c_str(), (w.size() + 1) * sizeof(wchar_t));
            GlobalUnlock(mem);
            if (!SetClipboardData(CF_UNICODETEXT, mem)) GlobalFree(mem);
        } else {
            GlobalFree(mem);
        }
    }
    CloseClipboard();
}

void FrmMain::OpenHelpFile(uimodel::HelpDocument document, bool warnWhenMissing) {
    for (const char16_t* name : uimodel::HelpFiles(document, CurrentLanguage())) {
        const Text path = ProgramFolder() + name;
        if (FileExists(path)) {
            platform::shell().Open(u"open", path, u"", ProgramFolder());
            return;
        }
    }
    if (warnWhenMissing)
        platform::dialogs().Show(App().MainWindowHandle, Text(Tr(TextId::MsgHelpMissing)), kProductName,
                                 platform::BoxStyle::Warning);
}

bool FrmMain::OnSettingsCommand(UINT id) {
    if (id >= mnuPage0 && id < mnuPage0 + uimodel::kPageCount) {
        ShowWindowIfHidden();
        ShowPage(static_cast<int>(id - mnuPage0));
        return true;
    }
    if (id >= mnuFile_Copy_SelectData && id <= 1999) {
        const std::size_t i = id - mnuFile_Copy_SelectData;
        if (i < selectEntries_.size()) {
            if (auto text = uimodel::SelectDataText(selectEntries_[i], GetTickCount())) CopyText(*text);
        }
        return true;
    }
    switch (id) {
        case mnuFile_Copy_Data0:
        case mnuFile_Copy_Data1:
            if (ViewListPtr list = ViewListRegistry::Instance().GetViewList(App().settings.DefaultViewData, true))
                CopyText(uimodel::CopyListText(*list, id == mnuFile_Copy_Data1 ? 1 : 0, GetTickCount()));
            return true;
        case mnuHelp_Help: OpenHelpFile(uimodel::HelpDocument::Help, true); return true;
        case mnuHelp_Readme: OpenHelpFile(uimodel::HelpDocument::Readme, false); return true;
        case mnuHelp_About: dll_.ShowAbout(App().MainWindowHandle); return true;
    }
    return false;
}

void FrmMain::OpenTimeSync() {
    if (!timeSync_) timeSync_ = std::make_unique<FrmTimeSync>();
    timeSync_->Show();
}

void FrmMain::ShowListPopup(int page, const void* key) {
    auto* listPage = dynamic_cast<ListPage*>(pages_[static_cast<std::size_t>(page)].get());
    if (!listPage) return;
    const bool editor = listPage->Source().HasEditor();
    HMENU menu = CreatePopupMenu();
    AppendItem(menu, mnuList_Edit, uimodel::PopupCaption(uimodel::PopupCommand::Edit), editor);
    AppendItem(menu, mnuList_Delete, uimodel::PopupCaption(uimodel::PopupCommand::Delete));
    AppendItem(menu, mnuList_Insert, uimodel::PopupCaption(uimodel::PopupCommand::Insert), editor);
    POINT pt;
    GetCursorPos(&pt);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd(), nullptr));
    DestroyMenu(menu);
    if (chosen == 0) return;
    // The command runs a tick later, on the object chosen now.
    deferredPage_ = page;
    deferredCommand_ = static_cast<int>(chosen - mnuList_Edit);
    deferredObject_ = listPage->Source().Hold(key);
    SetTimer(hwnd(), tmrSwitch, 1, nullptr);
}

void FrmMain::RunDeferredListCommand() {
    KillTimer(hwnd(), tmrSwitch);
    const std::shared_ptr<const void> object = deferredObject_.lock();
    deferredObject_.reset();
    const int command = std::exchange(deferredCommand_, -1);
    if (!object) return;
    auto* listPage = dynamic_cast<ListPage*>(pages_[static_cast<std::size_t>(deferredPage_)].get());
    // The object left the list meanwhile: nothing to do.
    if (!listPage || !listPage->Source().Hold(object.get())) return;
    switch (static_cast<uimodel::PopupCommand>(command)) {
        case uimodel::PopupCommand::Edit: listPage->RunEdit(object.get()); break;
        case uimodel::PopupCommand::Delete: listPage->RunDelete(object.get()); break;
        case uimodel::PopupCommand::Insert: listPage->RunAdd(object.get()); break;
    }
}

void FrmMain::PageChanged(int) { RefreshPreview(); }

RuleContext FrmMain::WindowRuleContext() {
    return {titleBar_.get(), App().settings.Unicode, [this](platform::WindowId w) { return dll_.GetExeFileName(w); }};
}

void FrmMain::PluginsChanged() {
    constexpr auto kModules = static_cast<std::size_t>(uimodel::Page::Information);
    if (kModules < pages_.size() && pages_[kModules]->hwnd()) pages_[kModules]->Refill();
}

void FrmMain::TimingChanged(std::int32_t ms) { SetTimer(hwnd(), tmrMain, static_cast<UINT>(ms), nullptr); }

void FrmMain::TitleInfoChanged(bool) {
    // The title changes now, not at the next tick.
    if (tick_ && !quitting_) OnMainTimer();
}

void FrmMain::MakeMenuBar() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendItem(file, mnuFile_Copy_Data0, Tr(TextId::MenuCopyShown));
    AppendItem(file, mnuFile_Copy_Data1, Tr(TextId::MenuCopyAll));
    copyMenu_ = CreatePopupMenu();
    AppendPopup(file, copyMenu_, TextId::MenuCopyChosen);
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendItem(file, mnuFile_TimeSync, Tr(TextId::MenuTimeSync));
    AppendItem(file, mnuFile_Save, Tr(TextId::MenuSave));
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendItem(file, mnuFile_Quit0, Tr(TextId::MenuQuit));
    AppendItem(file, mnuFile_Quit1, Tr(TextId::MenuQuitWithoutSaving));
    HMENU help = CreatePopupMenu();
    AppendItem(help, mnuHelp_Help, Tr(TextId::MenuHelpContents));
    AppendItem(help, mnuHelp_Readme, Tr(TextId::MenuReadme));
    AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
    AppendItem(help, mnuHelp_About, Tr(TextId::MenuAbout));
    AppendPopup(bar, file, TextId::MenuFile);
    AppendPopup(bar, help, TextId::MenuHelp);
    // The window's old menu bar, and the pop-ups in it, go with it.
    HMENU old = GetMenu(hwnd());
    SetMenu(hwnd(), bar);
    if (old) DestroyMenu(old);
}

void FrmMain::TitleTabs(bool insert) {
    for (const uimodel::PageModel& m : uimodel::Pages()) {
        std::wstring title = win32::Wide(Tr(m.title));
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = title.data();
        if (insert)
            TabCtrl_InsertItem(tabs_, static_cast<int>(m.page), &item);
        else
            TabCtrl_SetItem(tabs_, static_cast<int>(m.page), &item);
    }
}

void FrmMain::LanguageChanged() {
    if (timeSync_) timeSync_->ApplyTexts();
    if (!tabs_) return;
    MakeMenuBar();
    TitleTabs(false);
    for (const auto& page : pages_) {
        page->ApplyTexts();
        page->Refill();
    }
    // The tabs may take another number of rows: the pages are laid out again.
    SendMessageW(hwnd(), WM_SIZE, 0, 0);
}

void FrmMain::DrawingChanged(bool on) {
    if (!on) WithdrawPainting();
    if (tick_ && !quitting_) OnMainTimer();
}

bool FrmMain::PreTranslate(MSG& msg) {
    if (keys_ && (msg.hwnd == hwnd() || IsChild(hwnd(), msg.hwnd)) &&
        TranslateAcceleratorW(hwnd(), keys_, &msg))
        return true;
    return navigation::PreTranslate(msg);
}

}  // namespace tbq::ui
