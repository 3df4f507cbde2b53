// What a plug-in hands back, read without trusting it: lengths of every kind
// against what it then writes, record fields without terminators, counts out
// of range.
#include <gtest/gtest.h>

#include <cstring>

#include "plugin/plugin_record.h"

namespace tbq {
namespace {

struct Answer {
    std::int32_t length;
    std::string_view written;  // bytes written into the buffer (at most its size)
};

// Runs the protocol against a plug-in that answers `a`; records each call's size.
std::optional<Text> Request(const Answer& a, bool utf16, std::vector<std::int32_t>& sizes) {
    return RequestPluginText(
        [&](char* buffer, std::int32_t size) -> std::optional<std::int32_t> {
            sizes.push_back(size);
            if (buffer) {
                const std::size_t room = static_cast<std::size_t>(size) * (utf16 ? 2 : 1);
                std::memcpy(buffer, a.written.data(), std::min(room, a.written.size()));
            }
            return a.length;
        },
        utf16);
}

TEST(PluginTextTest, LengthsAreCheckedAndBuffersBounded) {
    const std::string_view u16abc("a\0b\0c\0", 6);
    struct Case {
        const char* what;
        Answer answer;
        bool utf16;
        const char16_t* text;
        const char* sizes;  // of each call, in order
    };
    const Case cases[] = {
        {"ANSI text", {3, "abc"}, false, u"abc", "0 4"},
        {"no text: a one-byte buffer", {0, ""}, false, u"", "0 1"},
        {"negative length", {-1, "abc"}, false, u"", "0"},
        {"the longest length taken", {65535, "abc"}, false, u"abc", "0 65536"},
        {"one past the longest", {65536, "abc"}, false, u"", "0"},
        {"huge length", {0x7FFFFFFF, "abc"}, false, u"", "0"},
        {"longer than what it writes", {10, "abc"}, false, u"abc", "0 11"},
        {"writes its whole size without a terminator", {3, "abcd"}, false, u"abcd", "0 4"},
        {"UTF-16 text of three units", {3, u16abc}, true, u"abc", "0 4"},
        {"UTF-16 text under the ANSI flag: cut at the first zero byte", {6, u16abc}, false, u"a",
         "0 7"},
        {"ANSI text under the UTF-16 flag: read as units", {3, "ab"}, true, u"\u6261", "0 4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::int32_t> sizes;
        EXPECT_EQ(Request(c.answer, c.utf16, sizes), std::optional<Text>(c.text));
        std::string joined;
        for (std::int32_t n : sizes) {
            if (!joined.empty()) joined += ' ';
            joined.append(std::to_string(n));
        }
        EXPECT_EQ(joined, c.sizes);
    }
    // A failing plug-in fails the request, first call or second.
    for (int failAt = 0; failAt < 2; ++failAt) {
        int n = 0;
        EXPECT_EQ(RequestPluginText([&](char*, std::int32_t) -> std::optional<std::int32_t> {
                      if (n++ == failAt) return std::nullopt;
                      return 2;
                  }, false),
                  std::nullopt);
    }
}

TEST(PluginRecordTest, FieldsEndAtTheirSizesAndCountsStayInRange) {
    platform::PluginInfoBytes info;
    info.fill('A');
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) info[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    struct Case {
        std::uint32_t funcNum;
        std::int32_t expected;
    };
    for (const Case c : {Case{5, 5}, Case{0, 0}, Case{0xFFFFFFFF, 0}, Case{0x80000000, 0},
                         Case{256, 256}, Case{257, 256}, Case{0x7FFFFFFF, 256}}) {
        put32(944, c.funcNum);
        put32(948, 3);
        const PluginInformation r = ReadPluginInformation(info);
        EXPECT_EQ(r.funcNum, c.expected) << c.funcNum;
        EXPECT_EQ(r.flags, 3);
        EXPECT_EQ(r.name, std::string(32, 'A'));
        EXPECT_EQ(r.version, std::string(16, 'A'));
        EXPECT_EQ(r.comment.size(), 256u);
        EXPECT_EQ(r.copyright.size(), 128u);
        EXPECT_EQ(r.url.size(), 256u);
        EXPECT_EQ(r.mail.size(), 256u);
    }
    info[3] = 0;
    EXPECT_EQ(ReadPluginInformation(info).name, "AAA");

    platform::PluginFuncBytes func;
    func.fill('B');
    for (int i = 0; i < 4; ++i) func[288 + i] = 0xFF;  // -1 settings
    const PluginFunction f = ReadPluginFunction(func);
    EXPECT_EQ(f.name, std::string(32, 'B'));
    EXPECT_EQ(f.comment, std::string(256, 'B'));
    EXPECT_EQ(f.settingNum, 0);
    func[288] = 0x00, func[289] = 0x10, func[290] = 0, func[291] = 0;  // 4096
    EXPECT_EQ(ReadPluginFunction(func).settingNum, kMaxFunctionSettings);
}

}  // namespace
}  // namespace tbq
