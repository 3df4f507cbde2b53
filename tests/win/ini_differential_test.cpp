// Our INI accessor against the system's profile functions (Wine's here): the
// same files, the same operations, the same answers.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <utility>

#include "fakes/temp_folder.h"
#include "platform/ports.h"
#include "settings/ini_file.h"
#include "settings/ini_store.h"

namespace tbq {
namespace {

std::string Ansi(TextView t) { return platform::codepage().ToAnsi(t); }
Text FromAnsi(const std::string& s) { return platform::codepage().FromAnsi(s); }

Text SystemGetText(const Text& file, TextView section, TextView key, TextView def) {
    std::string buf(vbIniFile::kReadBufferBytes, '\0');
    GetPrivateProfileStringA(Ansi(section).c_str(), Ansi(key).c_str(), Ansi(def).c_str(),
                             buf.data(), static_cast<DWORD>(buf.size()), Ansi(file).c_str());
    buf.resize(buf.find('\0'));
    return FromAnsi(buf);
}

std::int32_t SystemGetNumber(const Text& file, TextView section, TextView key, std::int32_t def) {
    return static_cast<std::int32_t>(
        GetPrivateProfileIntA(Ansi(section).c_str(), Ansi(key).c_str(), def, Ansi(file).c_str()));
}

void SystemSetText(const Text& file, TextView section, TextView key, TextView value) {
    WritePrivateProfileStringA(Ansi(section).c_str(), Ansi(key).c_str(), Ansi(value).c_str(),
                               Ansi(file).c_str());
}

using Query = std::pair<Text, Text>;

class IniDifferentialTest : public ::testing::Test {
protected:
    void SetUp() override { IniStore::Instance().Reset(); }
    void TearDown() override { IniStore::Instance().Reset(); }

    // Both readers give the same text and number for every query.
    void ExpectSameReads(const Text& file, const std::vector<Query>& queries) {
        vbIniFile ini(file);
        for (const auto& [section, key] : queries) {
            SCOPED_TRACE(TextToUtf8(section) + " / " + TextToUtf8(key));
            EXPECT_EQ(ini.GetText(section, key, u"DEFAULT"),
                      SystemGetText(file, section, key, u"DEFAULT"));
            EXPECT_EQ(ini.GetNumber(section, key, 12345),
                      SystemGetNumber(file, section, key, 12345));
            EXPECT_EQ(ini.GetNumber(section, key, -7), SystemGetNumber(file, section, key, -7));
        }
    }

