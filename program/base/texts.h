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
    // (end of RUNTIME)

    // The first start's samples and the welcome window's file dialog, the count item's units.
    SampleRefusedOutside, SampleRefusedMissing, SampleBoxCaptionSuffix,
    DocsWelcomeLegacyFilter, DocsWelcomeAllFiles, DocsWelcomeOpenTitle,
    SampleCountYears, SampleCountMonths, SampleCountDays, SampleCountHours, SampleCountMinutes, SampleCountSeconds,
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
