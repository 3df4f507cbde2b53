#include "platform/win32/plugin_hosts_win32.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tbq::platform {

namespace {
constexpr DWORD kPipeBuffer = 64 * 1024;
// What a hung or crashed host is ended with.
constexpr UINT kEndedExitCode = 0xDEAD;
// Handles count up from here; each host's handle is its own, whatever module
// address the plug-in has inside it.
constexpr PluginHandle kHandleStep = 0x10000;
// The text function's "address" as the program sees it: the handle, offset.
constexpr PluginProc kProcOffset = 1;

TBQ_HostRequest Request(std::int32_t op) {
    TBQ_HostRequest q;
    std::memset(&q, 0, sizeof q);
    q.op = op;
    return q;
}
std::uint64_t Window(WindowId w) { return w; }
}  // namespace

PluginHosts::PluginHosts(std::wstring hostExe) : hostExe_(std::move(hostExe)) {
    // Hosts end with TBQ, even one stuck inside its plug-in.
    job_.reset(CreateJobObjectW(nullptr, nullptr));
    if (job_) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
}

PluginHosts::~PluginHosts() {
    for (auto& [handle, host] : hosts_) End(host);
}

PluginHosts::Host* PluginHosts::Find(PluginHandle plugin) {
    auto it = hosts_.find(plugin);
    return it == hosts_.end() || it->second.broken ? nullptr : &it->second;
}

void PluginHosts::End(Host& host) {
    host.broken = true;
    if (host.process && WaitForSingleObject(host.process.get(), 0) == WAIT_TIMEOUT)
        TerminateProcess(host.process.get(), kEndedExitCode);
    host.pipe.reset();
}

bool PluginHosts::Transfer(Host& host, void* data, DWORD size, bool write, ULONGLONG deadline,
                           bool pump) {
    auto* p = static_cast<char*>(data);
    while (size > 0) {
        OVERLAPPED o{};
        o.hEvent = host.event.get();
        ResetEvent(o.hEvent);
        DWORD done = 0;
        BOOL ok = write ? WriteFile(host.pipe.get(), p, size, nullptr, &o)
                        : ReadFile(host.pipe.get(), p, size, nullptr, &o);
        if (!ok && GetLastError() != ERROR_IO_PENDING) return false;
        for (;;) {
            const HANDLE waits[2] = {o.hEvent, host.process.get()};
            const ULONGLONG now = GetTickCount64();
            const DWORD left = deadline == 0 ? INFINITE : (now >= deadline ? 0 : static_cast<DWORD>(deadline - now));
            const DWORD w = pump ? MsgWaitForMultipleObjects(2, waits, FALSE, left, QS_ALLINPUT)
                                 : WaitForMultipleObjects(2, waits, FALSE, left);
            if (w == WAIT_OBJECT_0) break;
            // The host ended; its last answer may have arrived just before.
            if (w == WAIT_OBJECT_0 + 1 && WaitForSingleObject(o.hEvent, 0) == WAIT_OBJECT_0) break;
            if (pump && w == WAIT_OBJECT_0 + 2) {
                MSG msg;
                while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                    TranslateMessage(&msg);
                    DispatchMessageW(&msg);
                }
                continue;
            }
            // Too late: the answer will never be read.
            CancelIo(host.pipe.get());
            GetOverlappedResult(host.pipe.get(), &o, &done, TRUE);
            return false;
        }
        if (!GetOverlappedResult(host.pipe.get(), &o, &done, FALSE) || done == 0) return false;
        p += done, size -= done;
    }
    return true;
}

bool PluginHosts::Call(Host& host, TBQ_HostRequest q, std::int32_t& result, void* data,
                       std::size_t capacity, DWORD budgetMs) {
    if (host.broken || host.busy) return false;
    const bool pump = budgetMs == INFINITE;
    const ULONGLONG deadline = pump ? 0 : GetTickCount64() + budgetMs;
    host.busy = pump;
    TBQ_HostReply r{};
    bool ok = Transfer(host, &q, sizeof q, true, deadline, pump) &&
              Transfer(host, &r, sizeof r, false, deadline, pump) && r.bytes <= TBQ_HOST_MAX_DATA;
    if (ok && r.bytes > 0) {
        std::vector<char> all(r.bytes);
        ok = Transfer(host, all.data(), r.bytes, false, deadline, pump);
        if (ok && data) std::memcpy(data, all.data(), std::min<std::size_t>(capacity, r.bytes));
    }
    host.busy = false;
    if (!ok) {
        End(host);
        return false;
    }
    result = r.result;
    return true;
}

