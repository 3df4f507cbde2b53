// The samples we ship in data/sample: each is applied to an empty program
// folder and loaded as at start-up, and must show what its comment promises.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/first_run.h"
#include "app/settings_files.h"
#include "base/texts.h"
#include "core/program_location.h"
#include "fakes/code_pages.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_library.h"
#include "fakes/fake_locale.h"
#include "fakes/fake_time_zones.h"
#include "fakes/temp_folder.h"
#include "items/view_alarm.h"
#include "items/view_fixed.h"
#include "items/view_list.h"
#include "platform/ports.h"
#include "plugin/plugin_registry.h"
#include "settings/ini_file.h"
#include "settings/ini_store.h"

namespace tbq {
namespace {

namespace fs = std::filesystem;

fs::path ShippedData() { return fs::path(__FILE__).parent_path().parent_path().parent_path() / "data"; }

// Times in Japan (UTC + 9): a winter day, a summer evening, New Year's Day.
constexpr platform::ClockTime kWinter{2026, 12, 9, 3, 14, 5, 9, 0};
constexpr platform::ClockTime kSummer{2026, 7, 15, 3, 21, 30, 0, 0};
constexpr platform::ClockTime kNewYear{2027, 1, 1, 5, 9, 0, 0, 0};

struct Moment {
    platform::ClockTime japan;
    const char16_t* list;
    const char16_t* text;
};

struct Expected {
    const char16_t* name;
    std::vector<Moment> moments;
    const char16_t* drawBar = nullptr;  // the pseudo title bar profile painting, if any
};

// In sample order. The fake HostStat answers each function with its own word.
const Expected kJapaneseSamples[] = {
    {u"和暦の時計", {{kWinter, kDefaultListName, u"無題 - メモ帳  令和8年12月9日(水) 14:05:09"}}},
    {u"世界時計(東京・ロンドン・ニューヨーク)",
     {{kWinter, kDefaultListName,
       u"無題 - メモ帳  東京 12/9 14:05  ロンドン 12/9 05:05  ニューヨーク 12/9 00:05"},
      {kSummer, kDefaultListName,
       u"無題 - メモ帳  東京 7/15 21:30  ロンドン 7/15 13:30  ニューヨーク 7/15 08:30"}}},
    {u"新年までのカウントダウン",
     {{kWinter, kDefaultListName,
       u"無題 - メモ帳  令和8年12月9日(水) 14:05:09  新年まであと22日9時間54分51秒"},
      {kNewYear, kDefaultListName,
       u"無題 - メモ帳  令和9年1月1日(金) 09:00:00  あけましておめでとうございます"}}},
    {u"パソコンの状態(HostStatプラグイン)",
     {{kWinter, kDefaultListName, u"無題 - メモ帳  12/9(水) 14:05  cpu  memory  uptime"}}},
    {u"擬似タイトルバー(夜空)",
     {{kWinter, kDefaultListName, u"無題 - メモ帳  令和8年12月9日(水) 14:05:09"}},
     u"夜空"},
};
// The clocks follow their zones, the count the local time (Japan's here).
const Expected kEnglishSamples[] = {
    {u"World clock (Tokyo, London, New York)",
     {{kWinter, kDefaultListName, u"Untitled - Notepad  Tokyo 14:05  London 05:05  New York 00:05"},
      {kSummer, kDefaultListName, u"Untitled - Notepad  Tokyo 21:30  London 13:30  New York 08:30"}}},
    {u"Countdown to the New Year",
     {{kWinter, kDefaultListName, u"Untitled - Notepad  New Year in 22d 9h 54min 51s"},
      {kNewYear, kDefaultListName, u"Untitled - Notepad  Happy New Year!"}}},
    {u"Computer status (HostStat plug-in)",
     {{kWinter, kDefaultListName, u"Untitled - Notepad  cpu  memory  uptime"}}},
};

// Each language's list of samples, as the welcome window offers it.
struct SampleList {
    Language language;
    const char16_t* title;  // of the window the texts are shown in
    std::span<const Expected> samples;
};
const SampleList kLists[] = {
    {Language::Japanese, u"無題 - メモ帳", kJapaneseSamples},
    {Language::English, u"Untitled - Notepad", kEnglishSamples},
};

// The header a settings file of that name begins with; null for a plug-in's own file.
const char16_t* HeaderOf(TextView to) {
    if (to == kSettingFile) return kSettingHeader;
    if (to == kViewDataFile || to.starts_with(u"ViewData\\")) return kViewDataHeader;
    if (to == kAlarmFile) return kAlarmHeader;
    if (to == kDrawBarFile) return kDrawBarHeader;
    if (to == kWindowFile) return kWindowHeader;
    return nullptr;
}

struct Copy {
    Text from, to;
};

Text Numbered(const char* format, int n) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, n);
    return Utf8ToText(buf);
}

