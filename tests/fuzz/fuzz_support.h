// What the fuzz targets that read settings files share: one scratch folder
// for the whole run (removed at exit), and texts as an ANSI settings file
// stores them.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/text.h"
#include "platform/ports.h"

namespace tbq::fuzz {

// The run's scratch folder "/tmp/<prefix>-XXXXXX"; made at the first call.
inline const std::string& RunFolder(const char* prefix) {
    static const std::string* folder = [prefix] {
        std::string pattern = std::string("/tmp/") + prefix + "-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        auto* f = new std::string(pattern);  // kept for the whole run
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(RunFolder(""), ec);
        });
        return f;
    }();
    return *folder;
}

inline Text RunPath(const char* prefix, const char* name) {
    return Utf8ToText(RunFolder(prefix) + "/" + name);
}

// A character the code page cannot hold (a U+FFFD read from a UTF-8 file's
// bad bytes) is written as "?" whatever we do, so texts compare as written.
inline std::string Stored(const Text& t) { return platform::codepage().ToAnsi(t); }

}  // namespace tbq::fuzz
