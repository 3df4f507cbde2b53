// The settings files of the program folder: which exist, the lines each
// begins with, numbered sections with end marks, loading at start-up and
// saving on request or at exit, and what the user sees when a file cannot be
// written.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "base/text.h"
#include "items/view_list.h"

namespace tbq {

inline constexpr char16_t kSettingFile[] = u"TBQ_Setting.ini";
inline constexpr char16_t kViewDataFile[] = u"TBQ_ViewData.ini";
inline constexpr char16_t kWindowFile[] = u"TBQ_Window.ini";
inline constexpr char16_t kAlarmFile[] = u"TBQ_Alarm.ini";
inline constexpr char16_t kDrawBarFile[] = u"TBQ_DrawBar.ini";

// The two lines every settings file begins with: the first is the same in all,
// the second names the file's kind.
inline constexpr char16_t kFirstHeader[] =
    u"#ファイル内容を変更すると、Lunettaが正常に動作しなくなる可能性があります。";
inline constexpr char16_t kSettingHeader[] = u"#このファイルは、Lunetta用の設定情報ファイルです。";
inline constexpr char16_t kAlarmHeader[] = u"#このファイルは、Lunetta用のアラーム情報ファイルです。";
inline constexpr char16_t kWindowHeader[] =
    u"#このファイルは、Lunetta用のウインドウ個別情報ファイルです。";
inline constexpr char16_t kDrawBarHeader[] = u"#このファイルは、Lunetta用の独自描画設定ファイルです。";
inline constexpr char16_t kViewDataHeader[] = u"#このファイルは、Lunetta用の表示項目情報ファイルです。";

struct AppSettings;
class vbKerova_Window;

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
// The display list's items in sections ViewData0001, … and the end mark after
// them (held by the caller's write batch, if any).
void WriteViewListSections(const Text& path, const ViewList& list);
// Writes one display list file; false when the file cannot be prepared or written.
bool SaveViewList(const Text& path, ViewList& list);

std::array<std::uint32_t, 16> LoadCustomColors();
void SaveCustomColors(const std::array<std::uint32_t, 16>& colors);

NetworkTimeSetting LoadNetworkTimeSetting();
void SaveNetworkTimeSetting(const NetworkTimeSetting& setting);

// Every global setting and the fixed window rule into the main settings file
// `path` (held by the caller's write batch, if any).
void WriteGlobalSettings(const Text& path, const AppSettings& s, const vbKerova_Window& fixed);

// The boxes a failed write shows. The save-error box (OK): the file cannot be
// written. The retry box: true for Retry, which repeats the failed step. The
// unexpected-error box: any other failure, by its number and description.
void ShowSaveError(const Text& path);
bool AskRetry(const Text& path);
// Runs `step` until it succeeds or the user stops at the retry box for `path`.
bool WithRetry(const Text& path, const std::function<bool()>& step);
void ShowUnexpectedError(std::int32_t code, const Text& description);

// Prepares one file for a save, asking the user while it fails.
bool PrepareForSave(const Text& path, TextView header);
// The gathered writes of one file reach the disk before the save goes on, so
// a failure is reported for the file it belongs to; Retry writes them again.
// Called inside a write batch, while the writes are still held.
bool Commit(const Text& path);

// Makes sure `path` can be written: creates a missing file with its two header
// lines. False when it cannot (the caller reports it).
bool PrepareSettingFile(const Text& path, TextView secondHeaderLine);

}  // namespace tbq
