// vbIniFile: the one way every setting is read and written.
//
// Values travel as text in the system's ANSI code page and follow the
// profile-file conventions: case-insensitive sections and keys, blanks around
// values dropped, a value in double (or single) quotes read without them, "0x"
// numbers read as hexadecimal, missing files and keys read as the default, and
// a write creates the file, the section and the key as needed. A value with a
// blank or a double quote at either end is written in double quotes, so it
// reads back exactly as it was written. A write that cannot be done is
// silently lost and leaves the file as it was; callers that must know check
// with PrepareFileForWrite first.
#pragma once

#include <cstdint>

#include "base/text.h"

namespace tbq {

class vbIniFile {
public:
    // A read returns at most this many bytes less one (the terminator's place).
    static constexpr std::size_t kReadBufferBytes = 10240;

    vbIniFile() = default;
    explicit vbIniFile(Text fileName) : FileName(std::move(fileName)) {}

    Text FileName;

    Text GetText(TextView section, TextView key, TextView defaultValue) const;
    std::int32_t GetNumber(TextView section, TextView key, std::int32_t defaultValue) const;
    bool GetBool(TextView section, TextView key, bool defaultValue) const;

    void SetText(TextView section, TextView key, TextView value) const;
    void SetNumber(TextView section, TextView key, std::int32_t value) const;
    void SetBool(TextView section, TextView key, bool value) const;
};

// The leading number of a profile value: blanks, a sign, then decimal digits,
// or "0x"/"0o"/"0b" followed by hexadecimal, octal or binary ones; reading stops
// at the first other character and wraps around in 32 bits. "abc" reads as 0.
std::int32_t ParseProfileNumber(TextView text);

}  // namespace tbq
