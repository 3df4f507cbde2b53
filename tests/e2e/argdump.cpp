// Records how it was started, for tests of what opens programs: appends to
// argdump.log beside itself one block in UTF-8,
//   run
//   cwd=<current folder>
//   arg=<argument>      (one line per argument, the program's own name left out)
//   at=<local time, HH:MM:SS.mmm>
// and ends at once with 0. A windows program, so that starting it opens no console.
#include <windows.h>
// After windows.h:
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring LogPath() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    path.resize(path.find_last_of(L"\\/") + 1);
    return path + L"argdump.log";
}

}  // namespace

int wmain(int, wchar_t**) {
    std::wstring cwd(32768, L'\0');
    cwd.resize(GetCurrentDirectoryW(static_cast<DWORD>(cwd.size()), cwd.data()));
    SYSTEMTIME now;
    GetLocalTime(&now);
    char at[32];
    wsprintfA(at, "at=%02d:%02d:%02d.%03d\n", now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    std::string block = "run\ncwd=" + Utf8(cwd) + "\n";
    // Split the way programs started by the shell split their command line.
    int argc = 0;
    if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
        for (int i = 1; i < argc; ++i) block += "arg=" + Utf8(argv[i]) + "\n";
        LocalFree(argv);
    }
    block += at;
    // One write, so that two runs close together never interleave their lines.
    if (FILE* log = _wfopen(LogPath().c_str(), L"ab")) {
        std::fwrite(block.data(), 1, block.size(), log);
        std::fclose(log);
    }
    return 0;
}
