#include "uimodel/page_bindings.h"

#include <gtest/gtest.h>

#include <set>

#include "app/app_state.h"
#include "app/settings_files.h"
#include "app/settings_table.h"
#include "fakes/temp_folder.h"
#include "settings/ini_file.h"
#include "settings/ini_store.h"
#include "uimodel/interval.h"

namespace tbq::uimodel {
namespace {

struct RecordedEffects final : SettingEffects {
    std::vector<Text> calls;
    void TaskTrayChanged(bool v) override { calls.push_back(v ? u"tray on" : u"tray off"); }
    void TimingChanged(std::int32_t ms) override { calls.push_back(u"timing " + NumberText(ms)); }
    void TitleInfoChanged(bool v) override { calls.push_back(v ? u"title on" : u"title off"); }
    void DrawingChanged(bool v) override { calls.push_back(v ? u"draw on" : u"draw off"); }
};

// Every check box of every page against the key it must change in the saved
// settings file: the key is found by writing the file through the settings
// table, so a box bound to the wrong member fails here.
TEST(PageBindings, EveryCheckBoxChangesItsKeyInTheSavedFile) {
    struct Expected {
        int page;
        const char16_t* caption;
        const char16_t* sectionKey;  // "Section/Key"; "Fixed" for the fixed window rule
    };
    const Expected expected[] = {
        {0, u"起動時に設定画面を表示する(&1)", u"Basic/ViewDisplay"},
        {0, u"タスクトレイにアイコンを表示する(&2)", u"Basic/TaskTray"},
        {0, u"終了時に確認する(&3)", u"Basic/EndCheck"},
        {0, u"起動時にバージョンアップのチェックを行う(&4)", u"Basic/VerCheck"},
        {1, u"ウインドウのタイトルバーに情報を表示する(&1)", u"TitleBar/TitleInfo"},
        {1, u"MDI子ウインドウに情報を表示する(&2)", u"TitleBar/MDIChild"},
        {1, u"情報を表示するウインドウを固定(&3)", u"Fixed"},
        {1, u"Unicodeに対応する(&4)", u"TitleBar/Unicode"},
        {2, u"タイトルバーの独自描画を行う(&1)", u"DrawBar/UseDrawBar"},
        {2, u"項目削除時に確認する(&2)", u"DrawBar/DelCheck"},
        {2, u"アプリが自分で描くタイトルバーにも表示する(&3)", u"DrawBar/AppCaptionBar"},
        {3, u"項目削除時に確認する(&1)", u"View/DelCheck"},
        {3, u"グループ項目の更新は独自のタイミング(100ms)で行う(&2)", u"View/RefreshTiming"},
        {4, u"アラームのチェックを行う(&1)", u"Alarm/CheckAlarm"},
        {4, u"アラーム削除時に確認する(&2)", u"Alarm/DelCheck"},
        {5, u"個別設定削除時に確認する(&1)", u"Window/DelCheck"},
        {5, u"許可したウインドウ以外は全て除外(&2)", u"Window/PermitOnly"},
        {6, u"診断ログを記録する(&L)", u"Debug/Log"},
    };
    const char16_t* titles[] = {u"基本動作設定", u"タイトルバー設定", u"独自描画設定", u"表示項目設定",
                                u"アラーム設定", u"ウインドウ個別設定", u"各種情報"};
    ASSERT_EQ(Pages().size(), 7u);
    size_t next = 0;
    for (const PageModel& page : Pages()) {
        const int index = static_cast<int>(page.page);
        EXPECT_EQ(index, static_cast<int>(&page - Pages().data()));
        EXPECT_EQ(Text(Tr(page.title)), titles[index]);
        for (const CheckBoxModel& box : page.checkBoxes) {
            ASSERT_LT(next, std::size(expected));
            const Expected& e = expected[next++];
            SCOPED_TRACE(TextToUtf8(e.caption));
            EXPECT_EQ(index, e.page);
            EXPECT_EQ(Text(Tr(box.caption)), e.caption);

            test::TempFolder dir;
            IniStore::Instance().Reset();
            AppState app;
            const bool before = ReadBinding(box.binding, app);
            EXPECT_TRUE(WriteBinding(box.binding, !before, app, nullptr));
            EXPECT_EQ(ReadBinding(box.binding, app), !before);
            const Text path = dir.Path("TBQ_Setting.ini");
            {
                IniWriteBatch batch;  // one write of the file, not one per key
                WriteGlobalSettings(path, app.settings, app.FixedWindowRule);
            }
            vbIniFile ini(path);
            if (Text(e.sectionKey) == u"Fixed") {
                EXPECT_EQ(FieldOf(box.binding), nullptr);
                EXPECT_EQ(ini.GetBool(u"TitleBar", u"Fixed_Enable", before), !before);
                continue;
            }
            const SettingField* field = FieldOf(box.binding);
            ASSERT_NE(field, nullptr);
            EXPECT_EQ(Text(field->section) + u"/" + field->key, e.sectionKey);
            EXPECT_EQ(ini.GetBool(field->section, field->key, before), !before);
        }
    }
    EXPECT_EQ(next, std::size(expected));
    IniStore::Instance().Reset();
}

TEST(PageBindings, ChangesTellTheirEffectsOnceAndOnlyWhenTheValueChanges) {
    AppState app;
    RecordedEffects fx;
    auto box = [](int page, int n) { return PageAt(page).checkBoxes[static_cast<size_t>(n)].binding; };
    EXPECT_TRUE(WriteBinding(box(0, 1), false, app, &fx));   // TaskTray off
    EXPECT_FALSE(WriteBinding(box(0, 1), false, app, &fx));  // again: nothing
    EXPECT_TRUE(WriteBinding(box(0, 1), true, app, &fx));
    WriteBinding(box(1, 0), false, app, &fx);  // TitleInfo
    WriteBinding(box(2, 0), true, app, &fx);   // UseDrawBar
    WriteBinding(box(1, 1), true, app, &fx);   // MDIChild: read by the next tick
    EXPECT_EQ(WriteTiming(5, app, &fx), 10);
    EXPECT_EQ(WriteTiming(70000, app, &fx), 65000);
    EXPECT_EQ(WriteTiming(65000, app, &fx), 65000);
    EXPECT_EQ(app.settings.Timing, 65000);
    EXPECT_EQ(fx.calls, (std::vector<Text>{u"tray off", u"tray on", u"title off", u"draw on",
                                           u"timing 10", u"timing 65000"}));
}

// ---- The interval control ----------------------------------------------------

TEST(Interval, TheScrollBarNeverGivesATimingOutsideTheRange) {
    struct Case {
        std::int32_t scroll, timing;
    };
    const Case cases[] = {
        {-32768, 10},        // the 16-bit bottom is 0 ms: clamped
        {ScrollMin(), 10},   // the range we set starts at 10 ms
        {ScrollMin() - 1, 10},
        {0, 32768},
        {ScrollMax(), 65000},
        {ScrollMax() + 1, 65000},
        {32767, 65000},       // 65535 ms would not fit the setting
        {0x800A, 10},         // the thumb's position as an unsigned 16-bit word
        {0xFFFF, 32767},      // -1 read unsigned
    };
    for (const Case& c : cases) EXPECT_EQ(GetScrollValue(c.scroll), c.timing) << c.scroll;
    EXPECT_EQ(ScrollMin(), 10 - 32768);
    EXPECT_EQ(ScrollMax(), 65000 - 32768);
    for (auto [timing, scroll] : {std::pair{5, ScrollMin()}, {10, ScrollMin()}, {500, 500 - 32768},
                                  {65000, ScrollMax()}, {70000, ScrollMax()}}) {
        EXPECT_EQ(SetScrollValue(timing), scroll) << timing;
        EXPECT_EQ(GetScrollValue(SetScrollValue(timing)), std::clamp(timing, 10, 65000));
    }
}

TEST(Interval, TheLabelShowsSecondsWithoutTrailingZeros) {
    for (auto [ms, text] : {std::pair<int, const char16_t*>{10, u"0.01秒"}, {500, u"0.5秒"},
                            {1000, u"1秒"}, {1250, u"1.25秒"}, {1001, u"1.001秒"},
                            {65000, u"65秒"}})
        EXPECT_EQ(IntervalLabel(ms), text) << ms;
}

TEST(Interval, PresetsAreReadUntilTheFirstEmptyNameAndClamped) {
    test::TempFolder dir;
    IniStore::Instance().Reset();
    dir.WriteBytes("TBQ_Data.ini",
                   "[Timing001]\r\nName=fast\r\nMSec=5\r\n"
                   "[Timing002]\r\nName=slow\r\nMSec=70000\r\n"
                   "[Timing003]\r\nName=half\r\nMSec=500\r\n"
                   "[Timing004]\r\nName=\r\nMSec=1000\r\n"
                   "[Timing005]\r\nName=late\r\nMSec=2000\r\n");
    const auto presets = LoadIntervalPresets(dir.Path("TBQ_Data.ini"));
    ASSERT_EQ(presets.size(), 3u);
    EXPECT_EQ(presets[0].msec, 10);
    EXPECT_EQ(presets[1].msec, 65000);
    EXPECT_EQ(IntervalEntries(presets), (std::vector<Text>{u"fast", u"slow", u"half", u"任意"}));
    EXPECT_EQ(IntervalEntryFor(presets, 500), 2u);
    EXPECT_EQ(IntervalEntryFor(presets, 10), 0u);
    EXPECT_EQ(IntervalEntryFor(presets, 777), 3u);  // 任意
    EXPECT_EQ(IntervalOfEntry(presets, 1), std::optional<std::int32_t>(65000));
    EXPECT_EQ(IntervalOfEntry(presets, 3), std::nullopt);
    IniStore::Instance().Reset();
}

}  // namespace
}  // namespace tbq::uimodel
