// vbNTP against scripted peers on loopback, with a fake clock and a fake clock
// setter: which replies may set the clock, and to what.
#include <gtest/gtest.h>

#include "fakes/fake_clock.h"
#include "fakes/fake_clock_setter.h"
#include "fakes/loopback_peer.h"
#include "timesync/messages.h"
#include "timesync/time_sync_run.h"
#include "timesync/vb_ntp.h"

namespace tbq::timesync {
namespace {

using Bytes = std::vector<std::uint8_t>;

// 2026-12-07 12:34:56.250 UTC as an NTP timestamp.
constexpr std::uint32_t kServerSeconds = 1796646896u + 2208988800u;
constexpr std::uint32_t kQuarter = 0x40000000u;

Bytes Answer(std::span<const std::uint8_t> request, std::uint32_t seconds = kServerSeconds) {
    Bytes b(48, 0);
    b[0] = 0x24;
    b[1] = 3;
    std::copy(request.begin() + 40, request.begin() + 48, b.begin() + 24);
    for (int i = 0; i < 4; ++i) {
        b[40 + i] = static_cast<std::uint8_t>(seconds >> (24 - 8 * i));
        b[44 + i] = static_cast<std::uint8_t>(kQuarter >> (24 - 8 * i));
    }
    return b;
}

class Exchange : public ::testing::Test {
protected:
    test::FakeClock clock;
    test::FakeClockSetter setter;
    vbNTP ntp{NtpPorts{nullptr, &setter, &clock}};
    void SetUp() override {
        ntp.Initialize();
        ntp.SetTimeOut(1000);
    }
};

TEST_F(Exchange, OnlyASoundNtpReplySetsTheClock) {
    struct Case {
        const char* what;
        std::function<Bytes(std::span<const std::uint8_t>)> reply;
        bool fromOtherPort;
        const char16_t* message;  // nullptr: success
    } cases[] = {
        {"sound", [](auto r) { return Answer(r); }, false, nullptr},
        {"short", [](auto r) { auto b = Answer(r); b.resize(40); return b; }, false, kMsgBadReply},
        {"kiss of death", [](auto r) { auto b = Answer(r); b[1] = 0; return b; }, false, kMsgServerRefused},
        {"unsynchronised", [](auto r) { auto b = Answer(r); b[0] = 0xE4; return b; }, false, kMsgServerRefused},
        {"wrong origin", [](auto r) { auto b = Answer(r); b[30] ^= 0xFF; return b; }, false, kMsgBadReply},
        {"zero transmit", [](auto r) { auto b = Answer(r); std::fill(b.begin() + 40, b.end(), 0); return b; },
         false, kMsgBadReply},
        {"client mode", [](auto r) { auto b = Answer(r); b[0] = 0x23; return b; }, false, kMsgBadReply},
        {"from another port", [](auto r) { return Answer(r); }, true, kMsgReceiveFailed},
    };
    for (const Case& c : cases) {
        test::FakeClockSetter fresh;
        vbNTP one(NtpPorts{nullptr, &fresh, &clock});
        one.SetTimeOut(c.fromOtherPort ? 300 : 1000);
        test::UdpPeer peer(c.reply, c.fromOtherPort);
        const Text message = one.DateSync(u"127.0.0.1", 0, peer.port());
        if (!c.message) {
            ASSERT_EQ(fresh.Calls().size(), 1u) << c.what;
            EXPECT_EQ(fresh.Calls()[0], (platform::ClockTime{2026, 12, 7, 1, 12, 34, 56, 250}));
            EXPECT_TRUE(one.Success());
            EXPECT_TRUE(one.ClockChanged());
            EXPECT_EQ(message.substr(0, 10), u"同期に成功しました。") << c.what;
        } else {
            EXPECT_EQ(message, c.message) << c.what;
            EXPECT_TRUE(fresh.Calls().empty()) << c.what;
            EXPECT_FALSE(one.Success()) << c.what;
        }
        EXPECT_EQ(peer.requests(), 1) << c.what;
    }
}

TEST_F(Exchange, AReplyAfter2036SetsThatEraNot1900) {
    test::UdpPeer peer([](auto r) { return Answer(r, 16); });
    ntp.DateSync(u"127.0.0.1", 0, peer.port());
    ASSERT_EQ(setter.Calls().size(), 1u);
    EXPECT_EQ(setter.Calls()[0], (platform::ClockTime{2036, 2, 7, 4, 6, 28, 32, 250}));
}

TEST_F(Exchange, AClockThatAgreesIsNotSetAndARefusalIsNoSuccess) {
    clock.utc = {2026, 12, 7, 1, 12, 34, 56, 240};
    test::UdpPeer peer([](auto r) { return Answer(r); });
    Text message = ntp.DateSync(u"127.0.0.1", 0, peer.port());
    EXPECT_TRUE(ntp.Success());
    EXPECT_FALSE(ntp.ClockChanged());
    EXPECT_TRUE(setter.Calls().empty());
    EXPECT_EQ(message, u"同期に成功しました。\r\n2026年12月7日\r\n12時34分56.250秒\r\n(時計は正確です。ずれ +0.010秒)");

    clock.utc = {2026, 12, 6, 0, 0, 0, 0, 0};
    clock.local = platform::ClockTime{2026, 12, 6, 0, 9, 0, 0, 0};  // Japan
    setter.answer = platform::SetClockResult::Denied;
    message = ntp.DateSync(u"127.0.0.1", 0, peer.port());
    EXPECT_EQ(message, kMsgDenied);
    EXPECT_FALSE(ntp.Success());

    setter.answer = platform::SetClockResult::Set;
    message = ntp.DateSync(u"127.0.0.1", 0, peer.port());
    EXPECT_EQ(message, u"同期に成功しました。\r\n2026年12月7日\r\n21時34分56.250秒\r\n(時計を+131696.250秒修正しました。)");
}

TEST_F(Exchange, TextsThatCouldInjectOrDoNotResolveAreNeverSent) {
    test::UdpPeer udp([](auto r) { return Answer(r); });
    test::TcpPeer tcp({"HTTP/1.0 200 OK\r\n\r\n"});
    EXPECT_EQ(ntp.DateSync(u"127.0.0.1 ", 0, udp.port()), kMsgBadServerText);
    EXPECT_EQ(ntp.DateSyncHttp(u"a\r\nHost: b", tcp.port(), u""), kMsgBadServerText);
    EXPECT_EQ(ntp.DateSyncHttp(u"a", tcp.port(), u"127.0.0.1:1\r\n"), kMsgBadProxy);
    EXPECT_EQ(ntp.DateSync(u"127.0.0.1", 0, 0), kMsgBadPort);
    EXPECT_EQ(udp.requests(), 0);
    EXPECT_EQ(tcp.connections(), 0);
    ntp.SetTimeOut(500);
    EXPECT_EQ(ntp.DateSync(u"no-such-host.invalid", 0, udp.port()), kMsgNoAddress);
}

TEST_F(Exchange, HttpDateSplitAcrossPacketsSetsTheClock) {
    test::TcpPeer peer({"HTTP/1.1 200 OK\r\nDa", "te: Mon, 07 Dec 2026 12:34:56 GMT\r\n", "\r\n"});
    const Text message = ntp.DateSyncHttp(u"127.0.0.1", peer.port(), u"");
    EXPECT_EQ(peer.request(), "HEAD / HTTP/1.0\r\n\r\n");
    ASSERT_EQ(setter.Calls().size(), 1u) << TextToUtf8(message);
    EXPECT_EQ(setter.Calls()[0], (platform::ClockTime{2026, 12, 7, 1, 12, 34, 56, 0}));
    EXPECT_TRUE(ntp.Success());
}

TEST_F(Exchange, HttpThroughAProxyAsksForTheServersAddress) {
    test::TcpPeer proxy({"HTTP/1.0 200 OK\r\nDate: Mon, 07 Dec 2026 12:34:56 GMT\r\n\r\n"});
    const Text where = u"127.0.0.1:" + NumberText(proxy.port());
    ntp.DateSyncHttp(u"time.example", 8080, where);
    EXPECT_EQ(proxy.request(), "HEAD http://time.example:8080/ HTTP/1.0\r\n\r\n");
    ntp.DateSyncHttp(u"time.example", 80, u"https=127.0.0.1:1;http=" + where);
    EXPECT_EQ(proxy.request(), "HEAD http://time.example/ HTTP/1.0\r\n\r\n");
    EXPECT_EQ(setter.Calls().size(), 2u);
}

// A proxy given without its port is reached on the HTTP port, which is then the
// proxy's: the server is asked on its own port 80, never on the proxy's.
TEST_F(Exchange, HttpThroughAProxyWithoutItsPortAsksForTheServersOwnPort) {
    test::TcpPeer proxy({"HTTP/1.0 200 OK\r\nDate: Mon, 07 Dec 2026 12:34:56 GMT\r\n\r\n"});
    struct Case {
        const char16_t *server, *proxy;
        const char* request;
    } cases[] = {
        {u"time.example", u"127.0.0.1", "HEAD http://time.example/ HTTP/1.0\r\n\r\n"},
        {u"time.example", u"http=127.0.0.1;https=127.0.0.1:1", "HEAD http://time.example/ HTTP/1.0\r\n\r\n"},
        // A port the user wrote into the server text stays the server's.
        {u"time.example:8081", u"127.0.0.1", "HEAD http://time.example:8081/ HTTP/1.0\r\n\r\n"},
    };
    for (const Case& c : cases) {
        const Text message = ntp.DateSyncHttp(c.server, proxy.port(), c.proxy);
        EXPECT_TRUE(ntp.Success()) << TextToUtf8(message);
        EXPECT_EQ(proxy.request(), c.request) << TextToUtf8(c.proxy);
    }
}

TEST_F(Exchange, HttpFailuresLeaveTheClockAlone) {
    struct Case {
        std::vector<std::string> pieces;
        bool hold;
        const char16_t* message;
    } cases[] = {
        {{}, true, kMsgReceiveFailed},  // accepts and says nothing
        {{}, false, kMsgReceiveFailed},  // closes at once
        {{"HTTP/1.1 200 OK\r\nServer: x\r\n\r\n"}, false, kMsgNoDate},
        {{"HTTP/1.1 200 OK\r\nDate: 2026-12-07 12:34:56\r\n\r\n"}, false,
         u"不正な時刻形式を受信しました。\r\n\"2026-12-07 12:34:56\"\r\n日時を更新できませんでした。"},
        {{"HTTP/1.1 504 Gateway Time-out\r\nDate: Mon, 07 Dec 2026 12:34:56 GMT\r\n\r\n"}, false,
         u"同期に失敗しました。\r\nサーバーがエラーを返しました。\r\n\"HTTP/1.1 504 Gateway Time-out\""},
    };
    ntp.SetTimeOut(300);
    for (const Case& c : cases) {
        test::TcpPeer peer(c.pieces, c.hold);
        EXPECT_EQ(ntp.DateSyncHttp(u"127.0.0.1", peer.port(), u""), c.message);
        EXPECT_FALSE(ntp.Success());
    }
    // Nothing listens there any more.
    std::uint16_t closed;
    { test::TcpPeer gone({}); closed = gone.port(); }
    EXPECT_EQ(ntp.DateSyncHttp(u"127.0.0.1", closed, u""), kMsgConnectFailed);
    EXPECT_TRUE(setter.Calls().empty());
}

}  // namespace
}  // namespace tbq::timesync

