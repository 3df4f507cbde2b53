// The global settings of "TBQ_Setting.ini", described once: section, key, the
// member that holds it, its default and its range. Loading, saving and the
// defaults of a new AppSettings all walk this table.
#pragma once

#include <cstdint>
#include <limits>
#include <span>

#include "base/text.h"

namespace tbq {

struct AppSettings;

// The update tick runs every 10 ms at the fastest and about once a minute at
// the slowest (the timer's field holds at most 65000).
inline constexpr std::int32_t kMinTiming = 10, kMaxTiming = 65000;

struct SettingField {
    enum class Kind : std::uint8_t { Flag, Number, String, FixedWindowRule };

    Kind kind;
    const char16_t* section;
    const char16_t* key;
    bool AppSettings::*flag = nullptr;
    std::int32_t AppSettings::*number = nullptr;
    tbq::Text AppSettings::*text = nullptr;
    // The default: a number (a flag's 1 or 0) or a text.
    std::int32_t defaultNumber = 0;
    const char16_t* defaultText = u"";
    // A number read from the file is forced into this range.
    std::int32_t min = std::numeric_limits<std::int32_t>::min();
    std::int32_t max = std::numeric_limits<std::int32_t>::max();
};

// The "NetworkTime" keys are not in this table: they are written only after a
// synchronisation succeeded (a save of every setting would write them too),
// and an empty proxy reads as the system's proxy, which such a save would make
// the user's own. LoadNetworkTimeSetting and SaveNetworkTimeSetting keep them.

// In the order the keys are written; the row of kind FixedWindowRule is where
// the fixed window rule's own "Fixed_" keys go in section "TitleBar".
std::span<const SettingField> GlobalSettingFields();

// Every field of the table set to its default.
void ApplyDefaultSettings(AppSettings& s);

// The row that holds the flag `member`; null when the table has none.
const SettingField* FindSettingField(bool AppSettings::*member);

}  // namespace tbq
