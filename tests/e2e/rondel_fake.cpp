// A stand-in for the version-check library Rondel.dll. Each call appends one
// line to rondel.log beside the DLL,
//   owner=<window handle as a number> key=<product key> build=<n> title=<hex> rest=<zero|dirty>
// where title is the hexadecimal of the title's bytes up to its terminator and
// rest tells whether the remainder of the title buffer is all zero bytes, and
// returns the number in rondel_answer.txt beside the DLL (0 when it is missing).
#include "platform/win32/rondel_abi.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

HMODULE g_self = nullptr;

std::wstring Beside(const wchar_t* name) {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(g_self, path.data(), static_cast<DWORD>(path.size())));
    path.resize(path.find_last_of(L"\\/") + 1);
    return path + name;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_self = self;
    return TRUE;
}

extern "C" std::int32_t WINAPI CheckNewVersion(HWND owner, const char* productKey,
                                               std::int32_t build, char* title) {
    std::string hex;
    std::size_t n = 0;
    while (n < kRondelTitleBufferSize && title[n]) {
        char two[3];
        std::snprintf(two, sizeof two, "%02X", static_cast<unsigned char>(title[n++]));
        hex += two;
    }
    bool zero = true;
    for (std::size_t i = n; i < kRondelTitleBufferSize; ++i) zero = zero && title[i] == 0;
    const std::string line = "owner=" + std::to_string(reinterpret_cast<std::uintptr_t>(owner)) +
                             " key=" + productKey + " build=" + std::to_string(build) +
                             " title=" + hex + " rest=" + (zero ? "zero" : "dirty") + "\n";
    // The answer is read before the call is logged: a test that sees the line
    // may write the next answer at once.
    int answer = 0;
    if (FILE* in = _wfopen(Beside(L"rondel_answer.txt").c_str(), L"rb")) {
        if (std::fscanf(in, "%d", &answer) != 1) answer = 0;
        std::fclose(in);
    }
    if (FILE* log = _wfopen(Beside(L"rondel.log").c_str(), L"ab")) {
        std::fwrite(line.data(), 1, line.size(), log);
        std::fclose(log);
    }
    return answer;
}