std::vector<Copy> CopiesOf(int sample) {
    const vbIniFile ini(ProgramFolder() + SampleListFile());
    const Text section = Numbered("Sample%03d", sample);
    std::vector<Copy> copies;
    for (int i = 0;; ++i) {
        const Text key = Numbered("Copy%03d", i);
        Text from = ini.GetText(section, key + u"_From", u"");
        if (from.empty()) return copies;
        copies.push_back({from, ini.GetText(section, key + u"_To", u"")});
    }
}

std::string Bytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A path of sample.ini, relative to the program folder, with "/" between folders.
Text Slashed(Text path) {
    for (char16_t& c : path)
        if (c == u'\\') c = u'/';
    return path;
}

fs::path Native(const test::TempFolder& dir, const Text& relative) {
    return dir.Native() / fs::path(std::u16string(Slashed(relative)));
}

platform::ClockTime Utc(const platform::ClockTime& japan) {
    const DateTime t = AddMinutes(
        DateTime{japan.year, japan.month, japan.day, japan.hour, japan.minute, japan.second}, -9 * 60);
    return {t.year, t.month, t.day, DayOfWeek(t), t.hour, t.minute, t.second, 0};
}

class SamplesTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = ProgramFolder();
        SetAlarmListSource([] { return App().settings.CheckAlarm ? &App().AlarmList : nullptr; });
    }
    void TearDown() override {
        SetTitleSource({});
        SetAlarmListSource({});
        SetThePluginRegistry(nullptr);
        IniStore::Instance().Reset();
        ViewListRegistry::Instance().Clear();
        App() = AppState{};
        SetProgramLocation(saved_, u"TBQ");
        SetLanguage(Language::Japanese);
    }
    Text saved_;
    test::FakeClock clock_;
    test::FakeLocale locale_;
    test::FakeDialogs dialogs_;
    test::FakeTimeZones zones_ = test::FakeTimeZones::WindowsRecords();
};

