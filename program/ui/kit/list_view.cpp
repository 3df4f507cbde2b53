#include "ui/kit/list_view.h"

#include <algorithm>

#include "win32/wide.h"

namespace tbq::ui {

void ListView::Attach(HWND control, bool checkBoxes) {
    lv_ = control;
    checkBoxes_ = checkBoxes;
    DWORD ex = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
    if (checkBoxes) ex |= LVS_EX_CHECKBOXES;
    ListView_SetExtendedListViewStyleEx(lv_, ex, ex);
    LVCOLUMNW col{};
    col.mask = LVCF_WIDTH;
    col.cx = 100;
    ListView_InsertColumn(lv_, 0, &col);
    FitColumn();
}

void ListView::FitColumn() {
    if (!lv_) return;
    RECT r{};
    GetClientRect(lv_, &r);
    ListView_SetColumnWidth(lv_, 0, std::max<LONG>(r.right - r.left, 20));
}

void ListView::Fill(const std::vector<Line>& lines) {
    if (!lv_) return;
    const void* selected = Selected();
    const int top = ListView_GetTopIndex(lv_);
    filling_ = true;
    SendMessageW(lv_, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(lv_);
    keys_.clear();
    int index = 0;
    for (const Line& line : lines) {
        std::wstring text = win32::Wide(line.text);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.pszText = text.data();
        const int at = ListView_InsertItem(lv_, &item);
        if (at < 0) continue;
        keys_.insert(keys_.begin() + at, line.key);
        if (checkBoxes_) ListView_SetCheckState(lv_, at, line.checked ? TRUE : FALSE);
        ++index;
    }
    // Scrolls back to where the list stood.
    if (top > 0 && !keys_.empty()) {
        ListView_EnsureVisible(lv_, static_cast<int>(keys_.size()) - 1, FALSE);
        ListView_EnsureVisible(lv_, std::min<int>(top, static_cast<int>(keys_.size()) - 1), FALSE);
    }
    SendMessageW(lv_, WM_SETREDRAW, TRUE, 0);
    filling_ = false;
    if (selected) Select(selected);
    InvalidateRect(lv_, nullptr, TRUE);
}

const void* ListView::Selected() const {
    if (!lv_) return nullptr;
    const int i = ListView_GetNextItem(lv_, -1, LVNI_SELECTED);
    return i >= 0 && i < static_cast<int>(keys_.size()) ? keys_[static_cast<std::size_t>(i)] : nullptr;
}

void ListView::Select(const void* key) {
    auto it = std::find(keys_.begin(), keys_.end(), key);
    if (it == keys_.end() || !key) return;
    const int i = static_cast<int>(it - keys_.begin());
    ListView_SetItemState(lv_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(lv_, i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(lv_, i, FALSE);
}

LRESULT ListView::HandleItemChanged(const NMHDR& h) {
    const auto& n = reinterpret_cast<const NMLISTVIEW&>(h);
    if (filling_ || !checkBoxes_ || !(n.uChanged & LVIF_STATE)) return 0;
    const UINT oldCheck = n.uOldState & LVIS_STATEIMAGEMASK;
    const UINT newCheck = n.uNewState & LVIS_STATEIMAGEMASK;
    // The state image is 1 for a clear box and 2 for a ticked one; 0 is none
    // yet (a line being inserted).
    if (oldCheck == 0 || newCheck == oldCheck) return 0;
    if (n.iItem < 0 || n.iItem >= static_cast<int>(keys_.size())) return 0;
    if (OnCheckChanged) OnCheckChanged(keys_[static_cast<std::size_t>(n.iItem)], newCheck == INDEXTOSTATEIMAGEMASK(2));
    return 0;
}

}  // namespace tbq::ui
