#include "timesync/net_text.h"

namespace tbq::timesync {

namespace {
constexpr char16_t kFirstPrintable = 0x21;
constexpr char16_t kLastPrintable = 0x7E;
constexpr int kMaxPort = 65535;

std::optional<std::uint16_t> ParsePort(std::string_view s) {
    if (s.empty() || s.size() > 5) return std::nullopt;
    long value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return PortNumber(value);
}

std::optional<ProxyAddress> ParseHostPort(std::string_view s, std::uint16_t defaultPort) {
    ProxyAddress p;
    const std::size_t colon = s.find(':');
    p.host = std::string(s.substr(0, colon));
    if (p.host.empty() || p.host.find_first_of("=;/") != std::string::npos) return std::nullopt;
    if (colon == std::string_view::npos) {
        p.port = defaultPort;
        return p;
    }
    auto port = ParsePort(s.substr(colon + 1));
    if (!port) return std::nullopt;
    p.port = *port;
    p.ownPort = true;
    return p;
}
}  // namespace

int ClampTimeOut(long long ms) {
    if (ms < 1) return kDefaultTimeOutMs;
    if (ms > kMaxTimeOutMs) return kMaxTimeOutMs;
    return static_cast<int>(ms);
}

std::optional<std::string> HostText(TextView text) {
    if (text.empty()) return std::nullopt;
    std::string out;
    for (char16_t c : text) {
        if (c < kFirstPrintable || c > kLastPrintable) return std::nullopt;
        out.push_back(static_cast<char>(c));
    }
    return out;
}

std::optional<std::uint32_t> ParseDottedQuad(const std::string& text) {
    std::uint32_t address = 0;
    std::size_t pos = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (pos >= text.size() || text[pos] != '.') return std::nullopt;
            ++pos;
        }
        const std::size_t start = pos;
        unsigned value = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < 3)
            value = value * 10 + static_cast<unsigned>(text[pos++] - '0');
        if (pos == start || value > 255) return std::nullopt;
        address = (address << 8) | value;
    }
    if (pos != text.size()) return std::nullopt;
    return address;
}

std::optional<ProxyAddress> ParseProxy(TextView text, std::uint16_t defaultPort) {
    auto ascii = HostText(text);
    if (!ascii) return std::nullopt;
    std::string_view s = *ascii;
    if (s.find('=') == std::string_view::npos) return ParseHostPort(s, defaultPort);
    // "http=host:port;https=host:port;ftp=...": the entry for plain HTTP.
    while (!s.empty()) {
        const std::size_t semi = s.find(';');
        std::string_view entry = s.substr(0, semi);
        s = semi == std::string_view::npos ? std::string_view{} : s.substr(semi + 1);
        const std::size_t eq = entry.find('=');
        if (eq == std::string_view::npos) return std::nullopt;
        std::string scheme(entry.substr(0, eq));
        for (char& c : scheme)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (scheme == "http") return ParseHostPort(entry.substr(eq + 1), defaultPort);
    }
    return std::nullopt;
}

std::optional<std::uint16_t> PortNumber(long long value) {
    if (value < 1 || value > kMaxPort) return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

}  // namespace tbq::timesync
