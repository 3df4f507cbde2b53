// A small base for our own windows: binds the C++ object to its window at
// WM_NCCREATE and hands every message to a virtual handler. No exception ever
// leaves the window procedure.
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

protected:
    // Registers the class once and creates the window.
    bool Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                int width, int height, HICON icon);
    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) noexcept;
    HWND hwnd_ = nullptr;
};

// A base for our modeless dialogs made from a dialog resource: binds the C++
// object at WM_INITDIALOG, where OnOpen runs, and hands every later message
// to Handle. No exception ever leaves the dialog procedure.
class DialogBase {
public:
    DialogBase() = default;
    virtual ~DialogBase();
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;

    HWND hwnd() const { return dlg_; }
    // Keyboard navigation between the controls; true when the message was used.
    bool PreTranslate(MSG& msg);

protected:
    // Makes the dialog the first time, then shows it in front; false when it
    // cannot be made.
    bool Open(int resourceId);
    virtual void OnOpen() = 0;
    virtual INT_PTR Handle(UINT msg, WPARAM wp, LPARAM lp) = 0;

    HWND dlg_ = nullptr;

private:
    static INT_PTR CALLBACK Proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) noexcept;
};

}  // namespace tbq::ui
