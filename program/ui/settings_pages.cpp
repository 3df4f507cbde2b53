#include "ui/settings_pages.h"

#include <commctrl.h>

#include "app/app_state.h"
#include "base/texts.h"
#include "core/helpers.h"
#include "core/library_wrapper.h"
#include "core/startup_shortcut.h"
#include "items/view_list.h"
#include "platform/ports.h"
#include "plugin/plugin_registry.h"
#include "app/settings_files.h"
#include "ui/editor_support.h"
#include "ui/kit/accessible.h"
#include "ui/list_management.h"
#include "ui/resource.h"
#include "ui/window_helpers.h"
#include "ui/window_select.h"
#include "uimodel/menus.h"
#include "uimodel/rule_editor_model.h"
#include "win32/wide.h"

namespace tbq::ui {

namespace {
constexpr int kCheckIds[] = {IDC_PAGE_CHECK0, IDC_PAGE_CHECK1, IDC_PAGE_CHECK2, IDC_PAGE_CHECK3};
constexpr int kInfoCheckIds[] = {IDC_INFO_LOG};
}  // namespace

SettingsPage::SettingsPage(int index, PageHost& host) : SettingsPage(index, host, kCheckIds) {}

SettingsPage::SettingsPage(int index, PageHost& host, std::span<const int> checkIds)
    : index_(index), host_(host), model_(uimodel::PageAt(index)), checkIds_(checkIds) {
    for (std::size_t i = 0; i < model_.checkBoxes.size() && i < checkIds_.size(); ++i) {
        OnCheck(checkIds_[i], [this, i](bool on) {
            if (filling_) return;
            uimodel::WriteBinding(model_.checkBoxes[i].binding, on, App(), &host_.Effects());
            // What the page shows beside it follows (the fixed rule's summary).
            Refill();
            host_.PageChanged(index_);
        });
    }
}

int SettingsPage::TemplateId() const { return IDD_PAGE_LIST; }

bool SettingsPage::Make(HWND parent) { return CreatePage(parent, TemplateId()); }

void SettingsPage::OnInit() {
    for (std::size_t i = model_.checkBoxes.size(); i < checkIds_.size(); ++i) ShowWindow(Item(checkIds_[i]), SW_HIDE);
    ApplyTexts();
    Refill();
}

void SettingsPage::ApplyTexts() {
    if (!dlg_) return;
    RetranslateTemplate();
    // The page is named by its title, for screen readers and for finding it.
    SetWindowTextW(dlg_, win32::Wide(Tr(model_.title)).c_str());
    for (std::size_t i = 0; i < checkIds_.size() && i < model_.checkBoxes.size(); ++i)
        SetField(dlg_, checkIds_[i], Text(Tr(model_.checkBoxes[i].caption)));
    ApplyOwnTexts();
}

void SettingsPage::AnchorList(std::initializer_list<int> buttons, std::initializer_list<int> row) {
    sizer_.Add(Item(IDC_PAGE_LIST), Sizer::All);
    for (int id : buttons) sizer_.Add(Item(id), Sizer::Top | Sizer::Right);
    // A row above the list: the first control stretches, the others keep to the right.
    bool first = true;
    for (int id : row) {
        sizer_.Add(Item(id), first ? Sizer::Left | Sizer::Top | Sizer::Right : Sizer::Top | Sizer::Right);
        first = false;
    }
}

void SettingsPage::Refill() {
    if (!dlg_) return;
    filling_ = true;
    for (std::size_t i = 0; i < model_.checkBoxes.size() && i < checkIds_.size(); ++i)
        SetChecked(checkIds_[i], uimodel::ReadBinding(model_.checkBoxes[i].binding, App()));
    FillOwn();
    filling_ = false;
}

// Page 0: the start-up registration and the time synchronisation.
BasicPage::BasicPage(PageHost& host) : SettingsPage(0, host) {
    OnCommand(IDC_BASIC_STARTUP, [this] { ToggleStartup(); });
    OnCommand(IDC_BASIC_TIMESYNC, [this] { host_.OpenTimeSync(); });
    OnCommand(IDC_BASIC_LANGUAGE, CBN_SELCHANGE, [this] { OnLanguage(); });
}

int BasicPage::TemplateId() const { return IDD_PAGE_BASIC; }

void BasicPage::FillOwn() {
    const bool registered = TheLibrary() && StartupShortcut(*TheLibrary(), true, false);
    SetField(dlg_, IDC_BASIC_STARTUP,
             Text(Tr(registered ? TextId::BasicStartupUnregister : TextId::BasicStartupRegister)));
    SendMessageW(Item(IDC_BASIC_LANGUAGE), CB_SETCURSEL, static_cast<WPARAM>(App().settings.Language), 0);
}

void BasicPage::ApplyOwnTexts() {
    SetField(dlg_, IDC_BASIC_STARTUP_LABEL, Text(Tr(TextId::BasicStartupLabel)));
    SetField(dlg_, IDC_BASIC_TIMESYNC, Text(Tr(TextId::BasicTimeSync)));
    SetField(dlg_, IDC_BASIC_LANGUAGE_LABEL, Text(Tr(TextId::BasicLanguageLabel)));
    FillComboBox(Item(IDC_BASIC_LANGUAGE),
                 {Text(Tr(TextId::LanguageAuto)), Text(Tr(TextId::LanguageJapanese)), Text(Tr(TextId::LanguageEnglish))},
                 static_cast<std::size_t>(App().settings.Language));
}

void BasicPage::OnLanguage() {
    if (Filling()) return;
    const LRESULT chosen = SendMessageW(Item(IDC_BASIC_LANGUAGE), CB_GETCURSEL, 0, 0);
    if (chosen < kLanguageAuto || chosen > kLanguageEnglish || chosen == App().settings.Language) return;
    App().settings.Language = static_cast<std::int32_t>(chosen);
    SetLanguage(ChooseLanguage(App().settings.Language, platform::locale().UiLanguage()));
    host_.Effects().LanguageChanged();
}

void BasicPage::ToggleStartup() {
    if (!TheLibrary()) return;
    const bool registered = StartupShortcut(*TheLibrary(), true, false);
    const Text question = uimodel::StartupQuestion(registered);
    const auto owner = WindowIdOf(dlg_);
    if (platform::dialogs().Show(owner, question, kProductName, platform::BoxStyle::Question) !=
        platform::BoxAnswer::Yes)
        return;
    StartupShortcut(*TheLibrary(), false, !registered);
    Refill();
}

// Page 1: the interval, the default display list and the fixed window.
TitleBarPage::TitleBarPage(PageHost& host) : SettingsPage(1, host) {
    OnMessage(WM_HSCROLL, [this](WPARAM wp, LPARAM) -> INT_PTR {
        OnScroll(wp);
        return TRUE;
    });
    OnCommand(IDC_TB_PRESETS, CBN_SELCHANGE, [this] { OnPreset(); });
    OnCommand(IDC_TB_DEFAULT, CBN_SELCHANGE, [this] { OnDefaultList(); });
    OnCommand(IDC_TB_DEFAULT_MENU,
              [this] { ShowListManagementMenu(Item(IDC_TB_DEFAULT_MENU), false, host_.OwnerWindow()); });
    OnCommand(IDC_TB_FIXED_SET, [this] { OnFixedWindow(); });
}

int TitleBarPage::TemplateId() const { return IDD_PAGE_TITLEBAR; }

void TitleBarPage::OnInit() {
    presets_ = uimodel::LoadIntervalPresets(ProgramFolder() + DataFileName());
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMin = uimodel::ScrollMin();
    si.nMax = uimodel::ScrollMax();
    si.nPage = 1;
    SetScrollInfo(Item(IDC_TB_INTERVAL), SB_CTL, &si, FALSE);
    // The presets are read once; scrolling only moves the choice.
    SettingsPage::OnInit();
}

void TitleBarPage::ApplyOwnTexts() {
    SetAccessibleName(Item(IDC_TB_DEFAULT_MENU), Tr(TextId::PageListMenuName));
    // Named in the language in force; the choice follows with the next fill.
    FillComboBox(Item(IDC_TB_PRESETS), uimodel::IntervalEntries(presets_),
                 uimodel::IntervalEntryFor(presets_, App().settings.Timing));
}

void TitleBarPage::FillOwn() {
    ShowInterval(App().settings.Timing);
    FillListNames(Item(IDC_TB_DEFAULT), App().settings.DefaultViewData);
    SetField(dlg_, IDC_TB_FIXED_SUMMARY, App().FixedWindowRule.SummaryText(false));
}

void TitleBarPage::ShowInterval(std::int32_t timing) {
    SetScrollPos(Item(IDC_TB_INTERVAL), SB_CTL, uimodel::SetScrollValue(timing), TRUE);
    SetField(dlg_, IDC_TB_INTERVAL_TEXT, uimodel::IntervalLabel(timing));
    SendMessageW(Item(IDC_TB_PRESETS), CB_SETCURSEL, uimodel::IntervalEntryFor(presets_, timing), 0);
}

void TitleBarPage::OnScroll(WPARAM wp) {
    if (Filling()) return;
    const auto pos = ScrollRequest(Item(IDC_TB_INTERVAL), wp, 10, 100);
    if (!pos) return;
    const std::int32_t timing = uimodel::WriteTiming(uimodel::GetScrollValue(*pos), App(), &host_.Effects());
    ShowInterval(timing);
}

void TitleBarPage::OnPreset() {
    if (Filling()) return;
    const auto entry = static_cast<std::size_t>(SendMessageW(Item(IDC_TB_PRESETS), CB_GETCURSEL, 0, 0));
    if (const auto ms = uimodel::IntervalOfEntry(presets_, entry))
        ShowInterval(uimodel::WriteTiming(*ms, App(), &host_.Effects()));
}

void TitleBarPage::OnDefaultList() {
    if (Filling()) return;
    Text name = ChosenListName(Item(IDC_TB_DEFAULT));
    if (name.empty()) return;
    App().settings.DefaultViewData = std::move(name);
    host_.PageChanged(index_);
}

void TitleBarPage::OnFixedWindow() {
    vbKerova_Window edited;
    edited.CopyData(App().FixedWindowRule);
    if (!EditWindowConditions(host_.OwnerWindow(), edited, host_.WindowRuleContext())) return;
    uimodel::ApplyFixedConditions(edited, App().FixedWindowRule);
    Refill();
    host_.PageChanged(index_);
}

// Pages 2 to 5: a list of objects with its commands.
ListPage::ListPage(int index, PageHost& host, std::unique_ptr<ListSource> source)
    : SettingsPage(index, host), source_(std::move(source)) {
    OnCommand(IDC_PAGE_ADD, [this] {
        // On the display items' and alarms' pages Shift puts the new object
        // before the selected line.
        const bool before = (index_ == static_cast<int>(uimodel::Page::View) ||
                             index_ == static_cast<int>(uimodel::Page::Alarm)) &&
                            (GetKeyState(VK_SHIFT) & 0x8000) != 0;
        RunAdd(before ? list_.Selected() : nullptr);
    });
    OnCommand(IDC_PAGE_EDIT, [this] { RunEdit(list_.Selected()); });
    OnNotify(IDC_PAGE_LIST, NM_DBLCLK, [this](NMHDR&) -> LRESULT {
        if (source_->HasEditor()) RunEdit(list_.Selected());
        return 0;
    });
    OnCommand(IDC_PAGE_DELETE, [this] { RunDelete(list_.Selected()); });
    OnCommand(IDC_PAGE_UP, [this] { RunMove(list_.Selected(), -1); });
    OnCommand(IDC_PAGE_DOWN, [this] { RunMove(list_.Selected(), +1); });
    OnNotify(IDC_PAGE_LIST, LVN_ITEMCHANGED, [this](NMHDR& h) -> LRESULT {
        list_.HandleItemChanged(h);
        if (!Filling()) {
            UpdateButtons();
            // The preview shows the profile chosen on the profiles' page.
            host_.PageChanged(index_);
        }
        return 0;
    });
    OnNotify(IDC_PAGE_LIST, NM_RCLICK, [this](NMHDR&) -> LRESULT {
        if (const void* key = list_.Selected()) host_.ShowListPopup(index_, key);
        return 0;
    });
    if (index_ == static_cast<int>(uimodel::Page::View)) {
        OnCommand(IDC_PAGE_LISTNAME, CBN_SELCHANGE, [this] { OnListName(); });
        OnCommand(IDC_PAGE_LISTMENU,
                  [this] { ShowListManagementMenu(Item(IDC_PAGE_LISTMENU), true, host_.OwnerWindow()); });
    }
}

void ListPage::OnInit() {
    list_.Attach(Item(IDC_PAGE_LIST), true);
    list_.OnCheckChanged = [this](const void* key, bool on) {
        source_->SetChecked(key, on);
        // Page 2 ticks one profile only: the others show it at once.
        list_.Fill(source_->Lines());
        host_.PageChanged(index_);
    };
    // Only the display items' page chooses which list it shows.
    if (index_ != static_cast<int>(uimodel::Page::View)) {
        for (int id : {IDC_PAGE_LISTNAME_LABEL, IDC_PAGE_LISTNAME, IDC_PAGE_LISTMENU})
            ShowWindow(Item(id), SW_HIDE);
        // The list and its label move up into the room left, below a third
        // check box where the page has one.
        const RECT from = RectInParent(Item(IDC_PAGE_LISTNAME_LABEL)), label = RectInParent(Item(IDC_PAGE_LIST_LABEL));
        int top = from.top;
        if (model_.checkBoxes.size() > 2) {
            const RECT second = RectInParent(Item(IDC_PAGE_CHECK1)), third = RectInParent(Item(IDC_PAGE_CHECK2));
            top = third.bottom + (from.top - second.bottom);
        }
        const int up = label.top - top;
        for (int id : {IDC_PAGE_LIST_LABEL, IDC_PAGE_LIST}) {
            const RECT r = RectInParent(Item(id));
            const int grow = id == IDC_PAGE_LIST ? up : 0;
            MoveWindow(Item(id), r.left, r.top - up, r.right - r.left, r.bottom - r.top + grow, FALSE);
        }
    }
    AnchorList({IDC_PAGE_ADD, IDC_PAGE_EDIT, IDC_PAGE_DELETE, IDC_PAGE_UP, IDC_PAGE_DOWN},
               {IDC_PAGE_LISTNAME, IDC_PAGE_LISTMENU});
    SettingsPage::OnInit();
}

void ListPage::ApplyOwnTexts() {
    SetAccessibleName(Item(IDC_PAGE_LISTMENU), Tr(TextId::PageListMenuName));
}

void ListPage::FillOwn() {
    if (index_ == static_cast<int>(uimodel::Page::View))
        FillListNames(Item(IDC_PAGE_LISTNAME), App().settings.EditDataName);
    list_.Fill(source_->Lines());
    UpdateButtons();
}

void ListPage::OnListName() {
    if (Filling()) return;
    Text name = ChosenListName(Item(IDC_PAGE_LISTNAME));
    if (name.empty()) return;
    // The page shows the chosen list's items; the File menu copies from it.
    App().settings.EditDataName = std::move(name);
    Refill();
    host_.PageChanged(index_);
}

void ListPage::UpdateButtons() {
    const bool selected = list_.Selected() != nullptr;
    EnableWindow(Item(IDC_PAGE_ADD), source_->HasEditor());
    EnableWindow(Item(IDC_PAGE_EDIT), source_->HasEditor() && selected);
    EnableWindow(Item(IDC_PAGE_DELETE), selected);
    EnableWindow(Item(IDC_PAGE_UP), selected);
    EnableWindow(Item(IDC_PAGE_DOWN), selected);
}

void ListPage::RunDelete(const void* key) {
    if (!key) return;
    const void* next = source_->Next(key);
    if (!source_->Delete(key, host_.OwnerWindow())) return;
    // The confirmation's check box may have turned the page's question off.
    Refill();
    list_.Select(next);
    UpdateButtons();
    host_.PageChanged(index_);
}

void ListPage::RunAdd(const void* before) {
    if (!source_->HasEditor()) return;
    ShowChanged(source_->Add(before, host_.OwnerWindow()));
}

void ListPage::RunEdit(const void* key) {
    if (!key || !source_->HasEditor()) return;
    ShowChanged(source_->Edit(key, host_.OwnerWindow()));
}

void ListPage::ShowChanged(const void* changed) {
    if (!changed) return;
    list_.Fill(source_->Lines());
    list_.Select(changed);
    UpdateButtons();
    host_.PageChanged(index_);
}

void ListPage::RunMove(const void* key, int delta) {
    if (!key) return;
    source_->Move(key, delta);
    list_.Fill(source_->Lines());
    list_.Select(key);
    host_.PageChanged(index_);
}

}  // namespace tbq::ui

