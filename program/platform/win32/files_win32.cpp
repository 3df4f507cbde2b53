#include <windows.h>

#include "win32/unique_handle.h"
#include "win32/wide.h"
#include "platform/win32/win32_ports.h"

namespace tbq::platform {

using win32::FromWide;
using win32::Wide;

ReadResult Win32Files::ReadAll(const Text& path, std::size_t limit) {
    ReadResult r;
    win32::UniqueHandle h(CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) {
        DWORD err = GetLastError();
        r.status = (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND)
                       ? ReadStatus::Missing
                       : ReadStatus::Failed;
        return r;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h.get(), &size) || static_cast<unsigned long long>(size.QuadPart) > limit) {
        r.status = ReadStatus::Failed;
        return r;
    }
    r.bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t got = 0;
    while (got < r.bytes.size()) {
        DWORD n = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(r.bytes.size() - got, 1u << 30));
        if (!ReadFile(h.get(), r.bytes.data() + got, want, &n, nullptr) || n == 0) break;
        got += n;
    }
    // A read cut short is no file: writing it back would lose the rest.
    if (got != r.bytes.size()) {
        r.bytes.clear();
        r.status = ReadStatus::Failed;
        return r;
    }
    r.status = ReadStatus::Ok;
    return r;
}

std::optional<FileStamp> Win32Files::Stamp(const Text& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    FileStamp s;
    s.size = (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    s.writeTime = (static_cast<std::int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                  data.ftLastWriteTime.dwLowDateTime;
    s.identity = (static_cast<std::uint64_t>(data.ftCreationTime.dwHighDateTime) << 32) |
                 data.ftCreationTime.dwLowDateTime;
    return s;
}

namespace {

// Another program reading the file for a moment (a virus scanner, a backup, an
// editor that opened it) keeps it from being replaced: it is asked whether it
// may go, without touching it, and waited for a little before the replace is
// tried. Under Wine each failed replace would also leave an empty temporary
// file in the folder.
void WaitWhileInUse(const std::wstring& path) {
    constexpr int kTries = 10, kPauseMs = 50;
    for (int i = 0; i < kTries; ++i) {
        const HANDLE h = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            return;
        }
        if (GetLastError() != ERROR_SHARING_VIOLATION) return;
        Sleep(kPauseMs);
    }
}

}  // namespace

bool Win32Files::ReplaceAtomically(const Text& path, std::string_view bytes) {
    NoteChange();
    const std::wstring target = Wide(path);
    WIN32_FILE_ATTRIBUTE_DATA old{};
    const bool exists = GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &old) != 0;
    if (exists && (old.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    const std::wstring temp = target + L".tbq~";
    // A temporary file left hidden by a replace cut short would refuse to be
    // overwritten, and every later save of this file would fail.
    SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    bool ok;
    {
        win32::UniqueHandle h(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!h) return false;
        ok = true;
        size_t done = 0;
        while (ok && done < bytes.size()) {
            DWORD n = 0;
            DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
            ok = WriteFile(h.get(), bytes.data() + done, want, &n, nullptr) && n == want;
            done += n;
        }
        ok = ok && FlushFileBuffers(h.get());
        // The file stays the one the user knows: same creation time...
        if (ok && exists) SetFileTime(h.get(), &old.ftCreationTime, nullptr, nullptr);
    }
    // ...and the same hidden and system marks; a changed file is due for backup.
    constexpr DWORD kKept =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (ok && exists && (old.dwFileAttributes & kKept))
        SetFileAttributesW(temp.c_str(), (old.dwFileAttributes & kKept) | FILE_ATTRIBUTE_ARCHIVE);
    if (ok) {
        // Replacing in place also keeps the file's permissions; a new file is
        // moved in. A replace can fail after the old file is already gone, so
        // the plain move is tried whenever the replace did not succeed.
        if (exists) WaitWhileInUse(target);
        ok = exists && ReplaceFileW(target.c_str(), temp.c_str(), nullptr,
                                    REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS,
                                    nullptr, nullptr);
        if (!ok)
            ok = MoveFileExW(temp.c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    // The temporary file goes only while the file itself is still there: when
    // both steps failed after the old file was removed, it is the only copy.
    if (!ok && GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
        SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(temp.c_str());
    }
    return ok;
}

std::optional<std::vector<Text>> Win32Files::ListFolder(const Text& folder) {
    std::wstring pattern = Wide(folder);
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW fd{};
    HANDLE h = FindFirstFileW(pattern.c_str(), &fd);
    std::vector<Text> names;
    if (h == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return names;
        return std::nullopt;
    }
    do {
        std::wstring_view n = fd.cFileName;
        if (n != L"." && n != L"..") names.push_back(FromWide(n));
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return names;
}

std::optional<bool> Win32Files::IsReadOnly(const Text& path) {
    DWORD attrs = GetFileAttributesW(Wide(path).c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return (attrs & FILE_ATTRIBUTE_READONLY) != 0;
}

bool Win32Files::SetReadOnly(const Text& path, bool readOnly) {
    NoteChange();
    const std::wstring p = Wide(path);
    DWORD attrs = GetFileAttributesW(p.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) return false;
    attrs = readOnly ? (attrs | FILE_ATTRIBUTE_READONLY) : (attrs & ~FILE_ATTRIBUTE_READONLY);
    if (attrs == 0) attrs = FILE_ATTRIBUTE_NORMAL;
    return SetFileAttributesW(p.c_str(), attrs) != 0;
}

bool Win32Files::Copy(const Text& from, const Text& to, bool overwrite) {
    NoteChange();
    return CopyFileW(Wide(from).c_str(), Wide(to).c_str(), overwrite ? FALSE : TRUE) != 0;
}

bool Win32Files::CreateFolder(const Text& path) {
    NoteChange();
    std::wstring p = Wide(path);
    while (p.size() > 3 && (p.back() == L'\\' || p.back() == L'/')) p.pop_back();
    const DWORD a = GetFileAttributesW(p.c_str());
    if (a != INVALID_FILE_ATTRIBUTES) return (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::size_t slash = p.find_last_of(L"\\/");
    // The drive root ("C:\") always exists; a share's root cannot be made.
    if (slash != std::wstring::npos && slash > 2 && !CreateFolder(FromWide(p.substr(0, slash))))
        return false;
    return CreateDirectoryW(p.c_str(), nullptr) != 0 || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool Win32Files::Delete(const Text& path) {
    NoteChange();
    return DeleteFileW(Wide(path).c_str()) != 0;
}

Text Win32Files::CurrentDirectory() {
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::wstring buf(n, L'\0');
    n = GetCurrentDirectoryW(n, buf.data());
    buf.resize(n);
    return FromWide(buf);
}

VersionValue Win32Files::ReadVersionString(const Text& path, const Text& key) {
    VersionValue v;
    const std::wstring file = Wide(path);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) return v;
    std::string block(size, '\0');
    if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data())) return v;
    v.hasVersionInfo = true;
    std::wstring query = L"\\StringFileInfo\\041104b0\\" + Wide(key);
    wchar_t* value = nullptr;
    UINT len = 0;
    if (VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &len) &&
        value) {
        std::wstring_view s(value, len);
        v.value = FromWide(s.substr(0, s.find(L'\0')));
    }
    return v;
}

}  // namespace tbq::platform
