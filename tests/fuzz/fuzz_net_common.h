// Fakes for the network-time fuzz targets: a net whose one peer answers with
// the fuzzer's bytes, cut into the pieces the fuzzer chose, and a clock setter
// that records.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock_setter.h"
#include "platform/net.h"

namespace fuzz {

using namespace tbq;

inline void Require(bool condition) {
    if (!condition) std::abort();
}

struct Script {
    std::vector<std::string> pieces;  // what the peer's receives yield, in order
    std::string sent;                 // what the program sent
    std::size_t handedOut = 0;
};

class ScriptUdp final : public platform::UdpSocket {
public:
    explicit ScriptUdp(Script& s) : s_(s) {}
    bool Bind(std::uint32_t, std::uint16_t) override { return true; }
    std::optional<platform::Endpoint> LocalEndpoint() override { return platform::Endpoint{}; }
    bool SendTo(const platform::Endpoint& to, std::span<const std::uint8_t> b, int) override {
        to_ = to;
        s_.sent.assign(reinterpret_cast<const char*>(b.data()), b.size());
        // The request's transmit time is random: a datagram whose origin time
        // begins "ECHO" gets it there, so sound replies are reached too.
        for (std::string& p : s_.pieces)
            if (p.size() >= 32 && p.compare(24, 4, "ECHO") == 0 && s_.sent.size() >= 48)
                p.replace(24, 8, s_.sent, 40, 8);
        return true;
    }
    platform::Received ReceiveFrom(std::span<std::uint8_t> buffer, int) override {
        if (next_ >= s_.pieces.size()) return {platform::NetStatus::TimedOut, 0, {}};
        const std::string& p = s_.pieces[next_++];
        const std::size_t n = std::min(p.size(), buffer.size());
        std::copy(p.begin(), p.begin() + static_cast<std::ptrdiff_t>(n), buffer.begin());
        // Every second datagram comes from a stranger.
        platform::Endpoint from = to_;
        if (next_ % 2 == 0) from.port ^= 1;
        return {platform::NetStatus::Ok, n, from};
    }

private:
    Script& s_;
    platform::Endpoint to_;
    std::size_t next_ = 0;
};

class ScriptTcp final : public platform::TcpSocket {
public:
    explicit ScriptTcp(Script& s) : s_(s) {}
    platform::NetStatus Connect(const platform::Endpoint&, int) override { return platform::NetStatus::Ok; }
    platform::NetStatus Send(std::span<const std::uint8_t> b, int) override {
        s_.sent.append(reinterpret_cast<const char*>(b.data()), b.size());
        return platform::NetStatus::Ok;
    }
    platform::Received Receive(std::span<std::uint8_t> buffer, int) override {
        Require(!buffer.empty());
        if (next_ >= s_.pieces.size()) return {platform::NetStatus::Closed, 0, {}};
        std::string& p = s_.pieces[next_];
        const std::size_t n = std::min(p.size(), buffer.size());
        std::copy(p.begin(), p.begin() + static_cast<std::ptrdiff_t>(n), buffer.begin());
        p.erase(0, n);
        if (p.empty()) ++next_;
        s_.handedOut += n;
        return {platform::NetStatus::Ok, n, {}};
    }
    bool Listen(std::uint32_t, std::uint16_t) override { return false; }
    std::optional<platform::Endpoint> LocalEndpoint() override { return std::nullopt; }
    std::unique_ptr<platform::TcpSocket> Accept(int) override { return nullptr; }

private:
    Script& s_;
    std::size_t next_ = 0;
};

class ScriptNet final : public platform::Net {
public:
    Script script;
    bool Started() override { return true; }
    std::unique_ptr<platform::UdpSocket> OpenUdp() override { return std::make_unique<ScriptUdp>(script); }
    std::unique_ptr<platform::TcpSocket> OpenTcp() override { return std::make_unique<ScriptTcp>(script); }
    std::optional<std::uint32_t> Resolve(const std::string&) override { return std::nullopt; }
};

class RecordingSetter final : public platform::ClockSetter {
public:
    std::vector<platform::ClockTime> calls;
    platform::SetClockResult SetUtc(const platform::ClockTime& t) override {
        calls.push_back(t);
        return platform::SetClockResult::Set;
    }
};

// The fuzzer's bytes as pieces: each piece is led by one length byte.
inline std::vector<std::string> Pieces(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < size) {
        const std::size_t n = std::min<std::size_t>(data[i] + 1u, size - i - 1);
        out.emplace_back(reinterpret_cast<const char*>(data + i + 1), n);
        i += 1 + n;
    }
    return out;
}

}  // namespace fuzz
