// A small base for our own top-level windows that are not dialogs: binds the
// C++ object to its window at WM_NCCREATE, hands every message to a virtual
// handler and follows the window's DPI. No exception ever leaves the window
// procedure.
#pragma once

#include <windows.h>

namespace tbq::ui {

class WindowBase {
public:
    WindowBase() = default;
    virtual ~WindowBase();
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND hwnd() const { return hwnd_; }
    UINT Dpi() const { return dpi_; }

protected:
    // Registers the class once and creates the window.
    bool Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                int width, int height, HICON icon);
    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    // The window moved to a screen of another DPI and has its suggested size:
    // fonts and layout follow.
    virtual void OnDpiChanged(UINT) {}

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) noexcept;
    HWND hwnd_ = nullptr;
    UINT dpi_ = 96;
};

}  // namespace tbq::ui