// The Japanese samples are Shift-JIS; the English ones plain ASCII, which
// reads alike in any code page (here UTF-8's).
TEST_F(SamplesTest, EverySampleOfEachLanguageAppliesLoadsAndShowsWhatItSays) {
    const platform::CodePage* japanese = test::JapaneseCodePage();
    if (!japanese) GTEST_SKIP() << "the samples are Shift-JIS: needs code page 932";
    std::set<Text> named;  // every file some sample copies
    for (const SampleList& list : kLists) {
        const bool english = list.language == Language::English;
        SCOPED_TRACE(english ? "English" : "Japanese");
        SetLanguage(list.language);
        const platform::CodePage* codePage = english ? &test::Utf8CodePage() : japanese;
        platform::ScopedPorts ports{platform::Ports{.codepage = const_cast<platform::CodePage*>(codePage),
                                                    .clock = &clock_,
                                                    .dialogs = &dialogs_,
                                                    .locale = &locale_,
                                                    .zones = &zones_}};
        SetTitleSource([&list] { return Text(list.title); });
        int index = 1;
        for (;; ++index) {
            test::TempFolder dir;
            fs::copy(ShippedData() / "sample", dir.Native("sample"), fs::copy_options::recursive);
            fs::copy_file(ShippedData() / "TBQ_Data.ini", dir.Native("TBQ_Data.ini"));
            fs::create_directory(dir.Native("Plugins"));
            dir.WriteBytes("Plugins/HostStat.tbqp", "x");
            IniStore::Instance().Reset();
            ViewListRegistry::Instance().Clear();
            App() = AppState{};
            SetProgramLocation(dir.Path() + u"/", u"TBQ");

            Text name, comment;
            if (!GetSampleInfo(index, name, comment)) break;
            ASSERT_LE(index, static_cast<int>(list.samples.size())) << "no expectations for " << TextToUtf8(name);
            const Expected& expected = list.samples[static_cast<std::size_t>(index - 1)];
            SCOPED_TRACE(TextToUtf8(name));
            EXPECT_EQ(name, expected.name);
            EXPECT_FALSE(comment.empty());

            const std::vector<Copy> copies = CopiesOf(index);
            ASSERT_FALSE(copies.empty());
            ASSERT_TRUE(ApplySample(index));
            EXPECT_TRUE(dialogs_.shown.empty());
            for (const Copy& c : copies) {
                SCOPED_TRACE(TextToUtf8(c.to));
                named.insert(Slashed(c.from));
                const std::string bytes = Bytes(Native(dir, c.to));
                EXPECT_EQ(bytes, Bytes(Native(dir, c.from)));
                if (english) {
                    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(),
                                            [](char b) { return static_cast<unsigned char>(b) < 0x80; }));
                } else if (const char16_t* header = HeaderOf(c.to)) {
                    EXPECT_EQ(bytes.rfind(japanese->ToAnsi(kFirstHeader) + "\r\n" +
                                              japanese->ToAnsi(header) + "\r\n",
                                          0),
                              0u);
                }
            }

            test::FakeLibrary library;
            test::FakeLibrary::FakePlugin& hostStat =
                library.plugins[TextToUtf8(ProgramFolder()) + "Plugins\\HostStat.tbqp"];
            for (const char* word : {"cpu", "memory", "free", "uptime", "drive", "battery", "network"})
                hostStat.functions.push_back({word, "", 1, 0, word, {}, false});
            PluginRegistry plugins(library);
            SetThePluginRegistry(&plugins);
            plugins.Scan(ProgramFolder(), ProgramFolder() + kSettingFile, false);
            LoadAllSettings();

            const AppSettings& s = App().settings;
            EXPECT_FALSE(s.ViewDisplay);  // the settings window must not cover the user's window
            EXPECT_TRUE(s.TaskTray);
            EXPECT_EQ(s.Language, kLanguageAuto);  // the user's Windows decides
            EXPECT_TRUE(ViewListRegistry::Instance().GetViewList(s.DefaultViewData, false));
            for (const Moment& m : expected.moments) {
                clock_.local = m.japan;
                clock_.utc = Utc(m.japan);
                ++CompositionStamp();
                const ViewListPtr viewList = ViewListRegistry::Instance().GetViewList(m.list, false);
                ASSERT_TRUE(viewList) << TextToUtf8(m.list);
                EXPECT_EQ(ComposeListText(*viewList, false), m.text) << TextToUtf8(m.list);
            }
            EXPECT_EQ(s.UseDrawBar, expected.drawBar != nullptr);
            if (expected.drawBar) {
                EXPECT_EQ(s.DrawBarDefault, expected.drawBar);
                const auto bar = FindDrawBar(App().DrawBarList, s.DrawBarDefault);
                ASSERT_TRUE(bar);
                EXPECT_EQ(bar->DrawType & vbKerova_DrawBar::kKindBits, vbKerova_DrawBar::kPseudo);
            }
            SetThePluginRegistry(nullptr);
        }
        EXPECT_EQ(index - 1, static_cast<int>(list.samples.size()));
        SetTitleSource({});
    }

    // No file of data/sample lies there unused.
    for (const auto& e : fs::recursive_directory_iterator(ShippedData() / "sample"))
        if (e.is_regular_file() && e.path().filename() != "sample.ini") {
            EXPECT_TRUE(named.count(
                u"sample/" + fs::relative(e.path(), ShippedData() / "sample").generic_u16string()))
                << e.path();
        }
}

// The README's example profile is the pseudo title bar sample we ship: every
// key it shows has the sample's value.
TEST(SampleDocs, TheReadmesExampleProfileIsTheShippedOne) {
    auto lines = [](const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::vector<std::string> out;
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            out.push_back(line);
        }
        return out;
    };
    std::map<std::string, std::string> shipped;
    for (const std::string& line : lines(ShippedData() / "sample.utf8" / "pseudobar" / "TBQ_DrawBar.ini"))
        if (auto eq = line.find('='); eq != std::string::npos && line[0] != '#') shipped.emplace(line.substr(0, eq), line.substr(eq + 1));
    ASSERT_EQ(shipped["Name"], "夜空");
    const std::vector<std::string> readme = lines(ShippedData().parent_path() / "README.md");
    auto at = std::find(readme.begin(), readme.end(), "Name=夜空");
    ASSERT_NE(at, readme.end());
    int keys = 0;
    for (++at; at != readme.end() && at->rfind("[", 0) != 0 && at->rfind("```", 0) != 0; ++at, ++keys) {
        const auto eq = at->find('=');
        ASSERT_NE(eq, std::string::npos) << *at;
        EXPECT_EQ(shipped[at->substr(0, eq)], at->substr(eq + 1)) << *at;
    }
    EXPECT_GE(keys, 5);
}

}  // namespace
}  // namespace tbq
