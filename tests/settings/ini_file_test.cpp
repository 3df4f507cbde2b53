// vbIniFile against real files through the platform's file port.
#include <gtest/gtest.h>

#include <random>

#include "fakes/code_pages.h"
#include "fakes/fake_clock.h"
#include "fakes/temp_folder.h"
#include "platform/ports.h"
#include "settings/ini_file.h"
#include "settings/ini_store.h"

namespace tbq {
namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override { IniStore::Instance().Reset(); }
    void TearDown() override { IniStore::Instance().Reset(); }

    vbIniFile Fixture(const std::string& bytes, const std::string& name = "f.ini") {
        dir_.WriteBytes(name, bytes);
        return vbIniFile(dir_.Path(name));
    }

    test::TempFolder dir_;
};

const char kFixture[] =
    "#header line one\r\n"
    "Pre=before any section\r\n"
    "[Basic]\r\n"
    "Plain=value\r\n"
    "  Spaced   =   padded value   \r\n"
    "UPPER=Case\r\n"
    "Quoted=\"abc\"\r\n"
    "Single='x y'\r\n"
    "HalfQuoted=\"abc\r\n"
    "LoneQuote=\"\r\n"
    "QuotedBlanks=\"  keep  \"\r\n"
    "Empty=\r\n"
    "Dup=first\r\n"
    "Dup=second\r\n"
    "NoEquals\r\n"
    "; Commented=yes\r\n"
    "Equals=a=b\r\n"
    "Hex=0x00FFFFFF\r\n"
    "HexUpperX=0X10\r\n"
    "Minus=-1\r\n"
    "Two=2\r\n"
    "Word=True\r\n"
    "Lead=  42abc\r\n"
    "Plus=+7\r\n"
    "Octal=0o17\r\n"
    "Binary=0b101\r\n"
    "Big=4294967295\r\n"
    "Zero=0\r\n"
    "\r\n"
    "[ Spaced Section ]\r\n"
    "k=in spaced\r\n"
    "[Basic]\r\n"
    "Late=only in the second Basic\r\n"
    "[Last]\n"
    "unix=lf line\n"
    "noeol=end";

