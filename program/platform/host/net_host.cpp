// POSIX sockets for the host build, so host tests reach loopback servers; and
// a clock setter that never touches the clock.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "platform/clock_setter.h"
#include "platform/net.h"

namespace tbq::platform::sock {
using SocketHandle = int;
using AddrLen = socklen_t;
using Length = std::size_t;
constexpr SocketHandle kInvalid = -1;
constexpr int kSendFlags = MSG_NOSIGNAL;  // a closed peer is an error, never a signal
inline void Close(SocketHandle h) { ::close(h); }
inline void SetNonBlocking(SocketHandle h) { ::fcntl(h, F_SETFL, ::fcntl(h, F_GETFL) | O_NONBLOCK); }
inline bool LastWouldBlock() { return errno == EINPROGRESS || errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR; }
inline bool LastMessageTooLong() { return false; }
inline bool Selectable(SocketHandle h) { return h >= 0 && h < FD_SETSIZE; }
inline int SelectWidth(SocketHandle h) { return h + 1; }
struct Library {
    bool ok = true;
};
}  // namespace tbq::platform::sock

#include "platform/bsd_sockets.inc"

namespace tbq::platform {

namespace {
// The host never sets its clock: tests use a fake, and nothing else runs here.
class HostClockSetter final : public ClockSetter {
public:
    SetClockResult SetUtc(const ClockTime&) override { return SetClockResult::Denied; }
};
}  // namespace

ClockSetter& DefaultClockSetter() {
    static HostClockSetter setter;
    return setter;
}

}  // namespace tbq::platform
