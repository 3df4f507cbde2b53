// Regional settings a test chooses; a new one holds those of a Japanese system.
#pragma once

#include "platform/locale.h"

namespace tbq::test {

class FakeLocale final : public platform::Locale {
public:
    Text dateSeparator = u"/";
    Text timeSeparator = u":";
    Text shortDate = u"yyyy/MM/dd";
    Text longDate = u"yyyy'年'M'月'd'日'";
    Text time = u"H:mm:ss";
    Text am = u"午前";
    Text pm = u"午後";
    Text days[7] = {u"日曜日", u"月曜日", u"火曜日", u"水曜日", u"木曜日", u"金曜日", u"土曜日"};
    Text shortDays[7] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
    Text months[12] = {u"1月", u"2月", u"3月", u"4月",  u"5月",  u"6月",
                       u"7月", u"8月", u"9月", u"10月", u"11月", u"12月"};
    Text shortMonths[12] = {u"1", u"2", u"3", u"4",  u"5",  u"6",
                            u"7", u"8", u"9", u"10", u"11", u"12"};

    Text DateSeparator() override { return dateSeparator; }
    Text TimeSeparator() override { return timeSeparator; }
    Text ShortDatePicture() override { return shortDate; }
    Text LongDatePicture() override { return longDate; }
    Text TimePicture() override { return time; }
    Text AmString() override { return am; }
    Text PmString() override { return pm; }
    Text DayName(int dayOfWeek, bool abbreviated) override {
        if (dayOfWeek < 0 || dayOfWeek > 6) return {};
        return (abbreviated ? shortDays : days)[dayOfWeek];
    }
    Text MonthName(int month, bool abbreviated) override {
        if (month < 1 || month > 12) return {};
        return (abbreviated ? shortMonths : months)[month - 1];
    }
};

}  // namespace tbq::test
