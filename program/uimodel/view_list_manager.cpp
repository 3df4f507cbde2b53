#include "uimodel/view_list_manager.h"

#include <array>

#include "app/settings_files.h"
#include "core/helpers.h"
#include "core/program_location.h"
#include "items/view_list.h"
#include "platform/ports.h"
#include "settings/ini_file.h"

namespace tbq::uimodel {

namespace {

const std::array kMenu{
    ListManagementEntry{TextId::ListNew, ListManagement::New},
    ListManagementEntry{TextId::ListExport, ListManagement::Export},
    ListManagementEntry{TextId::ListCopy, ListManagement::Copy},
    ListManagementEntry{TextId::ListImport, ListManagement::Import},
    ListManagementEntry{TextId::ListRefresh, ListManagement::Refresh},
};

constexpr char16_t kFolderName[] = u"ViewData\\";
constexpr TextId kNewTitle = TextId::ListNewTitle;
constexpr TextId kCopyTitle = TextId::ListCopyTitle;
constexpr TextId kImportTitle = TextId::ListImportTitle;
constexpr TextId kExportTitle = TextId::ListExportTitle;

Text Title(TextId command) { return Text(kProductName) + u" - " + Text(Tr(command)); }

std::vector<platform::FileFilter> ListFilters() {
    return {{Text(Tr(TextId::ListFilterLists)), u"*.ini"}, {Text(Tr(TextId::ListFilterAll)), u"*.*"}};
}

ViewListPtr Find(const ViewListRegistry& registry, TextView name) {
    for (const auto& e : registry.Entries())
        if (EqualsIgnoreCase(e.name, name)) return e.list;
    return nullptr;
}

// Why a file cannot be taken as a display list; "" when it can.
Text WhyNotAList(const Text& path) {
    const platform::ReadResult r = platform::files().ReadAll(path, kMaxListFileBytes);
    if (r.status != platform::ReadStatus::Ok)
        return Text(Tr(TextId::ListUnreadable));
    const std::string& bytes = r.bytes;
    // Text in another encoding: UTF-16 holds zero bytes, UTF-8 usually a mark.
    const platform::CodePage& cp = platform::codepage();
    if (bytes.find('\0') != std::string::npos || bytes.starts_with("\xEF\xBB\xBF") ||
        cp.ToAnsi(cp.FromAnsi(bytes)) != bytes)
        return Text(Tr(TextId::ListBadEncoding));
    // Even an empty list has its end mark in the first section.
    if (vbIniFile(path).GetText(ViewDataSection(1), u"DataType", u"").empty())
        return Text(Tr(TextId::ListNotAList));
    return {};
}

void ShowImportError(ListManager& m, const Text& path, const Text& why) {
    m.dialogs.Show(m.owner, Tr(TextId::ListImportFailed, path) + why,
                   Title(kImportTitle), platform::BoxStyle::Error);
}

// Writes `list` as the file of the registered name `name` in the folder.
bool WriteListFile(ListManager& m, const Text& name, ViewList& list, bool retry) {
    const Text folder = m.programFolder + kFolderName;
    platform::files().CreateFolder(folder);
    const Text path = folder + name;
    if (retry) return WithRetry(path, [&] { return SaveViewList(path, list); });
    if (SaveViewList(path, list)) return true;
    ShowSaveError(path);
    return false;
}

ListChange Registered(ListManager& m, const Text& name, ViewListPtr list) {
    m.registry.SetViewList(name, std::move(list));
    return {true, name};
}

}  // namespace

std::span<const ListManagementEntry> ListManagementMenu(bool displayItemsPage) {
    const std::span<const ListManagementEntry> all(kMenu);
    return displayItemsPage ? all : all.subspan(3);
}

Text ListFileName(TextView answer) {
    Text name = SafeFileName(answer);
    if (name.empty()) return name;
    if (name.size() < 4 || !EqualsIgnoreCase(TextView(name).substr(name.size() - 4), u".ini"))
        name += u".ini";
    return name;
}

Text CopyNameFor(const Text& name) {
    return name == kDefaultListName ? Text(u"copy_Default.ini") : u"copy_" + name;
}

bool IsRegistered(const ViewListRegistry& registry, TextView name) {
    for (const auto& e : registry.Entries())
        if (EqualsIgnoreCase(e.name, name)) return true;
    return false;
}

std::optional<Text> AskNewListName(ListManager& m, TextId commandTitle, const Text& offered) {
    Text offer = offered;
    for (;;) {
        const std::optional<Text> answer = m.dialogs.InputBox(
            m.owner, Text(Tr(TextId::ListNamePrompt)), Text(Tr(TextId::ListNameNote)), Title(commandTitle), offer);
        if (!answer || answer->empty()) return std::nullopt;
        const Text name = ListFileName(*answer);
        if (name.empty()) return std::nullopt;
        if (!IsRegistered(m.registry, name)) return name;
        m.dialogs.Show(m.owner, Text(Tr(TextId::ListNameTaken)), Title(commandTitle), platform::BoxStyle::Warning);
        offer = *answer;
    }
}

ListChange NewViewList(ListManager& m) {
    const auto name = AskNewListName(m, kNewTitle, Text(Tr(kNewListName)));
    if (!name) return {};
    auto list = std::make_shared<ViewList>();
    if (!WriteListFile(m, *name, *list, false)) return {};
    return Registered(m, *name, std::move(list));
}

ListChange CopyViewList(ListManager& m, const Text& name) {
    const ViewListPtr source = Find(m.registry, name);
    if (!source) return {};
    const auto copyName = AskNewListName(m, kCopyTitle, CopyNameFor(name));
    if (!copyName) return {};
    if (!WriteListFile(m, *copyName, *source, false)) return {};
    // Read back from its own file, the copy shares nothing with the original.
    return Registered(m, *copyName, ReadViewList(m.programFolder + kFolderName + *copyName));
}

ListChange ExportViewList(ListManager& m, const Text& name) {
    const ViewListPtr list = Find(m.registry, name);
    if (!list) return {};
    platform::FileRequest request{Title(kExportTitle), ListFilters(), {},
                                  name == kDefaultListName ? Text(u"Default.ini") : name};
    const auto path = m.dialogs.SaveFileName(m.owner, request);
    if (!path) return {};
    if (!SaveViewList(*path, *list)) ShowSaveError(*path);
    return {};
}

ListChange ImportViewList(ListManager& m) {
    platform::FileRequest request{Title(kImportTitle), ListFilters(), {}, {}};
    const auto path = m.dialogs.OpenFileName(m.owner, request);
    if (!path) return {};
    // The file is read whole into a list of its own first: a broken one leaves
    // every loaded list as it was.
    if (const Text why = WhyNotAList(*path); !why.empty()) {
        ShowImportError(m, *path, why);
        return {};
    }
    const ViewListPtr list = ReadViewList(*path);
    // Windows takes "/" between folders as well as "\".
    Text name = ListFileName(FileNamePart(path->substr(path->find_last_of(u'/') + 1)));
    if (name.empty()) name = Tr(kNewListName);
    if (IsRegistered(m.registry, name) &&
        m.dialogs.Show(m.owner, Text(Tr(TextId::ListOverwrite)),
                       Title(kImportTitle), platform::BoxStyle::Question) != platform::BoxAnswer::Yes) {
        const auto other = AskNewListName(m, kImportTitle, CopyNameFor(name));
        if (!other) return {};
        name = *other;
    }
    const Text target = m.programFolder + kFolderName + name;
    // A list file of the folder imported over itself is only read again.
    if (!EqualsIgnoreCase(*path, target) && !WriteListFile(m, name, *list, true)) return {};
    return Registered(m, name, list);
}

ListChange RefreshViewLists(ListManager& m, const Text& current) {
    m.registry.KeepOnlyFirst();
    LoadFolderViewLists(m.programFolder, m.registry);
    return {true, IsRegistered(m.registry, current) ? current : Text(kDefaultListName)};
}

ListChange RunListManagement(ListManager& m, ListManagement command, const Text& current) {
    switch (command) {
        case ListManagement::New: return NewViewList(m);
        case ListManagement::Export: return ExportViewList(m, current);
        case ListManagement::Copy: return CopyViewList(m, current);
        case ListManagement::Import: return ImportViewList(m);
        case ListManagement::Refresh: return RefreshViewLists(m, current);
    }
    return {};
}

}  // namespace tbq::uimodel
