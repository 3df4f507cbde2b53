#include "platform/win32/version_check_win32.h"

#include "platform/win32/rondel_abi.h"
#include "win32/wide.h"

namespace tbq::platform {

static_assert(kVersionCheckTitleSize == kRondelTitleBufferSize);

std::optional<std::int32_t> Win32VersionCheckLibrary::CheckNewVersion(WindowId owner,
                                                                      const std::string& productKey,
                                                                      std::int32_t build,
                                                                      std::span<char> title) {
    if (!proc_) {
        // Only the program folder's own file, by its full path, which the
        // system loads without searching any other folder; the altered search
        // path resolves the library's own dependencies from its folder first.
        // A missing file is no library, looked for again at the next call.
        const std::wstring path = win32::Wide(path_);
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return std::nullopt;
        if (!module_)
            module_.reset(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
        if (!module_) return std::nullopt;
        proc_ = reinterpret_cast<void*>(GetProcAddress(module_.get(), kRondelExportName));
        if (!proc_) return std::nullopt;
    }
    // The library is never told the buffer's size: it must be the stated one.
    if (title.size() < kRondelTitleBufferSize) return std::nullopt;
    const auto check = reinterpret_cast<RondelCheckNewVersionProc>(proc_);
    return check(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(owner)), productKey.c_str(),
                 build, title.data());
}

}  // namespace tbq::platform
