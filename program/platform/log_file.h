// The diagnostic log's file as the logic sees it: appended to a line at a
// time and set aside whole when it has grown. Every call is short and never
// waits on anything but the local disk.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/text.h"

namespace tbq::platform {

class LogFile {
public:
    virtual ~LogFile() = default;
    // The file's size in bytes: 0 when it does not exist, nullopt when it
    // cannot be asked.
    virtual std::optional<std::int64_t> Size(const Text& path) = 0;
    // Adds `bytes` at the end of the file, making it when it is missing.
    virtual bool Append(const Text& path, std::string_view bytes) = 0;
    // Renames `from` to `to`, replacing a file of that name.
    virtual bool Rename(const Text& from, const Text& to) = 0;
};

}  // namespace tbq::platform
