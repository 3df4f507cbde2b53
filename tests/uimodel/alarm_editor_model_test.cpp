#include "uimodel/alarm_editor_model.h"

#include <gtest/gtest.h>

#include <functional>

#include "fakes/fake_alarm_ports.h"
#include "fakes/temp_folder.h"
#include "platform/ports.h"

namespace tbq::uimodel {
namespace {

AlarmDraft Filled() {
    AlarmDraft d = DraftOf(nullptr);
    d.name = u"起床";
    d.message = u"朝です";
    d.target = DateFields{-1, 255, 127, 7, 30, 0};
    return d;
}

// OK refuses the first wrong value, in the order of the fields.
TEST(AlarmEditorModel, RefusalsInOrder) {
    struct Case {
        std::function<void(AlarmDraft&)> change;
        std::optional<DraftField> field;
        const char16_t* message;
    } cases[] = {
        {[](AlarmDraft&) {}, std::nullopt, u""},
        {[](AlarmDraft& d) { d.name.clear(); d.message.clear(); }, DraftField::Name, u"アラーム名を入力して下さい"},
        {[](AlarmDraft& d) { d.message.clear(); d.hours = u"x"; }, DraftField::Message, u"メッセージを入力して下さい"},
        {[](AlarmDraft& d) { d.target.reset(); }, DraftField::Date, u"対象日時を指定して下さい"},
        // The alarm keeps the hours in a byte: 255 is the most it holds.
        {[](AlarmDraft& d) { d.hours = u"255"; d.minutes = u"59"; d.seconds = u"59"; }, std::nullopt, u""},
        {[](AlarmDraft& d) { d.hours = u"２５５"; }, std::nullopt, u""},
        {[](AlarmDraft& d) { d.hours = u"256"; }, DraftField::Hours, u"対象時間が不正です。\r\n時間は0～255まで指定できます。"},
        {[](AlarmDraft& d) { d.hours = u"9999"; }, DraftField::Hours, u"対象時間が不正です。\r\n時間は0～255まで指定できます。"},
        {[](AlarmDraft& d) { d.hours = u"-1"; }, DraftField::Hours, u"対象時間が不正です。\r\n時間は0～255まで指定できます。"},
        {[](AlarmDraft& d) { d.hours = u"一"; }, DraftField::Hours, u"対象時間が不正です。\r\n時間は0～255まで指定できます。"},
        {[](AlarmDraft& d) { d.minutes = u"60"; d.seconds = u"60"; }, DraftField::Minutes, u"対象時間が不正です。\r\n分は0～59まで指定できます。"},
        {[](AlarmDraft& d) { d.minutes = u""; }, DraftField::Minutes, u"対象時間が不正です。\r\n分は0～59まで指定できます。"},
        {[](AlarmDraft& d) { d.seconds = u"5s"; }, DraftField::Seconds, u"対象時間が不正です。\r\n秒は0～59まで指定できます。"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        AlarmDraft d = Filled();
        cases[i].change(d);
        const auto problem = CheckDraft(d);
        ASSERT_EQ(problem.has_value(), cases[i].field.has_value()) << i;
        if (!problem) continue;
        EXPECT_EQ(problem->field, *cases[i].field) << i;
        EXPECT_EQ(problem->message, cases[i].message) << i;
    }
}

// An alarm opened in the editor and saved unchanged comes back the same,
// repetition included; a new one starts empty, with five minutes' interval.
TEST(AlarmEditorModel, EditedAlarmKeepsEveryField) {
    std::vector<std::string> log;
    test::FakeSound sound(log);
    platform::Ports ports;
    ports.sound = &sound;
    platform::ScopedPorts scope(ports);

    const AlarmDraft fresh = DraftOf(nullptr);
    EXPECT_EQ(DraftDateText(fresh), u"");
    EXPECT_EQ(fresh.soundInterval, 300);
    EXPECT_FALSE(fresh.repeat);

    vbKerova_Alarm a;
    a.AlarmName = u"会議";
    a.AlarmText = u"三階";
    a.TargetYear = -1;
    a.TargetMonth = 255;
    a.TargetDay = 128 | 2 | 32;
    a.TargetHour = 9;
    a.TargetMinute = 0;
    a.TargetSecond = 0;
    a.MessageHour = 1;
    a.MessageMinute = 2;
    a.MessageSecond = 3;
    a.Flag = 2 | 8 | 16 | 128;
    a.SetSoundFileName(u"*48");
    a.SoundInterval = 45;
    a.FileOpenName = u"C:\\a.exe";
    a.FileAction = u"open";
    a.FileCommandLine = u"/x";
    a.FileDirectory = u"C:\\";
    const AlarmDraft d = DraftOf(&a);
    EXPECT_EQ(DraftDateText(d), u"Now/Now/Mon,Fri 9:0:0");
    EXPECT_EQ(d.options, 2 | 8 | 16);
    EXPECT_TRUE(d.repeat);
    ASSERT_FALSE(CheckDraft(d));
    const auto b = BuildAlarm(d);
    EXPECT_EQ(b->AlarmName, a.AlarmName);
    EXPECT_EQ(b->AlarmText, a.AlarmText);
    EXPECT_EQ(AlarmTargetText(*b, false), AlarmTargetText(a, false));
    EXPECT_EQ(b->TargetDay, 162);
    EXPECT_EQ(b->MessageHour * 3600 + b->MessageMinute * 60 + b->MessageSecond, 3723);
    EXPECT_EQ(b->Flag, a.Flag);
    EXPECT_EQ(b->SoundFileName(), u"*48");
    EXPECT_EQ(b->SoundInterval, 45);
    EXPECT_EQ(b->FileOpenName + b->FileAction + b->FileCommandLine + b->FileDirectory, u"C:\\a.exeopen/xC:\\");
    EXPECT_TRUE(b->Enable());
}

// The trial sound: stop, close, open, play under the editor's alias; a file
// that cannot be opened is reported and leaves nothing open; a second press
// ends the first sound; the last one ends with the editor.
TEST(AlarmEditorModel, SoundTrialNeverLeavesItsAliasOpen) {
    std::vector<std::string> log;
    test::FakeSound sound(log);
    sound.missing.insert("C:\\gone.wav");
    platform::Ports ports;
    ports.sound = &sound;
    platform::ScopedPorts scope(ports);
    {
        SoundTrial trial;
        EXPECT_TRUE(trial.Play(u"C:\\bell.wav"));
        EXPECT_TRUE(trial.Play(u"*48"));
        EXPECT_FALSE(trial.Play(u"C:\\gone.wav"));
        EXPECT_TRUE(trial.Play(u"C:\\bell.wav"));
    }
    const std::vector<std::string> expected = {
        "mci stop alias_editor", "mci close alias_editor", "mci open \"C:\\bell.wav\" alias alias_editor",
        "mci status alias_editor mode", "mci play alias_editor from 0 notify",
        "mci stop alias_editor", "mci close alias_editor", "beep 48",
        "mci stop alias_editor", "mci close alias_editor", "mci open \"C:\\gone.wav\" alias alias_editor",
        "mci status alias_editor mode", "mci close alias_editor",
        "mci stop alias_editor", "mci close alias_editor", "mci open \"C:\\bell.wav\" alias alias_editor",
        "mci status alias_editor mode", "mci play alias_editor from 0 notify",
        "mci stop alias_editor", "mci close alias_editor",
    };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(TrialFailedText(u"C:\\gone.wav"), u"サウンドを再生できませんでした。\r\nC:\\gone.wav");
}

TEST(AlarmEditorModel, FolderAndShortcutReads) {
    EXPECT_EQ(FolderOf(u"C:\\Tools\\run.exe"), u"C:\\Tools");
    EXPECT_EQ(FolderOf(u"C:\\run.exe"), u"C:");
    EXPECT_EQ(FolderOf(u"run.exe"), u"");
    test::TempFolder dir;
    dir.WriteBytes("a.url", "[InternetShortcut]\r\nURL=https://example.org/a?b=1\r\n");
    dir.WriteBytes("b.url", "[Other]\r\nURL=x\r\n");
    EXPECT_EQ(ShortcutAddress(dir.Path("a.url")), u"https://example.org/a?b=1");
    EXPECT_EQ(ShortcutAddress(dir.Path("b.url")), std::nullopt);
    EXPECT_EQ(IntervalText(300), u"05分");
    EXPECT_EQ(IntervalText(3725), u"1時間02分05秒");
}

}  // namespace
}  // namespace tbq::uimodel
