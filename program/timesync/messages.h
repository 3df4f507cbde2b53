// The user messages of network time, in the language in force. Lines are
// separated by CR LF.
#pragma once

#include <string_view>

#include "base/text.h"
#include "base/texts.h"
#include "platform/clock.h"

namespace tbq::timesync {

// A fixed message: its text is read from the tables when it is used, so that
// it follows the language.
struct Message {
    TextId id;
    TextView Get() const { return Tr(id); }
    operator Text() const { return Text(Get()); }
    // The tables' texts end in a zero.
    operator const char16_t*() const { return Get().data(); }
};
inline bool operator==(const Text& text, Message m) { return text == m.Get(); }

inline constexpr Message kMsgSocketFailed{TextId::SyncSocketFailed};
inline constexpr Message kMsgNoAddress{TextId::SyncNoAddress};
inline constexpr Message kMsgSendFailed{TextId::SyncSendFailed};
inline constexpr Message kMsgReceiveFailed{TextId::SyncReceiveFailed};
inline constexpr Message kMsgConnectFailed{TextId::SyncConnectFailed};
inline constexpr Message kMsgSetFailed{TextId::SyncSetFailed};
inline constexpr Message kMsgNoDate{TextId::SyncNoDate};
inline constexpr Message kMsgDenied{TextId::SyncDenied};
inline constexpr Message kMsgBadReply{TextId::SyncBadReply};
inline constexpr Message kMsgServerRefused{TextId::SyncServerRefused};
inline constexpr Message kMsgBadServerText{TextId::SyncBadServerText};
inline constexpr Message kMsgBadProxy{TextId::SyncBadProxy};
inline constexpr Message kMsgBadPort{TextId::SyncBadPort};
// Neither NTP nor HTTP is ticked.
inline constexpr Message kMsgNothingTicked{TextId::SyncNothingTicked};
// The window's warning when no server is given.
inline constexpr Message kMsgNoServer{TextId::SyncNoServer};

// "不正な時刻形式を受信しました。" with the text received in double quotes.
Text BadDateMessage(std::string_view received);
// The error status line a server or proxy answered with.
Text ServerErrorMessage(std::string_view statusLine);
// "同期に成功しました。" with the local date and time (seconds with
// milliseconds when `withMilliseconds`).
Text SuccessMessage(const platform::ClockTime& local, bool withMilliseconds);
// The NTP and HTTP results together when both have one.
Text CombinedMessage(const Text& ntp, const Text& http);

}  // namespace tbq::timesync
