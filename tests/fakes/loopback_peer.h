// Scripted network peers on 127.0.0.1 for the network-time tests: a UDP peer
// that answers each request with what the test makes of it, and a TCP peer
// that records the request and answers in the pieces the test gives.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/net.h"

namespace tbq::test {

class UdpPeer {
public:
    using Reply = std::function<std::vector<std::uint8_t>(std::span<const std::uint8_t> request)>;

    // `fromOtherPort`: the answer leaves from a second socket, as a stranger's would.
    explicit UdpPeer(Reply reply, bool fromOtherPort = false)
        : reply_(std::move(reply)),
          socket_(platform::DefaultNet().OpenUdp()),
          other_(platform::DefaultNet().OpenUdp()),
          fromOther_(fromOtherPort) {
        socket_->Bind(platform::kLoopback, 0);
        other_->Bind(platform::kLoopback, 0);
        thread_ = std::thread([this] { Serve(); });
    }
    ~UdpPeer() {
        stop_ = true;
        thread_.join();
    }
    std::uint16_t port() { return socket_->LocalEndpoint()->port; }
    int requests() const { return requests_; }

private:
    void Serve() {
        std::uint8_t buf[512];
        while (!stop_) {
            platform::Received got = socket_->ReceiveFrom(buf, 20);
            if (got.status != platform::NetStatus::Ok) continue;
            ++requests_;
            const auto answer = reply_(std::span(buf, got.size));
            (fromOther_ ? other_ : socket_)->SendTo(got.from, answer, 1000);
        }
    }

    Reply reply_;
    std::unique_ptr<platform::UdpSocket> socket_, other_;
    bool fromOther_;
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    std::thread thread_;
};

class TcpPeer {
public:
    // Sends `pieces` one by one, `pause` apart, then closes; with `hold` it
    // keeps the connection open and silent until the test ends.
    explicit TcpPeer(std::vector<std::string> pieces, bool hold = false,
                     std::chrono::milliseconds pause = std::chrono::milliseconds(30))
        : pieces_(std::move(pieces)), hold_(hold), pause_(pause),
          listener_(platform::DefaultNet().OpenTcp()) {
        listener_->Listen(platform::kLoopback, 0);
        thread_ = std::thread([this] { Serve(); });
    }
    ~TcpPeer() {
        stop_ = true;
        thread_.join();
    }
    std::uint16_t port() { return listener_->LocalEndpoint()->port; }
    std::string request() {
        std::lock_guard lock(m_);
        return request_;
    }
    int connections() const { return connections_; }

private:
    void Serve() {
        while (!stop_) {
            auto c = listener_->Accept(20);
            if (!c) continue;
            ++connections_;
            std::string got;
            std::uint8_t buf[512];
            while (got.find("\r\n\r\n") == std::string::npos && !stop_) {
                platform::Received r = c->Receive(buf, 2000);
                if (r.status != platform::NetStatus::Ok) break;
                got.append(reinterpret_cast<const char*>(buf), r.size);
            }
            {
                std::lock_guard lock(m_);
                request_ = got;
            }
            for (const std::string& p : pieces_) {
                c->Send(std::span(reinterpret_cast<const std::uint8_t*>(p.data()), p.size()), 1000);
                std::this_thread::sleep_for(pause_);
            }
            while (hold_ && !stop_) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    std::vector<std::string> pieces_;
    bool hold_;
    std::chrono::milliseconds pause_;
    std::unique_ptr<platform::TcpSocket> listener_;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    std::mutex m_;
    std::string request_;
    std::thread thread_;
};

}  // namespace tbq::test
