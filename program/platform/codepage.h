// The system's ANSI code page: settings files, the library's narrow exports and
// the narrow window functions all speak it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/text.h"

namespace tbq::platform {

class CodePage {
public:
    virtual ~CodePage() = default;
    virtual unsigned Id() const = 0;  // 932 on Japanese systems, 1252 on Western ones
    // A character the code page cannot hold becomes "?".
    virtual std::string ToAnsi(TextView text) const = 0;
    // A byte sequence that is not valid in the code page becomes U+30FB or U+FFFD per unit.
    virtual Text FromAnsi(std::string_view bytes) const = 0;
    // True for the first byte of a two-byte character.
    virtual bool IsLeadByte(unsigned char byte) const = 0;

    // Bytes of the character that starts with `lead`. The UTF-8 system code
    // page (65001) has characters of up to four bytes, which the two-byte
    // lead-byte test does not know.
    std::size_t CharacterLength(unsigned char lead) const {
        if (Id() == 65001) return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        return IsLeadByte(lead) ? 2 : 1;
    }
};

}  // namespace tbq::platform
