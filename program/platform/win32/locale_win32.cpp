// The user's regional settings, read afresh on every call so that a change in
// the control panel shows at the next tick.
#include <windows.h>

#include "platform/locale.h"
#include "win32/wide.h"

namespace tbq::platform {

namespace {

Text Info(LCTYPE type) {
    // Regional texts are at most 80 characters; the buffer leaves room.
    wchar_t buffer[256];
    const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 256);
    if (n <= 0) return {};
    return win32::FromWide(std::wstring_view(buffer, static_cast<size_t>(n - 1)));
}

class Win32Locale final : public Locale {
public:
    Text DateSeparator() override { return Info(LOCALE_SDATE); }
    Text TimeSeparator() override { return Info(LOCALE_STIME); }
    Text ShortDatePicture() override { return Info(LOCALE_SSHORTDATE); }
    Text LongDatePicture() override { return Info(LOCALE_SLONGDATE); }
    Text TimePicture() override { return Info(LOCALE_STIMEFORMAT); }
    Text AmString() override { return Info(LOCALE_S1159); }
    Text PmString() override { return Info(LOCALE_S2359); }
    Text DayName(int dayOfWeek, bool abbreviated) override {
        if (dayOfWeek < 0 || dayOfWeek > 6) return {};
        // The system numbers days from Monday (1) to Sunday (7).
        const int fromMonday = dayOfWeek == 0 ? 6 : dayOfWeek - 1;
        return Info((abbreviated ? LOCALE_SABBREVDAYNAME1 : LOCALE_SDAYNAME1) + fromMonday);
    }
    Text MonthName(int month, bool abbreviated) override {
        if (month < 1 || month > 12) return {};
        return Info((abbreviated ? LOCALE_SABBREVMONTHNAME1 : LOCALE_SMONTHNAME1) + (month - 1));
    }
    std::uint16_t UiLanguage() override { return GetUserDefaultUILanguage(); }
};

}  // namespace

Locale& SystemLocale() {
    static Win32Locale locale;
    return locale;
}

}  // namespace tbq::platform
