// The alarm-text item and the texts an alarm gives of itself.
#include <gtest/gtest.h>

#include "items/view_alarm.h"

namespace tbq {
namespace {

using A = vbKerova_Alarm;
using V = vbKerova_View_Alarm;

std::shared_ptr<A> Alarm(const char16_t* name, const char16_t* message, bool enable = true,
                         int hour = 7) {
    auto a = std::make_shared<A>();
    a->AlarmName = name;
    a->AlarmText = message;
    a->TargetYear = A::kEveryYear;
    a->TargetHour = static_cast<std::uint8_t>(hour);
    a->TargetMinute = 30;
    a->TargetSecond = 0;
    a->MessageHour = 0, a->MessageMinute = 10, a->MessageSecond = 0;
    a->SetEnable(enable);
    return a;
}

TEST(AlarmTextTest, RunningAlarmsByStyleAndType) {
    const AlarmList alarms{Alarm(u"Idle", u"later", true, 9), Alarm(u"Off", u"hidden", false),
                           Alarm(u"Tea", u"Now"), Alarm(u"CALL", u"Call")};
    struct Case {
        const char* what;
        int style, type;
        const char16_t* name;
        const char16_t* text;
    };
    const Case cases[] = {
        {"all running, messages", 4, 4, u"", u"Now|Call"},
        {"the first running", 4, 1, u"", u"Now"},
        {"the named one, any letter case", 4, 2, u"call", u"Call"},
        {"a name no alarm has", 4, 2, u"tea ", u""},
        {"name and message", 2 | 4, 1, u"", u"Tea Now"},
        {"target, name and message", 1 | 2 | 4, 1, u"", u"Nw/Nw/Nw 7:30:0 Tea Now"},
        {"nothing chosen to show", 0, 4, u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        V v;
        v.ViewStyle = static_cast<std::uint8_t>(c.style);
        v.ViewType = static_cast<std::uint8_t>(c.type);
        v.AlarmName = c.name;
        EXPECT_EQ(v.TextAt(&alarms, {2026, 12, 8, 7, 35, 0}), c.text);
        // Nothing runs at 8:00, and nothing shows while alarms are off as a whole.
        EXPECT_EQ(v.TextAt(&alarms, {2026, 12, 8, 8, 0, 0}), u"");
        EXPECT_EQ(v.TextAt(nullptr, {2026, 12, 8, 7, 35, 0}), u"");
    }
    for (const auto& a : alarms) EXPECT_FALSE(a->Running());
}

TEST(AlarmTextTest, TargetAndSummary) {
    auto a = Alarm(u"Tea", u"Now");
    a->TargetDay = 128 | 2 | 32;
    a->TargetSecond = A::kEvery;
    EXPECT_EQ(AlarmTargetText(*a, true), u"Nw/Nw/Mo,Fr 7:30:Nw");
    EXPECT_EQ(AlarmTargetText(*a, false), u"Now/Now/Mon,Fri 7:30:Now");

    a->TargetSecond = 0;
    a->MessageHour = 1, a->MessageMinute = 0, a->MessageSecond = 5;
    a->Flag = A::kShowMessage | A::kMessageText | A::kPlaySound | A::kRepeatSound | A::kOpenFile;
    a->SetSoundFileName(u"*48");
    a->SoundInterval = 90;
    EXPECT_EQ(AlarmSummary(*a),
              u"対象日時 : Now/Now/Mon,Fri 7:30:0\r\n"
              u"持続時間 : 1時間5秒\r\n"
              u"メッセージボックス : 表示する(メッセージ含む)\r\n"
              u"タイトルバー点滅 : しない\r\n"
              u"サウンド : メッセージ(警告) / 1分30秒間隔で繰り返し\r\n"
              u"ファイル : ファイル未指定\r\n"
              u"自動削除 : しない");
}

}  // namespace
}  // namespace tbq
