// Every text the user reads, by id, in one table per language: texts_ja.cpp
// and texts_en.cpp. Calendar data (era names, the sexagenary cycle, the day and
// month names of the date formats) is data, not interface, and stays with it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "base/text.h"

namespace tbq {

enum class Language : std::uint8_t { Japanese, English };

// The choice stored in the settings ("Language" in [Basic]).
enum LanguageSetting : std::int32_t { kLanguageAuto = 0, kLanguageJapanese = 1, kLanguageEnglish = 2 };

enum class TextId : std::uint16_t {
    // The settings window's pages: their titles and check boxes.
    PageBasic, PageTitleBar, PageDrawBar, PageView, PageAlarm, PageWindow, PageInformation,
    BasicViewDisplay, BasicTaskTray, BasicEndCheck, BasicVerCheck,
    TitleBarTitleInfo, TitleBarMdiChild, TitleBarFixedWindow, TitleBarUnicode,
    DrawBarUse, DrawBarDelCheck, DrawBarAppCaption,
    ViewDelCheck, ViewRefreshTiming,
    AlarmCheck, AlarmDelCheck,
    WindowDelCheck, WindowPermitOnly,
    InfoLog,
    // The basic page's own controls.
    BasicStartupLabel, BasicStartupRegister, BasicStartupUnregister, BasicTimeSync,
    BasicLanguageLabel, LanguageAuto, LanguageJapanese, LanguageEnglish,
    BasicStartupAddQuestion, BasicStartupRemoveQuestion,
    // The settings window's menu bar.
    MenuFile, MenuCopyShown, MenuCopyAll, MenuCopyChosen, MenuTimeSync, MenuSave, MenuQuit,
    MenuQuitWithoutSaving, MenuHelp, MenuHelpContents, MenuReadme, MenuAbout,
    // The welcome window of the first start.
    WelcomeCaptionSuffix, WelcomeIntro, WelcomeModeSample, WelcomeModeImport, WelcomeModeNothing,
    WelcomeSampleDescription, WelcomeImportDescription, WelcomeNothingDescription, WelcomeSampleLabel,
    WelcomePathLabel, WelcomeImportNote, WelcomeFound, WelcomeStartup, WelcomeBackupNote, WelcomeListSeparator,

    // The item editor and its pages, the format builder, the lists' descriptions.
    // (end of ITEM)

    // The alarm, rule and drawing editors and their dialogs.
    // (end of EDITORS)

    // The settings window's pages and dialogs, the tray, message boxes, balloons, the alarm window, network time, plug-ins.
    // The question box, the input box, buttons.
    MsgDontAskAgain, MsgYes, MsgNo, MsgCancel, MsgQuitCaption, MsgQuitQuestion, MsgHelpMissing, MsgNoLibrary,
    MsgCannotWrite, MsgTryAgain, MsgRetryOrCancel, MsgSaveErrorCaption, MsgUnexpected, MsgErrorCaption,
    MsgImportMissing, MsgImportCaption, MsgImportedNoTitle, MsgImportedNoMessage, MsgImportedHidden,
    MsgImportedHostStat, MsgVerCheckCaption, MsgVerCheckOffline, MsgVerCheckNewest, MsgStartupDone,
    MsgStartupFailed,
    // The tray.
    TrayShowSettings, TrayVerCheck, TrayStopSound, TrayWelcomeTitle, TrayWelcomeText,
    // The pages.
    PageFixedSet, PageIntervalLabel, PageDefaultLabel, PageListMenuName, PageListNameLabel, PageListLabel,
    PageAdd, PageEdit, PageDelete, PageUp, PageDown, PageSeconds, PageAnyInterval, PagePresetMs,
    // The information page.
    InfoModulesLabel, InfoSettings, InfoAbout, InfoWeb, InfoMail, InfoMore, InfoRescanPlugins,
    InfoProgramDescription, InfoModuleText, InfoRefusedAddress,
    // The lists.
    ListDeleteDrawBar, ListDeleteView, ListDeleteAlarm, ListDeleteWindow, ListDeleteQuestion, ListInsert,
    ListNoItems, ListNew, ListExport, ListCopy, ListImport, ListRefresh, ListNewTitle, ListCopyTitle,
    ListImportTitle, ListExportTitle, ListFilterLists, ListFilterAll, ListUnreadable, ListBadEncoding,
    ListNotAList, ListImportFailed, ListNamePrompt, ListNameNote, ListNameTaken, ListOverwrite, ListNewFileName,
    // Plug-ins.
    PluginOwnSettings, PluginFunctionSettings, PluginNotLoaded, PluginSwitchedOffTitle, PluginSwitchedOffText,
    PluginCrashedText, PluginInProcessTitle, PluginInProcessText, PluginCannotLoad, PluginCouldNotLoad,
    PluginNoFunctionName, PluginNoSettingName,
    // Network time.
    SyncCaption, SyncServerLabel, SyncUseNtp, SyncUseHttp, SyncShowDetails, SyncDetails, SyncNtpPort,
    SyncHttpPort, SyncTimeout, SyncProxy, SyncNow, SyncSystem, SyncClose, SyncSocketFailed, SyncNoAddress,
    SyncSendFailed, SyncReceiveFailed, SyncConnectFailed, SyncSetFailed, SyncNoDate, SyncDenied, SyncBadReply,
    SyncServerRefused, SyncBadServerText, SyncBadProxy, SyncBadPort, SyncNothingTicked, SyncNoServer,
    SyncBadDate, SyncServerError, SyncSucceeded, SyncRightBy, SyncRight, SyncCorrected, SyncCombined,
    // (end of RUNTIME)

    Count
};

struct TextEntry {
    TextId id;
    const char16_t* text;
};

// The tables as written, for the tests that hold them to their rules.
std::span<const TextEntry> JapaneseTexts();
std::span<const TextEntry> EnglishTexts();

// The text in the language in force (Japanese until told otherwise).
TextView Tr(TextId id);
// The same with "{0}" replaced by `value`.
Text Tr(TextId id, TextView value);
TextView TrIn(Language language, TextId id);
Language CurrentLanguage();
// The id whose Japanese text this is: a dialog template is written in
// Japanese, and each of its texts is shown in the language in force by it.
// Texts that share a Japanese text share their English one too.
std::optional<TextId> JapaneseTextId(TextView japanese);
void SetLanguage(Language language);

// The language a setting gives: automatic is Japanese when the user's
// interface language (a Windows language id) is Japanese, English otherwise.
Language ChooseLanguage(std::int32_t setting, std::uint16_t uiLanguage);

}  // namespace tbq
