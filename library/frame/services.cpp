#include "frame/services.h"

#include <psapi.h>

#include <cstring>
#include <string_view>

#include "frame/ansi_text.h"
#include "frame/library_state.h"
#include "win32/unique_handle.h"

namespace tbq::library {

namespace {

std::string_view FromUtf8(std::u8string_view text) {
    return {reinterpret_cast<const char*>(text.data()), text.size()};
}

// Paths can be longer than MAX_PATH on current systems; this is the longest
// path the system hands out.
constexpr DWORD kLongestPath = 32768;

}  // namespace

void FillInformation(TBQ_Information& info) {
    std::memset(&info, 0, sizeof info);
    CopyToField(info.Version, sizeof info.Version, kVersion);
    // Converted when asked for, so the bytes follow the code page the caller runs in.
    CopyToField(info.Comment, sizeof info.Comment,
                State().english ? std::string("Runs plug-ins, extended formats and other services.")
                                : Utf8ToAnsi(FromUtf8(u8"プラグイン制御や拡張フォーマットの処理等を行います。")));
    CopyToField(info.Copyright, sizeof info.Copyright, "Copyright (C) TBQ developers");
}

std::int32_t ShowAboutBox(HWND owner) {
    // Shown in UTF-16 so the Japanese text reads right whatever the code page.
    std::wstring text = State().english ? L"Lunetta main DLL " : L"Lunetta メインDLL ";
    for (const char* c = kVersion; *c; ++c) text += static_cast<wchar_t>(*c);
    // A stale owner handle would make the box fail; show it unowned instead.
    if (owner && !IsWindow(owner)) owner = nullptr;
    return MessageBoxW(owner, text.c_str(), L"Lunetta", MB_OK);
}

std::int32_t BroadcastShowMainWindow() {
    const UINT message = RegisterWindowMessageW(L"TBQ_MainWindow_Show");
    if (!message) return 0;
    // Not SendMessage: one hung top-level window anywhere on the desktop would
    // freeze the caller (a second instance that only wants to hand over).
    // SMTO_ABORTIFHUNG skips windows already known hung; the time-out bounds
    // the wait for each other receiver.
    DWORD_PTR result = 0;
    LRESULT sent = SendMessageTimeoutW(HWND_BROADCAST, message, 0, 0,
                                       SMTO_ABORTIFHUNG | SMTO_NORMAL, 1000, &result);
    return sent != 0 ? 1 : 0;
}

std::wstring WindowExecutablePath(HWND window) {
    DWORD processId = 0;
    if (!window || !GetWindowThreadProcessId(window, &processId) || processId == 0) return {};
    std::wstring path(kLongestPath, L'\0');

    // The first module of the process is its executable.
    win32::UniqueHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (process) {
        HMODULE first = nullptr;
        DWORD needed = 0;
        if (EnumProcessModules(process.get(), &first, sizeof first, &needed) && first) {
            DWORD n = GetModuleFileNameExW(process.get(), first, path.data(), kLongestPath);
            if (n > 0 && n < kLongestPath) {
                path.resize(n);
                return path;
            }
        }
    }
    // A process of the other bitness or of higher integrity cannot have its
    // modules read, but its image name is open to the limited query right.
    win32::UniqueHandle limited(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (limited) {
        DWORD size = kLongestPath;
        if (QueryFullProcessImageNameW(limited.get(), 0, path.data(), &size) && size > 0) {
            path.resize(size);
            return path;
        }
    }
    return {};
}

}  // namespace tbq::library
