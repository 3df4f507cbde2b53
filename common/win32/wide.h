// Program text <-> Windows wide strings. Both are UTF-16, so only the type changes.
#pragma once

#include <string>
#include <string_view>

namespace tbq::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring Wide(std::u16string_view t) { return std::wstring(t.begin(), t.end()); }
inline std::u16string FromWide(std::wstring_view w) { return std::u16string(w.begin(), w.end()); }
inline std::u16string FromWide(const wchar_t* w) {
    return w ? FromWide(std::wstring_view(w)) : std::u16string();
}

}  // namespace tbq::win32
