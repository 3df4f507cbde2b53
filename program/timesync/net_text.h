// What the user types for servers, proxies and time-outs, checked before any
// of it reaches the network.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/text.h"

namespace tbq::timesync {

inline constexpr int kDefaultTimeOutMs = 5000;
inline constexpr int kMaxTimeOutMs = 60000;

// Below 1 ms (0 would wait for ever) the default; above a minute, a minute.
int ClampTimeOut(long long ms);

// A host text goes into the request line as it is: it must be printable ASCII
// without blanks (no control character, no 0x7F, no full-width space) and not
// empty. The ASCII text when it is.
std::optional<std::string> HostText(TextView text);

// Four decimal numbers 0-255 separated by dots, nothing else; the address in
// host byte order.
std::optional<std::uint32_t> ParseDottedQuad(const std::string& text);

struct ProxyAddress {
    std::string host;
    std::uint16_t port = 0;
    // Whether the text named the port; without it the port is `defaultPort`.
    bool ownPort = false;
    bool operator==(const ProxyAddress&) const = default;
};

// "host:port" (port 1-65535; without ":port", `defaultPort`), or the system's
// per-scheme form "http=host:8080;https=host:8443", of which the "http=" entry
// counts. Nothing when the text is malformed or names no HTTP proxy.
std::optional<ProxyAddress> ParseProxy(TextView text, std::uint16_t defaultPort);

// A port number from a field: 1-65535.
std::optional<std::uint16_t> PortNumber(long long value);

}  // namespace tbq::timesync