namespace tbq::ui {

namespace {
uimodel::ModuleInfo ProgramInfo() {
    uimodel::ModuleInfo m;
    m.name = kProductName;
    m.version = GetVersionString(u"ProductVersion", u"");
    // The same words as the file's description, in the language in force.
    m.comment = Tr(TextId::InfoProgramDescription);
    m.copyright = GetVersionString(u"LegalCopyright", u"");
    m.web = uimodel::ProgramWebPage();
    m.mail = uimodel::kMakerMail;
    return m;
}

// What the library says of itself.
uimodel::ModuleInfo LibraryInfo() {
    uimodel::ModuleInfo m;
    m.name = u"TBQ.dll";
    if (const vbKerova_Dll* dll = TheLibrary()) {
        m.version = dll->Version();
        m.comment = dll->Comment();
        m.copyright = dll->Copyright();
    }
    return m;
}

void AddEntries(HMENU menu, const std::vector<uimodel::PluginMenuEntry>& entries,
                std::vector<const uimodel::PluginMenuEntry*>& leaves) {
    for (const auto& e : entries) {
        const std::wstring caption = win32::Wide(e.caption);
        if (e.children.empty()) {
            leaves.push_back(&e);
            AppendMenuW(menu, MF_STRING, leaves.size(), caption.c_str());
        } else {
            HMENU sub = CreatePopupMenu();
            AddEntries(sub, e.children, leaves);
            AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), caption.c_str());
        }
    }
}
}  // namespace

