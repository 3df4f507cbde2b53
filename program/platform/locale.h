// The user's regional settings for dates and times, as the date formatting
// reads them. Pictures use the system's picture syntax (d dd ddd dddd, M MM MMM
// MMMM, y yy yyyy, gg, H HH h hh, m mm, s ss, t tt, 'quoted text'); their day
// and month names are the regional ones too (a Japanese long date "yyyy年M月d日dddd"
// must end in 月曜日, not Monday).
#pragma once

#include <cstdint>

#include "base/text.h"

namespace tbq::platform {

class Locale {
public:
    virtual ~Locale() = default;
    virtual Text DateSeparator() = 0;     // "/"
    virtual Text TimeSeparator() = 0;     // ":"
    virtual Text ShortDatePicture() = 0;  // "yyyy/MM/dd"
    virtual Text LongDatePicture() = 0;   // "yyyy'年'M'月'd'日'"
    virtual Text TimePicture() = 0;       // "H:mm:ss"
    virtual Text AmString() = 0;          // "午前"
    virtual Text PmString() = 0;          // "午後"
    // `dayOfWeek` 0 = Sunday .. 6; `month` 1..12; "" outside those.
    virtual Text DayName(int dayOfWeek, bool abbreviated) = 0;  // "月曜日", "月"
    virtual Text MonthName(int month, bool abbreviated) = 0;    // "12月", "12"
    // The user's interface language, a Windows language id (0x0411 Japanese).
    virtual std::uint16_t UiLanguage() { return 0x0411; }
};

// This build's own adapter: the user's settings on Windows, fixed Japanese
// defaults on the host. Each build compiles exactly one definition.
Locale& SystemLocale();

}  // namespace tbq::platform
