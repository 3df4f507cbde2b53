#include "uimodel/interval.h"

#include <algorithm>
#include <cstdio>

#include "app/settings_table.h"
#include "settings/ini_file.h"
#include "uimodel/data_tables.h"

namespace tbq::uimodel {

namespace {

std::int32_t ClampTiming(std::int32_t ms) { return std::clamp(ms, kMinTiming, kMaxTiming); }

}  // namespace

std::int32_t ScrollMin() { return kMinTiming - kScrollOffset; }
std::int32_t ScrollMax() { return kMaxTiming - kScrollOffset; }

std::int32_t SetScrollValue(std::int32_t timing) { return ClampTiming(timing) - kScrollOffset; }

std::int32_t GetScrollValue(std::int32_t scrollValue) {
    // A scroll bar reports a 16-bit value; anything wider is cut to it first,
    // as the control itself would.
    const auto v = static_cast<std::int16_t>(static_cast<std::uint16_t>(scrollValue & 0xFFFF));
    return ClampTiming(v + kScrollOffset);
}

Text IntervalLabel(std::int32_t timing) {
    // Whole milliseconds make at most three decimals; trailing zeros go.
    const std::int32_t ms = std::max(timing, 0);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d.%03d", static_cast<int>(ms / 1000), static_cast<int>(ms % 1000));
    std::string s = buf;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return Tr(TextId::PageSeconds, Utf8ToText(s));
}

std::vector<IntervalPreset> LoadIntervalPresets(const Text& dataFile) {
    std::vector<IntervalPreset> presets;
    const vbIniFile ini(dataFile);
    ForEachRow(ini, u"Timing", u"Name", [&](const Text& section, const Text& name) {
        presets.push_back({name, ClampTiming(ini.GetNumber(section, u"MSec", kMinTiming))});
    });
    return presets;
}

std::vector<Text> IntervalEntries(const std::vector<IntervalPreset>& presets) {
    std::vector<Text> entries;
    const bool english = CurrentLanguage() == Language::English;
    for (const IntervalPreset& p : presets) entries.push_back(english ? Tr(TextId::PagePresetMs, NumberText(p.msec)) : p.name);
    entries.push_back(Text(Tr(TextId::PageAnyInterval)));
    return entries;
}

std::size_t IntervalEntryFor(const std::vector<IntervalPreset>& presets, std::int32_t timing) {
    const auto it = std::find_if(presets.begin(), presets.end(),
                                 [&](const IntervalPreset& p) { return p.msec == timing; });
    return static_cast<std::size_t>(it - presets.begin());
}

std::optional<std::int32_t> IntervalOfEntry(const std::vector<IntervalPreset>& presets,
                                            std::size_t entry) {
    if (entry >= presets.size()) return std::nullopt;
    return presets[entry].msec;
}

}  // namespace tbq::uimodel