PluginLoad PluginHosts::Init(const std::string& ansiPath) {
    if (ansiPath.size() >= TBQ_HOST_PATH_SIZE) return {};
    const std::wstring name = L"\\\\.\\pipe\\TBQPluginHost-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++serial_);
    Host host;
    host.pipe = win32::UniqueHandle(CreateNamedPipeW(
        name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, kPipeBuffer,
        kPipeBuffer, 0, nullptr));
    host.event = win32::UniqueHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!host.pipe || !host.event) return {};

    std::wstring command = L"\"" + hostExe_ + L"\" " + name;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(hostExe_.c_str(), command.data(), nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr, nullptr, &si, &pi))
        return {};
    host.process = win32::UniqueHandle(pi.hProcess);
    if (job_) AssignProcessToJobObject(job_.get(), pi.hProcess);
    ResumeThread(pi.hThread);
    CloseHandle(pi.hThread);

    // The host connects first; it may also die before it does.
    OVERLAPPED o{};
    o.hEvent = host.event.get();
    bool connected = ConnectNamedPipe(host.pipe.get(), &o) != FALSE || GetLastError() == ERROR_PIPE_CONNECTED;
    if (!connected && GetLastError() == ERROR_IO_PENDING) {
        const HANDLE waits[2] = {o.hEvent, host.process.get()};
        if (WaitForMultipleObjects(2, waits, FALSE, kLoadBudgetMs) == WAIT_OBJECT_0) {
            DWORD unused = 0;
            connected = GetOverlappedResult(host.pipe.get(), &o, &unused, FALSE) != FALSE;
        } else {
            CancelIo(host.pipe.get());
        }
    }
    if (!connected) {
        End(host);
        return {};
    }
    std::int32_t loaded = 0;
    TBQ_HostRequest q = Request(TBQ_HOST_INIT);
    std::memcpy(q.path, ansiPath.c_str(), ansiPath.size() + 1);
    // The host loads the file and runs its Init inside this call: no answer
    // in time means the plug-in crashed or hung there.
    const bool answered = Call(host, q, loaded, nullptr, 0, kLoadBudgetMs);
    if (!answered || !loaded) {
        End(host);
        return {0, !answered};
    }
    const PluginHandle handle = next_;
    next_ += kHandleStep;
    hosts_.emplace(handle, std::move(host));
    return {handle, false};
}

bool PluginHosts::Free(PluginHandle plugin) {
    auto it = hosts_.find(plugin);
    if (it == hosts_.end()) return false;
    Host& host = it->second;
    if (host.busy) {
        // Freed from inside its own dialog's wait: the host is ended, and its
        // entry stays until that wait is over.
        End(host);
        return false;
    }
    std::int32_t result = 0;
    const bool freed = !host.broken && Call(host, Request(TBQ_HOST_FREE), result, nullptr, 0, kQueryBudgetMs);
    // A host that answered ends by itself; one that did not is ended.
    if (freed) WaitForSingleObject(host.process.get(), kQueryBudgetMs);
    End(host);
    hosts_.erase(it);
    return freed && result != 0;
}

bool PluginHosts::GetInfo(PluginHandle plugin, PluginInfoBytes& record) {
    record.fill(0);
    std::int32_t r = 0;
    Host* h = Find(plugin);
    return h && Call(*h, Request(TBQ_HOST_GET_INFO), r, record.data(), record.size(), kQueryBudgetMs);
}

bool PluginHosts::GetFuncInfo(PluginHandle plugin, std::int32_t funcNo, PluginFuncBytes& record) {
    record.fill(0);
    std::int32_t r = 0;
    TBQ_HostRequest q = Request(TBQ_HOST_GET_FUNC_INFO);
    q.func = funcNo;
    Host* h = Find(plugin);
    return h && Call(*h, q, r, record.data(), record.size(), kQueryBudgetMs);
}

void PluginHosts::GetFuncSettingName(PluginHandle plugin, std::int32_t funcNo, std::int32_t settingNo,
                                     char* buffer, std::int32_t size) {
    if (!buffer || size <= 0) return;
    std::memset(buffer, 0, static_cast<std::size_t>(size));
    TBQ_HostRequest q = Request(TBQ_HOST_GET_SETTING_NAME);
    q.func = funcNo, q.setting = settingNo, q.size = size;
    std::int32_t r = 0;
    if (Host* h = Find(plugin)) Call(*h, q, r, buffer, static_cast<std::size_t>(size), kQueryBudgetMs);
    buffer[size - 1] = '\0';
}

