// ExFormatConvert and ExFormatGetInfo as callers reach them: by name from
// TBQ.dll, in the code page of the run (the Japanese tokens are Shift-JIS
// bytes under 932), with the caller's buffers bounded exactly.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "library/library_harness.h"

namespace tbq::test {
namespace {

struct FormatExports {
    HMODULE module = LoadLibraryW(L"TBQ.dll");
    TBQ_ExFormatConvertProc Convert = reinterpret_cast<TBQ_ExFormatConvertProc>(
        reinterpret_cast<void*>(GetProcAddress(module, "ExFormatConvert")));
    TBQ_ExFormatGetInfoProc GetInfo = reinterpret_cast<TBQ_ExFormatGetInfoProc>(
        reinterpret_cast<void*>(GetProcAddress(module, "ExFormatGetInfo")));
    ~FormatExports() {
        if (module) FreeLibrary(module);
    }
};

SYSTEMTIME At(WORD y, WORD mo, WORD d, WORD h, WORD mi, WORD s, WORD ms, WORD dow) {
    SYSTEMTIME st{};
    st.wYear = y;
    st.wMonth = mo;
    st.wDay = d;
    st.wHour = h;
    st.wMinute = mi;
    st.wSecond = s;
    st.wMilliseconds = ms;
    st.wDayOfWeek = dow;
    return st;
}

// Converts into a buffer of size + 1 bytes followed by guard bytes.
std::string Convert(const FormatExports& lib, const SYSTEMTIME* t, const std::string& format,
                    int size, bool* guardIntact = nullptr) {
    std::string buf(static_cast<size_t>(size) + 1 + 16, '\x7E');
    int32_t n = lib.Convert(t, format.c_str(), buf.data(), size);
    if (guardIntact) *guardIntact = buf.substr(static_cast<size_t>(size) + 1) == std::string(16, '\x7E');
    EXPECT_EQ(buf[static_cast<size_t>(size)], '\0');
    std::string text = buf.substr(0, buf.find('\0'));
    EXPECT_EQ(n, static_cast<int32_t>(text.size()));
    return text;
}

TEST(LibraryFormatTest, ConvertsByNameInTheRunsCodePage) {
    FormatExports lib;
    ASSERT_TRUE(lib.Convert && lib.GetInfo);
    const SYSTEMTIME t = At(2014, 6, 5, 13, 7, 9, 7, 4);
    EXPECT_EQ(Convert(lib, &t, "yyyy/mm/dd hh:mm:ss", 1024), "2014/06/05 13:07:09");
    EXPECT_EQ(Convert(lib, &t, "#{msms}", 1024), "007");
    // Japanese tokens come out in the code page; a format's own two-byte
    // characters are copied whole.
    EXPECT_EQ(Convert(lib, &t, ToAnsi(L"ggge年 #{yetet}"), 1024), ToAnsi(L"平成26年 甲午"));
    const SYSTEMTIME reiwa = At(2026, 12, 8, 9, 0, 0, 0, 2);
    EXPECT_EQ(Convert(lib, &reiwa, "ggge", 1024), ToAnsi(L"令和8"));
    // Null time: the local time now, so at least the year is this year's.
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(Convert(lib, nullptr, "yyyy", 1024), std::to_string(now.wYear));
}

TEST(LibraryFormatTest, OutputIsBoundedBySizeAndNothingBeyondIsTouched) {
    FormatExports lib;
    ASSERT_TRUE(lib.Convert);
    const SYSTEMTIME t = At(2014, 6, 5, 13, 7, 9, 7, 4);
    bool guard = false;
    EXPECT_EQ(Convert(lib, &t, "yyyy/mm/dd", 10, &guard), "2014/06/05");  // exactly reached
    EXPECT_TRUE(guard);
    EXPECT_EQ(Convert(lib, &t, "yyyy/mm/dd hh:nn", 7, &guard), "2014/06");
    EXPECT_TRUE(guard);
    EXPECT_EQ(Convert(lib, &t, "", 5, &guard), "");
    EXPECT_TRUE(guard);
    EXPECT_EQ(Convert(lib, &t, std::string(5000, 'x') + "yyyy", 1024, &guard), std::string(1024, 'x'));
    EXPECT_TRUE(guard);
    char one = '\x7E';
    EXPECT_EQ(lib.Convert(&t, "yyyy", &one, 0), 0);
    EXPECT_EQ(one, '\0');
}

TEST(LibraryFormatTest, HelpRowsEndWithAnEmptyRow) {
    FormatExports lib;
    ASSERT_TRUE(lib.GetInfo);
    char name[256], help[1024];
    int rows = 0;
    while (lib.GetInfo(rows, name, sizeof name, help, sizeof help) != 0) ++rows;
    EXPECT_EQ(rows, 18);
    EXPECT_EQ(lib.GetInfo(0, name, sizeof name, help, sizeof help), 5);
    EXPECT_STREQ(name, "yetet");
    EXPECT_EQ(std::string(help), ToAnsi(L"年の十干十二支を返します。"));
    EXPECT_EQ(lib.GetInfo(99, name, sizeof name, help, sizeof help), 0);
    EXPECT_EQ(lib.GetInfo(-1, name, sizeof name, help, sizeof help), 0);
}

}  // namespace
}  // namespace tbq::test
