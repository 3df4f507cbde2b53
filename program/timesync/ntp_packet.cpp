#include "timesync/ntp_packet.h"

#include "base/date_time.h"

namespace tbq::timesync {

namespace {

constexpr std::uint8_t kClientFirstByte = 0x0B;  // LI 0, VN 1, mode 3
constexpr int kServerMode = 4;
constexpr int kLeapUnsynchronised = 3;
constexpr int kMaxStratum = 15;
constexpr std::size_t kOriginOffset = 24;
constexpr std::size_t kTransmitOffset = 40;
// 1900-01-01 to 1970-01-01.
constexpr std::int64_t kNtpToUnixSeconds = 2208988800LL;
constexpr std::int64_t kEraSeconds = std::int64_t{1} << 32;
constexpr std::uint32_t kTopBit = 0x80000000u;

std::uint64_t Read64(std::span<const std::uint8_t> b, std::size_t at) {
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < 8; ++i) v = (v << 8) | b[at + i];
    return v;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

}  // namespace

NtpPacket MakeNtpRequest(std::uint64_t nonce) {
    NtpPacket p{};
    p[0] = kClientFirstByte;
    for (std::size_t i = 0; i < 8; ++i)
        p[kTransmitOffset + i] = static_cast<std::uint8_t>(nonce >> (56 - 8 * i));
    return p;
}

NtpReply CheckNtpReply(std::span<const std::uint8_t> b, std::uint64_t nonce) {
    NtpReply r;
    if (b.size() < kNtpPacketSize) return r;
    const int leap = b[0] >> 6;
    const int mode = b[0] & 7;
    const int stratum = b[1];
    if (mode != kServerMode) r.check = NtpReplyCheck::NotServer;
    else if (leap == kLeapUnsynchronised) r.check = NtpReplyCheck::Unsynchronised;
    else if (stratum == 0) r.check = NtpReplyCheck::KissOfDeath;
    else if (stratum > kMaxStratum) r.check = NtpReplyCheck::BadStratum;
    else if (Read64(b, kOriginOffset) != nonce) r.check = NtpReplyCheck::WrongOrigin;
    else if (Read64(b, kTransmitOffset) == 0) r.check = NtpReplyCheck::ZeroTransmit;
    else {
        const std::uint64_t t = Read64(b, kTransmitOffset);
        r.check = NtpReplyCheck::Ok;
        r.transmit = NtpTimestampToUnixMs(static_cast<std::uint32_t>(t >> 32),
                                          static_cast<std::uint32_t>(t));
    }
    return r;
}

UnixMs NtpTimestampToUnixMs(std::uint32_t seconds, std::uint32_t fraction) {
    std::int64_t s = seconds;
    if ((seconds & kTopBit) == 0) s += kEraSeconds;
    const std::int64_t ms = (static_cast<std::int64_t>(fraction) * 1000) >> 32;
    return (s - kNtpToUnixSeconds) * 1000 + ms;
}

platform::ClockTime UtcFromUnixMs(UnixMs ms) {
    const std::int64_t secs = FloorDiv(ms, 1000);
    const DateTime d = FromSerialSeconds(secs);
    platform::ClockTime t;
    t.year = d.year;
    t.month = d.month;
    t.day = d.day;
    t.hour = d.hour;
    t.minute = d.minute;
    t.second = d.second;
    t.dayOfWeek = DayOfWeek(d);
    t.millisecond = static_cast<int>(ms - secs * 1000);
    return t;
}

UnixMs UnixMsFromClockTime(const platform::ClockTime& t) {
    const DateTime d{t.year, t.month, t.day, t.hour, t.minute, t.second};
    return ToSerialSeconds(d) * 1000 + t.millisecond;
}

}  // namespace tbq::timesync
