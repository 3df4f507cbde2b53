// The version-check port over Rondel.dll. The library is taken from one full
// path only, the program folder's, and never through the system's library
// search: a Rondel.dll planted in the current folder or on the path must not
// run inside the program.
#pragma once

#include "platform/version_check.h"
#include "win32/unique_handle.h"

namespace tbq::platform {

class Win32VersionCheckLibrary final : public VersionCheckLibrary {
public:
    static constexpr char16_t kFileName[] = u"Rondel.dll";
    // The library `programFolder` + "Rondel.dll" (the folder ends with "\").
    // Nothing is loaded before the first call.
    explicit Win32VersionCheckLibrary(const Text& programFolder)
        : path_(programFolder + kFileName) {}

    std::optional<std::int32_t> CheckNewVersion(WindowId owner, const std::string& productKey,
                                                std::int32_t build, std::span<char> title) override;

private:
    Text path_;
    win32::UniqueModule module_;
    void* proc_ = nullptr;
};

}  // namespace tbq::platform
