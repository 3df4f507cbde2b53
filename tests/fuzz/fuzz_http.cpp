// clang-format off
// fuzz-sources: program/timesync/*.cpp program/base/*.cpp program/platform/*.cpp program/platform/host/*.cpp
// clang-format on
//
// Any bytes, cut into any pieces, as the response to the HEAD request. The
// reader never takes more than 4 KiB; the clock is set at most once, and only
// to a moment whose HTTP date (in one of its three forms) stands on a "Date:"
// line of the header the program read.
#include <cstdio>

#include "fakes/fake_clock.h"
#include "fuzz/fuzz_net_common.h"
#include "timesync/http_date.h"
#include "timesync/vb_ntp.h"

using namespace tbq;

namespace {

constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kLongDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool Contains(const std::string& hay, const char* needle) { return hay.find(needle) != std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScriptNet net;
    net.script.pieces = fuzz::Pieces(data, size);
    std::string all;
    for (const std::string& p : net.script.pieces) all += p;
    fuzz::RecordingSetter setter;
    test::FakeClock clock;
    clock.utc = {2000, 1, 1, 6, 0, 0, 0, 0};
    timesync::vbNTP ntp(timesync::NtpPorts{&net, &setter, &clock});
    ntp.SetTimeOut(1000);

    const Text message = ntp.DateSyncHttp(u"127.0.0.1", 80, u"");
    fuzz::Require(!message.empty());
    fuzz::Require(net.script.sent == "HEAD / HTTP/1.0\r\n\r\n");
    fuzz::Require(net.script.handedOut <= timesync::HttpResponseReader::kLimit);
    fuzz::Require(setter.calls.size() <= 1);
    fuzz::Require(ntp.Success() == !setter.calls.empty());
    if (!setter.calls.empty()) {
        const platform::ClockTime& t = setter.calls[0];
        const std::string read = all.substr(0, net.script.handedOut);
        char imf[64], rfc850[64], asc[64], asc2[64];
        std::snprintf(imf, sizeof imf, "%s, %02d %s %04d %02d:%02d:%02d GMT", kDays[t.dayOfWeek], t.day,
                      kMonths[t.month - 1], t.year, t.hour, t.minute, t.second);
        std::snprintf(rfc850, sizeof rfc850, "%s, %02d-%s-%02d %02d:%02d:%02d GMT",
                      kLongDays[t.dayOfWeek], t.day, kMonths[t.month - 1], t.year % 100, t.hour,
                      t.minute, t.second);
        std::snprintf(asc, sizeof asc, "%s %s %2d %02d:%02d:%02d %04d", kDays[t.dayOfWeek],
                      kMonths[t.month - 1], t.day, t.hour, t.minute, t.second, t.year);
        // asctime's day is " 6" or "06".
        std::snprintf(asc2, sizeof asc2, "%s %s %02d %02d:%02d:%02d %04d", kDays[t.dayOfWeek],
                      kMonths[t.month - 1], t.day, t.hour, t.minute, t.second, t.year);
        fuzz::Require(Contains(read, imf) || Contains(read, rfc850) || Contains(read, asc) ||
                      Contains(read, asc2));
        fuzz::Require(t.millisecond == 0);
        fuzz::Require(read.compare(0, 5, "HTTP/") == 0);
    }
    return 0;
}
