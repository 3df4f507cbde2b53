// The export of the version-check library Rondel.dll, as the program calls it
// and as the tests' stand-in provides it:
//
//   int32_t WINAPI CheckNewVersion(HWND owner, const char* productKey,
//                                  int32_t build, char* title);
//
// owner       the window its dialogs belong to; 0 at start-up
// productKey  zero-terminated ANSI, "TBQ"
// build       the build number of the program's product version
// title       zero-terminated ANSI dialog title in a zeroed buffer of
//             kRondelTitleBufferSize bytes, which the library may write into
//             (never past that size)
//
// Results: 0 no information was obtained, 1 the newest version is in use,
// 3 the program must end now; any other value asks for nothing.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

inline constexpr char kRondelExportName[] = "CheckNewVersion";
inline constexpr std::size_t kRondelTitleBufferSize = 256;

using RondelCheckNewVersionProc = std::int32_t(WINAPI*)(HWND owner, const char* productKey,
                                                        std::int32_t build, char* title);
