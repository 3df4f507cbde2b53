#include "timesync/messages.h"

#include <cstdio>

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

Text BadDateMessage(std::string_view received) {
    return u"不正な時刻形式を受信しました。\r\n\"" + Printable(received) +
           u"\"\r\n日時を更新できませんでした。";
}

Text ServerErrorMessage(std::string_view statusLine) {
    return u"同期に失敗しました。\r\nサーバーがエラーを返しました。\r\n\"" + Printable(statusLine) +
           u"\"";
}

Text SuccessMessage(const platform::ClockTime& t, bool withMilliseconds) {
    char ms[8];
    std::snprintf(ms, sizeof ms, ".%03d", t.millisecond % 1000);
    char year[8];
    std::snprintf(year, sizeof year, "%04d", t.year);
    Text s = u"同期に成功しました。\r\n" + Utf8ToText(year) + u"年" + NumberText(t.month) + u"月" +
             NumberText(t.day) + u"日\r\n" + NumberText(t.hour) + u"時" + NumberText(t.minute) +
             u"分" + NumberText(t.second);
    if (withMilliseconds) s += Utf8ToText(ms);
    return s + u"秒";
}

Text CombinedMessage(const Text& ntp, const Text& http) {
    if (http.empty()) return ntp;
    if (ntp.empty()) return http;
    return u"- NTP通信 -\r\n" + ntp + u"\r\n\r\n- HTTP通信 -\r\n" + http;
}

}  // namespace tbq::timesync
