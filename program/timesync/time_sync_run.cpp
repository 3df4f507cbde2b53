#include "timesync/time_sync_run.h"

#include "timesync/messages.h"
#include "timesync/net_text.h"

namespace tbq::timesync {

namespace {
int PortOrZero(long long value) { return PortNumber(value).value_or(0); }
}  // namespace

SyncOutcome RunTimeSync(vbNTP& ntp, const SyncRequest& r) {
    SyncOutcome out;
    out.flag = r.flag;
    out.timeOut = ClampTimeOut(r.timeOut);
    ntp.SetTimeOut(out.timeOut);
    // An earlier exchange's success must not stand for this one.
    ntp.SetSuccess(false);
    Text ntpText, httpText;
    if (r.flag & kUseNtp) ntpText = ntp.DateSync(r.server, kNtpLocalPort, PortOrZero(r.ntpPort));
    if (!ntp.Success()) {
        out.flag &= static_cast<std::uint8_t>(~kUseNtp);
        if (r.flag & kUseHttp) {
            const Text proxy = (r.flag & kUseProxy) ? r.proxy : Text();
            httpText = ntp.DateSyncHttp(r.server, PortOrZero(r.httpPort), proxy);
        }
    }
    out.success = ntp.Success();
    out.message = CombinedMessage(ntpText, httpText);
    if (out.message.empty()) out.message = Text(kMsgNothingTicked);
    return out;
}

}  // namespace tbq::timesync
