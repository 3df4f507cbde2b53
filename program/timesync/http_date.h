// The HTTP side of network time: the HEAD request (direct or through a proxy),
// reading a response until its header ends, and the Date header read strictly
// as an HTTP date in UTC.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tbq::timesync {

// The port an address without ":port" means.
inline constexpr std::uint16_t kDefaultHttpPort = 80;

// "HEAD / HTTP/1.0" directly; through a proxy the absolute address of the
// server ("http://" put in front and ":port" after the host unless the text is
// already an address beginning "http://", "/" at the end). Each line ends CR LF,
// the request with an empty line. `server` has passed the host-text check.
std::string HttpHeadRequest(std::string_view server, std::uint16_t port, bool viaProxy);

// Gathers what the server sends until the empty line that ends the header, the
// limit, or whatever the caller's reading ends on (the connection's end, the
// time-out).
class HttpResponseReader {
public:
    static constexpr std::size_t kLimit = 4096;
    // False once reading should stop: the header is complete or the limit is reached.
    bool Add(std::span<const std::uint8_t> bytes);
    bool WantsMore() const;
    // How much one more receive may take.
    std::size_t Room() const { return kLimit - data_.size(); }
    std::string_view Bytes() const { return data_; }

private:
    std::string data_;
    bool headerEnded_ = false;
};

struct HttpDate {
    enum class Status { Ok, Empty, NoDate, BadDate, ServerError };
    Status status = Status::Empty;
    std::int64_t unixSeconds = 0;  // when Ok
    std::string text;              // the Date value (BadDate) or the status line (ServerError)
};

// Finds the first Date header of a response (header names in any letter case)
// and reads it. A status of 5xx is an error of the server or the proxy, whose
// Date is not the server's. `referenceYear` places two-digit years.
HttpDate FindHttpDate(std::string_view response, int referenceYear);

// The three forms of the HTTP date, in UTC: "Sun, 06 Nov 1994 08:49:37 GMT",
// the obsolete "Sunday, 06-Nov-94 08:49:37 GMT" and "Sun Nov  6 08:49:37 1994".
// Nothing else: the weekday must agree with the date, no field may be out of range.
std::optional<std::int64_t> ParseHttpDate(std::string_view value, int referenceYear);

}  // namespace tbq::timesync