    test::TempFolder dir_;
};

const std::vector<Query> kQueries = {
    {u"Basic", u"Plain"},      {u"basic", u"PLAIN"},        {u" Basic ", u" Plain "},
    {u"Basic", u"Spaced"},     {u"Basic", u"Quoted"},       {u"Basic", u"Single"},
    {u"Basic", u"HalfQuoted"}, {u"Basic", u"LoneQuote"},    {u"Basic", u"QuotedBlanks"},
    {u"Basic", u"Empty"},      {u"Basic", u"Dup"},          {u"Basic", u"NoEquals"},
    {u"Basic", u"Commented"},  {u"Basic", u"; Commented"},  {u"Basic", u"Equals"},
    {u"Basic", u"Late"},       {u"Basic", u"Missing"},      {u"Nowhere", u"Plain"},
    {u"Spaced Section", u"k"}, {u"Basic", u"Hex"},          {u"Basic", u"HexUpperX"},
    {u"Basic", u"Minus"},      {u"Basic", u"Word"},         {u"Basic", u"Lead"},
    {u"Basic", u"Plus"},       {u"Basic", u"Octal"},        {u"Basic", u"Binary"},
    {u"Basic", u"Big"},        {u"Basic", u"Zero"},         {u"Basic", u"Tabbed"},
    {u"Last", u"unix"},        {u"Last", u"noeol"},         {u"U]", u"a"},
    {u"U", u"a"},              {u"Basic", u"#header"},      {u"Basic", u"Long"},
    {u"Basic", u"Ideographic"},  {u"Basic", u"Nul"},
};

TEST_F(IniDifferentialTest, ReadsOfOneFixtureAgree) {
    std::string fixture =
        "#header line\r\n"
        "[Basic]\r\n"
        "Plain=value\r\n"
        "  Spaced   =   padded value   \r\n"
        "Quoted=\"abc\"\r\nSingle='x y'\r\nHalfQuoted=\"abc\r\nLoneQuote=\"\r\n"
        "QuotedBlanks=\"  keep  \"\r\nEmpty=\r\nDup=first\r\nDup=second\r\nNoEquals\r\n"
        "; Commented=yes\r\nEquals=a=b\r\nHex=0x00FFFFFF\r\nHexUpperX=0X10\r\nMinus=-1\r\n"
        "Word=True\r\nLead=  42abc\r\nPlus=+7\r\nOctal=0o17\r\nBinary=0b101\r\n"
        "Big=4294967295\r\nZero=0\r\nTabbed=\t tab \t\r\n"
        "Long=" + std::string(12000, 'L') + "\r\n" + std::string("Nul=ab\0cd\r\n", 11) +
        "Ideographic=\x81\x40x\x81\x40\r\n"
        "\r\n[ Spaced Section ]\r\nk=in spaced\r\n"
        "[Basic]\r\nLate=second\r\n"
        "[U]]\r\na=1\r\n"
        "[Last]\nunix=lf line\nnoeol=end";
    dir_.WriteBytes("fixture.ini", fixture);
    ExpectSameReads(dir_.Path("fixture.ini"), kQueries);
}

TEST_F(IniDifferentialTest, MissingFilesAndFoldersAgree) {
    ExpectSameReads(dir_.Path("absent.ini"), {{u"A", u"B"}});
    ExpectSameReads(dir_.Path("no\\such\\folder.ini"), {{u"A", u"B"}});
}

TEST_F(IniDifferentialTest, WritesReadTheSameWhoeverWroteAndWhoeverReads) {
    struct Write {
        const char16_t *section, *key, *value;
        // The system's writer leaves blanks and quotes at a value's ends to the
        // reader, which drops them; ours quotes such values, so they read back
        // as written.
        bool oursKeepsMore = false;
    } writes[] = {
        {u"Main", u"SettingVersion", u"1"},
        {u"Basic", u"ViewDisplay", u"1"},
        {u"basic", u"viewdisplay", u"0"},  // same key, other case: replaced
        {u"Basic", u"Name", u"  leading", true},
        {u"Basic", u"Trailing", u"trailing  ", true},
        {u"Basic", u"Quoted", u"\"q\"", true},
        {u"Basic", u"Blanks", u"   ", true},
        {u"Basic", u"LoneQuote", u"\""},
        {u"Basic", u"Inner", u"a \"b\" c"},
        {u"Basic", u"Hex", u"0x0000FF00"},
        {u"Basic", u"Empty", u""},
        {u" Padded ", u" key ", u"v"},
        {u"ColorDialog", u"00DefaultColor", u"0x00FFFFFF"},
        {u"Main", u"Late", u"after other sections"},
    };
    const Text ours = dir_.Path("ours.ini"), theirs = dir_.Path("theirs.ini");
    vbIniFile ini(ours);
    for (const Write& w : writes) {
        ini.SetText(w.section, w.key, w.value);
        SystemSetText(theirs, w.section, w.key, w.value);
    }
    std::vector<Query> queries;
    for (const Write& w : writes) queries.emplace_back(w.section, w.key);
    queries.emplace_back(u"Padded", u"key");
    queries.emplace_back(u"Main", u"Nothing");
    // Whoever wrote a file, the system's reader and ours read it alike.
    for (const Text& file : {ours, theirs}) ExpectSameReads(file, queries);
    vbIniFile theirsIni(theirs);
    for (const Write& w : writes) {
        SCOPED_TRACE(TextToUtf8(w.key));
        const Text fromOurs = ini.GetText(w.section, w.key, u"D");
        const Text fromTheirs = theirsIni.GetText(w.section, w.key, u"D");
        if (w.oursKeepsMore) {
            EXPECT_EQ(fromOurs, w.value);
            EXPECT_NE(fromTheirs, w.value);
        } else {
            EXPECT_EQ(fromOurs, fromTheirs);
        }
    }
}

TEST_F(IniDifferentialTest, ShiftJisTextAgrees) {
    if (GetACP() != 932) GTEST_SKIP() << "runs with code page 932";
    const Text file = dir_.Path("jp.ini");
    vbIniFile ini(file);
    ini.SetText(u"表示", u"名前", u"日本語の値");
    ini.SetText(u"表示", u"ソ", u"ソ表");  // trail bytes that look like "\" (0x5C)
    ini.SetText(u"表示", u"Long", u"a" + Text(6000, u'あ'));
    ini.SetText(u"全角", u"ＡＢＣ", u"x");
    ExpectSameReads(file, {{u"表示", u"名前"},
                           {u"表示", u"ソ"},
                           {u"表示", u"Long"},
                           {u"全角", u"ＡＢＣ"},
                           {u"全角", u"ａｂｃ"}});
    // And a file the system wrote reads the same through us.
    const Text theirs = dir_.Path("jp2.ini");
    SystemSetText(theirs, u"表示", u"名前", u"日本語の値");
    EXPECT_EQ(vbIniFile(theirs).GetText(u"表示", u"名前", u""), u"日本語の値");
}

TEST(WineSessionTest, RunsWithTheExpectedCodePage) {
    const char* expected = std::getenv("TBQ_EXPECT_ACP");
    if (!expected) GTEST_SKIP() << "not started by the test harness";
    EXPECT_EQ("cp" + std::to_string(GetACP()), expected);
    EXPECT_EQ(platform::codepage().Id(), GetACP());
}

}  // namespace
}  // namespace tbq
