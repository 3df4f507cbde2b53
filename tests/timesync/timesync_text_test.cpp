// The pure pieces of network time: NTP packets and eras, HTTP requests and
// dates, the texts users type, the messages.
#include <gtest/gtest.h>

#include "timesync/http_date.h"
#include "timesync/messages.h"
#include "timesync/net_text.h"
#include "timesync/ntp_packet.h"

namespace tbq::timesync {
namespace {

constexpr std::uint64_t kNonce = 0x0123456789ABCDEFull;

NtpPacket GoodReply() {
    NtpPacket p{};
    p[0] = 0x24;  // LI 0, VN 4, mode 4
    p[1] = 2;
    for (int i = 0; i < 8; ++i) p[24 + i] = static_cast<std::uint8_t>(kNonce >> (56 - 8 * i));
    // 2026-01-01 00:00:00 UTC, fraction one half.
    const std::uint32_t secs = 3976214400u;
    for (int i = 0; i < 4; ++i) p[40 + i] = static_cast<std::uint8_t>(secs >> (24 - 8 * i));
    p[44] = 0x80;
    return p;
}

TEST(NtpPacket, RequestIsClientModeWithTheNonceAsTransmitTime) {
    const NtpPacket p = MakeNtpRequest(kNonce);
    EXPECT_EQ(p[0], 0x0B);
    for (int i = 1; i < 40; ++i) EXPECT_EQ(p[i], 0) << i;
    EXPECT_EQ(p[40], 0x01);
    EXPECT_EQ(p[47], 0xEF);
}

TEST(NtpPacket, EveryDoubtfulReplyIsRefused) {
    struct Case {
        const char* what;
        void (*change)(NtpPacket&);
        std::size_t size;
        NtpReplyCheck expected;
    } cases[] = {
        {"good", [](NtpPacket&) {}, 48, NtpReplyCheck::Ok},
        {"short", [](NtpPacket&) {}, 47, NtpReplyCheck::Short},
        {"empty", [](NtpPacket&) {}, 0, NtpReplyCheck::Short},
        {"client mode echoed", [](NtpPacket& p) { p[0] = 0x23; }, 48, NtpReplyCheck::NotServer},
        {"broadcast mode", [](NtpPacket& p) { p[0] = 0x25; }, 48, NtpReplyCheck::NotServer},
        {"unsynchronised", [](NtpPacket& p) { p[0] = 0xE4; }, 48, NtpReplyCheck::Unsynchronised},
        {"kiss of death", [](NtpPacket& p) { p[1] = 0; }, 48, NtpReplyCheck::KissOfDeath},
        {"stratum 16", [](NtpPacket& p) { p[1] = 16; }, 48, NtpReplyCheck::BadStratum},
        {"stratum 15", [](NtpPacket& p) { p[1] = 15; }, 48, NtpReplyCheck::Ok},
        {"wrong origin", [](NtpPacket& p) { p[31] ^= 1; }, 48, NtpReplyCheck::WrongOrigin},
        {"zero transmit",
         [](NtpPacket& p) { std::fill(p.begin() + 40, p.end(), 0); }, 48, NtpReplyCheck::ZeroTransmit},
    };
    for (const Case& c : cases) {
        NtpPacket p = GoodReply();
        c.change(p);
        const NtpReply r = CheckNtpReply(std::span(p.data(), c.size), kNonce);
        EXPECT_EQ(r.check, c.expected) << c.what;
    }
    const NtpPacket p = GoodReply();
    EXPECT_EQ(CheckNtpReply(p, kNonce).transmit, 1767225600500);
}

TEST(NtpPacket, TimestampsAroundBothEraEnds) {
    struct Case {
        std::uint32_t seconds, fraction;
        platform::ClockTime utc;
    } cases[] = {
        {3976214400u, 0, {2026, 1, 1, 4, 0, 0, 0, 0}},
        {3976214400u, 0x80000000u, {2026, 1, 1, 4, 0, 0, 0, 500}},
        {3976214400u, 0xFFFFFFFFu, {2026, 1, 1, 4, 0, 0, 0, 999}},
        {0xFFFFFFFFu, 0, {2036, 2, 7, 4, 6, 28, 15, 0}},
        // The seconds wrap to 0 on 2036-02-07: the next era, never 1900.
        {0, 0, {2036, 2, 7, 4, 6, 28, 16, 0}},
        {1, 0, {2036, 2, 7, 4, 6, 28, 17, 0}},
        {0x7FFFFFFFu, 0, {2104, 2, 26, 2, 9, 42, 23, 0}},
        {0x80000000u, 0, {1968, 1, 20, 6, 3, 14, 8, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UtcFromUnixMs(NtpTimestampToUnixMs(c.seconds, c.fraction)), c.utc) << c.seconds;
}

TEST(HttpDate, OnlyTheThreeHttpFormsInUtc) {
    constexpr std::int64_t k19941106 = 784111777;  // Sun, 06 Nov 1994 08:49:37 GMT
    struct Case {
        const char* text;
        std::optional<std::int64_t> expected;
    } cases[] = {
        {"Sun, 06 Nov 1994 08:49:37 GMT", k19941106},
        {"Sunday, 06-Nov-94 08:49:37 GMT", k19941106},
        {"Sun Nov  6 08:49:37 1994", k19941106},
        {"Mon, 07 Dec 2026 12:34:56 GMT", 1796646896},
        {"Mon, 29 Feb 2016 00:00:00 GMT", 1456704000},
        {"Wednesday, 01-Jan-70 00:00:00 GMT", 3155760000},
        {"Saturday, 01-Jan-77 00:00:00 GMT", 220924800},  // 2077 is more than 50 years ahead
        {"Mon, 06 Nov 1994 08:49:37 GMT", std::nullopt},   // the weekday disagrees
        {"Sun, 06 nov 1994 08:49:37 GMT", std::nullopt},   // month in lower case
        {"Sun, 06 Nov 1994 08:49:37 UTC", std::nullopt},
        {"Sun, 06 Nov 1994 08:49:37 +0900", std::nullopt},
        {"Sun, 06 Nov 1994 08:49:37", std::nullopt},
        {"Sun, 6 Nov 1994 08:49:37 GMT", std::nullopt},
        {"Sun,  06 Nov 1994 08:49:37 GMT", std::nullopt},
        {"Sun, 06 Nov 1994 08:49:37 GMT junk", std::nullopt},
        {"Tue, 30 Feb 2016 00:00:00 GMT", std::nullopt},
        {"Sun, 06 Nov 1994 24:00:00 GMT", std::nullopt},
        {"Sun, 06 Nov 1994 08:60:00 GMT", std::nullopt},
        {"Sun, 06 Nov 1994 08:49:60 GMT", std::nullopt},
        {"Sund, 06 Nov 1994 08:49:37 GMT", std::nullopt},
        {"1994-11-06T08:49:37Z", std::nullopt},
        {"2026/12/07 12:34:56", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseHttpDate(c.text, 2026), c.expected) << c.text;
}

TEST(HttpDate, FoundInTheHeaderOnly) {
    using S = HttpDate::Status;
    struct Case {
        std::string response;
        S status;
    } cases[] = {
        {"HTTP/1.1 200 OK\r\nServer: x\r\nDate: Mon, 07 Dec 2026 12:34:56 GMT\r\n\r\n", S::Ok},
        {"HTTP/1.0 404 Not Found\r\ndate:Mon, 07 Dec 2026 12:34:56 GMT\r\n\r\n", S::Ok},
        {"HTTP/1.1 200 OK\nDate: Mon, 07 Dec 2026 12:34:56 GMT\n\n", S::Ok},
        {"HTTP/1.1 200 OK\r\nX-Date: Mon, 07 Dec 2026 12:34:56 GMT\r\n\r\n", S::NoDate},
        {"HTTP/1.1 200 OK\r\n\r\nDate: Mon, 07 Dec 2026 12:34:56 GMT\r\n", S::NoDate},
        {std::string("HTTP/1.1 200 OK\r\n\0Date: Mon, 07 Dec 2026 12:34:56 GMT\r\n", 54), S::NoDate},
        {"HTTP/1.1 200 OK\r\nDate: Monday\r\n\r\n", S::BadDate},
        {"HTTP/1.1 502 Bad Gateway\r\nDate: Mon, 07 Dec 2026 12:34:56 GMT\r\n\r\n", S::ServerError},
        {"SSH-2.0-OpenSSH\r\n", S::NoDate},
        {"", S::Empty},
    };
    for (const Case& c : cases) EXPECT_EQ(FindHttpDate(c.response, 2026).status, c.status) << c.response;
    EXPECT_EQ(FindHttpDate(cases[0].response, 2026).unixSeconds, 1796646896);
    EXPECT_EQ(FindHttpDate(cases[6].response, 2026).text, "Monday");
}

TEST(HttpDate, ReaderStopsAtTheHeaderEndEvenWhenSplitOrAtTheLimit) {
    HttpResponseReader r;
    auto add = [&](std::string_view s) {
        return r.Add(std::span(reinterpret_cast<const std::uint8_t*>(s.data()), s.size()));
    };
    EXPECT_TRUE(add("HTTP/1.1 200 OK\r\nDa"));
    EXPECT_TRUE(add("te: Mon, 07 Dec 2026 12:34:56 GMT\r\n\r"));
    EXPECT_FALSE(add("\n"));
    EXPECT_EQ(FindHttpDate(r.Bytes(), 2026).status, HttpDate::Status::Ok);

    HttpResponseReader big;
    const std::string filler(1000, 'x');
    int adds = 0;
    while (big.Add(std::span(reinterpret_cast<const std::uint8_t*>(filler.data()), filler.size())))
        ++adds;
    EXPECT_EQ(adds, 4);
    EXPECT_EQ(big.Bytes().size(), HttpResponseReader::kLimit);
}

TEST(HttpRequest, DirectAndThroughAProxy) {
    EXPECT_EQ(HttpHeadRequest("time.example", 80, false), "HEAD / HTTP/1.0\r\n\r\n");
    EXPECT_EQ(HttpHeadRequest("time.example", 80, true), "HEAD http://time.example/ HTTP/1.0\r\n\r\n");
    EXPECT_EQ(HttpHeadRequest("time.example", 8080, true),
              "HEAD http://time.example:8080/ HTTP/1.0\r\n\r\n");
    EXPECT_EQ(HttpHeadRequest("http://time.example/", 8080, true),
              "HEAD http://time.example/ HTTP/1.0\r\n\r\n");
    EXPECT_EQ(HttpHeadRequest("http://time.example/x", 80, true),
              "HEAD http://time.example/x/ HTTP/1.0\r\n\r\n");
}

TEST(NetText, HostTextsThatCouldInjectAreRefused) {
    EXPECT_EQ(HostText(u"ntp.example.jp"), "ntp.example.jp");
    EXPECT_EQ(HostText(u"http://a.example/"), "http://a.example/");
    const Text bad[] = {u"", u"a b", u"a\tb", u"a\r\nHost: x", u"a\x7F", u"a\u3000b", u"ｎｔｐ",
                        Text(u"a\0b", 3)};
    for (const Text& t : bad) EXPECT_FALSE(HostText(t)) << TextToUtf8(t);
}

TEST(NetText, ProxyAddressesStrictly) {
    struct Case {
        const char16_t* text;
        std::optional<ProxyAddress> expected;
    } cases[] = {
        {u"proxy.example:8080", ProxyAddress{"proxy.example", 8080, true}},
        {u"proxy.example", ProxyAddress{"proxy.example", 80, false}},
        {u"10.0.0.1:65535", ProxyAddress{"10.0.0.1", 65535, true}},
        {u"http=p1:8080;https=p2:8443", ProxyAddress{"p1", 8080, true}},
        {u"https=p2:8443;HTTP=p1:3128", ProxyAddress{"p1", 3128, true}},
        {u"http=p1;https=p2:8443", ProxyAddress{"p1", 80, false}},
        {u"https=p2:8443", std::nullopt},
        {u"proxy:0", std::nullopt},
        {u"proxy:65536", std::nullopt},
        {u"proxy:80x", std::nullopt},
        {u"proxy:", std::nullopt},
        {u":8080", std::nullopt},
        {u"proxy:-1", std::nullopt},
        {u"proxy:8080:1", std::nullopt},
        {u"pro xy:8080", std::nullopt},
        {u"junk;http=p1:8080", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseProxy(c.text, 80), c.expected) << TextToUtf8(c.text);
}

TEST(NetText, TimeOutsDottedQuadsAndPorts) {
    EXPECT_EQ(ClampTimeOut(0), kDefaultTimeOutMs);
    EXPECT_EQ(ClampTimeOut(-5), kDefaultTimeOutMs);
    EXPECT_EQ(ClampTimeOut(1), 1);
    EXPECT_EQ(ClampTimeOut(3000), 3000);
    EXPECT_EQ(ClampTimeOut(1LL << 40), kMaxTimeOutMs);
    EXPECT_EQ(ParseDottedQuad("127.0.0.1"), 0x7F000001u);
    EXPECT_EQ(ParseDottedQuad("255.255.255.255"), 0xFFFFFFFFu);
    for (const char* bad : {"127.1", "256.0.0.1", "1.2.3.4.5", "1.2.3.", "a.b.c.d", "1.2.3.4 ", "0001.2.3.4"})
        EXPECT_FALSE(ParseDottedQuad(bad)) << bad;
    EXPECT_FALSE(PortNumber(0));
    EXPECT_EQ(PortNumber(123), 123);
    EXPECT_FALSE(PortNumber(65536));
}

TEST(TimesyncMessages, SuccessCombinedAndReceivedText) {
    const platform::ClockTime t{2026, 1, 2, 5, 3, 4, 5, 7};
    EXPECT_EQ(SuccessMessage(t, true), u"同期に成功しました。\r\n2026年1月2日\r\n3時4分5.007秒");
    EXPECT_EQ(SuccessMessage(t, false), u"同期に成功しました。\r\n2026年1月2日\r\n3時4分5秒");
    EXPECT_EQ(CombinedMessage(u"A", u""), u"A");
    EXPECT_EQ(CombinedMessage(u"", u"B"), u"B");
    EXPECT_EQ(CombinedMessage(u"A", u"B"), u"- NTP通信 -\r\nA\r\n\r\n- HTTP通信 -\r\nB");
    EXPECT_EQ(BadDateMessage("x\r\ny"),
              u"不正な時刻形式を受信しました。\r\n\"x??y\"\r\n日時を更新できませんでした。");
}

}  // namespace
}  // namespace tbq::timesync
