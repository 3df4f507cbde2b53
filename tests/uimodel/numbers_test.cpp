#include "uimodel/numbers.h"

#include <gtest/gtest.h>

namespace tbq::uimodel {
namespace {

// What a field of range 0..255 keeps of what is typed into it.
TEST(Numbers, TypedTextToFieldValue) {
    struct Case {
        const char16_t* typed;
        std::optional<std::int32_t> kept;
    } cases[] = {
        {u"12", 12},      {u" 7 ", 7},        {u"+3", 3},         {u"-5", 0},
        {u"300", 255},    {u"99999999999999999999", 255},         {u"-99999999999999999999", 0},
        {u"１２３", 123}, {u"　４５　", 45},   {u"－１", 0},       {u"", std::nullopt},
        {u"  ", std::nullopt}, {u"1.5", std::nullopt}, {u"12a", std::nullopt}, {u"--1", std::nullopt},
        {u"+", std::nullopt},  {u"0x10", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadWhole(c.typed, 0, 255), c.kept) << TextToUtf8(c.typed);
    // Checks that must refuse rather than clamp see the number as typed.
    EXPECT_EQ(ReadNumber(u"256"), 256);
    EXPECT_EQ(ReadNumber(u"-７"), -7);
}

}  // namespace
}  // namespace tbq::uimodel
