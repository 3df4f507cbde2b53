// Display-list management in the settings window: the drop-downs of list
// names (page 1 chooses the default list, page 3 the list being edited), the
// pop-up beside each, and its entries as commands of the main window, so that
// the keyboard, scripts and tests reach every command by its number.
#pragma once

#include <windows.h>

#include <memory>
#include <span>

#include "base/text.h"
#include "ui/settings_pages.h"

namespace tbq::ui {

enum ListManagementCommand : UINT {
    mnuPopup_View_New = 1050,         // page 3: 新規作成(&N)
    mnuPopup_View_Export = 1051,      // page 3: エクスポート(&E)
    mnuPopup_View_Copy = 1052,        // page 3: コピーを作成(&C)
    mnuPopup_View_Import = 1053,      // page 3: インポート(&I)
    mnuPopup_View_Refresh = 1054,     // page 3: 更新(&R)
    mnuPopup_Default_Refresh = 1055,  // page 1: 更新(&R)
    mnuPopup_Default_Import = 1056,   // page 1: インポート(&I)
};

// Fills a drop-down with the registered list names in registry order and
// selects `selected` (the default list when no list has that name).
void FillListNames(HWND combo, TextView selected);
// The name chosen in the drop-down; "" when none is.
Text ChosenListName(HWND combo);

// Opens the page's management pop-up under its "..." button; the entry chosen
// is posted to `mainWindow` as its command.
void ShowListManagementMenu(HWND button, bool displayItemsPage, HWND mainWindow);

// Runs a management command of the main window on the list its page shows,
// asking through the dialogs port; then fills both pages' drop-downs again,
// the commanding page's on the list the command made. False for other ids.
bool RunListManagementCommand(UINT id, std::span<const std::unique_ptr<SettingsPage>> pages, HWND owner);

}  // namespace tbq::ui