TEST_F(IniFileTest, ReadsFollowTheProfileConventions) {
    vbIniFile ini = Fixture(kFixture);
    struct Case {
        const char16_t* section;
        const char16_t* key;
        const char16_t* expected;
    } cases[] = {
        {u"Basic", u"Plain", u"value"},
        {u"basic", u"plain", u"value"},
        {u"BASIC", u"Spaced", u"padded value"},
        {u" Basic ", u" Spaced ", u"padded value"},
        {u"Basic", u"upper", u"Case"},
        {u"Basic", u"Quoted", u"abc"},
        {u"Basic", u"Single", u"x y"},
        {u"Basic", u"HalfQuoted", u"\"abc"},
        {u"Basic", u"LoneQuote", u"\""},
        {u"Basic", u"QuotedBlanks", u"  keep  "},
        {u"Basic", u"Empty", u""},
        {u"Basic", u"Dup", u"first"},
        {u"Basic", u"NoEquals", u"DEF"},
        {u"Basic", u"Commented", u"DEF"},
        {u"Basic", u"Equals", u"a=b"},
        {u"Basic", u"Late", u"DEF"},  // the first of two equal sections is the one read
        {u"Basic", u"Missing", u"DEF"},
        {u"Nowhere", u"Plain", u"DEF"},
        {u"Spaced Section", u"k", u"in spaced"},
        {u"", u"Pre", u"DEF"},  // lines before the first section are no keys
        {u"Last", u"unix", u"lf line"},
        {u"Last", u"noeol", u"end"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini.GetText(c.section, c.key, u"DEF"), c.expected)
            << TextToUtf8(c.section) << "/" << TextToUtf8(c.key);

    struct NumberCase {
        const char16_t* key;
        std::int32_t expected;
    } numbers[] = {
        {u"Hex", 16777215}, {u"HexUpperX", 0}, {u"Minus", -1},  {u"Two", 2},
        {u"Word", 0},       {u"Lead", 42},     {u"Plus", 7},    {u"Octal", 15},
        {u"Binary", 5},     {u"Big", -1},      {u"Zero", 0},    {u"Empty", 500},
        {u"NoEquals", 500}, {u"Missing", 500}, {u"Plain", 0},   {u"Quoted", 0},
    };
    for (const NumberCase& c : numbers)
        EXPECT_EQ(ini.GetNumber(u"Basic", c.key, 500), c.expected) << TextToUtf8(c.key);

    EXPECT_TRUE(ini.GetBool(u"Basic", u"Two", false));
    EXPECT_TRUE(ini.GetBool(u"Basic", u"Minus", false));
    EXPECT_FALSE(ini.GetBool(u"Basic", u"Zero", true));
    EXPECT_FALSE(ini.GetBool(u"Basic", u"Word", true));
    EXPECT_TRUE(ini.GetBool(u"Basic", u"Missing", true));
    EXPECT_FALSE(ini.GetBool(u"Basic", u"Missing", false));
}

TEST_F(IniFileTest, MissingFilesAndFoldersReadAsDefaults) {
    vbIniFile missing(dir_.Path("absent.ini"));
    EXPECT_EQ(missing.GetText(u"A", u"B", u"d"), u"d");
    EXPECT_EQ(missing.GetNumber(u"A", u"B", -5), -5);
    vbIniFile noFolder(dir_.Path("no/such/folder/x.ini"));
    EXPECT_EQ(noFolder.GetText(u"A", u"B", u"d"), u"d");
}

TEST_F(IniFileTest, LongValuesAreCutToTheReadBuffer) {
    std::string value(12000, 'x');
    vbIniFile ini = Fixture("[S]\r\nk=" + value + "\r\n");
    Text got = ini.GetText(u"S", u"k", u"");
    EXPECT_EQ(got.size(), 10239u);
    // A default is cut the same way.
    EXPECT_EQ(ini.GetText(u"S", u"missing", Text(20000, u'y')).size(), 10239u);
    // A value or default ends at its first NUL, as the system's read ends there.
    vbIniFile zeros = Fixture(std::string("[S]\r\nk=\0\0Old\r\nm=ab\0cd\r\n", 23), "zeros.ini");
    EXPECT_EQ(zeros.GetText(u"S", u"k", u"d"), u"");
    EXPECT_EQ(zeros.GetText(u"S", u"m", u"d"), u"ab");
    EXPECT_EQ(zeros.GetText(u"S", u"missing", Text(u"de\0f", 4)), u"de");
}

TEST_F(IniFileTest, LongJapaneseValuesNeverSplitACharacter) {
    const platform::CodePage* cp = test::JapaneseCodePage();
    if (!cp) GTEST_SKIP() << "needs code page 932";
    platform::ScopedPorts ports(platform::Ports{.codepage = const_cast<platform::CodePage*>(cp)});
    // "a" then 6000 times "あ": 1 + 12000 bytes; 10239 bytes hold "a" and 5119 whole "あ".
    Text value = u"a" + Text(6000, u'あ');
    vbIniFile ini(dir_.Path("jp.ini"));
    ini.SetText(u"日本語", u"キー", value);
    Text got = ini.GetText(u"日本語", u"キー", u"");
    EXPECT_EQ(got, u"a" + Text(5119, u'あ'));
    // The file holds Shift-JIS.
    std::string bytes = dir_.ReadBytes("jp.ini");
    EXPECT_NE(bytes.find("[\x93\xfa\x96\x7b\x8c\xea]"), std::string::npos);
}

TEST_F(IniFileTest, LongValuesNeverSplitACharacterInTheUtf8CodePage) {
    const platform::CodePage& utf8 = test::Utf8CodePage();
    ASSERT_EQ(utf8.Id(), 65001u);
    platform::ScopedPorts ports(
        platform::Ports{.codepage = const_cast<platform::CodePage*>(&utf8)});
    // "ab" then 5000 times "あ" (three bytes each): 10239 bytes hold "ab" and
    // 3412 whole "あ", one byte short of the next; "𠀋" takes four.
    auto text = [](TextView head, std::size_t n, char16_t c, TextView tail) {
        Text t(head);
        t.append(n, c);
        t.append(tail);
        return t;
    };
    vbIniFile ini(dir_.Path("utf8.ini"));
    ini.SetText(u"S", u"K", text(u"ab", 5000, u'あ', u""));
    EXPECT_EQ(ini.GetText(u"S", u"K", u""), text(u"ab", 3412, u'あ', u""));
    ini.SetText(u"S", u"K", text(u"a", 3412, u'あ', u"𠀋𠀋"));
    EXPECT_EQ(ini.GetText(u"S", u"K", u""), text(u"a", 3412, u'あ', u""));
    // A pair at the very end of what fits goes whole or not at all.
    ini.SetText(u"S", u"K", text(u"", 10238, u'a', u"𠀋"));
    EXPECT_EQ(ini.GetText(u"S", u"K", u""), text(u"", 10238, u'a', u""));
}

TEST_F(IniFileTest, WritesCreateFileSectionAndKeyAndReadBack) {
    vbIniFile ini(dir_.Path("new.ini"));
    ini.SetText(u"Main", u"Name", u"  leading blanks are not kept");
    ini.SetNumber(u"Main", u"Zero", 0);
    ini.SetNumber(u"Main", u"Negative", -1);
    ini.SetNumber(u"Main", u"Max", 2147483647);
    ini.SetBool(u"Flags", u"On", true);
    ini.SetBool(u"Flags", u"Off", false);
    ini.SetText(u"main", u"NAME", u"replaced");

    EXPECT_EQ(ini.GetNumber(u"Main", u"Zero", 500), 0);
    EXPECT_EQ(ini.GetNumber(u"Main", u"Negative", 500), -1);
    EXPECT_EQ(ini.GetNumber(u"Main", u"Max", 500), 2147483647);
    EXPECT_TRUE(ini.GetBool(u"Flags", u"On", false));
    EXPECT_FALSE(ini.GetBool(u"Flags", u"Off", true));
    EXPECT_EQ(dir_.ReadBytes("new.ini"),
              "[Main]\r\nName=replaced\r\nZero=0\r\nNegative=-1\r\nMax=2147483647\r\n"
              "[Flags]\r\nOn=1\r\nOff=0\r\n");
}

TEST_F(IniFileTest, ValuesWithBlanksOrQuotesAtAnEndReadBackExactly) {
    // Reads drop blanks around a value and one pair of enclosing quotes; such
    // values are written quoted, every other value exactly as given.
    struct Case {
        const char16_t* value;
        const char* line;
    } cases[] = {
        {u" - Editor", "k=\" - Editor\""},
        {u"   ", "k=\"   \""},
        {u"\"abc\"", "k=\"\"abc\"\""},
        {u"\t tabbed\t", "k=\"\t tabbed\t\""},
        {u"trailing ", "k=\"trailing \""},
        {u"form feed\f", "k=\"form feed\f\""},  // any character a read trims
        {u"\"", "k=\"\"\""},
        {u"half\"", "k=\"half\"\""},
        {u"in \"the\" middle", "k=in \"the\" middle"},
        {u"plain", "k=plain"},
        {u"", "k="},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        IniStore::Instance().Reset();
        std::filesystem::remove(dir_.Native("q.ini"));
        vbIniFile ini(dir_.Path("q.ini"));
        ini.SetText(u"S", u"k", c.value);
        EXPECT_EQ(dir_.ReadBytes("q.ini"), std::string("[S]\r\n") + c.line + "\r\n");
        EXPECT_EQ(ini.GetText(u"S", u"k", u"default"), c.value);
        IniStore::Instance().Reset();  // and from the disk, not the cache
        EXPECT_EQ(vbIniFile(dir_.Path("q.ini")).GetText(u"S", u"k", u"default"), c.value);
    }
}

TEST_F(IniFileTest, WritesKeepEverythingElseOfTheFile) {
    const std::string original =
        "#first header\r\n#second header\r\n[A]\r\n; a comment\r\nx = 1\r\n\r\n\r\n[B]\n"
        "y=2\n\n[C]\r\nz=3";
    vbIniFile ini = Fixture(original);
    ini.SetText(u"A", u"x", u"10");
    ini.SetText(u"A", u"new", u"n");
    ini.SetText(u"B", u"y", u"2");  // unchanged: the file is left byte for byte
    ini.SetText(u"C", u"w", u"4");
    ini.SetText(u"D", u"v", u"5");
    EXPECT_EQ(dir_.ReadBytes("f.ini"),
              "#first header\r\n#second header\r\n[A]\r\n; a comment\r\nx=10\r\nnew=n\r\n\r\n\r\n"
              "[B]\ny=2\n\n[C]\r\nz=3\r\nw=4\r\n[D]\r\nv=5\r\n");
}

TEST_F(IniFileTest, LineBreaksInValuesCannotForgeKeysOrSections) {
    vbIniFile ini(dir_.Path("inj.ini"));
    ini.SetText(u"S", u"k", u"a\r\n[Evil]\r\nx=1");
    ini.SetText(u"S\n[T]", u"k\r\nforged", u"v");
    EXPECT_EQ(ini.GetText(u"Evil", u"x", u"none"), u"none");
    EXPECT_EQ(ini.GetText(u"S", u"k", u""), u"a  [Evil]  x=1");
    EXPECT_EQ(ini.GetText(u"T", u"forged", u"none"), u"none");
}

TEST_F(IniFileTest, EveryAccessorSeesEveryEarlierWrite) {
    vbIniFile a(dir_.Path("shared.ini"));
    Text upper = dir_.Path("SHARED.INI");
    vbIniFile b(upper);
    {
        IniWriteBatch batch;
        a.SetText(u"S", u"k", u"one");
        EXPECT_EQ(b.GetText(u"S", u"k", u""), u"one");  // same file, other spelling
        // Gathered: nothing reached the disk yet.
        EXPECT_EQ(dir_.ReadBytes("shared.ini"), "");
        {
            IniWriteBatch inner;
            a.SetText(u"S", u"k2", u"two");
        }
        EXPECT_EQ(dir_.ReadBytes("shared.ini"), "");
    }
    EXPECT_EQ(dir_.ReadBytes("shared.ini"), "[S]\r\nk=one\r\nk2=two\r\n");
}

TEST_F(IniFileTest, ChangesMadeByOthersOnDiskAreSeen) {
    test::FakeClock clock;
    clock.tick = 0xFFFFFFFFu;  // the next look crosses the tick count's wrap
    platform::ScopedPorts ports(platform::Ports{.clock = &clock});
    vbIniFile ini = Fixture("[S]\r\nk=old\r\n");
    EXPECT_EQ(ini.GetText(u"S", u"k", u""), u"old");
    // Written behind the program's back: not looked for within the same burst of
    // reads, seen once the cache looks at the disk again.
    dir_.WriteBytes("f.ini", "[S]\r\nk=new and longer\r\n");
    EXPECT_EQ(ini.GetText(u"S", u"k", u""), u"old");
    clock.tick += IniStore::kRecheckInterval;
    EXPECT_EQ(ini.GetText(u"S", u"k", u""), u"new and longer");
    // Changed through the program's own file port: seen at once.
    platform::files().Delete(ini.FileName);
    EXPECT_EQ(ini.GetText(u"S", u"k", u"gone"), u"gone");
}

TEST_F(IniFileTest, UnicodeFilesKeepTheirEncoding) {
    vbIniFile utf8 = Fixture("\xEF\xBB\xBF[S]\r\nk=\xE6\x97\xA5\xE6\x9C\xAC\r\n", "u8.ini");
    EXPECT_EQ(utf8.GetText(u"S", u"k", u""), u"日本");
    utf8.SetText(u"S", u"k2", u"é");
    EXPECT_EQ(dir_.ReadBytes("u8.ini"),
              "\xEF\xBB\xBF[S]\r\nk=\xE6\x97\xA5\xE6\x9C\xAC\r\nk2=\xC3\xA9\r\n");

    std::string utf16("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE5\x65\r\0\n\0", 22);
    vbIniFile wide = Fixture(utf16, "u16.ini");
    EXPECT_EQ(wide.GetText(u"S", u"k", u""), u"日");
    wide.SetText(u"S", u"k", u"x");
    EXPECT_EQ(dir_.ReadBytes("u16.ini"),
              std::string("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0x\0\r\0\n\0", 22));
}

// --- faults -------------------------------------------------------------------

TEST_F(IniFileTest, WritesThatCannotBeDoneChangeNothing) {
    // A missing folder: nothing is created anywhere, reads stay defaults.
    vbIniFile noFolder(dir_.Path("missing-folder/x.ini"));
    noFolder.SetText(u"S", u"k", u"v");
    EXPECT_FALSE(std::filesystem::exists(dir_.Native("missing-folder")));
    EXPECT_EQ(noFolder.GetText(u"S", u"k", u"default"), u"default");

    // A read-only file keeps its bytes, and reads show the file, not the lost write.
    vbIniFile ro = Fixture("[S]\r\nk=old\r\n", "ro.ini");
    ASSERT_TRUE(platform::files().SetReadOnly(ro.FileName, true));
    ro.SetText(u"S", u"k", u"new");
    {
        IniWriteBatch batch;
        ro.SetText(u"S", u"k2", u"gathered");
    }
    EXPECT_EQ(ro.GetText(u"S", u"k", u""), u"old");
    EXPECT_EQ(ro.GetText(u"S", u"k2", u"lost"), u"lost");
    ASSERT_TRUE(platform::files().SetReadOnly(ro.FileName, false));
    EXPECT_EQ(dir_.ReadBytes("ro.ini"), "[S]\r\nk=old\r\n");
    // No temporary file is left beside it.
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir_.Native())) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST_F(IniFileTest, BinaryAndTruncatedFilesReadAsDefaults) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 200; ++round) {
        std::string junk(rng() % 600, '\0');
        for (auto& c : junk) c = static_cast<char>(rng());
        vbIniFile ini = Fixture(junk, "junk.ini");
        EXPECT_EQ(ini.GetText(u"Basic", u"Timing", u"d"), u"d");
        EXPECT_EQ(ini.GetNumber(u"Basic", u"Timing", 500), 500);
    }
    std::string whole = "[Basic]\r\nTiming=250\r\nName=\x93\xfa";  // cut inside a character
    vbIniFile cut = Fixture(whole.substr(0, whole.size() - 1), "cut.ini");
    EXPECT_EQ(cut.GetNumber(u"Basic", u"Timing", 500), 250);
    (void)cut.GetText(u"Basic", u"Name", u"");
    vbIniFile headerOnly = Fixture("[Bas", "hdr.ini");
    EXPECT_EQ(headerOnly.GetNumber(u"Basic", u"Timing", 500), 500);
}

TEST(IniDocumentTest, UntouchedBytesSurviveAnyEditExactly) {
    // Whatever a file holds, a write changes only the line it writes: parsing and
    // writing back any byte sequence gives the same bytes.
    std::mt19937 rng(99);
    const char alphabet[] = "[]=;#\"' \t\r\nab\x81\x40\x93\xfa\x00\x1a\xff";
    for (int round = 0; round < 500; ++round) {
        std::string bytes(rng() % 300, '\0');
        for (auto& c : bytes) c = alphabet[rng() % (sizeof alphabet - 1)];
        IniDocument doc = IniDocument::Parse(bytes, platform::codepage());
        EXPECT_EQ(doc.Serialize(platform::codepage()), bytes);
    }
}

}  // namespace
}  // namespace tbq
