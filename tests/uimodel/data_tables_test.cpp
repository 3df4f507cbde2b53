// The shipped data file in English: every zone, interval, count preset and
// clock format has a name, description and format of its own in plain ASCII, and
// Japanese stays what it was.
#include <gtest/gtest.h>

#include "base/texts.h"
#include "uimodel/data_tables.h"
#include "uimodel/format_parts.h"
#include "uimodel/interval.h"

namespace tbq::uimodel {
namespace {

const Text kShipped = Utf8ToText(std::string(TBQ_SOURCE_ROOT) + "/data/TBQ_Data.ini");

bool Ascii(TextView t) {
    for (char16_t c : t)
        if (c < 0x20 || c > 0x7E) return false;
    return !t.empty();
}

TEST(DataTablesTest, EveryRowHasAnEnglishNameInPlainAscii) {
    SetLanguage(Language::English);
    const auto zones = LoadZones(kShipped);
    const auto presets = LoadCountPresets(kShipped);
    const auto intervals = LoadIntervalPresets(kShipped);
    const auto formats = PresetParts(kShipped);
    SetLanguage(Language::Japanese);
    ASSERT_EQ(intervals.size(), 5u);
    for (const IntervalPreset& p : intervals) EXPECT_TRUE(Ascii(p.name)) << TextToUtf8(p.name);
    ASSERT_EQ(formats.size(), 12u);
    for (const FormatPart& f : formats) {
        Text oneLine = f.help;
        std::erase(oneLine, u'\r');
        std::erase(oneLine, u'\n');
        EXPECT_TRUE(Ascii(oneLine)) << TextToUtf8(f.help);
        EXPECT_TRUE(Ascii(f.code)) << TextToUtf8(f.code);
    }
    ASSERT_EQ(zones.size(), 50u);
    for (const ZoneRow& z : zones) EXPECT_TRUE(Ascii(z.name)) << TextToUtf8(z.code);
    for (const CountPreset& p : presets) EXPECT_TRUE(Ascii(p.name)) << TextToUtf8(p.name);
    EXPECT_EQ(ZoneCaption(zones.front()), u"GMT+09:00 : Tokyo(TYO)");
    EXPECT_EQ(presets.back().name, u"Seconds");
    // In Japanese the zone keeps its own name (read in the system's code page).
    EXPECT_NE(LoadZones(kShipped).front().name, u"Tokyo");
}

}  // namespace
}  // namespace tbq::uimodel
