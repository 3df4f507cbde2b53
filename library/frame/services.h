// The library's small services: its own information, the about box, the
// single-instance broadcast, a window's executable and shell links.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "tbq_library.h"
#include "tbq_version.h"

namespace tbq::library {

inline constexpr char kVersion[] = TBQ_VERSION_STRING;

void FillInformation(TBQ_Information& info);
std::int32_t ShowAboutBox(HWND owner);
std::int32_t BroadcastShowMainWindow();

// The full path of the executable that runs the process owning `window`;
// empty when it cannot be read (a process of another user, a dead window).
std::wstring WindowExecutablePath(HWND window);

struct ShellLinkFields {
    const char* linkPath;
    const char* targetPath;
    const char* workDir;
    const char* iconFile;
    std::int32_t iconIndex;
    const char* description;
    const char* arguments;
};
// True when the link was saved.
bool SaveShellLink(const ShellLinkFields& fields);

}  // namespace tbq::library
