// Managing the display lists of the folder "ViewData": new, export, copy,
// import and refresh, as the pop-up beside a display-list drop-down offers
// them. Names come from the name dialog, made safe as file names and given
// ".ini"; files go through the display-list writer; a list is registered only
// once its file was written or read whole.
#pragma once

#include <optional>
#include <span>

#include "base/text.h"
#include "base/texts.h"
#include "platform/dialogs.h"

namespace tbq {
class ViewListRegistry;
}

namespace tbq::uimodel {

enum class ListManagement : int { New, Export, Copy, Import, Refresh };

struct ListManagementEntry {
    TextId caption;  // "新規作成(&N)"
    ListManagement command;
};
// The pop-up: on the display-items page all five entries, on the title-bar
// page (the default list) only import and refresh.
std::span<const ListManagementEntry> ListManagementMenu(bool displayItemsPage);

// What the commands need: where to ask, the registry, the program folder
// (ending in "\"); the file-error boxes go through the dialogs port in force.
struct ListManager {
    platform::Dialogs& dialogs;
    ViewListRegistry& registry;
    Text programFolder;
    platform::WindowId owner = 0;
};

struct ListChange {
    bool changed = false;  // the registry changed: fill the drop-downs again
    Text select;           // the list name to select ("" keeps the selection)
};

// Runs one command on the list named `current` (the drop-down's choice).
ListChange RunListManagement(ListManager& m, ListManagement command, const Text& current);

ListChange NewViewList(ListManager& m);
ListChange ExportViewList(ListManager& m, const Text& name);
ListChange CopyViewList(ListManager& m, const Text& name);
ListChange ImportViewList(ListManager& m);
ListChange RefreshViewLists(ListManager& m, const Text& current);

// ---- The name rules, for tests and the window ------------------------------------

inline constexpr TextId kNewListName = TextId::ListNewFileName;

// The user's answer as a list name: SafeFileName, then ".ini" unless it ends
// so in any letter case. "" stays "" (cancel).
Text ListFileName(TextView answer);
// The name a copy of `name` is offered under: "copy_Default.ini" for the
// default list, else "copy_" + name.
Text CopyNameFor(const Text& name);
// Whether a list of that name is registered (any letter case).
bool IsRegistered(const ViewListRegistry& registry, TextView name);
// Asks for a new list's name until it is free: the input box titled
// "Lunetta - " + `commandTitle`; a taken name shows the duplicate warning and
// asks again with it. nullopt when the user cancels or answers "".
std::optional<Text> AskNewListName(ListManager& m, TextId commandTitle, const Text& offered);

// A list file that may be imported: at most this many bytes.
inline constexpr std::size_t kMaxListFileBytes = 1u << 20;

}  // namespace tbq::uimodel
