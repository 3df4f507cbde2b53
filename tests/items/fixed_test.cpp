#include "items/view_fixed.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/temp_folder.h"
#include "items/view_data.h"
#include "settings/ini_file.h"
#include "settings/ini_store.h"

namespace tbq {
namespace {

using F = vbKerova_View_Fixed;

class FixedTest : public ::testing::Test {
protected:
    void SetUp() override {
        IniStore::Instance().Reset();
        SetTitleSource([this] { return title_; });
    }
    void TearDown() override {
        SetTitleSource({});
        IniStore::Instance().Reset();
    }

    Text File() const { return dir_.Path("items.ini"); }

    test::TempFolder dir_;
    Text title_;
};

TEST_F(FixedTest, TitleExcerpts) {
    struct Case {
        const char* what;
        const char16_t* title;
        int style, num;
        const char16_t* delimiter;
        const char16_t* expected;
    };
    // 語 and 間 are two cells wide, ｱ one, the surrogate pair 𠮷 one character of two cells.
    const char16_t* jp = u"語間ｱ𠮷abc";
    const Case cases[] = {
        {"whole title", u"Document1 - Editor", 0, 0, u"", u"Document1 - Editor"},
        {"before the delimiter", u"Document1 - Editor", 2, 0, u" - ", u"Document1"},
        {"after the delimiter", u"Document1 - Editor", 6, 0, u" - ", u"Editor"},
        {"after the last occurrence", u"a-b-c", 6, 0, u"-", u"c"},
        {"before the first occurrence", u"a-b-c", 2, 0, u"-", u"a"},
        {"delimiter at the start: whole", u"-abc", 2, 0, u"-", u"-abc"},
        {"delimiter at the end: nothing after", u"abc-", 6, 0, u"-", u""},
        {"delimiter missing: whole", u"abc", 6, 0, u"/", u"abc"},
        {"delimiters are case-sensitive", u"aXb", 2, 0, u"x", u"aXb"},
        {"empty delimiter: whole, before", jp, 2, 0, u"", jp},
        {"empty delimiter: whole, after", jp, 6, 0, u"", jp},
        {"Japanese delimiter", u"メモ帳 ― 無題", 6, 0, u" ― ", u"無題"},
        {"half a pair is no delimiter", u"a𠮷b", 6, 0, u"\xDFB7", u"a𠮷b"},
        {"first characters", jp, 1, 2, u"", u"語間"},
        {"a pair is one character", jp, 1, 4, u"", u"語間ｱ𠮷"},
        {"last characters", jp, 5, 4, u"", u"𠮷abc"},
        {"last N clamps to the title", jp, 5, 100, u"", jp},
        {"first N clamps to the title", jp, 1, 100, u"", jp},
        {"count 0 shows nothing", jp, 1, 0, u"", u""},
        {"negative count is 0", jp, 1, -5, u"", u""},
        {"negative count from the end is 0", jp, 5, -32768, u"", u""},
        {"negative width is 0", jp, 9, -1, u"", u""},
        {"width from the start", jp, 9, 5, u"", u"語間ｱ"},
        {"a pair across the width limit is a blank", jp, 9, 6, u"", u"語間ｱ "},
        {"pair taken whole", jp, 9, 7, u"", u"語間ｱ𠮷"},
        {"three wide characters in 5 cells", u"語語語", 9, 5, u"", u"語語 "},
        {"width from the end", jp, 13, 5, u"", u"𠮷abc"},
        {"pair across the width limit from the end", jp, 13, 4, u"", u" abc"},
        {"wide character across the limit from the end", u"語間", 13, 3, u"", u" 間"},
        {"width past the end ends at the end", jp, 9, 1000, u"", jp},
        {"width past the start ends at the start", jp, 13, 1000, u"", jp},
        {"count wins over delimiter", u"a-b", 3, 1, u"-", u"a"},
        {"from-end bit alone shows nothing", jp, 4, 3, u"", u""},
        {"width bit alone shows nothing", jp, 8, 3, u"", u""},
        {"no title shows nothing", u"", 0, 0, u"", u""},
        {"no title shows nothing by count", u"", 5, 3, u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        F fixed;
        fixed.DataType = F::kWindowTitle;
        fixed.TitleStyle = static_cast<std::uint8_t>(c.style);
        fixed.TitleNum = static_cast<std::int16_t>(c.num);
        fixed.TitleChar = c.delimiter;
        title_ = c.title;
        EXPECT_EQ(TextToUtf8(fixed.Text()), TextToUtf8(c.expected));
        EXPECT_EQ(fixed.ViewDataType(), kKindTitle);
    }
}

TEST_F(FixedTest, WithoutATitleSourceEveryTitleIsEmpty) {
    SetTitleSource({});
    F fixed;
    fixed.DataType = F::kWindowTitle;
    EXPECT_EQ(fixed.Text(), u"");
    fixed.DataType = F::kFixedText;
    fixed.SetText(u" 固定 ");
    EXPECT_EQ(fixed.Text(), u" 固定 ");
    EXPECT_EQ(fixed.ViewDataType(), kKindFixed);
}

TEST_F(FixedTest, SaveAndLoadRoundTrip) {
    struct Case {
        const char* what;
        std::uint8_t dataType;
        const char16_t* text;
        int style, num;
        const char16_t* delimiter;
        const char* stored;  // the keys as they must appear in the file
    };
    const Case cases[] = {
        {"plain", 0, u"abc", 0, 0, u"", "Type=Fixed\r\nText=006100620063\r\n"},
        {"Japanese with leading blanks", 0, u"  語間 ｱ𠮷\u3000", 0, 0, u"",
         "Type=Fixed\r\nText=002000208A9E95930020FF71D842DFB73000\r\n"},
        {"empty", 0, u"", 0, 0, u"", "Type=Fixed\r\nText=\r\n"},
        {"characters the file format uses", 0, u"\"a=b\";[c]\r\n", 0, 0, u"",
         "Text=00220061003D00620022003B005B0063005D000D000A\r\n"},
        {"title by delimiter with blanks", 1, u"", 6, 1, u" - ",
         "Type=Title\r\nStyle=6\r\nNum=1\r\nChar=\" - \"\r\n"},
        {"title by width", 1, u"", 13, -7, u"", "Style=13\r\nNum=-7\r\nChar=\r\n"},
        {"a delimiter in quotes", 1, u"", 2, 1, u"\"x\"", "Char=\"\"x\"\"\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dir_.WriteBytes("items.ini", "");
        IniStore::Instance().Reset();
        F saved;
        saved.DataType = c.dataType;
        saved.SetText(c.text);
        saved.TitleStyle = static_cast<std::uint8_t>(c.style);
        saved.TitleNum = static_cast<std::int16_t>(c.num);
        saved.TitleChar = c.delimiter;
        saved.SaveSetting(File(), u"ViewData0001");
        EXPECT_NE(dir_.ReadBytes("items.ini").find(c.stored), std::string::npos)
            << dir_.ReadBytes("items.ini");

        IniStore::Instance().Reset();
        F loaded;
        loaded.LoadSetting(File(), u"ViewData0001");
        EXPECT_EQ(loaded.DataType, c.dataType);
        EXPECT_EQ(TextToUtf8(loaded.FixedText()), TextToUtf8(c.dataType == 0 ? c.text : u""));
        EXPECT_EQ(loaded.TitleStyle, c.dataType == 0 ? 0 : c.style);
        EXPECT_EQ(loaded.TitleNum, c.dataType == 0 ? 0 : c.num);
        EXPECT_EQ(loaded.TitleChar, c.dataType == 0 ? u"" : c.delimiter);
    }
}

TEST_F(FixedTest, LoadingRecords) {
    struct Case {
        const char* what;
        const char* record;
        std::uint8_t kind;  // the display item's kind after loading
        const char16_t* text;
        int style, num;
    };
    const Case cases[] = {
        {"TITLE without Type is an empty fixed text", "DataType=TITLE\r\n", kKindFixed, u"", 0, 0},
        {"Type settles the kind over DataType", "DataType=FIXED\r\nType=Title\r\n", kKindTitle, u"",
         0, 1},
        {"Type in any letter case", "DataType=TITLE\r\nType=fIxEd\r\nText=0041\r\n", kKindFixed,
         u"A", 0, 0},
        {"any other Type is a title", "DataType=FIXED\r\nType=Clock\r\nStyle=9\r\nNum=3\r\n",
         kKindTitle, u"", 9, 3},
        {"a fixed text ignores title keys",
         "DataType=FIXED\r\nType=FIXED\r\nStyle=9\r\nNum=3\r\nText=0042\r\n", kKindFixed, u"B", 0,
         0},
        {"values beyond the fields are cut",
         "DataType=TITLE\r\nType=Title\r\nStyle=300\r\nNum=99999\r\n", kKindTitle, u"", 255, 32767},
        {"damaged text keeps its length", "DataType=FIXED\r\nText=0041zz000\r\n", kKindFixed,
         u"A\uFFFD\uFFFD", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dir_.WriteBytes("items.ini", std::string("[ViewData0001]\r\n") + c.record);
        IniStore::Instance().Reset();
        vbKerova_ViewData item;
        ASSERT_TRUE(item.Load(File(), u"ViewData0001"));
        EXPECT_EQ(item.DataType(), c.kind);
        F* fixed = item.FixedData();
        ASSERT_NE(fixed, nullptr);
        EXPECT_EQ(item.CountData(), nullptr);
        EXPECT_EQ(TextToUtf8(fixed->FixedText()), TextToUtf8(c.text));
        EXPECT_EQ(fixed->TitleStyle, c.style);
        EXPECT_EQ(fixed->TitleNum, c.num);
    }
}

}  // namespace
}  // namespace tbq
