// The user's regional settings for dates and times, as the date formatting
// reads them. Pictures use the system's picture syntax (d dd ddd dddd, M MM MMM
// MMMM, y yy yyyy, gg, H HH h hh, m mm, s ss, t tt, 'quoted text').
#pragma once

#include "core/text.h"

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
};

// This build's own adapter: the user's settings on Windows, fixed Japanese
// defaults on the host. Each build compiles exactly one definition.
Locale& SystemLocale();

}  // namespace tbq::platform
