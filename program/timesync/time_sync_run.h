// What the time synchronisation window's button does, apart from the window:
// NTP first when ticked, HTTP (directly or through the proxy) when NTP did not
// succeed, one message for both, and the option bits to store on success.
#pragma once

#include <cstdint>

#include "base/text.h"
#include "timesync/net_text.h"
#include "timesync/vb_ntp.h"

namespace tbq::timesync {

// Option bits of the stored record.
inline constexpr std::uint8_t kUseNtp = 1;
inline constexpr std::uint8_t kUseHttp = 2;
inline constexpr std::uint8_t kUseProxy = 4;
inline constexpr std::uint8_t kShowDetail = 8;
// The local port the NTP request leaves from (any free one when taken).
inline constexpr int kNtpLocalPort = 1024;

struct SyncRequest {
    Text server;
    long long ntpPort = 123, httpPort = 80, timeOut = kDefaultTimeOutMs;
    Text proxy;
    std::uint8_t flag = kUseNtp | kUseHttp;
};

struct SyncOutcome {
    bool success = false;
    Text message;
    // The check boxes afterwards: NTP is unticked when it did not succeed.
    std::uint8_t flag = 0;
    // The time-out used, to be shown in its field.
    int timeOut = kDefaultTimeOutMs;
};

SyncOutcome RunTimeSync(vbNTP& ntp, const SyncRequest& request);

}  // namespace tbq::timesync
