// fuzz-sources: library/format/*.cpp tests/format/format_test_env.cpp
//
// The extended format with any record, any size and any format bytes.
// Input: 16 bytes of time record, 2 bytes of control, then the format.
// Control bits 0-10 give the size (0-2047), bit 13 asks for the clock instead
// of the record, bit 14 makes the size negative, bit 15 picks the Western
// code page instead of the Japanese one.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "format/ex_format.h"
#include "format/format_test_env.h"

using namespace tbq::format;
using tbq::format::test::FormatTestEnv;
using tbq::format::test::TestCodePage;

namespace {

constexpr char kCanary = '\xA5';

void Require(bool condition) {
    if (!condition) std::abort();
}

const FormatTestEnv& Env(bool western) {
    static const auto japanese = FormatTestEnv::Create(TestCodePage::Japanese);
    static const auto westernEnv = FormatTestEnv::Create(TestCodePage::Western);
    return western ? *westernEnv : *japanese;
}

void CheckInfo(int32_t index, int32_t nameSize, const FormatEnvironment& env) {
    // Exactly the bytes promised, so the sanitizer sees any write beyond.
    const size_t room = nameSize > 0 ? static_cast<size_t>(nameSize) : 0;
    std::unique_ptr<char[]> name(new char[room + 1]);
    std::unique_ptr<char[]> help(new char[room + 1]);
    name[room] = kCanary;
    help[room] = kCanary;
    const int32_t length =
        ExFormatGetInfoCore(index, name.get(), nameSize, help.get(), nameSize, env);
    Require(length >= 0 && length <= 5);
    Require((index >= 0 && index < 18) == (length > 0));
    Require(name[room] == kCanary && help[room] == kCanary);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 18) return 0;
    TimeRecord record;
    std::memcpy(&record, data, sizeof record);
    uint16_t control;
    std::memcpy(&control, data + 16, sizeof control);
    const std::string format(reinterpret_cast<const char*>(data + 18), size - 18);

    const FormatTestEnv& env = Env((control & 0x8000) != 0);
    const bool negative = (control & 0x4000) != 0;
    const int32_t outSize = negative ? -1 - (control & 0x7FF) : (control & 0x7FF);
    const TimeRecord* time = (control & 0x2000) ? nullptr : &record;

    // size + 1 bytes promised to the conversion, and one canary after them.
    const size_t room = negative ? 0 : static_cast<size_t>(outSize) + 1;
    std::unique_ptr<char[]> out(new char[room + 1]);
    std::memset(out.get(), kCanary, room + 1);
    const int32_t length = ExFormatConvertCore(time, format.c_str(), out.get(), outSize, env);

    if (negative) {
        Require(length == 0 && out[0] == kCanary);
    } else {
        Require(length >= 0 && length <= outSize);
        // Token texts never hold a zero byte, so the text ends at the length.
        Require(std::strlen(out.get()) == static_cast<size_t>(length));
        for (size_t i = static_cast<size_t>(length); i < room; ++i) Require(out[i] == '\0');
        Require(out[room] == kCanary);
    }

    CheckInfo(static_cast<int8_t>(data[0]), outSize % 64, env);
    return 0;
}
