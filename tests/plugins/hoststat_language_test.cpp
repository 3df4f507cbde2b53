// HostStat's two tables: the language TBQ's setting gives, and every English
// format and help line naming the same placeholders as the Japanese one, so
// that a format means the same in both.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "hoststat_format.h"

namespace hoststat {
namespace {

std::set<std::wstring> Placeholders(std::wstring_view text) {
    std::set<std::wstring> names;
    Expand(text, [&](std::wstring_view n) -> std::optional<std::wstring> {
        names.emplace(n);
        return std::nullopt;
    });
    return names;
}

TEST(HostStatLanguage, TheSettingAndTheUsersLanguageChoose) {
    struct Case {
        int setting;
        unsigned short ui;
        Language expected;
    };
    const Case cases[] = {
        {0, 0x0411, Language::Japanese}, {0, 0x0409, Language::English}, {0, 0x0811, Language::Japanese},
        {1, 0x0409, Language::Japanese}, {2, 0x0411, Language::English}, {7, 0x0409, Language::English},
    };
    for (const Case& c : cases) EXPECT_EQ(ChooseLanguage(c.setting, c.ui), c.expected) << c.setting << " " << c.ui;
}

TEST(HostStatLanguage, BothTablesNameTheSamePlaceholders) {
    for (int f = 1; f <= kFunctionCount; ++f) {
        const FunctionSpec& ja = *Spec(f, Language::Japanese);
        const FunctionSpec& en = *Spec(f, Language::English);
        EXPECT_STREQ(ja.section, en.section);
        EXPECT_EQ(Placeholders(ja.defaultFormat), Placeholders(en.defaultFormat)) << f;
        EXPECT_EQ(Placeholders(ja.placeholders), Placeholders(en.placeholders)) << f;
        EXPECT_LT(std::wstring(en.name).size(), 32u) << f;  // TBQ_PLUGIN_NAME_SIZE, with its zero
    }
    for (int s = 0; s < static_cast<int>(Say::Count); ++s)
        EXPECT_NE(std::wstring(Text(Language::English, static_cast<Say>(s))), L"") << s;
}

}  // namespace
}  // namespace hoststat
