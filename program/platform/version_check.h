// The outside version-check library, Rondel.dll, as the program reaches it:
// its one export CheckNewVersion. The library does its own network work and
// its own dialogs; the program only hands over who it is and reads the answer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/windows.h"

namespace tbq::platform {

// The bytes of the title buffer handed to the library.
inline constexpr std::size_t kVersionCheckTitleSize = 256;

class VersionCheckLibrary {
public:
    virtual ~VersionCheckLibrary() = default;
    // CheckNewVersion(owner, productKey, build, title) and its result; nullopt
    // when the library or its export is not there. `title` is the dialog title
    // as a zero-terminated ANSI buffer the library may write into; it is never
    // told the size, so it holds kVersionCheckTitleSize bytes.
    virtual std::optional<std::int32_t> CheckNewVersion(WindowId owner,
                                                        const std::string& productKey,
                                                        std::int32_t build,
                                                        std::span<char> title) = 0;
};

}  // namespace tbq::platform
