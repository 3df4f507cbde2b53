// The settings files of the program folder: which exist, the lines each
// begins with, numbered sections with end marks, loading at start-up and
// saving on request or at exit, and what the user sees when a file cannot be
// written.
#pragma once

#include <array>
#include <cstdint>

#include "base/text.h"
#include "items/view_list.h"

namespace tbq {

inline constexpr char16_t kSettingFile[] = u"TBQ_Setting.ini";
inline constexpr char16_t kViewDataFile[] = u"TBQ_ViewData.ini";
inline constexpr char16_t kWindowFile[] = u"TBQ_Window.ini";
inline constexpr char16_t kAlarmFile[] = u"TBQ_Alarm.ini";
inline constexpr char16_t kDrawBarFile[] = u"TBQ_DrawBar.ini";

struct NetworkTimeSetting {
    std::uint8_t Flag = 3;
    Text TimeServer;
    std::int32_t Port = 123;
    std::int32_t TimeOut = 5000;
    std::int32_t HttpPort = 80;
    Text ProxyServer;
};

// True when the program folder holds a file of that name (any letter case);
// an empty name means the main settings file.
bool SettingFileExists(const Text& name = {});
const char16_t* DataFileName();

void LoadAllSettings();
// Writes every settings file; tells the user itself when one cannot be written.
// Returns whether everything was written.
bool SaveAllSettings();
// Writes one display list file; false when the file cannot be prepared or written.
bool SaveViewList(const Text& path, ViewList& list);

std::array<std::uint32_t, 16> LoadCustomColors();
void SaveCustomColors(const std::array<std::uint32_t, 16>& colors);

NetworkTimeSetting LoadNetworkTimeSetting();
void SaveNetworkTimeSetting(const NetworkTimeSetting& setting);

// Makes sure `path` can be written: creates a missing file with its two header
// lines. False when it cannot (the caller reports it).
bool PrepareSettingFile(const Text& path, TextView secondHeaderLine);

}  // namespace tbq
