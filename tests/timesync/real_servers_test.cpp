// vbNTP against real servers on loopback: chronyd (NTP), nginx (HTTP) and
// tinyproxy (HTTP proxy), started for the test run by tests/harness/net-servers,
// which names their ports in the file $TBQ_NET_SERVERS. The clock setter is a
// fake: the time it is handed must be the server's, which is this machine's.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "fakes/fake_clock.h"
#include "fakes/fake_clock_setter.h"
#include "timesync/messages.h"
#include "timesync/vb_ntp.h"

namespace tbq::timesync {
namespace {

std::map<std::string, int> Servers() {
    std::map<std::string, int> ports;
    const char* env = std::getenv("TBQ_NET_SERVERS");
    if (!env || !*env) return ports;
    std::string path = env;
#ifdef _WIN32
    // Wine shows the Unix root as drive Z:.
    if (path.front() == '/') {
        for (char& c : path)
            if (c == '/') c = '\\';
        path = "Z:" + path;
    }
#endif
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq != std::string::npos) ports[line.substr(0, eq)] = std::atoi(line.c_str() + eq + 1);
    }
    return ports;
}

std::int64_t RealNowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

class RealServers : public ::testing::Test {
protected:
    void SetUp() override {
        ports = Servers();
        if (ports.empty()) GTEST_SKIP() << "TBQ_NET_SERVERS names no servers (ctest starts them)";
        clock.utc = {2001, 2, 3, 6, 4, 5, 6, 0};  // far from now: the clock must be set
        ntp.Initialize();
        ntp.SetTimeOut(3000);
    }
    // How far the time handed to the setter is from this machine's clock now.
    std::int64_t SetMinusNow() {
        EXPECT_EQ(setter.Calls().size(), 1u);
        if (setter.Calls().empty()) return 1 << 30;
        return UnixMsFromClockTime(setter.Calls().back()) - RealNowMs();
    }

    std::map<std::string, int> ports;
    test::FakeClock clock;
    test::FakeClockSetter setter;
    vbNTP ntp{NtpPorts{nullptr, &setter, &clock}};
};

TEST_F(RealServers, ChronySetsTheServersTime) {
    const Text message = ntp.DateSync(u"127.0.0.1", 0, ports.at("ntp"));
    EXPECT_TRUE(ntp.Success()) << TextToUtf8(message);
    const std::int64_t d = SetMinusNow();
    EXPECT_LT(std::abs(d), 1000) << d;
}

TEST_F(RealServers, NginxDateDirectlyAndThroughTinyproxy) {
    Text message = ntp.DateSyncHttp(u"127.0.0.1", ports.at("http"), u"");
    EXPECT_TRUE(ntp.Success()) << TextToUtf8(message);
    // The Date header counts whole seconds: the moment set is at most one
    // second (and the way back) behind.
    std::int64_t d = SetMinusNow();
    EXPECT_GT(d, -1500);
    EXPECT_LE(d, 0);

    // Through tinyproxy, given with its port (the HTTP port is then the
    // server's), and given bare (the HTTP port is then the proxy's, and the
    // server's own port goes with the server's name).
    const Text proxy = u"127.0.0.1:" + NumberText(ports.at("proxy"));
    struct Case {
        Text server;
        int port;
        Text proxy;
    } cases[] = {
        {u"127.0.0.1", ports.at("http"), u"http=" + proxy + u";https=x:1"},
        {u"127.0.0.1:" + NumberText(ports.at("http")), ports.at("proxy"), u"127.0.0.1"},
    };
    for (const Case& c : cases) {
        test::FakeClockSetter viaProxy;
        vbNTP proxied(NtpPorts{nullptr, &viaProxy, &clock});
        proxied.SetTimeOut(3000);
        message = proxied.DateSyncHttp(c.server, c.port, c.proxy);
        EXPECT_TRUE(proxied.Success()) << TextToUtf8(c.proxy) << ": " << TextToUtf8(message);
        ASSERT_EQ(viaProxy.Calls().size(), 1u);
        d = UnixMsFromClockTime(viaProxy.Calls()[0]) - RealNowMs();
        EXPECT_GT(d, -1500);
        EXPECT_LE(d, 0);
    }
}

TEST_F(RealServers, AStoppedServerFailsWithinTheTimeOut) {
    ntp.SetTimeOut(500);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ntp.DateSync(u"127.0.0.1", 0, ports.at("ntp_stopped")), kMsgReceiveFailed);
    EXPECT_EQ(ntp.DateSyncHttp(u"127.0.0.1", ports.at("ntp_stopped"), u""), kMsgConnectFailed);
    // Through the proxy to a server that is not there: the proxy's own error
    // page carries the proxy's date, which must not set the clock.
    const Text proxied = ntp.DateSyncHttp(u"127.0.0.1", ports.at("ntp_stopped"),
                                          u"127.0.0.1:" + NumberText(ports.at("proxy")));
    EXPECT_FALSE(ntp.Success()) << TextToUtf8(proxied);
    EXPECT_TRUE(setter.Calls().empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

}  // namespace
}  // namespace tbq::timesync