InfoPage::InfoPage(PageHost& host) : SettingsPage(6, host, kInfoCheckIds) {
    OnNotify(IDC_PAGE_LIST, LVN_ITEMCHANGED, [this](NMHDR& h) -> LRESULT {
        list_.HandleItemChanged(h);
        if (!Filling()) UpdateButtons();
        return 0;
    });
    OnCommand(IDC_INFO_SETTING, [this] { OnSettings(); });
    OnCommand(IDC_INFO_ABOUT, [this] {
        if (const auto* row = SelectedRow()) {
            const auto owner = WindowIdOf(dlg_);
            if (row->kind == uimodel::ModuleRow::Kind::Plugin && row->plugin && row->plugin->Enable())
                row->plugin->ShowAbout(owner);
            else
                platform::dialogs().Show(owner, uimodel::InformationText(*row), kProductName,
                                         platform::BoxStyle::Information);
        }
    });
    OnCommand(IDC_INFO_WEB, [this] { OpenAddress(false); });
    OnCommand(IDC_INFO_MAIL, [this] { OpenAddress(true); });
    OnCommand(IDC_INFO_MENU, [this] { ShowMenu(); });
    OnMessage(WM_DRAWITEM, [this](WPARAM, LPARAM lp) -> INT_PTR {
        const auto& di = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (di.CtlID != IDC_INFO_ICON) return FALSE;
        // The program's icon on its pale yellow ground.
        UniqueBrush ground(CreateSolidBrush(RGB(0xFF, 0xFF, 0xC0)));
        FillRect(di.hDC, &di.rcItem, ground.get());
        const int size = std::min(di.rcItem.right - di.rcItem.left, di.rcItem.bottom - di.rcItem.top);
        DrawIconEx(di.hDC, di.rcItem.left, di.rcItem.top, icon_.get(), size, size, 0, nullptr, DI_NORMAL);
        return TRUE;
    });
}

