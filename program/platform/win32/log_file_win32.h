// The diagnostic log's file on Windows: each append opens, writes and closes,
// shared with readers (a user may watch the file while the program runs).
#pragma once

#include "platform/log_file.h"

namespace tbq::platform {

class Win32LogFile final : public LogFile {
public:
    std::optional<std::int64_t> Size(const Text& path) override;
    bool Append(const Text& path, std::string_view bytes) override;
    bool Rename(const Text& from, const Text& to) override;
};

}  // namespace tbq::platform
