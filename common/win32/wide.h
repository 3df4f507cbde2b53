// Program text <-> Windows wide strings. Both are UTF-16, so only the type changes.
#pragma once

#include <string>

#include "core/text.h"

namespace tbq::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring Wide(TextView t) { return std::wstring(t.begin(), t.end()); }
inline Text FromWide(std::wstring_view w) { return Text(w.begin(), w.end()); }
inline Text FromWide(const wchar_t* w) { return w ? FromWide(std::wstring_view(w)) : Text(); }

}  // namespace tbq::win32
