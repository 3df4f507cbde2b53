#include "timesync/vb_ntp.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <random>
#include <thread>

#include "platform/ports.h"
#include "timesync/http_date.h"
#include "timesync/messages.h"
#include "timesync/net_text.h"

namespace tbq::timesync {

namespace {

using SteadyClock = std::chrono::steady_clock;

// How close the clock must already be for a change to gain nothing: one tick
// of the Windows clock.
constexpr std::int64_t kClockGrainMs = 16;
constexpr std::int64_t kMsPerMinute = 60000;
constexpr std::int64_t kHttpDateGrainMs = 1000;  // the Date header counts whole seconds
constexpr std::size_t kReceiveChunk = 1024;

int MsLeft(SteadyClock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now());
    return left.count() < 0 ? 0 : static_cast<int>(left.count());
}

std::uint64_t NewNonce() {
    static std::mutex m;
    static std::mt19937_64 engine{[] {
        std::random_device rd;
        return (static_cast<std::uint64_t>(rd()) << 32) ^ rd() ^
               static_cast<std::uint64_t>(SteadyClock::now().time_since_epoch().count());
    }()};
    std::lock_guard lock(m);
    std::uint64_t n;
    do n = engine();
    while (n == 0);
    return n;
}

// The name's address, waiting no longer than the time-out: the system's
// look-up cannot be interrupted, so it runs on a thread of its own that is
// left to finish by itself when the time is up.
std::optional<std::uint32_t> Resolve(platform::Net& net, const std::string& host, int timeoutMs) {
    if (auto quad = ParseDottedQuad(host)) return quad;
    struct Shared {
        std::mutex m;
        std::condition_variable cv;
        bool done = false;
        std::optional<std::uint32_t> address;
    };
    auto shared = std::make_shared<Shared>();
    try {
        std::thread([shared, &net, host] {
            auto address = net.Resolve(host);
            std::lock_guard lock(shared->m);
            shared->address = address;
            shared->done = true;
            shared->cv.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        return std::nullopt;
    }
    std::unique_lock lock(shared->m);
    if (!shared->cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return shared->done; }))
        return std::nullopt;
    return shared->address;
}

Text SignedSeconds(std::int64_t ms) {
    char buf[32];
    const std::int64_t a = ms < 0 ? -ms : ms;
    std::snprintf(buf, sizeof buf, "%c%lld.%03lld", ms < 0 ? '-' : '+',
                  static_cast<long long>(a / 1000), static_cast<long long>(a % 1000));
    return Utf8ToText(buf);
}

}  // namespace

vbNTP::vbNTP(NtpPorts ports) : ports_(ports) {
    if (!ports_.net) ports_.net = &platform::DefaultNet();
    if (!ports_.setter) ports_.setter = &platform::DefaultClockSetter();
    if (!ports_.clock) ports_.clock = &platform::clock();
}

void vbNTP::Initialize() {
    timeOut_ = kDefaultTimeOutMs;
    ports_.net->Started();
}

void vbNTP::SetTimeOut(long long ms) { timeOut_ = ClampTimeOut(ms); }

vbNTP::Receipt vbNTP::Now() const {
    return {UnixMsFromClockTime(ports_.clock->UtcNow()), ports_.clock->TickCount()};
}

Text vbNTP::Apply(UnixMs atReceipt, Receipt received, Window agree, bool withMilliseconds) {
    platform::Clock& clock = *ports_.clock;
    // Compared with the clock as it read when the answer arrived, so time spent
    // after that (a busy machine) does not count as a difference.
    const std::int64_t diff = atReceipt - received.clock;
    const bool agrees = diff >= agree.lowMs && diff <= agree.highMs;
    const UnixMs server =
        atReceipt + static_cast<std::uint32_t>(clock.TickCount() - received.tick);
    if (!agrees) {
        switch (ports_.setter->SetUtc(UtcFromUnixMs(server))) {
            case platform::SetClockResult::Set: break;
            case platform::SetClockResult::Denied: return kMsgDenied;
            case platform::SetClockResult::Invalid: return kMsgSetFailed;
        }
    }
    // The local time shown is the server's moment in the local zone (the
    // zone's offset in whole minutes, as zones have it).
    const std::int64_t offset = UnixMsFromClockTime(clock.LocalNow()) - UnixMsFromClockTime(clock.UtcNow());
    const std::int64_t zone = (offset >= 0 ? offset + kMsPerMinute / 2 : offset - kMsPerMinute / 2) /
                              kMsPerMinute * kMsPerMinute;
    success_ = true;
    changed_ = !agrees;
    serverTime_ = UtcFromUnixMs(server);
    Text message = SuccessMessage(UtcFromUnixMs(server + zone), withMilliseconds);
    if (agrees)
        message += u"\r\n" + (withMilliseconds ? Tr(TextId::SyncRightBy, SignedSeconds(diff)) : Text(Tr(TextId::SyncRight)));
    else
        message += u"\r\n" + Tr(TextId::SyncCorrected, SignedSeconds(diff));
    return message;
}

