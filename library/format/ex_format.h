// The extended date and time format behind the library's ExFormatConvert and
// ExFormatGetInfo exports. Both are complete here; the exports only pass the
// caller's arguments and the Win32 environment through.
#pragma once

#include <cstdint>

#include "format/format_environment.h"
#include "format/time_record.h"

namespace tbq::format {

// Converts `format` (zero-terminated, in the environment's code page) for
// `time`, or for env.LocalNow() read once when `time` is null. `out` must have
// room for size + 1 bytes: bytes 0..size are cleared, the text is written
// from byte 0 and cut byte-wise at `size` bytes, so byte `size` always stays
// a terminator and nothing after it is touched. Returns the text's length.
// A null `out` or a negative `size` writes nothing and gives 0; a null
// `format` reads as the empty text. Never throws: if the environment runs out
// of memory the text produced so far is returned.
int32_t ExFormatConvertCore(const TimeRecord* time, const char* format, char* out, int32_t size,
                            const FormatEnvironment& env) noexcept;

// Row `index` (0-18) of the extended tokens' help: copies the token into
// `name` and its help text into `help`, each as a bounded copy of exactly
// `nameSize` / `helpSize` bytes (a text that fills its bound is not
// terminated, a shorter one is padded with zero bytes). A null buffer or a
// size of 0 or less is left alone. Returns the token's length; row 18 and
// every index outside 0-18 give empty texts and 0, which ends the caller's
// enumeration. With `english` the help is the English one.
int32_t ExFormatGetInfoCore(int32_t index, char* name, int32_t nameSize, char* help,
                            int32_t helpSize, const FormatEnvironment& env, bool english = false) noexcept;

}  // namespace tbq::format
