// The English texts, for users whose Windows is not Japanese.
#include "base/texts.h"

namespace tbq {

namespace {
using enum TextId;
constexpr TextEntry kTexts[] = {
    {PageBasic, u"General"},
    {PageTitleBar, u"Title bar"},
    {PageDrawBar, u"Painting"},
    {PageView, u"Display items"},
    {PageAlarm, u"Alarms"},
    {PageWindow, u"Window rules"},
    {PageInformation, u"Information"},
    {BasicViewDisplay, u"&Show the settings window at start-up"},
    {BasicTaskTray, u"Show an &icon in the notification area"},
    {BasicEndCheck, u"As&k before quitting"},
    {BasicVerCheck, u"Check for a &newer version at start-up"},
    {TitleBarTitleInfo, u"&Show information in title bars"},
    {TitleBarMdiChild, u"Show in &MDI child windows"},
    {TitleBarFixedWindow, u"Show in one fi&xed window"},
    {TitleBarUnicode, u"Support &Unicode"},
    {DrawBarUse, u"&Paint over title bars"},
    {DrawBarDelCheck, u"&Confirm deletions"},
    {DrawBarAppCaption, u"Also show in title &bars that programs draw themselves"},
    {ViewDelCheck, u"&Confirm deletions"},
    {ViewRefreshTiming, u"Update &groups on their own timing (100 ms)"},
    {AlarmCheck, u"Chec&k alarms"},
    {AlarmDelCheck, u"&Confirm deletions"},
    {WindowDelCheck, u"&Confirm deletions"},
    {WindowPermitOnly, u"E&xclude every window not permitted"},
    {InfoLog, u"Keep a diagnostic &log"},
    {BasicStartupLabel, u"Start-up:"},
    {BasicStartupRegister, u"&Register"},
    {BasicStartupUnregister, u"&Unregister"},
    {BasicTimeSync, u"Set the c&lock..."},
    {BasicLanguageLabel, u"Lan&guage:"},
    {LanguageAuto, u"Automatic"},
    {LanguageJapanese, u"日本語"},
    {LanguageEnglish, u"English"},
    {BasicStartupAddQuestion, u"Lunetta will start with Windows from now on.\r\nDo you want to continue?"},
    {BasicStartupRemoveQuestion, u"Lunetta will no longer start with Windows.\r\nDo you want to continue?"},
    {MenuFile, u"&File"},
    {MenuCopyShown, u"Copy the &visible items"},
    {MenuCopyAll, u"Copy &all items"},
    {MenuCopyChosen, u"&Copy one item"},
    {MenuTimeSync, u"Set the &time..."},
    {MenuSave, u"&Save settings"},
    {MenuQuit, u"E&xit"},
    {MenuQuitWithoutSaving, u"Exit &without saving"},
    {MenuHelp, u"&Help"},
    {MenuHelpContents, u"&Help contents"},
    {MenuReadme, u"&Read me"},
    {MenuAbout, u"&About Lunetta"},
    {WelcomeCaptionSuffix, u" - Welcome!"},
    {WelcomeIntro, u"Thank you for using Lunetta.\nFirst, choose how you would like to begin."},
    {WelcomeModeSample, u"Use a sample"},
    {WelcomeModeImport, u"Take over"},
    {WelcomeModeNothing, u"Start empty"},
    {WelcomeSampleDescription, u"Uses the sample chosen below."},
    {WelcomeImportDescription, u"Reads and uses the settings of Lunetta version 2.1.xx.\r\n"
                               u"Choose the path of its settings file in the box below."},
    {WelcomeNothingDescription, u"Only the least settings: nothing is shown in title bars.\r\n"
                                u"The settings window opens when this window closes,\r\n"
                                u"so that you can set up the rest."},
    {WelcomeSampleLabel, u"&Sample:"},
    {WelcomePathLabel, u"Settings &file:"},
    {WelcomeImportNote, u"Some features cannot be taken over."},
    {WelcomeFound, u"A settings file was found."},
    {WelcomeStartup, u"Start Lunetta with &Windows"},
    {WelcomeBackupNote, u"The present {0} will be kept with \".bak\" added to the name."},
    {WelcomeListSeparator, u", "},

    // The item editor and its pages, the format builder, the lists' descriptions.
    // (end of ITEM)

    // The alarm, rule and drawing editors and their dialogs.
    // (end of EDITORS)

    // The settings window's pages and dialogs, the tray, message boxes, balloons, the alarm window, network time, plug-ins.
    // (end of RUNTIME)

    // The first start's samples and the welcome window's file dialog, the count item's units.
    {SampleRefusedOutside, u"The sample file \"{0}\" points outside the program folder, so the sample was not copied."},
    {SampleRefusedMissing, u"The sample file \"{0}\" was not found, so the sample was not copied."},
    {SampleBoxCaptionSuffix, u" - Sample"},
    {DocsWelcomeLegacyFilter, u"Lunetta 2.1x settings file (Kerova.ini)"},
    {DocsWelcomeAllFiles, u"All files (*.*)"},
    {DocsWelcomeOpenTitle, u"Open"},
    // A blank after each unit; the count drops the last one.
    {SampleCountYears, u"{0}y "},
    {SampleCountMonths, u"{0}mo "},
    {SampleCountDays, u"{0}d "},
    {SampleCountHours, u"{0}h "},
    {SampleCountMinutes, u"{0}m "},
    {SampleCountSeconds, u"{0}s"},
    // (end of DOCS)

};
}  // namespace

std::span<const TextEntry> EnglishTexts() { return kTexts; }

}  // namespace tbq
