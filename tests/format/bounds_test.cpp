// The caller's buffers and records: output cut at size, nothing written past
// the terminator, hostile field values and sizes survived.
#include <climits>
#include <cstring>

#include "format/format_test_support.h"

namespace tbq::format::test {
namespace {

// Every token of both layers, plus locale pictures and two-byte text.
const std::string kEveryToken =
    "dddddd ddddd ttttt c AM/PM am/pm A/P a/p ampm yyyy yy y mmmm mmm mm m dddd ddd dd d "
    "aaaa aaa ggg gg g ee e ww w q ss s nn n hh h \\x "
    "#{yetet yet metet met detet det het msms ms cscs cs dsds ds ajd mjd ggg ee e \\}}";

class ExFormatBounds : public ::testing::Test {
protected:
    void SetUp() override {
        env_ = FormatTestEnv::Create(TestCodePage::Japanese);
        if (!env_) env_ = FormatTestEnv::Create(TestCodePage::Western);
        ASSERT_TRUE(env_);
    }
    std::unique_ptr<FormatTestEnv> env_;
    TimeRecord t_ = At(2014, 6, 5, 13, 7, 9, 7);
};

TEST_F(ExFormatBounds, OutputIsCutByteWiseAtSize) {
    const std::string full = Convert(*env_, &t_, "yyyy/mm/dd hh:nn:ss");
    ASSERT_EQ(full, "2014/06/05 13:07:09");
    // Convert() checks the length, the cleared tail and the guard bytes.
    for (int32_t size = 0; size <= int32_t(full.size()) + 2; ++size) {
        EXPECT_EQ(Convert(*env_, &t_, "yyyy/mm/dd hh:nn:ss", size), full.substr(0, size_t(size)));
    }
    EXPECT_EQ(Convert(*env_, &t_, "", 16), "");
    // The cut does not respect characters: half of "午後" is what fits.
    if (env_->IsLeadByte(0x8C)) {
        EXPECT_EQ(Convert(*env_, &t_, "ampm", 3).size(), 3u);
    }
}

TEST_F(ExFormatBounds, NoTokenGivesMoreThan1024Bytes) {
    env_->longDate = std::string(5000, 'L');
    env_->shortDate = std::string(1000, 'S');
    env_->time = std::string(1000, 'T');
    EXPECT_EQ(Convert(*env_, &t_, "dddddd", 4096), std::string(1024, 'L'));
    EXPECT_EQ(Convert(*env_, &t_, "c", 4096), std::string(1000, 'S') + " " + std::string(23, 'T'));
    EXPECT_EQ(Convert(*env_, &t_, "dddddd|dddddd", 4096).size(), 2049u);
    EXPECT_EQ(Convert(*env_, &t_, "dddddd", 100), std::string(100, 'L'));
}

TEST_F(ExFormatBounds, NullPointersAndNegativeSizesWriteNothing) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(ExFormatConvertCore(&t_, "yyyy", buffer, -1, *env_), 0);
    EXPECT_EQ(ExFormatConvertCore(&t_, "yyyy", buffer, INT_MIN, *env_), 0);
    EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(8, 'x'));
    EXPECT_EQ(ExFormatConvertCore(&t_, "yyyy", nullptr, 100, *env_), 0);
    EXPECT_EQ(ExFormatConvertCore(&t_, nullptr, buffer, 4, *env_), 0);
    EXPECT_EQ(std::string(buffer, sizeof buffer), std::string("\0\0\0\0\0xxx", 8));
}

TEST_F(ExFormatBounds, AnyFieldValueStaysInsideTheTables) {
    static constexpr uint16_t kValues[] = {0,    1,     6,     7,     12,    13,   23,
                                           24,   59,    60,    99,    100,   999,  1000,
                                           9999, 10000, 32767, 32768, 65534, 65535};
    static constexpr uint16_t TimeRecord::*kFields[] = {
        &TimeRecord::year, &TimeRecord::month,  &TimeRecord::dayOfWeek, &TimeRecord::day,
        &TimeRecord::hour, &TimeRecord::minute, &TimeRecord::second,    &TimeRecord::milliseconds};
    for (auto field : kFields) {
        for (uint16_t value : kValues) {
            TimeRecord t = t_;
            t.*field = value;
            Convert(*env_, &t, kEveryToken, 4096);
            Convert(*env_, &t, kEveryToken, 7);
        }
    }
    // Whole records at the extremes.
    const TimeRecord zero{};
    const TimeRecord top{65535, 65535, 65535, 65535, 65535, 65535, 65535, 65535};
    Convert(*env_, &zero, kEveryToken, 4096);
    Convert(*env_, &top, kEveryToken, 4096);
}

TEST_F(ExFormatBounds, NamesOutsideTheirTablesGiveNothing) {
    TimeRecord t = t_;
    t.month = 13;
    t.dayOfWeek = 7;
    EXPECT_EQ(Convert(*env_, &t, "[mmmm][mmm][dddd][ddd][aaaa][aaa][q]"), "[][][][][][][]");
    t.hour = 24;
    EXPECT_EQ(Convert(*env_, &t, "[#{het}]"), "[]");
    t.month = 0;
    EXPECT_EQ(Convert(*env_, &t, "[mmm]y"), "[]5");
}

TEST_F(ExFormatBounds, InfoCopiesAreBoundedAndPadded) {
    char name[16];
    char help[8];
    std::memset(name, 'x', sizeof name);
    std::memset(help, 'x', sizeof help);
    // A bound the text fills: no terminator, and the byte after it untouched.
    EXPECT_EQ(ExFormatGetInfoCore(0, name, 3, help, 4, *env_), 5);
    EXPECT_EQ(std::string(name, 4), "yetx");
    EXPECT_EQ(help[4], 'x');
    // A shorter text is padded with zero bytes up to the bound, no further.
    EXPECT_EQ(ExFormatGetInfoCore(1, name, 10, nullptr, 1024, *env_), 3);
    EXPECT_EQ(std::string(name, 11), std::string("yet\0\0\0\0\0\0\0x", 11));

    for (int32_t index : {18, 19, -1, 1000, INT_MAX, INT_MIN}) {
        std::memset(name, 'x', sizeof name);
        std::memset(help, 'x', sizeof help);
        EXPECT_EQ(ExFormatGetInfoCore(index, name, 15, help, 7, *env_), 0) << index;
        EXPECT_EQ(std::string(name, 16), std::string(15, '\0') + "x") << index;
        EXPECT_EQ(std::string(help, 8), std::string(7, '\0') + "x") << index;
    }
    EXPECT_EQ(ExFormatGetInfoCore(2, nullptr, 256, help, -5, *env_), 5);
    EXPECT_EQ(ExFormatGetInfoCore(2, name, 0, nullptr, 0, *env_), 5);
}

}  // namespace
}  // namespace tbq::format::test
