// The Japanese texts: what the program has always shown.
#include "base/texts.h"

namespace tbq {

namespace {
using enum TextId;
constexpr TextEntry kTexts[] = {
    {PageBasic, u"基本動作設定"},
    {PageTitleBar, u"タイトルバー設定"},
    {PageDrawBar, u"独自描画設定"},
    {PageView, u"表示項目設定"},
    {PageAlarm, u"アラーム設定"},
    {PageWindow, u"ウインドウ個別設定"},
    {PageInformation, u"各種情報"},
    {BasicViewDisplay, u"起動時に設定画面を表示する(&1)"},
    {BasicTaskTray, u"タスクトレイにアイコンを表示する(&2)"},
    {BasicEndCheck, u"終了時に確認する(&3)"},
    {BasicVerCheck, u"起動時にバージョンアップのチェックを行う(&4)"},
    {TitleBarTitleInfo, u"ウインドウのタイトルバーに情報を表示する(&1)"},
    {TitleBarMdiChild, u"MDI子ウインドウに情報を表示する(&2)"},
    {TitleBarFixedWindow, u"情報を表示するウインドウを固定(&3)"},
    {TitleBarUnicode, u"Unicodeに対応する(&4)"},
    {DrawBarUse, u"タイトルバーの独自描画を行う(&1)"},
    {DrawBarDelCheck, u"項目削除時に確認する(&2)"},
    {DrawBarAppCaption, u"アプリが自分で描くタイトルバーにも表示する(&3)"},
    {ViewDelCheck, u"項目削除時に確認する(&1)"},
    {ViewRefreshTiming, u"グループ項目の更新は独自のタイミング(100ms)で行う(&2)"},
    {AlarmCheck, u"アラームのチェックを行う(&1)"},
    {AlarmDelCheck, u"アラーム削除時に確認する(&2)"},
    {WindowDelCheck, u"個別設定削除時に確認する(&1)"},
    {WindowPermitOnly, u"許可したウインドウ以外は全て除外(&2)"},
    {InfoLog, u"診断ログを記録する(&L)"},
    {BasicStartupLabel, u"スタートアップ:"},
    {BasicStartupRegister, u"登録(&4)"},
    {BasicStartupUnregister, u"解除(&4)"},
    {BasicTimeSync, u"時刻合わせ(&6)"},
    {BasicLanguageLabel, u"表示言語(&5):"},
    {LanguageAuto, u"自動"},
    {LanguageJapanese, u"日本語"},
    {LanguageEnglish, u"English"},
    {BasicStartupAddQuestion, u"スタートアップの登録を行います。\r\nよろしいですか？"},
    {BasicStartupRemoveQuestion, u"スタートアップからの削除を行います。\r\nよろしいですか？"},
    {MenuFile, u"ファイル(&F)"},
    {MenuCopyShown, u"表示項目をコピー(&V)"},
    {MenuCopyAll, u"全項目をコピー(&A)"},
    {MenuCopyChosen, u"項目を選んでコピー(&C)"},
    {MenuTimeSync, u"時刻合わせ(&T)..."},
    {MenuSave, u"設定保存(&S)"},
    {MenuQuit, u"終了(&X)"},
    {MenuQuitWithoutSaving, u"設定保存せず終了(&N)"},
    {MenuHelp, u"ヘルプ(&H)"},
    {MenuHelpContents, u"ヘルプの参照(&H)"},
    {MenuReadme, u"お読み下さい(&R)"},
    {MenuAbout, u"バージョン情報(&A)"},
    {WelcomeCaptionSuffix, u" - ようこそ！"},
    {WelcomeIntro, u"Lunettaをご利用いただき、ありがとうございます。\nはじめに、どのように使い始めるかを選んで下さい。"},
    {WelcomeModeSample, u"基本設定"},
    {WelcomeModeImport, u"引き継ぎ"},
    {WelcomeModeNothing, u"何もしない"},
    {WelcomeSampleDescription, u"下で選択したサンプルを使用します。"},
    {WelcomeImportDescription, u"Lunetta Ver 2.1.xxの設定情報を読み込み、使用します。\r\n"
                               u"以下のボックスに設定ファイルのパスを選択して下さい。"},
    {WelcomeNothingDescription, u"最低限の設定のみで、タイトルバーに何も表示しません。\r\n"
                                u"この画面が閉じた後に設定画面が開きますので、\r\n"
                                u"詳細を設定して下さい。"},
    {WelcomeSampleLabel, u"サンプル(&S):"},
    {WelcomePathLabel, u"設定ファイル(&F):"},
    {WelcomeImportNote, u"※一部引き継げない機能があります。"},
    {WelcomeFound, u"設定ファイルを発見しました"},
    {WelcomeStartup, u"Lunettaをスタートアップに登録する"},
    {WelcomeBackupNote, u"※今ある {0} は、名前に「.bak」を付けて残します。"},
    {WelcomeListSeparator, u"、"},

    // The item editor and its pages, the format builder, the lists' descriptions.
    // (end of ITEM)

    // The alarm, rule and drawing editors and their dialogs.
    // (end of EDITORS)

    // The settings window's pages and dialogs, the tray, message boxes, balloons, the alarm window, network time, plug-ins.
    // (end of RUNTIME)

    // The first start's samples and the welcome window's file dialog, the count item's units.
    {SampleRefusedOutside, u"サンプルのファイル「{0}」はプログラムのフォルダの外を指しているため、サンプルをコピーしませんでした。"},
    {SampleRefusedMissing, u"サンプルのファイル「{0}」は見つからないため、サンプルをコピーしませんでした。"},
    {SampleBoxCaptionSuffix, u" - サンプル"},
    {DocsWelcomeLegacyFilter, u"Lunetta2.1x設定ファイル(Kerova.ini)"},
    {DocsWelcomeAllFiles, u"全てのファイル(*.*)"},
    {DocsWelcomeOpenTitle, u"ファイルを開く"},
    {SampleCountYears, u"{0}年"},
    {SampleCountMonths, u"{0}ヶ月"},
    {SampleCountDays, u"{0}日"},
    {SampleCountHours, u"{0}時間"},
    {SampleCountMinutes, u"{0}分"},
    {SampleCountSeconds, u"{0}秒"},
    // (end of DOCS)

};
}  // namespace

std::span<const TextEntry> JapaneseTexts() { return kTexts; }

}  // namespace tbq
