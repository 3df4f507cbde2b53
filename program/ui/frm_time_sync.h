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

namespace tbq::ui {

class FrmTimeSync {
public:
    // Sent to the window by the worker when the exchange has ended.
    static constexpr UINT kExchangeDone = WM_APP + 11;

    FrmTimeSync() = default;
    // Waits for a running exchange (each of its steps ends within the time-out).
    ~FrmTimeSync();
    FrmTimeSync(const FrmTimeSync&) = delete;
    FrmTimeSync& operator=(const FrmTimeSync&) = delete;

    // Opens the window, or brings it to the front when it is open.
    void Show();
    HWND hwnd() const { return dlg_; }
    // Keyboard navigation between the controls; true when the message was used.
    bool PreTranslate(MSG& msg);

private:
    static INT_PTR CALLBACK Proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) noexcept;
    INT_PTR Handle(UINT msg, WPARAM wp, LPARAM lp);
    void OnOpen();
    void OnSync();
    void OnDone();
    void ShowDetail();
    void SetBusy(bool busy);
    void Close();

    HWND dlg_ = nullptr;
    std::unique_ptr<timesync::vbNTP> ntp_;
    std::thread worker_;
    std::atomic<bool> busy_{false};
    timesync::SyncRequest request_;
    timesync::SyncOutcome outcome_;
};

}  // namespace tbq::ui
