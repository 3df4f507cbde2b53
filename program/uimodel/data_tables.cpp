#include "uimodel/data_tables.h"

#include <algorithm>
#include <cstdio>

#include "base/texts.h"
#include "settings/ini_file.h"

namespace tbq::uimodel {

void ForEachRow(const vbIniFile& ini, TextView prefix, TextView key,
                const std::function<void(const Text& section, const Text& value)>& row) {
    for (int i = 1; i <= 999; ++i) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%03d", i);
        Text section(prefix);
        section += Utf8ToText(digits);
        const Text value = ini.GetText(section, key, u"");
        if (value.empty()) return;
        row(section, value);
    }
}

Text LocalText(const vbIniFile& ini, const Text& section, TextView key, TextView fallback) {
    const Text own = ini.GetText(section, key, fallback);
    if (CurrentLanguage() != Language::English) return own;
    Text englishKey(key);
    englishKey += u"En";
    return ini.GetText(section, englishKey, own);
}

std::vector<ZoneRow> LoadZones(const Text& dataFile) {
    std::vector<ZoneRow> zones;
    const vbIniFile ini(dataFile);
    ForEachRow(ini, u"TimeZone", u"SName", [&](const Text& section, const Text& code) {
        zones.push_back({code, LocalText(ini, section, u"Name", code), std::clamp(ini.GetNumber(section, u"Hour", 0), 0, 255),
                         std::clamp(ini.GetNumber(section, u"Minute", 0), 0, 255),
                         ini.GetBool(section, u"Minus", false)});
    });
    if (zones.empty()) zones.push_back({u"TYO", u"東京", 9, 0, false});
    return zones;
}

Text ZoneCaption(const ZoneRow& zone) {
    char distance[16];
    std::snprintf(distance, sizeof distance, "%c%02d:%02d", zone.minus ? '-' : '+', zone.hour, zone.minute);
    Text caption = u"GMT";
    caption += Utf8ToText(distance);
    caption += u" : ";
    caption += zone.name;
    caption += u"(";
    caption += zone.code;
    caption += u")";
    return caption;
}

std::vector<CountPreset> LoadCountPresets(const Text& dataFile) {
    std::vector<CountPreset> presets;
    const vbIniFile ini(dataFile);
    ForEachRow(ini, u"CountFormat", u"Name", [&](const Text& section, const Text& name) {
        presets.push_back({LocalText(ini, section, u"Name", name), static_cast<std::uint8_t>(std::clamp(ini.GetNumber(section, u"Format", 63), 0, 63))});
    });
    if (presets.empty()) presets.push_back({u"年/月/日/時/分/秒", 63});
    return presets;
}

}  // namespace tbq::uimodel
