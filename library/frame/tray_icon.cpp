#include "frame/tray_icon.h"

#include <shellapi.h>

#include <cinttypes>
#include <cstdio>

#include "frame/ansi_text.h"
#include "tbq_library.h"

namespace tbq::library {

namespace {

// The larger record (with balloon fields and the 128-byte tip) is understood
// by every shell since NT 5 and by the 9x family.
bool SystemTakesExtendedRecord() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExW(&version)) return true;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) return version.dwMajorVersion >= 5;
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

const char* CallerTextPointer(INT_PTR value) { return reinterpret_cast<const char*>(value); }

}  // namespace

TrayIcon::TrayIcon() noexcept {
    extendedRecord_ = SystemTakesExtendedRecord();
    callbackMessage_ = RegisterWindowMessageW(L"TBQ_NOTIFYICON_MESSAGE By Pellam");
    char name[64];
    std::snprintf(name, sizeof name, "TBQ_NOTIFYICON_%" PRIxPTR,
                  reinterpret_cast<std::uintptr_t>(this));
    atom_ = GlobalAddAtomA(name);
}

void TrayIcon::Attach(HWND owner, HMODULE module) noexcept {
    owner_ = owner;
    module_ = module;
}

void TrayIcon::Release(bool processEnding) noexcept {
    if (!processEnding) {
        Remove();
        SetIcon(nullptr, false);
    }
    if (atom_) GlobalDeleteAtom(atom_);
    atom_ = 0;
}

bool TrayIcon::Send(DWORD operation) noexcept {
    NOTIFYICONDATAA data{};
    data.cbSize = extendedRecord_ ? NOTIFYICONDATAA_V2_SIZE : NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner_;
    data.uID = atom_;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_;
    // The small record has room for a 64-byte tip only.
    CopyToField(data.szTip, extendedRecord_ ? sizeof data.szTip : 64, tip_);
    if (balloonOn_ && extendedRecord_) {
        data.uFlags |= NIF_INFO;
        CopyToField(data.szInfoTitle, sizeof data.szInfoTitle, balloonTitle_);
        CopyToField(data.szInfo, sizeof data.szInfo, balloonText_);
        data.dwInfoFlags = static_cast<DWORD>(balloonIcon_);
        data.uTimeout = static_cast<UINT>(balloonTimeout_);
    }
    return Shell_NotifyIconA(operation, &data) != FALSE;
}

void TrayIcon::Add() noexcept {
    wanted_ = true;
    if (Send(NIM_ADD)) shown_ = true;
}

void TrayIcon::Remove() noexcept {
    wanted_ = false;
    Send(NIM_DELETE);
    shown_ = false;
}

void TrayIcon::OnTaskbarCreated() noexcept {
    balloonOn_ = 0;
    // An icon the program removed stays away: the user may have turned it off.
    if (wanted_) Add();
}

void TrayIcon::SetIcon(HICON icon, bool owned) noexcept {
    if (icon_ && iconOwned_) DestroyIcon(icon_);
    icon_ = icon;
    iconOwned_ = owned;
}

void TrayIcon::LoadIconImage(INT_PTR module, INT_PTR resource) noexcept {
    HICON icon = nullptr;
    if (resource != 0) {
        // `resource` is either a name or a number made with MAKEINTRESOURCE;
        // LoadImage tells them apart itself.
        icon = static_cast<HICON>(LoadImageA(reinterpret_cast<HINSTANCE>(module),
                                             reinterpret_cast<LPCSTR>(resource), IMAGE_ICON, 16, 16,
                                             0));
    }
    if (icon) {
        SetIcon(icon, true);
    } else {
        // Shared by the system: never destroyed by us.
        SetIcon(LoadIconW(nullptr, IDI_APPLICATION), false);
    }
}

void TrayIcon::Control(std::int32_t mode, INT_PTR value1, INT_PTR value2) noexcept {
    const auto number = static_cast<std::int32_t>(value1);
    // Texts longer than their field are cut at a character boundary.
    switch (mode) {
        case TBQ_TRAY_ADD:
            Add();
            break;
        case TBQ_TRAY_REMOVE:
            Remove();
            break;
        case TBQ_TRAY_BALLOON_TIMEOUT:
            balloonTimeout_ = number;
            break;
        case TBQ_TRAY_BALLOON_TITLE:
            CopyToField(balloonTitle_, sizeof balloonTitle_, CallerText(CallerTextPointer(value1)));
            break;
        case TBQ_TRAY_BALLOON_ON:
            balloonOn_ = number != 0 ? 1 : 0;
            break;
        case TBQ_TRAY_SPARE_FLAG:
            spareFlag_ = number;
            break;
        case TBQ_TRAY_BALLOON_TEXT:
            CopyToField(balloonText_, sizeof balloonText_, CallerText(CallerTextPointer(value1)));
            break;
        case TBQ_TRAY_BALLOON_ICON:
            balloonIcon_ = number;
            break;
        case TBQ_TRAY_TIP:
            CopyToField(tip_, sizeof tip_, CallerText(CallerTextPointer(value1)));
            break;
        case TBQ_TRAY_SPARE_VALUE:
            spareValue_ = number;
            break;
        case TBQ_TRAY_LOAD_ICON:
            LoadIconImage(value1, value2);
            break;
        default:
            break;
    }
}

}  // namespace tbq::library