int InfoPage::TemplateId() const { return IDD_PAGE_INFO; }

void InfoPage::OnInit() {
    icon_.reset(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, 48, 48, 0)));
    const uimodel::ModuleInfo program = ProgramInfo();
    SetField(dlg_, IDC_INFO_NAME, program.name);
    SetField(dlg_, IDC_INFO_VERSION, u"Ver " + program.version + u" ");
    list_.Attach(Item(IDC_PAGE_LIST), true);
    AnchorList({IDC_INFO_SETTING, IDC_INFO_ABOUT, IDC_INFO_WEB, IDC_INFO_MAIL, IDC_INFO_MENU}, {});
    // The log's switch stays under the list as the page grows.
    sizer_.Add(Item(IDC_INFO_LOG), Sizer::Left | Sizer::Bottom);
    list_.OnCheckChanged = [this](const void* key, bool on) {
        for (const auto& row : rows_) {
            if (&row != key) continue;
            // Only a plug-in can be unloaded; the program and library stay
            // ticked. A plug-in that fails while loading is switched off and
            // reported as at start-up.
            PluginRegistry* registry = ThePluginRegistry();
            if (row.plugin && registry) registry->SetEnabled(row.plugin, on);
        }
        Refill();
    };
    SettingsPage::OnInit();
}

