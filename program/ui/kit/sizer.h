// Keeps controls anchored to the sides of their parent as it is resized: a
// control anchored left and right grows with the width, one anchored right
// only moves with the right edge, and the same for top and bottom.
#pragma once

#include <windows.h>

#include <vector>

namespace tbq::ui {

// A control's rectangle in its parent's client coordinates.
RECT RectInParent(HWND control);

class Sizer {
public:
    enum Anchor : unsigned { Left = 1, Top = 2, Right = 4, Bottom = 8, All = 15 };

    // Records where the control stands now against the parent's client area.
    void Add(HWND control, unsigned anchors);
    // Moves every control for the parent's new client size.
    void Layout(HWND parent) const;
    void Clear() { items_.clear(); }

private:
    struct Item {
        HWND control;
        unsigned anchors;
        // The distances to the parent's four sides when added.
        int left, top, right, bottom;
    };
    std::vector<Item> items_;
};

}  // namespace tbq::ui
