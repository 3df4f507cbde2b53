// The group item: gathers the TargetNum items after it in its list. This is the
// part lists need to link and nest groups; how a group combines, switches or
// scrolls its children comes with the group's own editor and options.
#pragma once

#include "items/view_data.h"

namespace tbq {

class vbKerova_View_Group final : public ViewSubItem {
public:
    tbq::Text Text() override;
    std::uint8_t ViewDataType() const override { return kKindGroup; }
    void SaveSetting(const tbq::Text& file, const tbq::Text& section) override;
    void LoadSetting(const tbq::Text& file, const tbq::Text& section) override;

    // Coloured elements: eight hexadecimal colour digits, the text, U+0000; each
    // child without a colour of its own takes `color`.
    tbq::Text GetTextElement(const tbq::Text& start, std::uint32_t color);
    // Moves a switching or scrolling group on by one step.
    void UpdatePosition() {}

    std::uint8_t TargetNum = 0;
    // The items gathered; not owned (the list owns them).
    std::vector<vbKerova_ViewData*> Children;
};

}  // namespace tbq
