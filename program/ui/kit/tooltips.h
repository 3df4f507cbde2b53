// Tips shown when the pointer rests on a control of a dialog.
#pragma once

#include <windows.h>

#include "base/text.h"

namespace tbq::ui {

class Tooltips {
public:
    Tooltips() = default;
    ~Tooltips();
    Tooltips(const Tooltips&) = delete;
    Tooltips& operator=(const Tooltips&) = delete;

    // Adds the tip of `control`, a child of `dlg`; the tip window is made on
    // the first call and goes with this object.
    void Add(HWND dlg, HWND control, const Text& tip);
    // The tip of a control added before, given another text.
    void Change(HWND dlg, HWND control, const Text& tip);

private:
    HWND tips_ = nullptr;
};

}  // namespace tbq::ui
