// The pseudo title bar as TBQ.dll keeps it, for the painting profiles.
#pragma once

#include "core/library_wrapper.h"
#include "draw/draw_bar.h"

namespace tbq {

class LibraryPseudoBar final : public PseudoBar {
public:
    explicit LibraryPseudoBar(vbKerova_Dll& dll) : dll_(dll) {}
    void Show(bool show, WindowId target, const PaintRect& r, std::uint32_t normal,
              std::uint32_t mouseOver) override {
        dll_.ShowDummyBar(show, target, {r.left, r.top, r.right, r.bottom, normal, mouseOver});
    }
    WindowId Handle() override { return dll_.GetDummyBar(); }
    void Close() override { dll_.CloseDummyBar(); }

private:
    vbKerova_Dll& dll_;
};

}  // namespace tbq
