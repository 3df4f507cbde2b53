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
    // (end of EDITORS)

    // The settings window's pages and dialogs, the tray, message boxes, balloons, the alarm window, network time, plug-ins.
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
