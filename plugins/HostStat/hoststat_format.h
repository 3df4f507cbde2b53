// HostStat's functions and their format texts: what each function offers,
// the placeholders of its format ("{load}"), and the expansion of a format;
// its texts in TBQ's two languages (a table of its own: the plug-in is a
// library apart). Portable: the host tests check it without Windows.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace hoststat {

enum Function { kCpu = 1, kMemoryUsed, kMemoryFree, kUptime, kDriveFree, kBattery, kNetwork };
inline constexpr int kFunctionCount = 7;

struct FunctionSpec {
    const char* section;          // settings sections are this plus the setting number: "CPU1"
    const wchar_t* name;          // shown in TBQ's menus
    const wchar_t* comment;
    const wchar_t* defaultFormat;
    const wchar_t* placeholders;  // shown in the settings box
};

enum class Language { Japanese, English };

// The language TBQ shows: its "Language" setting (0 automatic, 1 Japanese,
// 2 English); automatic is Japanese when the user's interface language (a
// Windows language id) is Japanese.
Language ChooseLanguage(int setting, unsigned short uiLanguage);

// Function 1 … kFunctionCount; null for any other number.
const FunctionSpec* Spec(int function, Language language = Language::Japanese);

// The plug-in's own texts.
enum class Say {
    Caption, SettingLabel, NameLabel, FormatLabel, DriveLabel, Cancel, Preview, DefaultSettingName,
    PluginComment, AboutText, AboutCaption,
    BatteryUnknown, BatteryCharging, BatteryDischarging, BatteryOnMains, BatteryNone, Count
};
const wchar_t* Text(Language language, Say what);

// `format` with every "{name}" replaced by value(name); a name without a value
// stays as written, and "{{" gives "{".
std::wstring Expand(std::wstring_view format,
                    const std::function<std::optional<std::wstring>(std::wstring_view)>& value);

// Numbers as the formats show them: whole, or with one decimal.
std::wstring Whole(double v);
std::wstring OneDecimal(double v);

}  // namespace hoststat
