// Move-only owners of the user interface's resources: menus, GDI objects,
// icons, image lists and device contexts. Each releases its handle once, and
// an object selected into a device context is put back before either goes.
#pragma once

#include <windows.h>
// After windows.h:
#include <commctrl.h>

#include <utility>

#include "win32/unique_handle.h"

namespace tbq::ui {

namespace detail {
inline void DestroyMenuNoThrow(HMENU h) { ::DestroyMenu(h); }
inline void DestroyIconNoThrow(HICON h) { ::DestroyIcon(h); }
inline void DestroyImageListNoThrow(HIMAGELIST h) { ::ImageList_Destroy(h); }
inline void DeleteDcNoThrow(HDC h) { ::DeleteDC(h); }
template <typename T>
void DeleteGdi(T h) {
    ::DeleteObject(h);
}
}  // namespace detail

using UniqueMenu = win32::UniqueResource<HMENU, &detail::DestroyMenuNoThrow, nullptr>;
using UniqueFont = win32::UniqueResource<HFONT, &detail::DeleteGdi<HFONT>, nullptr>;
using UniqueBrush = win32::UniqueResource<HBRUSH, &detail::DeleteGdi<HBRUSH>, nullptr>;
using UniquePen = win32::UniqueResource<HPEN, &detail::DeleteGdi<HPEN>, nullptr>;
using UniqueBitmap = win32::UniqueResource<HBITMAP, &detail::DeleteGdi<HBITMAP>, nullptr>;
using UniqueIcon = win32::UniqueResource<HICON, &detail::DestroyIconNoThrow, nullptr>;
using UniqueImageList = win32::UniqueResource<HIMAGELIST, &detail::DestroyImageListNoThrow, nullptr>;
// A device context of our own making (CreateCompatibleDC).
using UniqueMemoryDC = win32::UniqueResource<HDC, &detail::DeleteDcNoThrow, nullptr>;

// A window's device context from GetDC, released to that window.
class WindowDC {
public:
    explicit WindowDC(HWND w) : w_(w), dc_(::GetDC(w)) {}
    ~WindowDC() {
        if (dc_) ::ReleaseDC(w_, dc_);
    }
    WindowDC(WindowDC&& o) noexcept : w_(o.w_), dc_(std::exchange(o.dc_, nullptr)) {}
    WindowDC& operator=(WindowDC&&) = delete;
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND w_;
    HDC dc_;
};

// Selects a GDI object into a device context for a scope and puts the one it
// replaced back, so the object can be deleted afterwards.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
    ~SelectedObject() {
        if (old_) ::SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace tbq::ui