void InfoPage::ApplyOwnTexts() { SetField(dlg_, IDC_INFO_DESCRIPTION, ProgramInfo().comment); }

void InfoPage::FillOwn() {
    rows_ = uimodel::ModuleRows(ProgramInfo(), LibraryInfo(), ThePluginRegistry());
    std::vector<ListView::Line> lines;
    for (const auto& row : rows_) lines.push_back({&row, row.text, row.checked});
    list_.Fill(lines);
    UpdateButtons();
}

const uimodel::ModuleRow* InfoPage::SelectedRow() const {
    return static_cast<const uimodel::ModuleRow*>(list_.Selected());
}

void InfoPage::UpdateButtons() {
    const uimodel::ModuleRow* row = SelectedRow();
    const uimodel::ModuleButtons b = row ? uimodel::ButtonsFor(*row) : uimodel::ModuleButtons{};
    EnableWindow(Item(IDC_INFO_SETTING), b.settings);
    EnableWindow(Item(IDC_INFO_ABOUT), b.information);
    EnableWindow(Item(IDC_INFO_WEB), b.web);
    EnableWindow(Item(IDC_INFO_MAIL), b.mail);
}

void InfoPage::OnSettings() {
    const uimodel::ModuleRow* row = SelectedRow();
    if (!row || !row->plugin || !row->plugin->Enable()) return;
    const auto owner = WindowIdOf(dlg_);
    const std::vector<uimodel::PluginMenuEntry> entries = uimodel::PluginSettingsMenu(*row->plugin);
    if (entries.empty()) {
        row->plugin->ShowSetting(owner, 0, 0);
        return;
    }
    HMENU menu = CreatePopupMenu();
    std::vector<const uimodel::PluginMenuEntry*> leaves;
    AddEntries(menu, entries, leaves);
    POINT pt;
    GetCursorPos(&pt);
    const auto chosen = static_cast<std::size_t>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0, dlg_, nullptr));
    DestroyMenu(menu);
    // The plug-in may have been switched off while the menu was open.
    if (chosen >= 1 && chosen <= leaves.size() && row->plugin->Enable())
        row->plugin->ShowSetting(owner, leaves[chosen - 1]->funcNo, leaves[chosen - 1]->settingNo);
}

