#include "uimodel/menus.h"

#include <algorithm>

#include "app/app_state.h"
#include "base/text_fill.h"
#include "plugin/plugin_registry.h"
#include "uimodel/descriptions.h"
#include "uimodel/page_bindings.h"

namespace tbq::uimodel {

namespace {

constexpr char16_t kAccelerators[] = u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
// A plug-in may report any count; a menu longer than this is of no use.
constexpr std::int32_t kMaxMenuEntries = 256;

// A text a plug-in gave, as a menu caption: its "&" is no accelerator.
Text MenuText(TextView s) {
    Text out;
    for (char16_t c : s) {
        out += c;
        if (c == u'&') out += u'&';
    }
    return out;
}

bool StartsWithIgnoreCase(TextView s, TextView prefix) {
    return s.size() >= prefix.size() && EqualsIgnoreCase(s.substr(0, prefix.size()), prefix);
}

bool IsBlankOrControl(char16_t c) {
    return c <= 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0x3000 || c == 0xFEFF ||
           (c >= 0x2000 && c <= 0x200F) || (c >= 0x2028 && c <= 0x202F);
}

TextView Trimmed(TextView s) {
    while (!s.empty() && (s.front() == u' ' || s.front() == u'\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == u' ' || s.back() == u'\t')) s.remove_suffix(1);
    return s;
}

bool Clean(TextView s) { return std::none_of(s.begin(), s.end(), IsBlankOrControl); }

Text WithVersion(const Text& name, const Text& version) {
    return version.empty() ? name : name + u" " + version;
}

}  // namespace

// ---- File menu -----------------------------------------------------------------------

Text CopyListText(ViewList& list, int index, std::uint32_t tickCount) {
    CompositionStamp() = tickCount;
    return ComposeListText(list, index == 1);
}

ViewListPtr ShownList(ViewListRegistry& registry, const AppSettings& settings, int page) {
    const bool editing = page == static_cast<int>(Page::View);
    return registry.GetViewList(editing ? settings.EditDataName : settings.DefaultViewData, true);
}

std::vector<SelectDataEntry> SelectDataEntries(const ViewList& list) {
    std::vector<SelectDataEntry> entries;
    if (list.empty()) {
        entries.push_back({Text(Tr(TextId::ListNoItems)), {}});
        return entries;
    }
    constexpr std::size_t kCount = std::size(kAccelerators) - 1;
    for (std::size_t i = 0; i < list.size(); ++i) {
        // Built by appending: GCC 12 at -O3 takes a chain of + for overlapping copies.
        Text caption = u"&";
        caption += kAccelerators[i % kCount];
        caption += u" : ";
        caption += MenuText(Description(*list[i]));
        entries.push_back({std::move(caption), list[i]});
    }
    return entries;
}

std::optional<Text> SelectDataText(const SelectDataEntry& entry, std::uint32_t tickCount) {
    const auto item = entry.item.lock();
    if (!item) return std::nullopt;
    CompositionStamp() = tickCount;
    return item->TextData();
}

// ---- Page 6 -----------------------------------------------------------------------------

Text ProgramWebPage() { return Text(kMakerPage) + u"/cgi-bin/access.cgi?soft=TBQ"; }

std::vector<ModuleRow> ModuleRows(const ModuleInfo& program, const ModuleInfo& library,
                                  const PluginRegistry* plugins) {
    std::vector<ModuleRow> rows;
    for (auto [kind, info] : {std::pair{ModuleRow::Kind::Program, program},
                              std::pair{ModuleRow::Kind::Library, library}}) {
        ModuleRow row{kind, WithVersion(info.name, info.version), true, nullptr, info};
        // Both are ours: the maker's page and address.
        row.info.web = ProgramWebPage();
        row.info.mail = kMakerMail;
        rows.push_back(std::move(row));
    }
    if (!plugins) return rows;
    for (const auto& p : plugins->Plugins()) {
        ModuleInfo info{p->PluginInfoStr(0), p->PluginInfoStr(1), p->PluginInfoStr(2),
                        p->PluginInfoStr(3), p->PluginInfoStr(4), p->PluginInfoStr(5)};
        rows.push_back({ModuleRow::Kind::Plugin, WithVersion(info.name, info.version), p->Enable(), p,
                        info});
    }
    return rows;
}

ModuleButtons ButtonsFor(const ModuleRow& row) {
    ModuleButtons b;
    b.web = !row.info.web.empty();
    b.mail = !row.info.mail.empty();
    if (row.kind != ModuleRow::Kind::Plugin) {
        b.information = true;
        return b;
    }
    const vbKerova_Plugin* p = row.plugin.get();
    if (!p || !p->Enable()) return b;
    b.information = p->PluginIsFlag(2);
    b.settings = p->PluginIsFlag(1);
    for (std::int32_t f = 1; f <= p->FuncNum() && !b.settings; ++f)
        b.settings = !p->PluginFuncIsFlag(f, 2);
    return b;
}

Text InformationText(const ModuleRow& row) {
    return Filled(Tr(TextId::InfoModuleText), {row.info.name, row.info.version, row.info.comment, row.info.copyright});
}

std::vector<PluginMenuEntry> PluginSettingsMenu(vbKerova_Plugin& plugin) {
    std::vector<PluginMenuEntry> menu;
    if (!plugin.Enable()) return menu;
    if (plugin.PluginIsFlag(1)) menu.push_back({Text(Tr(TextId::PluginOwnSettings)), 0, 0, {}});
    PluginMenuEntry functions{Text(Tr(TextId::PluginFunctionSettings)), 0, 0, {}};
    const std::int32_t funcs = std::min(plugin.FuncNum(), kMaxMenuEntries);
    for (std::int32_t f = 1; f <= funcs; ++f) {
        if (plugin.PluginFuncIsFlag(f, 2)) continue;  // no settings
        PluginMenuEntry entry{MenuText(plugin.PluginFuncInfoStr(f, 0)), f, 0, {}};
        const std::int32_t settings = std::min(plugin.FuncSettingNum(f), kMaxMenuEntries);
        if (settings == 1) entry.settingNo = 1;
        for (std::int32_t s = 1; settings > 1 && s <= settings; ++s)
            entry.children.push_back({MenuText(plugin.PluginFuncSettingName(f, s)), f, s, {}});
        functions.children.push_back(std::move(entry));
    }
    if (!functions.children.empty()) menu.push_back(std::move(functions));
    return menu;
}

// ---- Addresses ------------------------------------------------------------------------------

std::optional<Text> WebTarget(TextView address) {
    const TextView a = Trimmed(address);
    for (TextView scheme : {TextView(u"http://"), TextView(u"https://")})
        if (StartsWithIgnoreCase(a, scheme) && a.size() > scheme.size() && Clean(a))
            return Text(a);
    return std::nullopt;
}

std::optional<Text> MailTarget(TextView address) {
    TextView a = Trimmed(address);
    constexpr TextView kScheme = u"mailto:";
    if (StartsWithIgnoreCase(a, kScheme)) a.remove_prefix(kScheme.size());
    const TextView mailbox = a.substr(0, a.find(u'?'));
    if (mailbox.find(u'@') == TextView::npos || !Clean(a)) return std::nullopt;
    return Text(kScheme) + Text(a);
}

Text RefusedAddressText(TextView address) { return Tr(TextId::InfoRefusedAddress, address); }

std::span<const InfoMenuEntry> InfoMenu() {
    static constexpr InfoMenuEntry kMenu[] = {{InfoCommand::VerCheck, TextId::TrayVerCheck},
                                              {InfoCommand::RescanPlugins, TextId::InfoRescanPlugins}};
    return kMenu;
}

// ---- Page 0 -------------------------------------------------------------------------------------

Text StartupQuestion(bool registered) {
    return Text(Tr(registered ? TextId::BasicStartupRemoveQuestion : TextId::BasicStartupAddQuestion));
}

// ---- The tray icon's menu ------------------------------------------------------------------------

std::vector<TrayEntry> TrayMenu(bool soundActive) {
    using enum TrayCommand;
    std::vector<TrayEntry> menu{{ShowSettings, TextId::TrayShowSettings},
                                {TimeSync, TextId::MenuTimeSync},
                                {VerCheck, TextId::TrayVerCheck}};
    if (soundActive) menu.push_back({StopSound, TextId::TrayStopSound});
    menu.insert(menu.end(), {{Separator, {}},
                             {Save, TextId::MenuSave},
                             {Separator, {}},
                             {Quit, TextId::MenuQuit},
                             {QuitWithoutSaving, TextId::MenuQuitWithoutSaving}});
    return menu;
}

// ---- Help -----------------------------------------------------------------------------------------

std::vector<const char16_t*> HelpFiles(HelpDocument document, Language language) {
    const bool help = document == HelpDocument::Help;
    std::vector<const char16_t*> files;
    if (language == Language::English) files.push_back(help ? kHelpFileEnglish : kReadmeFileEnglish);
    files.push_back(help ? kHelpFile : kReadmeFile);
    return files;
}

}  // namespace tbq::uimodel
