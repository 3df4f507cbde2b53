// The network as the time synchronisation sees it: IPv4 UDP and TCP sockets
// whose every wait is bounded by a time-out, and name look-up. Tests use the
// real adapters against servers they start on loopback.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace tbq::platform {

// An IPv4 address and port, both in host byte order.
struct Endpoint {
    std::uint32_t address = 0;
    std::uint16_t port = 0;
    bool operator==(const Endpoint&) const = default;
};

inline constexpr std::uint32_t kLoopback = 0x7F000001;  // 127.0.0.1

enum class NetStatus { Ok, TimedOut, Closed, Failed };

struct Received {
    NetStatus status = NetStatus::Failed;
    std::size_t size = 0;
    Endpoint from;  // UDP only
};

class UdpSocket {
public:
    virtual ~UdpSocket() = default;
    // address 0 is any local address; port 0 lets the system choose.
    virtual bool Bind(std::uint32_t address, std::uint16_t port) = 0;
    virtual std::optional<Endpoint> LocalEndpoint() = 0;
    virtual bool SendTo(const Endpoint& to, std::span<const std::uint8_t> bytes, int timeoutMs) = 0;
    // One datagram, cut to the buffer's size.
    virtual Received ReceiveFrom(std::span<std::uint8_t> buffer, int timeoutMs) = 0;
};

class TcpSocket {
public:
    virtual ~TcpSocket() = default;
    virtual NetStatus Connect(const Endpoint& to, int timeoutMs) = 0;
    // Sends everything or fails.
    virtual NetStatus Send(std::span<const std::uint8_t> bytes, int timeoutMs) = 0;
    // What one receive yields; Closed when the peer ended the connection.
    virtual Received Receive(std::span<std::uint8_t> buffer, int timeoutMs) = 0;
    // A listening socket on loopback for tests' own peers.
    virtual bool Listen(std::uint32_t address, std::uint16_t port) = 0;
    virtual std::optional<Endpoint> LocalEndpoint() = 0;
    virtual std::unique_ptr<TcpSocket> Accept(int timeoutMs) = 0;
};

class Net {
public:
    virtual ~Net() = default;
    // False when the socket library could not be started.
    virtual bool Started() = 0;
    virtual std::unique_ptr<UdpSocket> OpenUdp() = 0;
    virtual std::unique_ptr<TcpSocket> OpenTcp() = 0;
    // The first IPv4 address of a name; blocks as long as the system's look-up.
    virtual std::optional<std::uint32_t> Resolve(const std::string& host) = 0;
};

// The build's own adapter (Winsock on Windows, POSIX sockets on the host).
Net& DefaultNet();

}  // namespace tbq::platform
