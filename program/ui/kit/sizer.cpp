#include "ui/kit/sizer.h"

namespace tbq::ui {

namespace {
RECT ClientRectOf(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    return r;
}

// One axis: the new start and length from the distances to both sides.
void Place(bool nearAnchor, bool farAnchor, int nearGap, int farGap, int extent, int& start,
           int& length) {
    const int oldLength = length;
    if (nearAnchor && farAnchor) {
        start = nearGap;
        length = extent - nearGap - farGap;
    } else if (farAnchor) {
        start = extent - farGap - oldLength;
    } else {
        start = nearGap;
    }
    if (length < 0) length = 0;
}
}  // namespace

RECT RectInParent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Sizer::Add(HWND control, unsigned anchors) {
    if (!control) return;
    const RECT c = ClientRectOf(GetParent(control));
    const RECT r = RectInParent(control);
    items_.push_back({control, anchors, r.left, r.top, c.right - r.right, c.bottom - r.bottom});
}

void Sizer::Layout(HWND parent) const {
    const RECT c = ClientRectOf(parent);
    HDWP batch = BeginDeferWindowPos(static_cast<int>(items_.size()));
    for (const Item& it : items_) {
        const RECT now = RectInParent(it.control);
        int x = 0, y = 0;
        int w = now.right - now.left, h = now.bottom - now.top;
        Place(it.anchors & Left, it.anchors & Right, it.left, it.right, c.right, x, w);
        Place(it.anchors & Top, it.anchors & Bottom, it.top, it.bottom, c.bottom, y, h);
        if (batch)
            batch = DeferWindowPos(batch, it.control, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch) EndDeferWindowPos(batch);
}

}  // namespace tbq::ui
