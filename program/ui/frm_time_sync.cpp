#include "ui/frm_time_sync.h"

#include <string>

#include "app/settings_files.h"
#include "core/diag_log.h"
#include "core/program_location.h"
#include "platform/ports.h"
#include "settings/ini_file.h"
#include "timesync/messages.h"
#include "ui/editor_support.h"
#include "ui/resource.h"
#include "ui/window_helpers.h"
#include "win32/wide.h"

namespace tbq::ui {

namespace {

constexpr int kDetailControls[] = {IDC_TS_DETAILGROUP, IDC_TS_NTPPORT_LABEL, IDC_TS_NTPPORT,
                                   IDC_TS_HTTPPORT_LABEL, IDC_TS_HTTPPORT, IDC_TS_TIMEOUT_LABEL,
                                   IDC_TS_TIMEOUT, IDC_TS_PROXY, IDC_TS_PROXYTEXT};
constexpr int kInputControls[] = {IDC_TS_SERVER, IDC_TS_NTP, IDC_TS_HTTP, IDC_TS_DETAIL,
                                  IDC_TS_NTPPORT, IDC_TS_HTTPPORT, IDC_TS_TIMEOUT, IDC_TS_PROXY,
                                  IDC_TS_PROXYTEXT, IDC_TS_SYNC, IDC_TS_SYSTEM, IDCANCEL};
// Ten digits hold every value a field can sensibly have.
constexpr std::size_t kMaxNumberDigits = 10;
constexpr int kMaxServers = 999;

Text Caption() { return Text(kProductName) + Text(Tr(TextId::SyncCaption)); }

// The field's leading digits as a number; 0 when there are none.
long long FieldNumber(HWND dlg, int id) {
    const Text t = FieldText(dlg, id);
    long long v = 0;
    std::size_t digits = 0;
    for (char16_t c : t) {
        if (c < u'0' || c > u'9' || ++digits > kMaxNumberDigits) break;
        v = v * 10 + (c - u'0');
    }
    return v;
}

bool Ticked(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }
void Tick(HWND dlg, int id, bool on) { CheckDlgButton(dlg, id, on ? BST_CHECKED : BST_UNCHECKED); }

std::uint8_t FlagFromBoxes(HWND dlg) {
    using namespace timesync;
    return static_cast<std::uint8_t>((Ticked(dlg, IDC_TS_NTP) ? kUseNtp : 0) |
                                     (Ticked(dlg, IDC_TS_HTTP) ? kUseHttp : 0) |
                                     (Ticked(dlg, IDC_TS_PROXY) ? kUseProxy : 0) |
                                     (Ticked(dlg, IDC_TS_DETAIL) ? kShowDetail : 0));
}

}  // namespace

FrmTimeSync::~FrmTimeSync() {
    if (worker_.joinable()) worker_.join();
}

FrmTimeSync::FrmTimeSync() {
    OnCommand(IDC_TS_SYNC, [this] { OnSync(); });
    OnCommand(IDC_TS_DETAIL, [this] { ShowDetail(); });
    OnCommand(IDC_TS_SYSTEM, [] {
        platform::shell().Open(u"open", u"rundll32.exe", u"shell32.dll,Control_RunDLL timedate.cpl", u"");
    });
    OnMessage(kExchangeDone, [this](WPARAM, LPARAM) -> INT_PTR {
        OnDone();
        return TRUE;
    });
}

void FrmTimeSync::OnInit() {
    ntp_ = std::make_unique<timesync::vbNTP>();
    ntp_->Initialize();
    ApplyTexts();
    SendDlgItemMessageW(dlg_, IDC_TS_SERVER, CB_RESETCONTENT, 0, 0);
    vbIniFile data(ProgramFolder() + DataFileName());
    for (int i = 1; i <= kMaxServers; ++i) {
        wchar_t key[16];
        swprintf(key, 16, L"Server%03d", i);
        const Text server = data.GetText(u"TimeServer", win32::FromWide(key), u"");
        if (server.empty()) break;
        SendDlgItemMessageW(dlg_, IDC_TS_SERVER, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(win32::Wide(server).c_str()));
    }
    const NetworkTimeSetting n = LoadNetworkTimeSetting();
    SetField(dlg_, IDC_TS_SERVER, n.TimeServer);
    SetField(dlg_, IDC_TS_NTPPORT, NumberText(n.Port));
    SetField(dlg_, IDC_TS_HTTPPORT, NumberText(n.HttpPort));
    SetField(dlg_, IDC_TS_TIMEOUT, NumberText(n.TimeOut));
    SetField(dlg_, IDC_TS_PROXYTEXT, n.ProxyServer);
    Tick(dlg_, IDC_TS_NTP, n.Flag & timesync::kUseNtp);
    Tick(dlg_, IDC_TS_HTTP, n.Flag & timesync::kUseHttp);
    Tick(dlg_, IDC_TS_PROXY, n.Flag & timesync::kUseProxy);
    Tick(dlg_, IDC_TS_DETAIL, n.Flag & timesync::kShowDetail);
    ShowDetail();
}

void FrmTimeSync::ApplyTexts() {
    if (!dlg_) return;
    RetranslateTemplate();
    SetWindowTextW(dlg_, win32::Wide(Caption()).c_str());
}

void FrmTimeSync::ShowDetail() {
    const int show = Ticked(dlg_, IDC_TS_DETAIL) ? SW_SHOW : SW_HIDE;
    for (int id : kDetailControls) ShowWindow(GetDlgItem(dlg_, id), show);
}

void FrmTimeSync::SetBusy(bool busy) {
    busy_ = busy;
    for (int id : kInputControls) EnableWindow(GetDlgItem(dlg_, id), !busy);
}

void FrmTimeSync::OnSync() {
    if (busy_) return;
    timesync::SyncRequest r;
    r.server = FieldText(dlg_, IDC_TS_SERVER);
    if (r.server.empty()) {
        platform::dialogs().Show(WindowIdOf(dlg_), Text(timesync::kMsgNoServer), Caption(),
                                 platform::BoxStyle::Warning);
        return;
    }
    r.ntpPort = FieldNumber(dlg_, IDC_TS_NTPPORT);
    r.httpPort = FieldNumber(dlg_, IDC_TS_HTTPPORT);
    r.timeOut = FieldNumber(dlg_, IDC_TS_TIMEOUT);
    r.proxy = FieldText(dlg_, IDC_TS_PROXYTEXT);
    r.flag = FlagFromBoxes(dlg_);
    // The time-out actually used is shown before the wait begins.
    SetField(dlg_, IDC_TS_TIMEOUT, NumberText(timesync::ClampTimeOut(r.timeOut)));
    request_ = r;
    SetBusy(true);
    if (worker_.joinable()) worker_.join();
    HWND dlg = dlg_;
    worker_ = std::thread([this, dlg] {
        // Every failure is a message; nothing escapes the thread.
        try {
            outcome_ = timesync::RunTimeSync(*ntp_, request_);
        } catch (...) {
            outcome_ = {};
            outcome_.message = Text(timesync::kMsgSocketFailed);
        }
        PostMessageW(dlg, kExchangeDone, 0, 0);
    });
}

void FrmTimeSync::OnDone() {
    if (worker_.joinable()) worker_.join();
    const timesync::SyncOutcome out = outcome_;
    Tick(dlg_, IDC_TS_NTP, out.flag & timesync::kUseNtp);
    SetField(dlg_, IDC_TS_TIMEOUT, NumberText(out.timeOut));
    if (out.success) {
        NetworkTimeSetting n;
        n.Flag = FlagFromBoxes(dlg_);
        n.TimeServer = request_.server;
        n.Port = static_cast<std::int32_t>(FieldNumber(dlg_, IDC_TS_NTPPORT));
        n.TimeOut = out.timeOut;
        n.HttpPort = static_cast<std::int32_t>(FieldNumber(dlg_, IDC_TS_HTTPPORT));
        n.ProxyServer = request_.proxy;
        SaveNetworkTimeSetting(n);
    }
    SetBusy(false);
    Text event = out.success ? u"時刻合わせ(" : u"時刻合わせ失敗(";
    event += request_.server;
    event += u"): ";
    event += out.message;
    LogEvent(event);
    platform::dialogs().Show(WindowIdOf(dlg_), out.message, Caption(),
                             out.success ? platform::BoxStyle::Information : platform::BoxStyle::Error);
}

void FrmTimeSync::OnCancel() {
    // While the exchange runs the window stays; it ends within the time-out.
    if (busy_) return;
    ShowWindow(dlg_, SW_HIDE);
}

}  // namespace tbq::ui
