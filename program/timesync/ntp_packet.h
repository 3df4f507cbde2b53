// NTP on the wire: the 48-byte client request, the checks a reply must pass
// before its time is believed, and NTP timestamps as moments (with the era
// that begins on 7 February 2036).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/clock.h"

namespace tbq::timesync {

inline constexpr std::size_t kNtpPacketSize = 48;
using NtpPacket = std::array<std::uint8_t, kNtpPacketSize>;

// Milliseconds since 1970-01-01 00:00:00 UTC: the moments this subsystem counts in.
using UnixMs = std::int64_t;

// Leap indicator 0, version 1, mode 3 (client); `nonce` goes into the transmit
// field and must come back as the reply's origin time.
NtpPacket MakeNtpRequest(std::uint64_t nonce);

enum class NtpReplyCheck {
    Ok,
    Short,           // fewer than 48 bytes
    NotServer,       // mode is not 4
    Unsynchronised,  // leap indicator 3: the server's clock is not set
    KissOfDeath,     // stratum 0: the server refuses or asks us to go away
    BadStratum,      // stratum above 15
    WrongOrigin,     // not an answer to our request
    ZeroTransmit,    // no time in it
};

struct NtpReply {
    NtpReplyCheck check = NtpReplyCheck::Short;
    UnixMs transmit = 0;  // the server's transmit time, when check is Ok
};

NtpReply CheckNtpReply(std::span<const std::uint8_t> bytes, std::uint64_t nonce);

// An NTP timestamp (seconds since 1900 and a binary fraction). Seconds with
// the top bit set are 1968 to 2036; with it clear, the era after 2036-02-07
// 06:28:16 UTC, so no reply ever reads as 1900.
UnixMs NtpTimestampToUnixMs(std::uint32_t seconds, std::uint32_t fraction);

platform::ClockTime UtcFromUnixMs(UnixMs ms);
UnixMs UnixMsFromClockTime(const platform::ClockTime& t);

}  // namespace tbq::timesync
