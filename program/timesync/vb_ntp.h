// vbNTP: one network time exchange (NTP over UDP, or the Date header of an
// HTTP HEAD response, directly or through a proxy) that sets the system clock
// through the clock-setter port. Every result is a message for the user.
//
// Safe to run on a worker thread: it touches only the ports it was given, and
// every step (look-up, connect, send, receive) ends within the time-out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/text.h"
#include "platform/clock.h"
#include "platform/clock_setter.h"
#include "platform/net.h"
#include "timesync/messages.h"
#include "timesync/ntp_packet.h"

namespace tbq::timesync {

struct NtpPorts {
    platform::Net* net = nullptr;
    platform::ClockSetter* setter = nullptr;
    platform::Clock* clock = nullptr;
};

class vbNTP {
public:
    // Unset ports fall back to the build's own adapters and clock.
    explicit vbNTP(NtpPorts ports = {});

    // The socket library is started by the net port; sets TimeOut to 5000.
    void Initialize();

    int TimeOut() const { return timeOut_; }
    // Below 1 ms the default, at most a minute.
    void SetTimeOut(long long ms);
    bool Success() const { return success_; }
    void SetSuccess(bool value) { success_ = value; }

    // NTP: one request to server:port from local port `localPort` (taken when free).
    Text DateSync(TextView server, int localPort, int port);
    // HTTP: HEAD to server:port, or through `proxy` when that is not empty.
    // A proxy text with its own port ("host:8080", or the system's
    // "http=host:8080;..." form) leaves `port` to the server: the request names
    // "http://server:port/" (no ":port" for 80). A bare proxy host is reached on
    // `port`, and the request names "http://server/", the server's port 80.
    Text DateSyncHttp(TextView server, int port, TextView proxy);

    // The server's time of the last successful exchange (UTC): what the clock
    // was set to, or found to agree with.
    std::optional<platform::ClockTime> ServerTime() const { return serverTime_; }
    // Whether the last successful exchange changed the clock (false when it
    // already agreed with the server).
    bool ClockChanged() const { return changed_; }

private:
    struct Window {
        std::int64_t lowMs, highMs;  // the clock agrees when server - clock lies in here
    };
    struct Target {
        std::string host;
        std::uint16_t port = 0;
    };
    // Starts an exchange: resets the outcome and checks the server text and
    // port; the message when they cannot be used.
    std::optional<Message> Begin(TextView server, int port, Target& target);
    // The clock and the tick count when an answer arrived.
    struct Receipt {
        UnixMs clock;
        std::uint32_t tick;
    };
    Receipt Now() const;
    // Sets the clock to the server's time unless it agrees already; the message.
    Text Apply(UnixMs atReceipt, Receipt received, Window agree, bool withMilliseconds);

    NtpPorts ports_;
    int timeOut_ = 5000;
    bool success_ = false;
    bool changed_ = false;
    std::optional<platform::ClockTime> serverTime_;
};

}  // namespace tbq::timesync
