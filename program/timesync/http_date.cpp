#include "timesync/http_date.h"

#include <array>
#include <cstring>

#include "base/date_time.h"

namespace tbq::timesync {

namespace {

constexpr std::string_view kHeaderEnd = "\r\n\r\n";
constexpr std::string_view kBareHeaderEnd = "\n\n";
constexpr int kFutureYearsLimit = 50;
constexpr int kMinYear = 1970;
constexpr int kMaxYear = 9999;

constexpr std::array<std::string_view, 7> kShortDays = {"Sun", "Mon", "Tue", "Wed",
                                                        "Thu", "Fri", "Sat"};
constexpr std::array<std::string_view, 7> kLongDays = {"Sunday",   "Monday", "Tuesday",
                                                       "Wednesday", "Thursday", "Friday",
                                                       "Saturday"};
constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Reads a date left to right; any mismatch makes it fail for good.
class Cursor {
public:
    explicit Cursor(std::string_view s) : s_(s) {}
    bool ok() const { return ok_; }
    bool AtEnd() const { return ok_ && pos_ == s_.size(); }

    void Expect(std::string_view lit) {
        if (ok_ && s_.substr(pos_, lit.size()) == lit) pos_ += lit.size();
        else ok_ = false;
    }
    int Digits(std::size_t n) {
        int v = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (!ok_ || pos_ >= s_.size() || s_[pos_] < '0' || s_[pos_] > '9') {
                ok_ = false;
                return 0;
            }
            v = v * 10 + (s_[pos_++] - '0');
        }
        return v;
    }
    // One of the names (exact case); its index.
    template <std::size_t N>
    int OneOf(const std::array<std::string_view, N>& names) {
        if (!ok_) return 0;
        for (std::size_t i = 0; i < N; ++i)
            if (s_.substr(pos_, names[i].size()) == names[i]) {
                // A short name must not be the start of a longer word.
                const std::size_t end = pos_ + names[i].size();
                if (end < s_.size() && s_[end] >= 'a' && s_[end] <= 'z') continue;
                pos_ = end;
                return static_cast<int>(i);
            }
        ok_ = false;
        return 0;
    }
    bool Peek(char c) const { return ok_ && pos_ < s_.size() && s_[pos_] == c; }

private:
    std::string_view s_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

struct Fields {
    int weekday = 0, day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
};

void TimeOfDay(Cursor& c, Fields& f) {
    f.hour = c.Digits(2);
    c.Expect(":");
    f.minute = c.Digits(2);
    c.Expect(":");
    f.second = c.Digits(2);
}

std::optional<Fields> ParseForms(std::string_view v, int referenceYear) {
    Fields f;
    {  // IMF-fixdate
        Cursor c(v);
        f.weekday = c.OneOf(kShortDays);
        c.Expect(", ");
        f.day = c.Digits(2);
        c.Expect(" ");
        f.month = c.OneOf(kMonths) + 1;
        c.Expect(" ");
        f.year = c.Digits(4);
        c.Expect(" ");
        TimeOfDay(c, f);
        c.Expect(" GMT");
        if (c.AtEnd()) return f;
    }
    {  // RFC 850, two-digit year
        Cursor c(v);
        f.weekday = c.OneOf(kLongDays);
        c.Expect(", ");
        f.day = c.Digits(2);
        c.Expect("-");
        f.month = c.OneOf(kMonths) + 1;
        c.Expect("-");
        const int yy = c.Digits(2);
        c.Expect(" ");
        TimeOfDay(c, f);
        c.Expect(" GMT");
        if (c.AtEnd()) {
            // A year more than 50 years ahead is the last one in the past with those digits.
            f.year = referenceYear - referenceYear % 100 + yy;
            if (f.year > referenceYear + kFutureYearsLimit) f.year -= 100;
            return f;
        }
    }
    {  // asctime
        Cursor c(v);
        f.weekday = c.OneOf(kShortDays);
        c.Expect(" ");
        f.month = c.OneOf(kMonths) + 1;
        c.Expect(" ");
        if (c.Peek(' ')) {
            c.Expect(" ");
            f.day = c.Digits(1);
        } else {
            f.day = c.Digits(2);
        }
        c.Expect(" ");
        TimeOfDay(c, f);
        c.Expect(" ");
        f.year = c.Digits(4);
        if (c.AtEnd()) return f;
    }
    return std::nullopt;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char a = s[i], b = prefix[i];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
        if (a != b) return false;
    }
    return true;
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

std::string HttpHeadRequest(std::string_view server, std::uint16_t port, bool viaProxy) {
    constexpr std::string_view kScheme = "http://";
    // Built by appending: GCC 12 at -O3 warns falsely on chains of "+".
    std::string request;
    request.reserve(server.size() + 40);
    request.append("HEAD ");
    if (viaProxy) {
        if (server.substr(0, kScheme.size()) != kScheme) {
            request.append(kScheme).append(server);
            if (port != kDefaultHttpPort) request.append(":").append(std::to_string(port));
        } else {
            request.append(server);
        }
        if (request.back() != '/') request.push_back('/');
    } else {
        request.push_back('/');
    }
    request.append(" HTTP/1.0\r\n\r\n");
    return request;
}

bool HttpResponseReader::Add(std::span<const std::uint8_t> bytes) {
    const std::size_t take = std::min(bytes.size(), Room());
    const std::size_t before = data_.size();
    data_.append(reinterpret_cast<const char*>(bytes.data()), take);
    if (!headerEnded_) {
        // The end may straddle two receives: look from a little before the new bytes.
        const std::size_t from = before >= kHeaderEnd.size() ? before - kHeaderEnd.size() : 0;
        headerEnded_ = data_.find(kHeaderEnd, from) != std::string::npos ||
                       data_.find(kBareHeaderEnd, from) != std::string::npos;
    }
    return WantsMore();
}

bool HttpResponseReader::WantsMore() const { return !headerEnded_ && data_.size() < kLimit; }

HttpDate FindHttpDate(std::string_view response, int referenceYear) {
    HttpDate r;
    response = response.substr(0, response.find('\0'));
    if (response.empty()) return r;
    r.status = HttpDate::Status::NoDate;
    bool first = true;
    while (!response.empty()) {
        const std::size_t eol = response.find('\n');
        std::string_view line = response.substr(0, eol);
        response = eol == std::string_view::npos ? std::string_view{} : response.substr(eol + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (first) {
            first = false;
            // "HTTP/1.1 502 Bad Gateway": the date of an error page is not the server's.
            if (line.substr(0, 5) != "HTTP/") return r;
            const std::size_t sp = line.find(' ');
            if (sp != std::string_view::npos && line.size() > sp + 1 && line[sp + 1] == '5') {
                r.status = HttpDate::Status::ServerError;
                r.text = std::string(line);
                return r;
            }
            continue;
        }
        if (line.empty()) break;  // the end of the header
        if (StartsWithNoCase(line, "Date:")) {
            const std::string_view value = TrimBlanks(line.substr(5));
            if (auto secs = ParseHttpDate(value, referenceYear)) {
                r.status = HttpDate::Status::Ok;
                r.unixSeconds = *secs;
            } else {
                r.status = HttpDate::Status::BadDate;
                r.text = std::string(value);
            }
            return r;
        }
    }
    return r;
}

std::optional<std::int64_t> ParseHttpDate(std::string_view value, int referenceYear) {
    auto f = ParseForms(value, referenceYear);
    if (!f) return std::nullopt;
    if (f->year < kMinYear || f->year > kMaxYear || f->month < 1 || f->month > 12 || f->day < 1 ||
        f->day > DaysInMonth(f->year, f->month) || f->hour > 23 || f->minute > 59 ||
        f->second > 59)
        return std::nullopt;
    const DateTime d{f->year, f->month, f->day, f->hour, f->minute, f->second};
    if (DayOfWeek(d) != f->weekday) return std::nullopt;
    return ToSerialSeconds(d);
}

}  // namespace tbq::timesync
