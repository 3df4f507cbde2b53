// The time synchronisation window: server, ports, proxy and time-out, NTP
// first and HTTP after it, the outcome in a message box, the settings kept
// only when the clock was synchronised. The exchange runs on a worker thread
// so the window and the title ticks go on while it waits.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <thread>

#include "timesync/time_sync_run.h"
#include "timesync/vb_ntp.h"
#include "ui/resource.h"
#include "ui/kit/dialog.h"

namespace tbq::ui {

class FrmTimeSync final : public Dialog {
public:
    // Sent to the window by the worker when the exchange has ended.
    static constexpr UINT kExchangeDone = WM_APP + 11;

    FrmTimeSync();
    // Waits for a running exchange (each of its steps ends within the time-out).
    ~FrmTimeSync() override;

    // Opens the window, or brings it to the front when it is open.
    void Show() { OpenModeless(nullptr, IDD_TIMESYNC); }
    // The language changed: the open window shows its texts in the new one.
    void ApplyTexts();

private:
    void OnInit() override;
    // Closing only hides the window; not while the exchange runs.
    void OnCancel() override;
    void OnSync();
    void OnDone();
    void ShowDetail();
    void SetBusy(bool busy);

    std::unique_ptr<timesync::vbNTP> ntp_;
    std::thread worker_;
    std::atomic<bool> busy_{false};
    timesync::SyncRequest request_;
    timesync::SyncOutcome outcome_;
};

}  // namespace tbq::ui
