#include "ui/list_management.h"

#include <utility>

#include "app/app_state.h"
#include "core/program_location.h"
#include "items/view_list.h"
#include "platform/ports.h"
#include "ui/editor_support.h"
#include "uimodel/page_bindings.h"
#include "uimodel/view_list_manager.h"
#include "ui/window_helpers.h"
#include "win32/wide.h"

namespace tbq::ui {

namespace {
using uimodel::ListManagement;
using uimodel::Page;

struct Route {
    UINT id;
    Page page;
    ListManagement command;
};
constexpr Route kRoutes[] = {
    {mnuPopup_View_New, Page::View, ListManagement::New},
    {mnuPopup_View_Export, Page::View, ListManagement::Export},
    {mnuPopup_View_Copy, Page::View, ListManagement::Copy},
    {mnuPopup_View_Import, Page::View, ListManagement::Import},
    {mnuPopup_View_Refresh, Page::View, ListManagement::Refresh},
    {mnuPopup_Default_Refresh, Page::TitleBar, ListManagement::Refresh},
    {mnuPopup_Default_Import, Page::TitleBar, ListManagement::Import},
};

// The list a page shows and changes: the edited one, or the default one.
Text& ListSettingOf(Page page) {
    AppSettings& s = App().settings;
    return page == Page::View ? s.EditDataName : s.DefaultViewData;
}
}  // namespace

void FillListNames(HWND combo, TextView selected) {
    int index = 0;
    const std::vector<Text> names = ViewListRegistry::Instance().ListNames(selected, &index);
    FillComboBox(combo, names, static_cast<std::size_t>(index));
}

Text ChosenListName(HWND combo) {
    const LRESULT i = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (i < 0) return {};
    const LRESULT len = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (len < 0) return {};
    std::wstring name(static_cast<std::size_t>(len) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name.data()));
    name.resize(static_cast<std::size_t>(len));
    return win32::FromWide(name);
}

void ShowListManagementMenu(HWND button, bool displayItemsPage, HWND mainWindow) {
    const Page page = displayItemsPage ? Page::View : Page::TitleBar;
    HMENU menu = CreatePopupMenu();
    for (const uimodel::ListManagementEntry& e : uimodel::ListManagementMenu(displayItemsPage)) {
        for (const Route& r : kRoutes) {
            if (r.page == page && r.command == e.command)
                AppendMenuW(menu, MF_STRING, r.id, win32::Wide(e.caption).c_str());
        }
    }
    RECT r{};
    GetWindowRect(button, &r);
    const auto chosen = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                         r.left, r.bottom, 0, GetParent(button), nullptr));
    DestroyMenu(menu);
    if (chosen) PostMessageW(mainWindow, WM_COMMAND, chosen, 0);
}

bool RunListManagementCommand(UINT id, std::span<const std::unique_ptr<SettingsPage>> pages, HWND owner) {
    const Route* route = nullptr;
    for (const Route& r : kRoutes)
        if (r.id == id) route = &r;
    if (!route) return false;
    // The input box and the file dialogs run message loops of their own: a
    // command posted meanwhile must not start a second one on the registry.
    static bool running = false;
    if (running) return true;
    running = true;
    struct Done {
        ~Done() { running = false; }
    } done;
    uimodel::ListManager manager{platform::dialogs(), ViewListRegistry::Instance(), ProgramFolder(),
                                 WindowIdOf(owner)};
    Text& shown = ListSettingOf(route->page);
    // A list that has gone (its file removed before the start) shows as the
    // default list: the commands act on what the drop-down shows.
    const Text current = uimodel::IsRegistered(manager.registry, shown) ? shown : Text(kDefaultListName);
    const uimodel::ListChange change = uimodel::RunListManagement(manager, route->command, current);
    if (!change.select.empty()) shown = change.select;
    if (change.changed || !change.select.empty()) {
        for (Page p : {Page::TitleBar, Page::View}) {
            const auto i = static_cast<std::size_t>(p);
            if (i < pages.size()) pages[i]->Refill();
        }
    }
    return true;
}

}  // namespace tbq::ui
