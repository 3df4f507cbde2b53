#include "uimodel/view_list_manager.h"

#include <array>

#include "items/view_list.h"

namespace tbq::uimodel {

namespace {

const std::array kMenu{
    ListManagementEntry{u"新規作成(&N)", ListManagement::New},
    ListManagementEntry{u"エクスポート(&E)", ListManagement::Export},
    ListManagementEntry{u"コピーを作成(&C)", ListManagement::Copy},
    ListManagementEntry{u"インポート(&I)", ListManagement::Import},
    ListManagementEntry{u"更新(&R)", ListManagement::Refresh},
};

}  // namespace

std::span<const ListManagementEntry> ListManagementMenu(bool displayItemsPage) {
    return displayItemsPage ? std::span<const ListManagementEntry>(kMenu)
                            : std::span<const ListManagementEntry>(kMenu).subspan(3);
}

ListChange RunListManagement(ListManager&, ListManagement, const Text&) { return {}; }
ListChange NewViewList(ListManager&) { return {}; }
ListChange ExportViewList(ListManager&, const Text&) { return {}; }
ListChange CopyViewList(ListManager&, const Text&) { return {}; }
ListChange ImportViewList(ListManager&) { return {}; }
ListChange RefreshViewLists(ListManager&, const Text&) { return {}; }
Text ListFileName(TextView answer) { return Text(answer); }
Text CopyNameFor(const Text& name) { return u"copy_" + name; }
bool IsRegistered(const ViewListRegistry&, TextView) { return false; }
std::optional<Text> AskNewListName(ListManager&, const Text&, const Text&) { return std::nullopt; }

}  // namespace tbq::uimodel
