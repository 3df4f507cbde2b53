// The tables of "TBQ_Data.ini" the settings window and its editors offer:
// numbered sections ("TimeZone001", "CountFormat001", ...) from 001 up to the
// first one whose key is empty. The program only reads this file.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "base/text.h"

namespace tbq {
class vbIniFile;
}

namespace tbq::uimodel {

// Calls `row` with each section's name, from `prefix` + "001" up to the first
// section whose `key` is empty (999 at most: three digits).
void ForEachRow(const vbIniFile& ini, TextView prefix, TextView key,
                const std::function<void(const Text& section, const Text& value)>& row);

// A name or description a row gives in the language in force: in English the
// key with "En" added ("NameEn", plain ASCII), else, or when that is missing,
// the key itself (the Japanese text).
Text LocalText(const vbIniFile& ini, const Text& section, TextView key, TextView fallback);

// A zone of the clock's zone list.
struct ZoneRow {
    Text code;  // "TYO"
    Text name;  // "東京"
    std::int32_t hour = 9, minute = 0;
    bool minus = false;
};
// The zone table; the single zone 東京 (TYO, +09:00) when there is none.
std::vector<ZoneRow> LoadZones(const Text& dataFile);
// "GMT+09:00 : 東京(TYO)".
Text ZoneCaption(const ZoneRow& zone);

// A count format: its name and unit mask.
struct CountPreset {
    Text name;
    std::uint8_t mask = 63;
};
// The count formats; the single "年/月/日/時/分/秒" (63) when there are none.
std::vector<CountPreset> LoadCountPresets(const Text& dataFile);

}  // namespace tbq::uimodel