PluginProc PluginHosts::GetFuncProc(PluginHandle plugin) { return Find(plugin) ? plugin + kProcOffset : 0; }

std::optional<std::int32_t> PluginHosts::GetText(PluginHandle plugin, std::int32_t funcNo,
                                                 std::int32_t settingNo, WindowId window, char* buffer,
                                                 std::int32_t size, std::size_t capacity) {
    auto it = hosts_.find(plugin);
    if (it == hosts_.end()) return 0;
    Host& host = it->second;
    if (host.broken) return std::nullopt;
    // The plug-in is showing a box of its own: no text until it is closed.
    if (host.busy) return 0;
    TBQ_HostRequest q = Request(TBQ_HOST_GET_TEXT);
    q.func = funcNo, q.setting = settingNo, q.window = Window(window);
    q.size = buffer ? size : 0;
    q.capacity = buffer ? static_cast<std::uint32_t>(std::min<std::size_t>(capacity, TBQ_HOST_MAX_DATA)) : 0;
    std::int32_t r = 0;
    if (!Call(host, q, r, buffer, q.capacity, kTextBudgetMs)) return std::nullopt;
    return r;
}

std::optional<std::vector<PluginTextAnswer>> PluginHosts::GetTexts(PluginHandle plugin, WindowId window,
                                                                   const std::vector<PluginTextAsk>& asks,
                                                                   std::int32_t maxLength, std::int32_t spare) {
    std::vector<PluginTextAnswer> answers;
    auto it = hosts_.find(plugin);
    // Unknown or busy: the one-by-one questions give their usual answers.
    if (it == hosts_.end() || it->second.busy || asks.empty()) return answers;
    Host& host = it->second;
    if (host.broken) return std::nullopt;
    const std::size_t count = std::min<std::size_t>(asks.size(), TBQ_HOST_MAX_ASKS);
    TBQ_HostRequest q = Request(TBQ_HOST_GET_TEXTS);
    q.func = static_cast<std::int32_t>(count);
    q.window = Window(window);
    q.size = maxLength;
    q.capacity = static_cast<std::uint32_t>(std::max(spare, 0));
    for (std::size_t i = 0; i < count; ++i) {
        const TBQ_HostTextAsk a{asks[i].funcNo, asks[i].settingNo, asks[i].utf16 ? 2 : 1, 0};
        std::memcpy(q.path + i * sizeof a, &a, sizeof a);
    }
    std::vector<char>& data = texts_;
    data.resize(TBQ_HOST_MAX_DATA);
    std::int32_t answered = 0;
    // Each text has the budget it would have alone.
    if (!Call(host, q, answered, data.data(), data.size(), kTextBudgetMs * static_cast<DWORD>(count)))
        return std::nullopt;
    std::size_t at = 0;
    for (std::int32_t i = 0; i < answered && i < static_cast<std::int32_t>(count); ++i) {
        TBQ_HostTextAnswer a;
        if (at + sizeof a > data.size()) break;
        std::memcpy(&a, data.data() + at, sizeof a);
        at += sizeof a;
        if (a.bytes > data.size() - at) break;
        PluginTextAnswer answer;
        answer.length = a.length;
        answer.written = a.written;
        answer.bytes.assign(data.data() + at, data.data() + at + a.bytes);
        at += a.bytes;
        answers.push_back(std::move(answer));
    }
    return answers;
}

void PluginHosts::ShowAbout(PluginHandle plugin, WindowId owner) {
    TBQ_HostRequest q = Request(TBQ_HOST_SHOW_ABOUT);
    q.window = Window(owner);
    std::int32_t r = 0;
    if (Host* h = Find(plugin)) Call(*h, q, r, nullptr, 0, INFINITE);
}

void PluginHosts::ShowSetting(PluginHandle plugin, std::int32_t funcNo, std::int32_t settingNo, WindowId owner) {
    TBQ_HostRequest q = Request(TBQ_HOST_SHOW_SETTING);
    q.func = funcNo, q.setting = settingNo, q.window = Window(owner);
    std::int32_t r = 0;
    if (Host* h = Find(plugin)) Call(*h, q, r, nullptr, 0, INFINITE);
}

}  // namespace tbq::platform
