// Network time's messages in English: the date and time written as English
// writes them, the received text and the two exchanges' results in place.
#include <gtest/gtest.h>

#include <functional>

#include "base/texts.h"
#include "timesync/messages.h"

namespace tbq::timesync {
namespace {

TEST(TimesyncMessagesInEnglish, ValuesInPlace) {
    SetLanguage(Language::English);
    const platform::ClockTime t{2026, 1, 2, 5, 3, 4, 5, 7};
    struct Case {
        const char* what;
        std::function<Text()> make;
        const char16_t* english;
    };
    const Case cases[] = {
        {"success with milliseconds", [&] { return SuccessMessage(t, true); },
         u"The clock was synchronised.\r\n2026-01-02\r\n03:04:05.007"},
        {"success", [&] { return SuccessMessage(t, false); }, u"The clock was synchronised.\r\n2026-01-02\r\n03:04:05"},
        {"both exchanges", [] { return CombinedMessage(u"A", u"B"); }, u"- NTP -\r\nA\r\n\r\n- HTTP -\r\nB"},
        {"received text", [] { return BadDateMessage("x\r\ny"); },
         u"A malformed time was received.\r\n\"x??y\"\r\nThe clock was not changed."},
        {"fixed message", [] { return Text(kMsgReceiveFailed); }, u"Nothing was received from the server."},
    };
    for (const Case& c : cases) EXPECT_EQ(c.make(), c.english) << c.what;
    SetLanguage(Language::Japanese);
}

}  // namespace
}  // namespace tbq::timesync
