// The system's ANSI code page: settings files, the library's narrow exports and
// the narrow window functions all speak it.
#pragma once

#include <string>
#include <string_view>

#include "core/text.h"

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
};

}  // namespace tbq::platform
