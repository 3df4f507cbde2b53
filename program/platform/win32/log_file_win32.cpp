#include "platform/win32/log_file_win32.h"

#include <windows.h>

#include "win32/unique_handle.h"
#include "win32/wide.h"

namespace tbq::platform {

std::optional<std::int64_t> Win32LogFile::Size(const Text& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(win32::Wide(path).c_str(), GetFileExInfoStandard, &data)) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return 0;
        return std::nullopt;
    }
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                                     data.nFileSizeLow);
}

bool Win32LogFile::Append(const Text& path, std::string_view bytes) {
    const HANDLE raw =
        CreateFileW(win32::Wide(path).c_str(), FILE_APPEND_DATA,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) return false;
    const win32::UniqueHandle file(raw);
    DWORD written = 0;
    return WriteFile(raw, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool Win32LogFile::Rename(const Text& from, const Text& to) {
    return MoveFileExW(win32::Wide(from).c_str(), win32::Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace tbq::platform