namespace tbq::timesync {
namespace {

TEST_F(Exchange, NtpTimingOutFallsBackToHttpAndUnticksNtp) {
    std::uint16_t silent;
    { test::UdpPeer gone([](auto) { return Bytes{}; }); silent = gone.port(); }
    test::TcpPeer http({"HTTP/1.0 200 OK\r\nDate: Mon, 07 Dec 2026 12:34:56 GMT\r\n\r\n"});
    SyncRequest r;
    r.server = u"127.0.0.1";
    r.ntpPort = silent;
    r.httpPort = http.port();
    r.timeOut = 300;
    r.flag = kUseNtp | kUseHttp | kShowDetail;
    const SyncOutcome out = RunTimeSync(ntp, r);
    EXPECT_TRUE(out.success);
    EXPECT_EQ(out.flag, kUseHttp | kShowDetail);
    EXPECT_EQ(out.timeOut, 300);
    EXPECT_TRUE(out.message.starts_with(
        u"- NTP通信 -\r\nサーバからの受信に失敗しました。\r\n\r\n- HTTP通信 -\r\n同期に成功しました。"))
        << TextToUtf8(out.message);

    // HTTP alone after a success: the exchange is made, not taken from before.
    r.flag = kUseHttp;
    EXPECT_TRUE(RunTimeSync(ntp, r).success);
    EXPECT_EQ(http.connections(), 2);

    r.flag = kUseNtp;
    r.timeOut = 300;
    const SyncOutcome failed = RunTimeSync(ntp, r);
    EXPECT_FALSE(failed.success);
    EXPECT_EQ(failed.message, kMsgReceiveFailed);
    EXPECT_EQ(setter.Calls().size(), 2u);
}

}  // namespace
}  // namespace tbq::timesync
