// The stored alarm list: what is written, what comes back, the earlier day
// encoding, and records with values their fields cannot hold.
#include <gtest/gtest.h>

#include "alarm/alarm.h"
#include "fakes/temp_folder.h"
#include "settings/ini_store.h"

namespace tbq {
namespace {

using A = vbKerova_Alarm;

class AlarmRecordTest : public ::testing::Test {
protected:
    void SetUp() override { IniStore::Instance().Reset(); }
    void TearDown() override { IniStore::Instance().Reset(); }
    Text File() const { return dir_.Path("TBQ_Alarm.ini"); }
    test::TempFolder dir_;
};

TEST_F(AlarmRecordTest, EveryFieldComesBackAndTheListEndsAtItsMark) {
    AlarmList list;
    for (int i = 0; i < 3; ++i) {
        auto a = std::make_shared<A>();
        a->AlarmName = u"お茶 " + NumberText(i);
        a->AlarmText = u" spaced \"quoted\" ";
        a->TargetYear = 2027, a->TargetMonth = 2, a->TargetDay = 128 | 2 | 32;
        a->TargetHour = 23, a->TargetMinute = 59, a->TargetSecond = 30;
        a->Flag = 255;
        a->SoundInterval = 45;
        a->FileOpenName = u"C:\\Program Files\\x.exe";
        a->FileAction = u"open";
        a->FileCommandLine = u"-a \"b c\"";
        a->FileDirectory = u"C:\\work";
        a->MessageHour = 255, a->MessageMinute = 59, a->MessageSecond = 1;
        a->SetSoundFileName(u"*48");
        a->SetEnable(i != 1);
        list.push_back(a);
    }
    SaveAlarmList(File(), list);
    AlarmList back = LoadAlarmList(File());
    ASSERT_EQ(back.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const A& a = *list[i];
        const A& b = *back[i];
        EXPECT_EQ(b.AlarmName, a.AlarmName);
        EXPECT_EQ(b.AlarmText, a.AlarmText);
        EXPECT_EQ(AlarmTargetText(b, false), u"2027/2/Mon,Fri 23:59:30");
        EXPECT_EQ(b.Flag, 255);
        EXPECT_EQ(b.SoundFileName(), u"*48");
        EXPECT_EQ(b.SoundInterval, 45);
        EXPECT_EQ(b.FileOpenName, a.FileOpenName);
        EXPECT_EQ(b.FileCommandLine, a.FileCommandLine);
        EXPECT_EQ(b.FileDirectory, a.FileDirectory);
        EXPECT_EQ(b.FileAction, a.FileAction);
        EXPECT_EQ(std::tuple(b.MessageHour, b.MessageMinute, b.MessageSecond), std::tuple(255, 59, 1));
        EXPECT_EQ(b.Enable(), a.Enable());
    }

    // One fewer saved: the old third section stays, but the mark ends the list.
    list.pop_back();
    SaveAlarmList(File(), list);
    EXPECT_EQ(LoadAlarmList(File()).size(), 2u);
}

TEST_F(AlarmRecordTest, RecordsWrittenByHandOrByEarlierVersions) {
    dir_.WriteBytes("TBQ_Alarm.ini",
                    "[Alarm0001]\r\nName=old weekday\r\nTargetDay=53\r\nEnable=1\r\n"
                    "[Alarm0002]\r\nName=old free day\r\nTargetDay=255\r\nTargetSecond=0\r\nEnable=1\r\n"
                    "[Alarm0003]\r\nName=old day 254\r\nTargetDay=254\r\nEnable=1\r\n"
                    "[Alarm0004]\r\nName=new weekday\r\nTargetDay=53\r\nDayType=1\r\nEnable=1\r\n"
                    "[Alarm0005]\r\nName=second 60\r\nTargetSecond=60\r\nEnable=1\r\n"
                    "[Alarm0006]\r\nName=year -5\r\nTargetYear=-5\r\nEnable=1\r\n"
                    "[Alarm0007]\r\nName=300 hours\r\nMessageHour=300\r\nTargetSecond=0\r\nEnable=1\r\n"
                    "[Alarm0008]\r\nName=repeat at 0\r\nFlag=130\r\nSoundInterval=0\r\nEnable=1\r\n"
                    "[Alarm0009]\r\nName=no repeat at 0\r\nFlag=2\r\nSoundInterval=0\r\nEnable=1\r\n"
                    "[Alarm0010]\r\nName=quoted sound\r\nSoundFile=a\"b.wav\r\nEnable=1\r\n"
                    "[Alarm0011]\r\nName=month 13\r\nTargetMonth=13\r\nEnable=1\r\n"
                    "[Alarm0012]\r\nName=last\r\nEnable=1\r\n"
                    "[Alarm0013]\r\nMessage=no name ends the list\r\n"
                    "[Alarm0014]\r\nName=never read\r\n");
    struct Expect {
        const char* name;
        int day;
        bool enabled;
    };
    const Expect expect[] = {
        {"old weekday", 128 | 4, true},  {"old free day", 127, true}, {"old day 254", 126, true},
        {"new weekday", 53, false},      {"second 60", 127, false},  {"year -5", 127, false},
        {"300 hours", 127, false},       {"repeat at 0", 127, false}, {"no repeat at 0", 127, true},
        {"quoted sound", 127, false},    {"month 13", 127, false},   {"last", 127, true},
    };
    AlarmList list = LoadAlarmList(File());
    ASSERT_EQ(list.size(), std::size(expect));
    for (std::size_t i = 0; i < list.size(); ++i) {
        SCOPED_TRACE(expect[i].name);
        EXPECT_EQ(TextToUtf8(list[i]->AlarmName), expect[i].name);
        EXPECT_EQ(list[i]->TargetDay, expect[i].day);
        EXPECT_EQ(list[i]->Enable(), expect[i].enabled);
    }
    // Keys left out read as the defaults of a stored alarm.
    EXPECT_EQ(list[0]->SoundInterval, 300);
    EXPECT_EQ(list[0]->TargetYear, -1);
    EXPECT_EQ(std::tuple(list[0]->MessageHour, list[0]->MessageMinute, list[0]->MessageSecond),
              std::tuple(0, 9, 0));
    // Refused values are kept where their field can hold them, so a save
    // gives the user's file back rather than silently changed values.
    EXPECT_EQ(list[4]->TargetSecond, 60);
    EXPECT_EQ(list[5]->TargetYear, -5);
    EXPECT_EQ(list[6]->MessageHour, 255);

    // Saving writes every alarm, the disabled ones too, and the new day encoding.
    IniStore::Instance().Reset();
    SaveAlarmList(File(), list);
    AlarmList again = LoadAlarmList(File());
    ASSERT_EQ(again.size(), list.size());
    EXPECT_EQ(again[0]->TargetDay, 128 | 4);
    EXPECT_EQ(again[3]->TargetDay, 53);
    EXPECT_EQ(TextToUtf8(again.back()->AlarmName), "last");
}

}  // namespace
}  // namespace tbq
