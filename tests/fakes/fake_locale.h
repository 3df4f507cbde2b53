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

    Text DateSeparator() override { return dateSeparator; }
    Text TimeSeparator() override { return timeSeparator; }
    Text ShortDatePicture() override { return shortDate; }
    Text LongDatePicture() override { return longDate; }
    Text TimePicture() override { return time; }
    Text AmString() override { return am; }
    Text PmString() override { return pm; }
};

}  // namespace tbq::test
