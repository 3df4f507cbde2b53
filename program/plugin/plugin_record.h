// What a plug-in hands back, read without trusting it: the information and
// function records (text fields cut at their sizes, counts kept in range) and
// the text of the two-call GetText protocol (lengths checked, buffers bounded).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/text.h"
#include "platform/library.h"

namespace tbq {

// Plug-in flag bits, and function flag bits.
inline constexpr std::int32_t kPluginHasSettings = 1, kPluginHasAbout = 2;
inline constexpr std::int32_t kFuncUtf16 = 1, kFuncNoSettings = 2;

// More functions or settings than this are not offered: a plug-in reporting
// two thousand million would otherwise be asked that many times.
inline constexpr std::int32_t kMaxPluginFunctions = 256;
inline constexpr std::int32_t kMaxFunctionSettings = 1024;
// The longest text a plug-in may report; a longer (or negative) length shows nothing.
inline constexpr std::int32_t kMaxPluginTextLength = 65535;
// Extra zeroed characters given beyond the size the plug-in is told, so that
// even a terminator written one place too far stays inside our buffer.
inline constexpr std::int32_t kTextBufferSpare = 2;

// The information record; texts are the bytes up to the first zero (the whole
// field when it has none), in the ANSI code page.
struct PluginInformation {
    std::string name, version, comment, copyright, url, mail;
    std::int32_t funcNum = 0;  // 0 … kMaxPluginFunctions
    std::int32_t flags = 0;
};

struct PluginFunction {
    std::string name, comment;
    std::int32_t settingNum = 0;  // 0 … kMaxFunctionSettings
    std::int32_t flags = 0;
};

PluginInformation ReadPluginInformation(const platform::PluginInfoBytes& record);
PluginFunction ReadPluginFunction(const platform::PluginFuncBytes& record);

// The bytes of `field` up to its first zero byte, never past its size.
std::string FieldBytes(const char* field, std::size_t size);

// One text request: `call(buffer, size)` is one GetText call (buffer null and
// size 0 for the length). nullopt when a call failed (the plug-in crashed or
// hung). UTF-16 text is read as little-endian units; ANSI text through the
// code page. A length outside 0 … kMaxPluginTextLength gives an empty text
// without the second call.
using TextCall = std::function<std::optional<std::int32_t>(char* buffer, std::int32_t size)>;
std::optional<Text> RequestPluginText(const TextCall& call, bool utf16);

}  // namespace tbq
