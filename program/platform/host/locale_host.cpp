// The host has no regional settings of the user's to read: it answers with
// those of a Japanese Windows, the systems the program is made for.
#include "platform/locale.h"

namespace tbq::platform {

namespace {

class HostLocale final : public Locale {
public:
    Text DateSeparator() override { return u"/"; }
    Text TimeSeparator() override { return u":"; }
    Text ShortDatePicture() override { return u"yyyy/MM/dd"; }
    Text LongDatePicture() override { return u"yyyy'年'M'月'd'日'"; }
    Text TimePicture() override { return u"H:mm:ss"; }
    Text AmString() override { return u"午前"; }
    Text PmString() override { return u"午後"; }
    Text DayName(int dayOfWeek, bool abbreviated) override {
        static constexpr const char16_t* kDays[] = {u"日", u"月", u"火", u"水",
                                                    u"木", u"金", u"土"};
        if (dayOfWeek < 0 || dayOfWeek > 6) return {};
        return Text(kDays[dayOfWeek]) + (abbreviated ? u"" : u"曜日");
    }
    Text MonthName(int month, bool abbreviated) override {
        if (month < 1 || month > 12) return {};
        return NumberText(month) + (abbreviated ? u"" : u"月");
    }
};

}  // namespace

Locale& SystemLocale() {
    static HostLocale locale;
    return locale;
}

}  // namespace tbq::platform
