// The display item editor's model: each kind's page values to the keys the
// display-list file stores and back, and the checks made on OK.
#include "uimodel/item_editor_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <tuple>
#include <utility>
#include <vector>

#include "app/settings_files.h"
#include "core/program_location.h"
#include "fakes/temp_folder.h"
#include "items/view_list.h"
#include "settings/ini_file.h"
#include "settings/ini_store.h"
#include "uimodel/data_tables.h"
#include "uimodel/format_parts.h"

namespace tbq::uimodel {
namespace {

std::filesystem::path ShippedDataFile() {
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "data" / "TBQ_Data.ini";
}

class ItemEditorModel : public ::testing::Test {
protected:
    void SetUp() override {
        IniStore::Instance().Reset();
        saved_ = ProgramFolder();
        SetProgramLocation(dir_.Path() + u"/", u"TBQ");
        std::filesystem::copy_file(ShippedDataFile(), dir_.Native("TBQ_Data.ini"));
    }
    void TearDown() override {
        IniStore::Instance().Reset();
        SetProgramLocation(saved_, u"TBQ");
    }
    test::TempFolder dir_;
    Text saved_;
};

// Every kind: what the page holds, the keys the list file then stores, and the
// same values read back into a page from the stored item.
TEST_F(ItemEditorModel, PageValuesToStoredKeysAndBack) {
    using Keys = std::vector<std::pair<const char16_t*, const char16_t*>>;
    struct Case {
        const char* name;
        std::function<void(ItemValues&)> page;
        Keys keys;
    } cases[] = {
        {"clock",
         [](ItemValues& v) {
             v.kind = kKindClock;
             v.format = u"#{JD} hh:nn";
             v.zone = u"LON";
             v.extended = true;
             v.summerTime = true;
             v.offsets = {0, 0, 1, -3, 0, 0};
             v.color = 0xFF000000;
         },
         {{u"DataType", u"CLOCK"}, {u"FontColor", u"0xFF000000"}, {u"Format", u"#{JD} hh:nn"}, {u"TimeZone", u"LON"},
          {u"OffsetDay", u"1"}, {u"OffsetHour", u"-3"}, {u"Flag", u"3"}}},
        {"clock that follows its zone's summer time",
         [](ItemValues& v) { v.kind = kKindClock; v.zone = u"NYC"; v.autoSummerTime = true; },
         {{u"TimeZone", u"NYC"}, {u"Flag", u"4"}}},
        {"fixed", [](ItemValues& v) { v.kind = kKindFixed; v.fixedText = u"AB"; },
         {{u"DataType", u"FIXED"}, {u"Type", u"Fixed"}, {u"Text", u"00410042"}, {u"FontColor", u"0x80000009"}}},
        {"title by width from the end",
         [](ItemValues& v) { v.titleRange = 1; v.byWidth = true; v.fromEnd = true; v.titleNum = u"１２"; },
         {{u"DataType", u"TITLE"}, {u"Style", u"13"}, {u"Num", u"12"}}},
        {"title by delimiter", [](ItemValues& v) { v.titleRange = 2; v.titleChar = u" - "; v.byWidth = true; },
         {{u"Style", u"2"}, {u"Char", u" - "}}},
        {"count up",
         [](ItemValues& v) {
             v.kind = kKindCount;
             v.target = {-2, 1, 1, 0, 0, 0};
             v.targetSet = true;
             v.countDirection = 64;
             v.countMask = 8;
         },
         {{u"DataType", u"COUNT"}, {u"Year", u"-2"}, {u"Month", u"1"}, {u"Day", u"1"}, {u"Second", u"0"}, {u"Style", u"72"}}},
        {"scrolling group",
         [](ItemValues& v) {
             v.kind = kKindGroup;
             v.groupMode = 4;
             v.targetNum = u"3";
             v.timing = u"2";
             v.step = u"99999";  // beyond its field: the most it holds
             v.charLen = u"20";
             v.byteMode = v.checkLength = true;
         },
         {{u"DataType", u"GROUP"}, {u"TargetNum", u"3"}, {u"Timing", u"2"}, {u"Step", u"32767"}, {u"CharLen", u"20"}, {u"Style", u"44"}}},
        {"switching group keeps no scroll options",
         [](ItemValues& v) { v.kind = kKindGroup; v.groupMode = 2; v.byteMode = true; },
         {{u"Style", u"2"}}},
        {"alarm text",
         [](ItemValues& v) { v.kind = kKindAlarm; v.alarmStyle = 5; v.alarmType = 2; v.alarmName = u"お茶"; },
         {{u"DataType", u"ALARM"}, {u"Style", u"5"}, {u"Type", u"2"}, {u"AlarmName", u"お茶"}}},
        {"plug-in",
         [](ItemValues& v) { v.kind = kKindPlugin; v.pluginFile = u"HostStat.tbqp"; v.funcNo = 2; v.settingNo = 3; },
         {{u"DataType", u"PLUGIN"}, {u"PluginName", u"HostStat.tbqp"}, {u"FuncNo", u"2"}, {u"SettingNo", u"3"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ItemValues v;
        c.page(v);
        ViewList list{BuildItem(v)};
        const Text file = dir_.Path("list.ini");
        ASSERT_TRUE(SaveViewList(file, list));
        const vbIniFile ini(file);
        for (const auto& [key, value] : c.keys)
            EXPECT_EQ(ini.GetText(u"ViewData0001", key, u"(none)"), value) << TextToUtf8(key);
        // Read back, the page shows what was stored (typed numbers as read).
        const ViewListPtr read = ReadViewList(file);
        ASSERT_EQ(read->size(), 1u);
        const ItemValues back = ValuesOf((*read)[0].get());
        const ItemValues again = ValuesOf(BuildItem(back).get());
        EXPECT_EQ(back.kind, v.kind);
        EXPECT_EQ(back.color, v.color);
        EXPECT_EQ(TextToUtf8(again.format + again.zone + again.fixedText + again.titleNum + again.titleChar +
                             again.step + again.alarmName + again.pluginFile),
                  TextToUtf8(back.format + back.zone + back.fixedText + back.titleNum + back.titleChar + back.step +
                             back.alarmName + back.pluginFile));
        EXPECT_EQ(back.offsets, v.offsets);
        EXPECT_EQ(back.target, v.target);
        EXPECT_EQ(std::make_tuple(back.summerTime, back.extended, back.autoSummerTime),
                  std::make_tuple(v.summerTime, v.extended, v.autoSummerTime));
    }
}

// Every refusal on OK with the page that triggers it; pages that pass give none.
TEST_F(ItemEditorModel, RefusalsOnOk) {
    struct Case {
        const char* name;
        std::function<void(ItemValues&)> page;
        const char16_t* message;  // null: accepted
    } cases[] = {
        {"title count not a number", [](ItemValues& v) { v.titleRange = 1; v.titleNum = u"abc"; }, u"文字数が不正です。"},
        {"title count in full-width digits", [](ItemValues& v) { v.titleRange = 1; v.titleNum = u"５"; }, nullptr},
        {"title delimiter needs no number", [](ItemValues& v) { v.titleRange = 2; v.titleNum = u"abc"; }, nullptr},
        {"count without a date", [](ItemValues& v) { v.kind = kKindCount; }, u"日時が設定されていません。"},
        {"group range not a number", [](ItemValues& v) { v.kind = kKindGroup; v.targetNum = u"1.5"; }, u"対象範囲が不正です。"},
        {"switching group with timing 0",
         [](ItemValues& v) { v.kind = kKindGroup; v.groupMode = 2; v.timing = u"0"; }, u"タイミングが不正です。"},
        {"scrolling group with timing text",
         [](ItemValues& v) { v.kind = kKindGroup; v.groupMode = 4; v.timing = u"x"; }, u"タイミングが不正です。"},
        {"scrolling group with step 0",
         [](ItemValues& v) { v.kind = kKindGroup; v.groupMode = 4; v.step = u"0"; }, u"ステップ数が不正です。"},
        {"scrolling group with a negative step",
         [](ItemValues& v) { v.kind = kKindGroup; v.groupMode = 4; v.step = u"-2"; }, u"ステップ数が不正です。"},
        {"showing all ignores timing",
         [](ItemValues& v) { v.kind = kKindGroup; v.groupMode = 1; v.timing = u"0"; v.step = u"0"; }, nullptr},
        {"named alarm without alarms",
         [](ItemValues& v) { v.kind = kKindAlarm; v.alarmType = 2; }, u"現在利用可能なアラームがありません。"},
        {"first alarm without alarms", [](ItemValues& v) { v.kind = kKindAlarm; v.alarmType = 1; }, nullptr},
        {"plug-in not loaded",
         [](ItemValues& v) { v.kind = kKindPlugin; v.pluginFile = u"gone.tbqp"; }, u"プラグインが読み込めませんでした。"},
        {"plug-in loaded", [](ItemValues& v) { v.kind = kKindPlugin; v.pluginFile = u"HostStat.tbqp"; }, nullptr},
    };
    const auto loaded = [](const Text& file) { return file == u"HostStat.tbqp"; };
    for (const auto& c : cases) {
        ItemValues v;
        c.page(v);
        const auto refusal = CheckItem(v, false, loaded);
        if (c.message) {
            ASSERT_TRUE(refusal.has_value()) << c.name;
            EXPECT_EQ(Text(refusal->message), Text(c.message)) << c.name;
        } else {
            EXPECT_FALSE(refusal.has_value()) << c.name;
        }
    }
}

// The lists read from the shipped data file, and what stands in without one.
TEST_F(ItemEditorModel, DataTablesAndTheirFallbacks) {
    const Text shipped = dir_.Path("TBQ_Data.ini");
    const auto zones = LoadZones(shipped);
    ASSERT_GT(zones.size(), 30u);
    // The shipped names are Shift-JIS: only the code and distance read alike
    // under every code page.
    const Text caption = ZoneCaption(zones[0]);
    EXPECT_EQ(caption.substr(0, 12), u"GMT+09:00 : ");
    EXPECT_EQ(caption.substr(caption.size() - 5), u"(TYO)");
    EXPECT_GT(LoadCountPresets(shipped).size(), 1u);
    EXPECT_GT(PresetParts(shipped).size(), 1u);
    const Text missing = dir_.Path("none.ini");
    EXPECT_EQ(ZoneCaption(LoadZones(missing).at(0)), u"GMT+09:00 : 東京(TYO)");
    ASSERT_EQ(LoadCountPresets(missing).size(), 1u);
    EXPECT_EQ(LoadCountPresets(missing)[0].name, u"年/月/日/時/分/秒");
    EXPECT_EQ(LoadCountPresets(missing)[0].mask, 63);
    ASSERT_EQ(PresetParts(missing).size(), 1u);
    EXPECT_EQ(PresetParts(missing)[0].code, kDefaultClockFormat);
}

// The format builder: the extended list ends where the library says so, and
// a part goes in place of the selection with the caret after it.
TEST_F(ItemEditorModel, FormatBuilderParts) {
    int asked = 0;
    const auto parts = ExtendedParts([&](std::int32_t i, Text& code, Text& help) {
        ++asked;
        if (i >= 3) return false;
        code = u"K" + Utf8ToText(std::to_string(i));
        help = u"h";
        return true;
    });
    ASSERT_EQ(parts.size(), 5u);
    EXPECT_EQ(parts[0].code, u"#{");
    EXPECT_EQ(parts[1].code, u"}");
    EXPECT_EQ(parts[4].code, u"K2");
    EXPECT_EQ(asked, 4);
    EXPECT_EQ(DateCodeParts().size(), 38u);
    const auto edited = InsertPart(u"yyyy/mm", 4, 5, u"#{EE}");
    EXPECT_EQ(edited.text, u"yyyy#{EE}mm");
    EXPECT_EQ(edited.caret, 9u);
    EXPECT_EQ(InsertPart(u"ab", 9, 9, u"c").text, u"abc");
}

}  // namespace
}  // namespace tbq::uimodel
