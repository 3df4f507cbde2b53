#include "timesync/messages.h"

#include <cstdio>

#include "base/text_fill.h"

namespace tbq::timesync {

namespace {
constexpr std::size_t kMaxShownBytes = 100;

// Bytes from the network shown to the user: printable ASCII only, cut short.
Text Printable(std::string_view bytes) {
    Text out;
    for (char c : bytes.substr(0, kMaxShownBytes))
        out.push_back(c >= 0x20 && c < 0x7F ? static_cast<char16_t>(c) : u'?');
    if (bytes.size() > kMaxShownBytes) out += u"…";
    return out;
}
}  // namespace

Text BadDateMessage(std::string_view received) { return Tr(TextId::SyncBadDate, Printable(received)); }

Text ServerErrorMessage(std::string_view statusLine) { return Tr(TextId::SyncServerError, Printable(statusLine)); }

Text SuccessMessage(const platform::ClockTime& t, bool withMilliseconds) {
    char ms[8];
    std::snprintf(ms, sizeof ms, ".%03d", t.millisecond % 1000);
    char year[8];
    std::snprintf(year, sizeof year, "%04d", t.year);
    auto two = [](int v) {
        char s[8];
        std::snprintf(s, sizeof s, "%02d", v);
        return Utf8ToText(s);
    };
    const Text fraction = withMilliseconds ? Utf8ToText(ms) : Text();
    // Japanese counts in plain numbers; English writes each field in two digits.
    const Text seconds = NumberText(t.second) + fraction, seconds2 = two(t.second) + fraction;
    return Filled(Tr(TextId::SyncSucceeded),
                  {Utf8ToText(year), NumberText(t.month), NumberText(t.day), NumberText(t.hour), NumberText(t.minute),
                   seconds, two(t.month), two(t.day), two(t.hour), two(t.minute), seconds2});
}

Text CombinedMessage(const Text& ntp, const Text& http) {
    if (http.empty()) return ntp;
    if (ntp.empty()) return http;
    return Filled(Tr(TextId::SyncCombined), {ntp, http});
}

}  // namespace tbq::timesync