std::optional<Message> vbNTP::Begin(TextView server, int port, Target& target) {
    success_ = false;
    changed_ = false;
    serverTime_.reset();
    auto host = HostText(server);
    if (!host) return kMsgBadServerText;
    auto serverPort = PortNumber(port);
    if (!serverPort) return kMsgBadPort;
    target.host = *host;
    target.port = *serverPort;
    return std::nullopt;
}

Text vbNTP::DateSync(TextView server, int localPort, int port) {
    Target t;
    if (const auto refused = Begin(server, port, t)) return *refused;
    const std::string* host = &t.host;
    const std::uint16_t* serverPort = &t.port;
    auto socket = ports_.net->OpenUdp();
    if (!socket) return kMsgSocketFailed;
    // Another program on that port only means the system picks one.
    if (auto local = PortNumber(localPort)) socket->Bind(0, *local);

    const auto address = Resolve(*ports_.net, *host, timeOut_);
    if (!address) return kMsgNoAddress;
    const platform::Endpoint to{*address, *serverPort};

    const std::uint64_t nonce = NewNonce();
    const NtpPacket request = MakeNtpRequest(nonce);
    const std::uint32_t sentTick = ports_.clock->TickCount();
    if (!socket->SendTo(to, request, timeOut_)) return kMsgSendFailed;

    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeOut_);
    std::array<std::uint8_t, kNtpPacketSize> reply{};
    for (;;) {
        const platform::Received got = socket->ReceiveFrom(reply, MsLeft(deadline));
        if (got.status != platform::NetStatus::Ok) return kMsgReceiveFailed;
        // Anything from elsewhere is not the answer: keep waiting for the server's.
        if (!(got.from == to)) continue;
        const Receipt received = Now();
        const NtpReply checked = CheckNtpReply(std::span(reply.data(), got.size), nonce);
        switch (checked.check) {
            case NtpReplyCheck::Ok: break;
            case NtpReplyCheck::Unsynchronised:
            case NtpReplyCheck::KissOfDeath:
            case NtpReplyCheck::BadStratum: return kMsgServerRefused;
            default: return kMsgBadReply;
        }
        // Half the round trip passed since the server read its clock.
        const std::int64_t roundTrip = static_cast<std::uint32_t>(received.tick - sentTick);
        const std::int64_t margin = roundTrip / 2 + kClockGrainMs;
        return Apply(checked.transmit + roundTrip / 2, received, {-margin, margin}, true);
    }
}

Text vbNTP::DateSyncHttp(TextView server, int port, TextView proxy) {
    Target t;
    if (const auto refused = Begin(server, port, t)) return *refused;
    const std::string* host = &t.host;
    const std::uint16_t* serverPort = &t.port;
    std::optional<ProxyAddress> via;
    if (!proxy.empty()) {
        via = ParseProxy(proxy, *serverPort);
        if (!via) return kMsgBadProxy;
    }
    auto socket = ports_.net->OpenTcp();
    if (!socket) return kMsgSocketFailed;

    const auto address = Resolve(*ports_.net, via ? via->host : *host, timeOut_);
    if (!address) return kMsgNoAddress;
    if (socket->Connect({*address, via ? via->port : *serverPort}, timeOut_) != platform::NetStatus::Ok)
        return kMsgConnectFailed;

    // A proxy text without a port of its own took `port` as the proxy's: the
    // time server is then asked on its standard port, never on the proxy's.
    const std::uint16_t targetPort = via && !via->ownPort ? kDefaultHttpPort : *serverPort;
    const std::string request = HttpHeadRequest(*host, targetPort, via.has_value());
    const std::uint32_t sentTick = ports_.clock->TickCount();
    if (socket->Send(std::span(reinterpret_cast<const std::uint8_t*>(request.data()), request.size()),
                     timeOut_) != platform::NetStatus::Ok)
        return kMsgSendFailed;

    // The whole response within the time-out, however it is cut into packets.
    HttpResponseReader reader;
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeOut_);
    std::array<std::uint8_t, kReceiveChunk> chunk{};
    while (reader.WantsMore()) {
        const std::size_t room = std::min(chunk.size(), reader.Room());
        const platform::Received got = socket->Receive(std::span(chunk.data(), room), MsLeft(deadline));
        if (got.status != platform::NetStatus::Ok) break;
        reader.Add(std::span(chunk.data(), got.size));
    }
    if (reader.Bytes().empty()) return kMsgReceiveFailed;
    const Receipt received = Now();
    const std::int64_t roundTrip = static_cast<std::uint32_t>(received.tick - sentTick);

    const HttpDate date = FindHttpDate(reader.Bytes(), ports_.clock->UtcNow().year);
    switch (date.status) {
        case HttpDate::Status::Ok: break;
        case HttpDate::Status::Empty:
        case HttpDate::Status::NoDate: return kMsgNoDate;
        case HttpDate::Status::BadDate: return BadDateMessage(date.text);
        case HttpDate::Status::ServerError: return ServerErrorMessage(date.text);
    }
    // The server's clock read somewhere in that second, at most a round trip ago.
    return Apply(date.unixSeconds * 1000, received,
                 {-(kHttpDateGrainMs + roundTrip + kClockGrainMs), kClockGrainMs}, false);
}

}  // namespace tbq::timesync
