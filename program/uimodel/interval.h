// The update interval control of the title-bar page: a 16-bit scroll bar whose
// value v stands for an interval of v + 32768 milliseconds, its "秒" label, and
// the interval presets of the data file with the entry "任意" for any other value.
// Texts in the language in force; the data file names its presets in Japanese,
// so in English a preset is named by its interval ("100 ms").
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/text.h"
#include "base/texts.h"

namespace tbq::uimodel {

inline constexpr std::int32_t kScrollOffset = 32768;
// The scroll bar's range: exactly the values that stand for 10..65000 ms.
std::int32_t ScrollMin();
std::int32_t ScrollMax();

// The scroll value that shows `timing` (forced into 10..65000 first).
std::int32_t SetScrollValue(std::int32_t timing);
// The interval a scroll value stands for, forced into 10..65000; show this
// value, not the one the scroll bar reported.
std::int32_t GetScrollValue(std::int32_t scrollValue);

// The interval in seconds: "0.5秒", "0.01秒", "1秒", "1.25秒", "65秒".
Text IntervalLabel(std::int32_t timing);

struct IntervalPreset {
    Text name;
    std::int32_t msec = 0;  // 10..65000
};


// Sections "Timing001", "Timing002", ... of the data file `dataFile`, keys
// "Name" and "MSec" (forced into 10..65000), up to the first empty name.
std::vector<IntervalPreset> LoadIntervalPresets(const Text& dataFile);
// The drop-down's entries: every preset's name, then "任意".
std::vector<Text> IntervalEntries(const std::vector<IntervalPreset>& presets);
// The entry to select for `timing`: the first preset of that interval, or the
// last entry, "任意" (presets.size()).
std::size_t IntervalEntryFor(const std::vector<IntervalPreset>& presets, std::int32_t timing);
// The interval an entry stands for; nullopt for "任意" (the value stays).
std::optional<std::int32_t> IntervalOfEntry(const std::vector<IntervalPreset>& presets, std::size_t entry);

}  // namespace tbq::uimodel
