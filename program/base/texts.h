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
    // The item editor's window and its pages.
    ItemCategoryLabel, ItemColourLabel, ItemCancel, ItemEditCaption, ItemAddCaption, ItemColourTip,
    ItemOkTip, ItemCancelTip, ItemZoneLabel, ItemClockFormatLabel, ItemExtended, ItemSummerTime,
    ItemOffsetLabel, ItemAutoSummerTime, ItemChooseFormatName, ItemSetOffsetName, ItemTextLabel,
    ItemRangeLabel, ItemHalfLabel, ItemLengthLabel, ItemDelimiterLabel, ItemByBytes, ItemDirectionLabel,
    ItemTargetLabel, ItemUnitsLabel, ItemSetTargetName, ItemCurrentUnits, ItemGroupModeLabel,
    ItemGroupRangeLabel, ItemTimingLabel, ItemSwitchTimeLabel, ItemStepLabel, ItemMaxLengthLabel,
    ItemScrollBytes, ItemCheckLength, ItemAlarmStyleLabel, ItemAlarmTypeLabel, ItemAlarmListLabel,
    ItemPluginLabel, ItemFunctionLabel, ItemSettingLabel, ItemPluginSettings,
    // The choice lists of the pages.
    ItemKindTitle, ItemKindClock, ItemKindAlarm, ItemKindFixed, ItemKindCount, ItemKindPlugin,
    ItemKindGroup, ItemRangeWhole, ItemRangeByCount, ItemRangeByDelimiter, ItemHalfFront, ItemHalfBack,
    ItemCountDown, ItemCountUp, ItemGroupShowAll, ItemGroupSwitch, ItemGroupScroll, ItemGroupFirstValid,
    ItemAlarmShowTarget, ItemAlarmShowMessage, ItemAlarmTargetTitle, ItemAlarmTargetMessage,
    ItemAlarmTitleMessage, ItemAlarmEverything, ItemAlarmFirst, ItemAlarmEvery, ItemAlarmNamedOnly,
    // What the editor refuses on OK.
    ItemBadLength, ItemNoTarget, ItemBadRange, ItemBadTiming, ItemBadStep, ItemNoAlarms,
    ItemPluginNotLoaded,
    // The lines at the top of the editor that explain the kind and its choices.
    ItemAboutClock, ItemAboutClockChoices, ItemAboutClockExtended, ItemAboutClockOffset, ItemAboutFixed,
    ItemAboutTitle, ItemAboutTitleChars, ItemAboutTitleBytes, ItemAboutTitleDelimiter,
    ItemAboutTitleSearch, ItemAboutTitleWhole, ItemAboutCountUp, ItemAboutCountUpFuture,
    ItemAboutCountDown, ItemAboutCountDownPast, ItemAboutCountTarget, ItemAboutCountUnits,
    ItemAboutGroup, ItemAboutGroupRange, ItemAboutGroupSwitch, ItemAboutGroupScroll, ItemAboutGroupFirst,
    ItemAboutGroupAll, ItemAboutGroupTenths, ItemAboutGroupTiming, ItemAboutGroupStep, ItemAboutAlarm,
    ItemAboutAlarmAll, ItemAboutAlarmNamed, ItemAboutAlarmSameName, ItemAboutAlarmFirst, ItemAboutPlugin,
    // The format builder.
    ItemFbCaption, ItemFbFormatLabel, ItemFbExtended, ItemFbSimple, ItemFbDetail, ItemFbPartsLabel,
    ItemFbAdd, ItemFbReplace, ItemFbClear, ItemFbDefault, ItemFbFormatTip, ItemFbExtendedTip,
    ItemFbSimpleTip, ItemFbDetailTip, ItemFbHelpTip, ItemFbSample, ItemCodeExtendedStart,
    ItemCodeExtendedEnd, ItemCodeTimeSeparator, ItemCodeDateSeparator, ItemCodeC, ItemCodeD, ItemCodeDD,
    ItemCodeDDD, ItemCodeAAA, ItemCodeDDDD, ItemCodeAAAA, ItemCodeShortDate, ItemCodeLongDate, ItemCodeW,
    ItemCodeWW, ItemCodeM, ItemCodeMM, ItemCodeMMM, ItemCodeMMMM, ItemCodeQ, ItemCodeG, ItemCodeGG,
    ItemCodeGGG, ItemCodeE, ItemCodeEE, ItemCodeY, ItemCodeYY, ItemCodeYYYY, ItemCodeH, ItemCodeHH,
    ItemCodeN, ItemCodeNN, ItemCodeS, ItemCodeSS, ItemCodeTime, ItemCodeAmPm, ItemCodeAmPmLower,
    ItemCodeAP, ItemCodeAPLower, ItemCodeAmPmRegional,
    // The date dialog's fields: markers and warnings; an offset's text.
    ItemThisYear, ItemNextYear, ItemLastYear, ItemThisMonth, ItemNextMonth, ItemLastMonth, ItemToday,
    ItemTomorrow, ItemYesterday, ItemPresent, ItemNow, ItemNext, ItemPrevious, ItemEvery, ItemWeekdays,
    ItemBadYear, ItemBadMonth, ItemBadDay, ItemBadHour, ItemBadMinute, ItemBadSecond, ItemNoWeekday,
    ItemNoOffset,
    // Amounts with their units, as counts, durations and offsets write them. The English units start with
    // the space that stands between two amounts; the first amount drops it.
    ItemYearsAmount, ItemMonthsAmount, ItemDaysAmount, ItemHoursAmount, ItemMinutesAmount,
    ItemSecondsAmount, ItemAnyInterval,
    // The one-line descriptions of the lists' lines.
    ItemLineAutoSummerTime, ItemLineSummerTime, ItemLineExtended, ItemLineOffset, ItemLineFirstChars,
    ItemLineFirstBytes, ItemLineLastChars, ItemLineLastBytes, ItemLineAfter, ItemLineBefore,
    ItemLineNothing, ItemUnitYears, ItemUnitMonths, ItemUnitDays, ItemUnitHours, ItemUnitMinutes,
    ItemUnitSeconds, ItemLineFrom, ItemLineUntil, ItemLineItems, ItemLineMaxChars, ItemLineMaxBytes,
    ItemLineEveryAlarm, ItemLineNamedAlarm, ItemLineFirstAlarm, ItemLineNone, ItemLineEnabled,
    ItemLineDisabled,
    // Managing the display lists.
    ItemListNew, ItemListExport, ItemListCopy, ItemListImport, ItemListRefresh, ItemListNewTitle,
    ItemListCopyTitle, ItemListImportTitle, ItemListExportTitle, ItemListFilter, ItemAllFiles,
    ItemListUnreadable, ItemListEncoding, ItemListNotAList, ItemListImportError, ItemListNamePrompt,
    ItemListNameNote, ItemListNameTaken, ItemListOverwrite, ItemNewListName,
    // (end of ITEM)

    // The alarm, rule and drawing editors and their dialogs.
    // The alarm editor.
    AlarmEditCaption, AlarmAddCaption, AlarmNameLabel, AlarmMessageLabel, AlarmDateLabel, AlarmDurationLabel,
    AlarmHoursLabel, AlarmMinutesLabel, AlarmSecondsLabel, AlarmShowMessage, AlarmMessageText, AlarmPlaySound,
    AlarmPreload, AlarmOpenFile, AlarmAutoDelete, AlarmFlash, AlarmSoundLabel, AlarmPlay, AlarmFileLabel,
    AlarmCancel, AlarmDateButtonName, AlarmSoundMenuName, AlarmFileMenuName, AlarmOpenSoundFile, AlarmDetails,
    AlarmChooseFile, AlarmOpenWebsite, AlarmSoundFileTitle, AlarmWaveFilter, AlarmMidiFilter, AlarmPlayableFilter,
    AlarmAllFilesFilter, AlarmFileTitle, AlarmProgramFilter, AlarmTextFilter, AlarmShortcutTitle,
    AlarmShortcutFilter, AlarmShortcutNoAddress, AlarmHoursRefused, AlarmMinutesRefused, AlarmSecondsRefused,
    AlarmNameMissing, AlarmMessageMissing, AlarmDateMissing, AlarmTrialFailed,
    // The date dialog.
    AlarmDateCaption, AlarmYearLabel, AlarmMonthLabel, AlarmDayLabel, AlarmHourLabel, AlarmMinuteLabel,
    AlarmSecondLabel, AlarmSunday, AlarmMonday, AlarmTuesday, AlarmWednesday, AlarmThursday, AlarmFriday,
    AlarmSaturday, AlarmCopyLabel, AlarmCopyButton,
    // The detail dialogs.
    AlarmSoundDetailCaption, AlarmFileDetailCaption, AlarmRepeat, AlarmIntervalLabel, AlarmActionLabel,
    AlarmCommandLineLabel, AlarmFolderLabel, AlarmFolderMenuName, AlarmFolderFromFile, AlarmFolderChoose,
    AlarmFolderTitle,
    // The alarm's summary in its message window, and the system's sounds.
    AlarmSummaryTarget, AlarmSummaryDuration, AlarmSummaryZeroSeconds, AlarmSummaryMessageBox, AlarmSummaryShown,
    AlarmSummaryWithMessage, AlarmSummaryNotShown, AlarmSummaryFlash, AlarmSummaryYes, AlarmSummaryNo,
    AlarmSummarySound, AlarmSummaryNoSoundFile, AlarmSummaryRepeat, AlarmSummaryNoSound, AlarmSummaryFile,
    AlarmSummaryNoFile, AlarmSummaryNotOpened, AlarmSummaryAutoDelete, AlarmSoundDefault, AlarmSoundError,
    AlarmSoundQuestion, AlarmSoundWarning, AlarmSoundInformation, AlarmSoundBeep,
    // The window rule editor.
    RuleEditCaption, RuleAddCaption, RuleNameLabel, RuleActionLabel, RuleMdiLabel, RuleViewData, RuleDrawBar,
    RuleConditionsLabel, RuleConditionsButton, RuleExclude, RulePermit, RuleMdiFollow, RuleMdiOff, RuleMdiOn,
    RuleNoDrawBar, RuleActionTip, RuleConditionsTip, RuleOkTip, RuleCancelTip, RuleNameMissing,
    // The rule's conditions, one a line in the editor.
    RuleLineHandle, RuleLineTitle, RuleLineClass, RuleLineStyle, RuleLineExStyle, RuleLineFile, RuleLineWidth,
    RuleLineContains, RuleLineLacks, RuleLineEquals, RuleLineTitlePart, RuleLineTitleEqual, RuleLineMatchCase,
    RuleLineFileName, RuleLineFilePath, RuleLineFullPath, RuleLineWider, RuleLineNarrower, RuleLineNone,
    // The window information dialog.
    RuleConditionsCaption, RuleHandle, RuleTitle, RuleContains, RuleEquals, RuleLacks, RuleMatchCase, RuleClass,
    RuleStyle, RuleExStyle, RuleFile, RuleFileName, RuleFilePath, RuleFullPath, RuleWidth, RuleWider, RuleNarrower,
    RuleHandleNote, RuleTargetText, RuleHistory, RuleAllWindows, RuleTargetTip, RuleListTip, RuleStyleTip,
    RuleExStyleTip, RuleStyleButtonName, RuleExStyleButtonName, RuleWidthPixels, RuleWidthCharacters, RuleHandleJunk,
    RuleStyleJunk, RuleExStyleJunk, RuleStyleZero, RuleExStyleZero, RuleNoCondition, RuleHandleInvalid,
    RuleHandleOwn, RuleTitleMissing, RuleClassMissing, RuleFileMissing,
    // A rule's line in the list of rules.
    RuleSummaryExclude, RuleSummaryPermit, RuleSummaryFixed, RuleSummaryNone, RuleSummaryPart,
    RuleSummaryNoCondition, RuleSummaryViewData, RuleSummaryDrawBar,
    // The style dialog.
    StyleWindowCaption, StyleExCaption, StyleListLabel, StyleOtherLabel, StyleTotalLabel, StyleOtherTip,
    StyleTotalTip, StyleOtherJunk,
    // The painting editor.
    DrawEditCaption, DrawAddCaption, DrawKindLabel, DrawTransparencyLabel, DrawTransparencyButton,
    DrawTitleModeLabel, DrawNoFlicker, DrawCaptionCheck, DrawWindowKindLabel, DrawWindowKindAfter, DrawAreaGroup,
    DrawRectModeLabel, DrawBorderLine, DrawLeft, DrawRight, DrawTop, DrawBottom, DrawBackColour, DrawLineColour,
    DrawFontGroup, DrawFontName, DrawFontHeight, DrawFontWidth, DrawFontWeight, DrawDecorated, DrawItalic,
    DrawUnderline, DrawStrikeOut, DrawShadow, DrawOutline, DrawEffectColour, DrawPreviewName, DrawDirect, DrawPseudo,
    DrawTitleKeep, DrawTitleSame, DrawTitleClear, DrawNormalWindow, DrawToolWindow, DrawRectAuto, DrawRectTop,
    DrawRectBottom, DrawSystemDefault, DrawSystemFont, DrawStandardSize, DrawWeight0, DrawWeight100, DrawWeight200,
    DrawWeight300, DrawWeight400, DrawWeight500, DrawWeight600, DrawWeight700, DrawWeight800, DrawWeight900,
    DrawWeight1000, DrawAdjustHeading, DrawAdjustHint, DrawAdjustLeft, DrawAdjustRight, DrawAdjustTop,
    DrawAdjustBottom, DrawRectHeading, DrawRectTopHint, DrawRectBottomHint, DrawRectLeftTip, DrawRectRightTip,
    DrawRectTopFromTop, DrawRectBottomFromTop, DrawRectTopFromBottom, DrawRectBottomFromBottom,
    // The transparency dialog.
    DrawTransparencyCaption, DrawTransparencyNormal, DrawTransparencyMouseOver, DrawTransparencyLimits,
    // The colour menu.
    DrawBlack, DrawNavy, DrawGreen, DrawTeal, DrawMaroon, DrawPurple, DrawOlive, DrawGrey, DrawSilver, DrawRed,
    DrawLime, DrawYellow, DrawBlue, DrawFuchsia, DrawAqua, DrawWhite, DrawSysScrollBar, DrawSysDesktop,
    DrawSysActiveCaption, DrawSysInactiveCaption, DrawSysMenu, DrawSysWindow, DrawSysWindowFrame, DrawSysMenuText,
    DrawSysWindowText, DrawSysCaptionText, DrawSysActiveBorder, DrawSysInactiveBorder, DrawSysAppWorkspace,
    DrawSysHighlight, DrawSysHighlightText, DrawSysButtonFace, DrawSysButtonShadow, DrawSysGrayText,
    DrawSysButtonText, DrawSysInactiveCaptionText, DrawSysButtonHighlight, DrawSystemColours, DrawInherit,
    DrawCustom,
    RuleFixedTitle,
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
    PageAdd, PageEdit, PageDelete, PageUp, PageDown, // The information page.
    InfoModulesLabel, InfoSettings, InfoAbout, InfoWeb, InfoMail, InfoMore, InfoRescanPlugins,
    InfoProgramDescription, InfoModuleText, InfoRefusedAddress,
    // The lists.
    ListDeleteDrawBar, ListDeleteView, ListDeleteAlarm, ListDeleteWindow, ListDeleteQuestion, ListInsert,
    ListNoItems, // Plug-ins.
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

    // The first start's samples and the welcome window's file dialog, the count item's units.
    SampleRefusedOutside, SampleRefusedMissing, SampleBoxCaptionSuffix,
    DocsWelcomeLegacyFilter, DocsWelcomeAllFiles, DocsWelcomeOpenTitle,
    // (end of DOCS)

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
