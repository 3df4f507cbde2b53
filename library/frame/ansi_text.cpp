#include "frame/ansi_text.h"

#include <windows.h>

#include <cstring>

namespace tbq::library {

namespace {

std::wstring MultiToWide(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    int n =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

// Bytes of the character that starts with `lead` in the ANSI code page.
std::size_t CharacterLength(UINT acp, unsigned char lead) {
    if (acp == CP_UTF8) {
        if (lead >= 0xF0) return 4;
        if (lead >= 0xE0) return 3;
        if (lead >= 0xC0) return 2;
        return 1;
    }
    return IsDBCSLeadByteEx(acp, lead) ? 2 : 1;
}

}  // namespace

std::string WideToAnsi(std::wstring_view wide) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    if (n <= 0) return {};
    std::string ansi(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), n,
                        nullptr, nullptr);
    return ansi;
}

std::wstring AnsiToWide(std::string_view ansi) { return MultiToWide(CP_ACP, ansi); }

std::string Utf8ToAnsi(std::string_view utf8) { return WideToAnsi(MultiToWide(CP_UTF8, utf8)); }

std::size_t CopyToField(char* field, std::size_t capacity, std::string_view text) {
    if (!field || capacity == 0) return 0;
    const UINT acp = GetACP();
    std::size_t used = 0;
    while (used < text.size() && text[used] != '\0') {
        std::size_t len = CharacterLength(acp, static_cast<unsigned char>(text[used]));
        if (used + len > text.size()) break;   // a lead byte without its trail: drop it
        if (used + len + 1 > capacity) break;  // keep room for the terminator
        used += len;
    }
    std::memcpy(field, text.data(), used);
    std::memset(field + used, 0, capacity - used);
    return used;
}

}  // namespace tbq::library
