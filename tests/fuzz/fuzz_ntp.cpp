// clang-format off
// fuzz-sources: program/timesync/*.cpp program/base/*.cpp program/platform/*.cpp program/platform/host/*.cpp
// clang-format on
//
// Any datagrams as the answers to one NTP request; every second one comes from
// a stranger's port. The clock is set at most once, only from the first
// datagram from the server, only when an independent reading of it accepts it
// (48 bytes or more, mode 4, leap indicator not 3, stratum 1-15, our request's
// transmit time as its origin, a transmit time that is not zero), and the time
// set lies between 1968 and 2104.
#include <cstring>

#include "fakes/fake_clock.h"
#include "fuzz/fuzz_net_common.h"
#include "timesync/vb_ntp.h"

using namespace tbq;

namespace {

bool Acceptable(const std::string& d, const std::string& request) {
    if (d.size() < 48) return false;
    const auto b = reinterpret_cast<const std::uint8_t*>(d.data());
    const int mode = b[0] & 7, leap = b[0] >> 6, stratum = b[1];
    bool zero = true;
    for (int i = 40; i < 48; ++i) zero = zero && b[i] == 0;
    return mode == 4 && leap != 3 && stratum >= 1 && stratum <= 15 &&
           std::memcmp(b + 24, request.data() + 40, 8) == 0 && !zero;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScriptNet net;
    net.script.pieces = fuzz::Pieces(data, size);
    if (net.script.pieces.size() > 8) net.script.pieces.resize(8);
    fuzz::RecordingSetter setter;
    test::FakeClock clock;
    clock.utc = {2000, 1, 1, 6, 0, 0, 0, 0};
    timesync::vbNTP ntp(timesync::NtpPorts{&net, &setter, &clock});
    ntp.SetTimeOut(1000);

    const Text message = ntp.DateSync(u"127.0.0.1", 1024, 123);
    fuzz::Require(!message.empty());
    fuzz::Require(setter.calls.size() <= 1);
    fuzz::Require(ntp.Success() == !setter.calls.empty());
    const std::string& request = net.script.sent;
    fuzz::Require(request.size() == 48 && request[0] == 0x0B);
    if (!setter.calls.empty()) {
        // pieces[0] has had its origin filled in when it held "ECHO" there.
        fuzz::Require(Acceptable(net.script.pieces.at(0), request));
        const platform::ClockTime& t = setter.calls[0];
        fuzz::Require(t.year >= 1968 && t.year <= 2104);
    }
    return 0;
}
