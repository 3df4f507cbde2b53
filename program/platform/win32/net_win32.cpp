// Winsock sockets, and the system clock setter (SetSystemTime with the
// system-time privilege switched on first).
#include <winsock2.h>
#include <ws2tcpip.h>
// After winsock2.h:
#include <windows.h>

#include "platform/clock_setter.h"
#include "platform/net.h"

namespace tbq::platform::sock {
using SocketHandle = SOCKET;
using AddrLen = int;
using Length = int;
constexpr SocketHandle kInvalid = INVALID_SOCKET;
constexpr int kSendFlags = 0;
inline void Close(SocketHandle h) { ::closesocket(h); }
inline void SetNonBlocking(SocketHandle h) {
    u_long on = 1;
    ::ioctlsocket(h, FIONBIO, &on);
}
inline bool LastWouldBlock() { return WSAGetLastError() == WSAEWOULDBLOCK || WSAGetLastError() == WSAEINPROGRESS; }
inline bool LastMessageTooLong() { return WSAGetLastError() == WSAEMSGSIZE; }
inline bool Selectable(SocketHandle h) { return h != INVALID_SOCKET; }
inline int SelectWidth(SocketHandle) { return 0; }  // ignored by Winsock
// The socket library stays started as long as the program runs.
struct Library {
    Library() {
        WSADATA data;
        ok = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~Library() {
        if (ok) WSACleanup();
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    bool ok = false;
};
}  // namespace tbq::platform::sock

#include "platform/bsd_sockets.inc"

namespace tbq::platform {

namespace {

// Changing the time needs the system-time privilege switched on in our token;
// an ordinary user's token does not hold it at all.
bool EnableSystemTimePrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return false;
    TOKEN_PRIVILEGES tp{};
    tp.PrivilegeCount = 1;
    tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool ok = LookupPrivilegeValueW(nullptr, SE_SYSTEMTIME_NAME, &tp.Privileges[0].Luid) &&
              AdjustTokenPrivileges(token, FALSE, &tp, sizeof tp, nullptr, nullptr) &&
              GetLastError() != ERROR_NOT_ALL_ASSIGNED;
    CloseHandle(token);
    return ok;
}

class Win32ClockSetter final : public ClockSetter {
public:
    SetClockResult SetUtc(const ClockTime& t) override {
        if (!EnableSystemTimePrivilege()) return SetClockResult::Denied;
        SYSTEMTIME st{};
        st.wYear = static_cast<WORD>(t.year);
        st.wMonth = static_cast<WORD>(t.month);
        st.wDay = static_cast<WORD>(t.day);
        st.wHour = static_cast<WORD>(t.hour);
        st.wMinute = static_cast<WORD>(t.minute);
        st.wSecond = static_cast<WORD>(t.second);
        st.wMilliseconds = static_cast<WORD>(t.millisecond);
        if (SetSystemTime(&st)) return SetClockResult::Set;
        const DWORD error = GetLastError();
        return error == ERROR_PRIVILEGE_NOT_HELD || error == ERROR_ACCESS_DENIED
                   ? SetClockResult::Denied
                   : SetClockResult::Invalid;
    }
};

}  // namespace

ClockSetter& DefaultClockSetter() {
    static Win32ClockSetter setter;
    return setter;
}

}  // namespace tbq::platform