void InfoPage::OpenAddress(bool mail) {
    const uimodel::ModuleRow* row = SelectedRow();
    if (!row) return;
    const Text& address = mail ? row->info.mail : row->info.web;
    const std::optional<Text> target = mail ? uimodel::MailTarget(address) : uimodel::WebTarget(address);
    const auto owner = WindowIdOf(dlg_);
    // A plug-in's own text is never handed to the shell as a command.
    if (!target) {
        platform::dialogs().Show(owner, uimodel::RefusedAddressText(address), uimodel::kRefusedAddressCaption,
                                 platform::BoxStyle::Warning);
        return;
    }
    platform::shell().Open(u"open", *target, u"", u"");
}

void InfoPage::ShowMenu() {
    // The main window runs the commands: 1005 checks the version, 1006 looks for plug-ins again.
    HMENU menu = CreatePopupMenu();
    for (const uimodel::InfoMenuEntry& e : uimodel::InfoMenu())
        AppendMenuW(menu, MF_STRING, e.command == uimodel::InfoCommand::VerCheck ? 1005 : 1006,
                    win32::Wide(Tr(e.caption)).c_str());
    RECT r{};
    GetWindowRect(Item(IDC_INFO_MENU), &r);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, r.left, r.bottom, 0, dlg_, nullptr));
    DestroyMenu(menu);
    if (chosen) PostMessageW(host_.OwnerWindow(), WM_COMMAND, chosen, 0);
}

}  // namespace tbq::ui
