#include "vercheck/version_check.h"

#include <gtest/gtest.h>

#include <climits>

#include "core/program_location.h"
#include "fakes/code_pages.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_files.h"
#include "fakes/fake_version_check.h"
#include "platform/ports.h"

namespace tbq {
namespace {

using platform::BoxStyle;

constexpr char16_t kNoInformation[] =
    u"インターネットに接続されていないか、許可がありません。\r\n情報が取得できませんでした。";
constexpr char16_t kNewest[] = u"最新のバージョンを使用しています。";
// "Lunetta - バージョンアップチェック" in code page 932.
const std::string kTitleShiftJis = std::string("Lunetta - ") +
                                   "\x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93\x83\x41\x83\x62\x83"
                                   "\x76\x83\x60\x83\x46\x83\x62\x83\x4E";

// From the program's product version and the library's answer to the build
// number it was handed, the box the user sees and whether the program ends.
TEST(VersionCheck, PassesTheBuildNumberAndActsOnTheAnswer) {
    // The title travels in the ANSI code page: Shift-JIS where there is one.
    const platform::CodePage* japanese = test::JapaneseCodePage();
    auto* cp = const_cast<platform::CodePage*>(japanese ? japanese : &platform::codepage());
    test::FakeFiles files;
    test::FakeDialogs dialogs;
    platform::ScopedPorts guard(
        platform::Ports{.files = &files, .codepage = cp, .dialogs = &dialogs});
    const Text savedFolder = ProgramFolder();
    SetProgramLocation(u"C:\\Apps\\TBQ\\", u"TBQ");

    struct Case {
        std::optional<Text> version;         // nullopt: the program has no version resource
        std::optional<std::int32_t> answer;  // nullopt: no library, or no export
        bool interactive;
        std::int32_t build;
        std::optional<BoxStyle> box;
        Text text;
        bool quit;
    };
    const Case cases[] = {
        {u"1.3.0.13", 0, true, 13, BoxStyle::Warning, kNoInformation, false},
        {u"1.3.0.13", 0, false, 13, std::nullopt, u"", false},
        {u"3.02.0005", 1, true, 0, BoxStyle::Information, kNewest, false},  // three fields
        {u"3.02.0005", 1, false, 0, std::nullopt, u"", false},
        {u"1.3.0.13.7", 3, true, 13, std::nullopt, u"", true},
        {u"2.0.0. 0042b", 3, false, 42, std::nullopt, u"", true},
        {u"1.0.0.-5", 2, true, -5, std::nullopt, u"", false},
        {u"1.0.0.99999999999", -1, true, INT_MAX, std::nullopt, u"", false},
        {u"1.0.0.x", 4, true, 0, std::nullopt, u"", false},
        {u"1..", 0, false, 0, std::nullopt, u"", false},
        {std::nullopt, 1, true, 0, BoxStyle::Information, kNewest, false},
        // A missing library is no answer: told from the menu, silent at start-up.
        {u"1.3.0.13", std::nullopt, true, 13, BoxStyle::Warning, kNoInformation, false},
        {u"1.3.0.13", std::nullopt, false, 13, std::nullopt, u"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(TextToUtf8(c.version.value_or(u"(none)")) + " answer " +
                     (c.answer ? std::to_string(*c.answer) : "missing") +
                     (c.interactive ? " interactive" : " silent"));
        files.version = {c.version.has_value(), c.version};
        test::FakeVersionCheckLibrary library;
        library.answer = c.answer;
        dialogs.shown.clear();

        EXPECT_EQ(RunVersionCheck(library, 0x1234, c.interactive), c.quit);

        EXPECT_EQ(files.versionPath, u"C:\\Apps\\TBQ\\TBQ.exe");
        ASSERT_EQ(library.calls.size(), 1u);
        const auto& call = library.calls[0];
        EXPECT_EQ(call.owner, 0x1234u);
        EXPECT_EQ(call.productKey, "TBQ");
        EXPECT_EQ(call.build, c.build);
        EXPECT_EQ(call.title,
                  japanese ? kTitleShiftJis : cp->ToAnsi(u"Lunetta - バージョンアップチェック"));
        EXPECT_EQ(call.titleSize, 256u);
        EXPECT_TRUE(call.zeroedAfterTitle);
        if (c.box) {
            ASSERT_EQ(dialogs.shown.size(), 1u);
            EXPECT_EQ(dialogs.shown[0].style, *c.box);
            EXPECT_EQ(dialogs.shown[0].text, c.text);
            EXPECT_EQ(dialogs.shown[0].caption, u"Lunetta - バージョンアップチェック");
        } else {
            EXPECT_TRUE(dialogs.shown.empty());
        }
    }
    SetProgramLocation(savedFolder, u"");
}

}  // namespace
}  // namespace tbq
