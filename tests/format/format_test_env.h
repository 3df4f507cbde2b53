// A format environment with fixed answers for tests, benchmarks and the
// fuzzer: a real code page (iconv on the host, the system's ANSI code page
// under Wine), simple locale pictures and a clock that stands still.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "format/format_environment.h"

namespace tbq::format::test {

enum class TestCodePage {
    Japanese,  // 932, Shift-JIS with its two-byte characters
    Western,   // 1252, one byte per character; Japanese text becomes '?'
};

class FormatTestEnv : public FormatEnvironment {
public:
    // Null where the code page is not available: under Wine the ANSI code
    // page is the one the run was started with, so such tests skip.
    static std::unique_ptr<FormatTestEnv> Create(TestCodePage codePage);
    ~FormatTestEnv() override;

    bool IsLeadByte(unsigned char byte) const override;
    std::string ToAnsi(std::u16string_view text) const override;
    // Pictures "yyyy'年'M'月'd'日'", "yyyy/MM/dd" and "H:mm:ss", unless a test
    // set its own text below.
    std::string LongDate(const TimeRecord& time) const override;
    std::string ShortDate(const TimeRecord& time) const override;
    std::string Time(const TimeRecord& time) const override;
    TimeRecord LocalNow() const override;

    // The other way, to compare output with UTF-16 literals; bytes the code
    // page cannot read become U+FFFD.
    std::u16string FromAnsi(std::string_view text) const;

    // 2014-06-05 (Thursday) 13:07:09.007
    TimeRecord now{2014, 6, 4, 5, 13, 7, 9, 7};
    mutable int nowCalls = 0;
    mutable int localeCalls = 0;
    std::optional<std::string> longDate;
    std::optional<std::string> shortDate;
    std::optional<std::string> time;

private:
    struct Converter;
    explicit FormatTestEnv(std::unique_ptr<Converter> converter);
    std::unique_ptr<Converter> converter_;
};

}  // namespace tbq::format::test
