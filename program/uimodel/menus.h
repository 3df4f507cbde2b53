// The settings window's menus and buttons as data: the File menu's copy
// commands and its one-item entries, page 6's module list with its plug-in
// settings pop-up and the addresses its web and mail buttons may open, and
// page 0's start-up registration question; the tray menu and the help files.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "base/text.h"
#include "base/texts.h"
#include "items/view_list.h"

namespace tbq {
struct AppSettings;
class vbKerova_Plugin;
class PluginRegistry;
}  // namespace tbq

namespace tbq::uimodel {

// ---- File menu: copying -------------------------------------------------------------

// The copy commands: index 0 "表示項目をコピー(&V)" the enabled items, 1
// "全項目をコピー(&A)" all items. Starts a composition pass at `tickCount` and
// composes `list` (the default display list).
Text CopyListText(ViewList& list, int index, std::uint32_t tickCount);

// The list the one-item entries come from: the list being edited on the
// display-items page when it is another than the default list, else the
// default list. Null when the registry is busy.
ViewListPtr ShownList(ViewListRegistry& registry, const AppSettings& settings, int page);

struct SelectDataEntry {
    Text caption;  // "&0 : 時計 : …"; "(項目無し)" for the one entry of an empty list
    std::weak_ptr<vbKerova_ViewData> item;  // empty for "(項目無し)"
};
// The entries of mnuFile_Copy_SelectData for `list`, one per item, the
// accelerators 0-9 and A-Z in turn (again from 0 after Z).
std::vector<SelectDataEntry> SelectDataEntries(const ViewList& list);
// What choosing an entry copies: the item's text in a pass started at
// `tickCount`; nullopt when the item has gone meanwhile (or "(項目無し)").
std::optional<Text> SelectDataText(const SelectDataEntry& entry, std::uint32_t tickCount);

// ---- Page 6: modules -------------------------------------------------------------------

struct ModuleInfo {
    Text name{}, version{}, comment{}, copyright{}, web{}, mail{};
};

struct ModuleRow {
    enum class Kind : std::uint8_t { Program, Library, Plugin };
    Kind kind = Kind::Program;
    Text text;          // the line: name and version
    bool checked = true;  // a plug-in's line: whether it is loaded
    std::shared_ptr<vbKerova_Plugin> plugin;  // for Kind::Plugin
    ModuleInfo info;
};

// The program's web page and the maker's mail.
inline constexpr char16_t kMakerPage[] = u"https://lunetta.example.org";
inline constexpr char16_t kMakerMail[] = u"mailto:lunetta@example.org";
Text ProgramWebPage();  // kMakerPage + "/cgi-bin/access.cgi?soft=TBQ"

// The lines of the module list: the program, the library, then every plug-in
// of `plugins` (may be null) in registry order.
std::vector<ModuleRow> ModuleRows(const ModuleInfo& program, const ModuleInfo& library,
                                  const PluginRegistry* plugins);

// Which of the page's buttons a line enables: 0 settings, 1 information,
// 2 web site, 3 mail.
struct ModuleButtons {
    bool settings = false, information = false, web = false, mail = false;
};
ModuleButtons ButtonsFor(const ModuleRow& row);
// The information text of a line: name, "バージョン : ", "コメント : ", "著作権 : ".
Text InformationText(const ModuleRow& row);

// One entry of a plug-in's settings pop-up: a leaf names the function and
// setting handed to the plug-in's settings call; an entry with children is a
// sub-menu.
struct PluginMenuEntry {
    Text caption;
    std::int32_t funcNo = 0, settingNo = 0;
    std::vector<PluginMenuEntry> children;
};
// "プラグイン本体の設定" (0, 0) when the plug-in has settings of its own, then
// the sub-menu "プラグイン機能の設定" with every function that has settings.
// Empty when there is nothing to choose: then the plug-in's own settings
// (0, 0) are opened without a menu.
std::vector<PluginMenuEntry> PluginSettingsMenu(vbKerova_Plugin& plugin);

// ---- Addresses handed to the shell -----------------------------------------------------

// The address the web button may open: only "http://" and "https://"
// addresses (scheme in any case) without blanks or control characters.
std::optional<Text> WebTarget(TextView address);
// The address the mail button may open: "mailto:" + a plain mail address, or
// an address that already starts with "mailto:", with the same rules.
std::optional<Text> MailTarget(TextView address);
// The box shown instead of opening an address.
Text RefusedAddressText(TextView address);
// The "その他(&O)..." button's menu, in order.
enum class InfoCommand : std::uint8_t { VerCheck, RescanPlugins };
struct InfoMenuEntry {
    InfoCommand command;
    TextId caption;
};
std::span<const InfoMenuEntry> InfoMenu();
inline constexpr char16_t kRefusedAddressCaption[] = u"Lunetta";

// ---- Page 0: start-up registration -------------------------------------------------------

// "スタートアップの登録を行います。" or "スタートアップからの削除を行います。",
// CR LF, "よろしいですか？" (`registered`: the shortcut exists now).
Text StartupQuestion(bool registered);

// ---- The tray icon's menu -----------------------------------------------------------------

enum class TrayCommand : std::uint8_t {
    Separator, ShowSettings, TimeSync, VerCheck, StopSound, Save, Quit, QuitWithoutSaving
};
struct TrayEntry {
    TrayCommand command;
    TextId caption;  // unused for a separator
};
// The entries in order; the alarm sound's entry only while a sound plays.
std::vector<TrayEntry> TrayMenu(bool soundActive);

// ---- Help ---------------------------------------------------------------------------------

enum class HelpDocument : std::uint8_t { Help, Readme };
inline constexpr char16_t kHelpFile[] = u"TBQ.chm";
inline constexpr char16_t kReadmeFile[] = u"Readme.txt";
inline constexpr char16_t kHelpFileEnglish[] = u"TBQ_en.chm";
inline constexpr char16_t kReadmeFileEnglish[] = u"Readme_en.txt";
// The files beside the program to open, the first that exists: in English the
// English file, then the Japanese one should the English one be missing.
std::vector<const char16_t*> HelpFiles(HelpDocument document, Language language);

}  // namespace tbq::uimodel
