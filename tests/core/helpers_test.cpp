#include "core/helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "core/program_location.h"
#include "fakes/fake_files.h"
#include "platform/ports.h"

namespace tbq {
namespace {

TEST(HelpersByteWidth, OnlyAsciiAndHalfWidthKanaAreNarrow) {
    struct Case {
        const char* what;
        Text s;
        long long width;
    };
    const Case cases[] = {
        {"ASCII ends at U+007F", u"a\u007F", 2},
        {"Latin-1 is wide", u"\u0080\u00DF\u00E0", 6},
        // A code unit read as signed made everything from U+8000 up narrow.
        {"U+8000 and up are wide", u"\u8000語間\uFFFF", 8},
        {"half-width kana U+FF61-U+FF9F", u"\uFF61ｱ\uFF9F", 3},
        {"just outside the kana block", u"\uFF60\uFFA0", 4},
        {"Latin letter and hiragana", u"aあ", 3},
        {"a surrogate pair is one wide character", u"𠮷", 2},
        {"pair between narrow ones", u"a𠮷b", 4},
        {"lone halves count as wide characters",
         Text(u"\xD842"
              u"a"
              u"\xDFB7"),
         5},
    };
    for (const Case& c : cases) EXPECT_EQ(ByteWidth(c.s), c.width) << c.what;
}

TEST(HelpersByteWidth, CutsNeverSplitASurrogatePair) {
    struct Case {
        Text s;
        long long n;
        Text left, right;
    };
    const Case cases[] = {
        {u"a𠮷b", 1, u"a", u"b"},     {u"a𠮷b", 2, u"a ", u" b"}, {u"a𠮷b", 3, u"a𠮷", u"𠮷b"},
        {u"𠮷𠮷", 3, u"𠮷 ", u" 𠮷"}, {u"𠮷", 1, u" ", u" "},     {u"ｱ𠮷語", 4, u"ｱ𠮷 ", u"𠮷語"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(TextToUtf8(c.s) + " " + std::to_string(c.n));
        EXPECT_EQ(LeftByWidth(c.s, c.n), c.left);
        EXPECT_EQ(RightByWidth(c.s, c.n), c.right);
    }
    EXPECT_EQ(MidByWidth(u"a𠮷b", 2, 2), u"𠮷");
    EXPECT_EQ(MidByWidth(u"a𠮷b", 3, 2), u" b");  // starts on the pair's second cell
}

TEST(HelpersCharacters, CountAPairAsOneCharacter) {
    struct Case {
        Text s;
        long long n;
        Text left, right;
    };
    const Case cases[] = {
        {u"abc", 2, u"ab", u"bc"}, {u"a𠮷b", 2, u"a𠮷", u"𠮷b"}, {u"𠮷𠮷", 5, u"𠮷𠮷", u"𠮷𠮷"},
        {u"語間", 0, u"", u""},    {u"語間", -3, u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(TextToUtf8(c.s) + " " + std::to_string(c.n));
        EXPECT_EQ(LeftChars(c.s, c.n), c.left);
        EXPECT_EQ(RightChars(c.s, c.n), c.right);
    }
    EXPECT_EQ(MidChars(u"a𠮷b", 2, 1), u"𠮷");
    EXPECT_EQ(MidChars(u"a𠮷b", 3, 9), u"b");
    EXPECT_EQ(MidChars(u"abc", -4, 2), u"ab");
    EXPECT_EQ(MidChars(u"abc", 4, 2), u"");
    EXPECT_EQ(CharLength(u"a𠮷b"), 3);
    EXPECT_EQ(CharLength(Text(u"\xDFB7"
                              u"\xD842")),
              2);  // reversed halves are no pair
}

TEST(HelpersByteWidth, LeftAndRightReplaceAStraddlingCharacterBySpace) {
    struct Case {
        long long n;
        Text left, right;
    };
    const Case cases[] = {
        {2, u"a ", u" b"}, {3, u"aあ", u"あb"}, {99, u"aあb", u"aあb"},
        {0, u"", u""},     {-3, u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LeftByWidth(u"aあb", c.n), c.left) << c.n;
        EXPECT_EQ(RightByWidth(u"aあb", c.n), c.right) << c.n;
    }
}

TEST(HelpersByteWidth, LeftAndRightAreExactlyAsWideAsAsked) {
    const Text s = u"aあｶbい漢\u00E0c𠮷d";
    for (long long n = 0; n <= ByteWidth(s) + 1; ++n) {
        const long long want = std::min(n, ByteWidth(s));
        EXPECT_EQ(ByteWidth(LeftByWidth(s, n)), want) << n;
        EXPECT_EQ(ByteWidth(RightByWidth(s, n)), want) << n;
    }
}

TEST(HelpersByteWidth, MidCountsFromAOneBasedWidthPosition) {
    EXPECT_EQ(MidByWidth(u"abcde", 2, 3), u"bcd");
    EXPECT_EQ(MidByWidth(u"aあb", 2, 2), u"あ");
    EXPECT_EQ(MidByWidth(u"aあb", 3, 2), u" b");  // starts inside the wide character
    EXPECT_EQ(MidByWidth(u"abc", 2, 99), u"bc");
    // Out of range: a start before the first position reads from it, a start past
    // the end or a width below 1 gives nothing.
    EXPECT_EQ(MidByWidth(u"abc", LLONG_MIN, 2), u"ab");
    EXPECT_EQ(MidByWidth(u"abc", 4, 1), u"");
    EXPECT_EQ(MidByWidth(u"abc", 2, -1), u"");
}

TEST(HelpersBuffers, BytesAndTextConvertAsLittleEndianUnits) {
    EXPECT_EQ(BytesToText(Bytes{0x41, 0, 0, 0, 0x42, 0}), u"A");
    EXPECT_EQ(BytesToText(Bytes{0x41, 0, 0x42}), u"A");  // a lone last byte is no unit
    EXPECT_EQ(BytesToText(Bytes{0x42, 0x30, 0x00, 0x30}), u"あ\u3000");
    EXPECT_EQ(TextToBytes(u"Aあ"), (Bytes{0x41, 0x00, 0x42, 0x30, 0, 0, 0}));
    const Text mixed = u"x\uFFFF\u0100漢";
    EXPECT_EQ(BytesToText(TextToBytes(mixed)), mixed);

    EXPECT_EQ(CutAtNul(Text(u"ab\0cd", 5)), u"ab");
    EXPECT_EQ(RepeatText(u"ab", 3), u"ababab");
    EXPECT_EQ(RepeatText(u"ab", -2), u"");
}

TEST(HelpersHex, EncodesEveryUnitAsFourUpperCaseDigits) {
    EXPECT_EQ(HexEncodeText(u"A "), u"00410020");
    EXPECT_EQ(HexEncodeText(u"\u00FEあ"), u"00FE3042");
    EXPECT_EQ(HexDecodeText(u"00fe30Aa"), u"\u00FE\u30AA");
    Text all;
    for (int u = 0; u <= 0xFFFF; ++u) all.push_back(static_cast<char16_t>(u));
    EXPECT_EQ(HexDecodeText(HexEncodeText(all)), all);
}

TEST(HelpersHex, DamagedGroupsDecodeToReplacementCharacters) {
    EXPECT_EQ(HexDecodeText(u"0041zz41"), u"A\uFFFD");
    // Signs, spaces and prefixes that a number parser would accept are no digits.
    EXPECT_EQ(HexDecodeText(u"+041 0410x41"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(HexDecodeText(u"\uFF10\uFF10\uFF14\uFF11"), u"\uFFFD");  // full-width digits
    EXPECT_EQ(HexDecodeText(u"00410"), u"A\uFFFD");
}

TEST(HelpersFileNames, SafeFileNameAndFileNamePart) {
    EXPECT_EQ(SafeFileName(u"メモ a/b:c\\*?\"<>|"), u"メモ a_b_c_______");
    EXPECT_EQ(FileNamePart(u"C:\\dir\\a.ini"), u"a.ini");
    EXPECT_EQ(FileNamePart(u"a.ini"), u"a.ini");
    EXPECT_EQ(FileNamePart(u"dir/a.ini"), u"dir/a.ini");
}

// Names Windows would open as a device, or trim into another name, come out as
// names it stores as they are; a display list's file name is the result with
// ".ini" after it, so that must be safe too.
TEST(HelpersFileNames, SafeFileNameMendsDevicesAndTrailingDotsAndBlanks) {
    struct Case {
        const char16_t* name;
        const char16_t* safe;
    };
    const Case cases[] = {
        {u"con", u"con_"},          {u"CON", u"CON_"},          {u"con.ini", u"con_.ini"},
        {u"Lpt1.txt", u"Lpt1_.txt"}, {u"nul.tar.gz", u"nul_.tar.gz"}, {u"aux .ini", u"aux_ .ini"},
        {u"PRN", u"PRN_"},          {u"com9", u"com9_"},        {u"COM0.x", u"COM0_.x"},
        {u"lpt\u00B9", u"lpt\u00B9_"}, {u"CONOUT$", u"CONOUT$_"}, {u"con:", u"con_"},
        {u"a.", u"a_"},             {u"a ", u"a_"},             {u"a. .", u"a___"},
        {u"..", u"__"},             {u"con.", u"con_"},         {u"a\tb\x01", u"a_b_"},
        // Ordinary names keep what they are.
        {u"console", u"console"},   {u"com10", u"com10"},       {u"lpt", u"lpt"},
        {u"xcon", u"xcon"},         {u" con", u" con"},         {u"a.b", u"a.b"},
        {u"世界時計(夏時間)", u"世界時計(夏時間)"}, {u"", u""},
    };
    for (const Case& c : cases) {
        const Text safe = SafeFileName(c.name);
        EXPECT_EQ(safe, c.safe) << TextToUtf8(c.name);
        // Idempotent: a stored list's name passes through again unchanged.
        EXPECT_EQ(SafeFileName(safe), safe) << TextToUtf8(c.name);
    }
    // With ".ini" after it, no name is a device and none loses its end.
    for (const char16_t* answer : {u"con", u"a.", u"a ", u"nul.ini"}) {
        Text file = SafeFileName(answer);
        if (!(file.size() >= 4 && EqualsIgnoreCase(TextView(file).substr(file.size() - 4), u".ini")))
            file += u".ini";
        EXPECT_EQ(SafeFileName(file), file) << TextToUtf8(answer);
        EXPECT_NE(file, u"a.ini") << TextToUtf8(answer);
    }
}

TEST(HelpersNumbers, FormatNumberFillsDigitPlacesFromTheRight) {
    struct Case {
        long long value;
        Text picture, text;
    };
    const Case cases[] = {
        {5, u"00", u"05"},   {123, u"00", u"123"},      {0, u"#", u""},
        {0, u"#0", u"0"},    {1234, u"#-00", u"12-34"}, {5, u"0-0", u"0-5"},
        {-5, u"00", u"-05"}, {-7, u"", u"-7"},          {LLONG_MIN, u"0", u"-9223372036854775808"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatNumber(c.value, c.picture), c.text) << c.value;
}

TEST(HelpersNumbers, DurationTextShowsOnlyNonZeroParts) {
    EXPECT_EQ(DurationText(0, u"00"), u"");
    EXPECT_EQ(DurationText(3605, u"00"), u"1時間05秒");
    EXPECT_EQ(DurationText(360060, u"00"), u"100時間01分");
    EXPECT_EQ(DurationText(65, u""), u"1分5秒");
    EXPECT_EQ(DurationText(-65, u"00"), u"-01分05秒");
}

TEST(HelpersBits, ShiftsWithinThirtyTwoBits) {
    EXPECT_EQ(ShiftLeft32(3, 31), 0x80000000u);
    EXPECT_EQ(ShiftLeft32(1, 32), 0u);
    EXPECT_EQ(ShiftLeft32(1, 257), 2u);  // only the low byte of the count
    EXPECT_EQ(ShiftLeft32(1, -1), 0u);
    EXPECT_TRUE(HasBits8(0x00, 0x00));
    EXPECT_FALSE(HasBits32(0x80000000u, 0x80000001u));
}

TEST(HelpersColors, Bit31NamesASystemColour) {
    struct FakeColors final : platform::SystemColors {
        std::vector<int> asked;
        std::uint32_t SysColor(int index) override {
            asked.push_back(index);
            return 0x00ABCDEF;
        }
    } colors;
    platform::ScopedPorts guard(platform::Ports{.colors = &colors});
    EXPECT_EQ(ResolveColor(0x7FFFFFFFu), 0x7FFFFFFFu);
    EXPECT_EQ(ResolveColor(0xFFFFFFFFu), 0x00ABCDEFu);
    EXPECT_EQ(colors.asked, std::vector<int>{0xFFFFFF});
}

using test::FakeFiles;

TEST(HelpersPrepareFile, DecidesByTheListingAndReportsFailures) {
    FakeFiles files;
    platform::ScopedPorts guard(platform::Ports{.files = &files});
    // Cleared on the listed spelling, so a case-sensitive file system finds it too.
    EXPECT_EQ(PrepareFileForWrite(u"C:\\d\\A.Ini"), kFileReady);
    EXPECT_EQ(files.cleared, std::vector<Text>{u"C:\\d\\a.ini"});
    EXPECT_EQ(PrepareFileForWrite(u"C:\\d\\b.ini"), kFileMissing);
    EXPECT_EQ(PrepareFileForWrite(u"C:\\none\\a.ini"), kFileFailed);
    files.clearWorks = false;
    EXPECT_EQ(PrepareFileForWrite(u"C:\\d\\a.ini"), kFileFailed);
    files.readOnly = std::nullopt;
    EXPECT_EQ(PrepareFileForWrite(u"C:\\d\\a.ini"), kFileFailed);
}

TEST(HelpersPrepareFile, MakesARealReadOnlyFileWritable) {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() / ("tbq-helpers-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    const fs::path file = dir / "Data.ini";
    std::ofstream(file).put('x');
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);

    const Text folder = dir.u16string() + u"\\";
    EXPECT_EQ(PrepareFileForWrite(folder + u"data.INI"), kFileReady);
    EXPECT_NE(fs::status(file).permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_EQ(PrepareFileForWrite(folder + u"other.ini"), kFileMissing);
    EXPECT_EQ(PrepareFileForWrite(folder + u"no-such-folder\\x.ini"), kFileFailed);
    fs::remove_all(dir);
}

TEST(HelpersVersion, ReadsTheProgramsOwnFileWhenNoneIsGiven) {
    FakeFiles files;
    platform::ScopedPorts guard(platform::Ports{.files = &files});
    const Text savedFolder = ProgramFolder();
    SetProgramLocation(u"C:\\Apps\\TBQ", u"TBQ");

    EXPECT_EQ(GetVersionString(u"ProductVersion", u""), u"(N/A)");
    EXPECT_EQ(files.versionPath, u"C:\\Apps\\TBQ\\TBQ.exe");
    files.version = {true, std::nullopt};
    EXPECT_EQ(GetVersionString(u"FileDescription", u"D:\\x.dll"), u"");
    EXPECT_EQ(files.versionPath, u"D:\\x.dll");
    files.version = {true, Text(u"1.2.3\0junk", 10)};
    EXPECT_EQ(GetVersionString(u"ProductVersion", u"D:\\x.dll"), u"1.2.3");

    SetProgramLocation(savedFolder, u"");
}

}  // namespace
}  // namespace tbq
