#include "items/view_group.h"

#include <algorithm>
#include <cstdio>

#include "settings/ini_file.h"

namespace tbq {

tbq::Text vbKerova_View_Group::Text() {
    tbq::Text out;
    for (vbKerova_ViewData* child : Children)
        if (child->Enable) out += child->TextData();
    return out;
}

tbq::Text vbKerova_View_Group::GetTextElement(const tbq::Text& start, std::uint32_t color) {
    tbq::Text out = start;
    for (vbKerova_ViewData* child : Children) {
        if (!child->Enable) continue;
        // A child without a colour of its own takes its group's.
        const std::uint32_t c =
            child->FontColor == vbKerova_ViewData::kNoColor ? color : child->FontColor;
        if (auto* group = child->GroupData()) {
            out = group->GetTextElement(out, c);
            continue;
        }
        char digits[9];
        std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(c));
        out.append(digits, digits + 8);
        out += child->TextData();
        out.push_back(u'\0');
    }
    return out;
}

void vbKerova_View_Group::SaveSetting(const tbq::Text& file, const tbq::Text& section) {
    vbIniFile(file).SetNumber(section, u"TargetNum", TargetNum);
}

void vbKerova_View_Group::LoadSetting(const tbq::Text& file, const tbq::Text& section) {
    TargetNum = static_cast<std::uint8_t>(
        std::clamp(vbIniFile(file).GetNumber(section, u"TargetNum", 1), 0, 255));
}

}  // namespace tbq
