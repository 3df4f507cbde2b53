// The notification-area icon: its settings, kept between add and remove, and
// the shell calls that show and hide it.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tbq::library {

class TrayIcon {
public:
    // Registers the callback message and takes a global atom named after this
    // object's address as the icon's identifier.
    TrayIcon() noexcept;
    ~TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Owner window and module, given by Init.
    void Attach(HWND owner, HMODULE module) noexcept;
    // Removes the icon and gives back the atom and the icon handle. When the
    // process is ending only the atom is given back: the global atom table
    // outlives the process, the shell and user32 are not to be called then.
    void Release(bool processEnding) noexcept;

    UINT CallbackMessage() const { return callbackMessage_; }
    ATOM Identifier() const { return atom_; }
    bool Shown() const { return shown_; }

    // NotifyIconControl: settings by mode, add (1), remove (2), load icon (11).
    void Control(std::int32_t mode, INT_PTR value1, INT_PTR value2) noexcept;
    void Add() noexcept;
    void Remove() noexcept;
    void OnTaskbarCreated() noexcept;

private:
    bool Send(DWORD operation) noexcept;
    void LoadIconImage(INT_PTR module, INT_PTR resource) noexcept;
    void SetIcon(HICON icon, bool owned) noexcept;

    bool extendedRecord_ = true;
    UINT callbackMessage_ = 0;
    ATOM atom_ = 0;
    HWND owner_ = nullptr;
    HMODULE module_ = nullptr;
    bool shown_ = false;
    // The program asked for the icon and has not removed it since: a restarted
    // shell (or one that was not there yet) gets it back.
    bool wanted_ = false;

    std::int32_t balloonTimeout_ = 3;
    char balloonTitle_[64] = {};
    std::int32_t balloonOn_ = 0;
    std::int32_t spareFlag_ = 1;  // kept for callers, read by nothing
    char balloonText_[256] = {};
    std::int32_t balloonIcon_ = 0;
    char tip_[128] = {};
    std::int32_t spareValue_ = 0;  // kept for callers, read by nothing

    HICON icon_ = nullptr;
    bool iconOwned_ = false;  // loaded by us, not a shared system icon
};

}  // namespace tbq::library
