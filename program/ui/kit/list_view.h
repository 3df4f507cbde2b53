// A report-style list view of objects: one line per object, found again by the
// object's identity (never by its position), with an optional check box per
// line. Filling it reports no check changes, and a refresh keeps the selected
// object and the scroll position.
#pragma once

#include <windows.h>
// After windows.h:
#include <commctrl.h>

#include <functional>
#include <vector>

#include "base/text.h"

namespace tbq::ui {

class ListView {
public:
    struct Line {
        const void* key;  // the object the line shows
        Text text;
        bool checked = false;
    };

    // Takes over a list-view control of a dialog: full-row selection, one
    // column as wide as the control, check boxes when asked.
    void Attach(HWND control, bool checkBoxes);
    HWND hwnd() const { return lv_; }

    // Shows `lines`; the object selected before stays selected when it is
    // still there, and the first visible line stays where it was.
    void Fill(const std::vector<Line>& lines);
    const void* Selected() const;
    void Select(const void* key);
    int Count() const { return static_cast<int>(keys_.size()); }
    // The width of the one column, after the control was resized.
    void FitColumn();

    // The user ticked or cleared a line's check box. Not called while filling.
    std::function<void(const void* key, bool checked)> OnCheckChanged;
    // Routes the control's LVN_ITEMCHANGED here.
    LRESULT HandleItemChanged(const NMHDR& h);

private:
    HWND lv_ = nullptr;
    bool checkBoxes_ = false;
    bool filling_ = false;
    std::vector<const void*> keys_;
};

}  // namespace tbq::ui
