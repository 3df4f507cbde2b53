// Shared by the format tests: records for a calendar date, and a conversion
// that checks the buffer contract on every call it makes.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "format/ex_format.h"
#include "format/format_test_env.h"

namespace tbq::format::test {

// A record for a proleptic Gregorian date, with its true day of week.
inline TimeRecord At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                     int millis = 0) {
    using namespace std::chrono;
    const auto date = year_month_day{std::chrono::year{year}, std::chrono::month{unsigned(month)},
                                     std::chrono::day{unsigned(day)}};
    const unsigned dow = weekday{sys_days{date}}.c_encoding();
    return TimeRecord{uint16_t(year), uint16_t(month),  uint16_t(dow),    uint16_t(day),
                      uint16_t(hour), uint16_t(minute), uint16_t(second), uint16_t(millis)};
}

// Converts into a buffer with guard bytes after size + 1 and checks that the
// length is returned, that bytes len..size are zero and that the guard is
// untouched.
inline std::string Convert(const FormatEnvironment& env, const TimeRecord* time,
                           const std::string& format, int32_t size = 1024) {
    constexpr char kGuard = '\x5A';
    std::vector<char> buffer(static_cast<size_t>(size) + 1 + 16, kGuard);
    const int32_t length = ExFormatConvertCore(time, format.c_str(), buffer.data(), size, env);
    EXPECT_GE(length, 0);
    EXPECT_LE(length, size);
    for (int32_t i = length; i <= size; ++i) {
        EXPECT_EQ(buffer[size_t(i)], '\0') << "byte " << i << " of " << format;
    }
    for (size_t i = size_t(size) + 1; i < buffer.size(); ++i) {
        EXPECT_EQ(buffer[i], kGuard) << "written past the terminator for " << format;
    }
    return std::string(buffer.data(), size_t(length > 0 ? length : 0));
}

// Tests that compare Japanese text; skipped under Wine when the run's code
// page is not 932.
class JapaneseFormatTest : public ::testing::Test {
protected:
    void SetUp() override {
        env_ = FormatTestEnv::Create(TestCodePage::Japanese);
        if (!env_) GTEST_SKIP() << "code page 932 not available in this run";
    }

    // Format and result as UTF-16, converted through the code page.
    std::u16string Run(const TimeRecord& time, std::u16string_view format, int32_t size = 1024) {
        return env_->FromAnsi(Convert(*env_, &time, env_->ToAnsi(format), size));
    }

    // A table of formats at moments and the texts they must give.
    struct Case {
        TimeRecord time;
        std::u16string_view format;
        std::u16string_view expected;
    };
    void Check(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            EXPECT_EQ(Run(c.time, c.format), c.expected)
                << "format " << env_->ToAnsi(c.format) << " at " << c.time.year << "-"
                << c.time.month << "-" << c.time.day << " " << c.time.hour << ":" << c.time.minute;
        }
    }

    std::unique_ptr<FormatTestEnv> env_;
};

}  // namespace tbq::format::test
