// ANSI texts at the library's edge: the exports speak the system code page,
// our own literals are UTF-8, and every copy into a fixed field is bounded.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tbq::library {

// UTF-8 source text in the system ANSI code page (unmappable characters become
// the code page's default character). Empty on failure.
std::string Utf8ToAnsi(std::string_view utf8);

// UTF-16 to the system ANSI code page, and back.
std::string WideToAnsi(std::wstring_view wide);
std::wstring AnsiToWide(std::string_view ansi);

// Copies `text` into `field` of `capacity` bytes: whole characters only (a
// double-byte character is never split), always zero-terminated, the rest of
// the field zeroed. Returns the number of text bytes written. Nothing happens
// when capacity is 0.
std::size_t CopyToField(char* field, std::size_t capacity, std::string_view text);

// A caller's text pointer as a view; null reads as the empty text.
inline std::string_view CallerText(const char* text) {
    return text ? std::string_view(text) : std::string_view();
}

}  // namespace tbq::library
