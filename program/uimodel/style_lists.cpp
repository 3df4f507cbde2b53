#include "uimodel/style_lists.h"

#include "base/texts.h"
#include "uimodel/numbers.h"

namespace tbq::uimodel {

std::span<const StyleLine> StyleLines(StyleKind kind) {
    if (kind == StyleKind::Style) return kWindowStyleLines;
    return kExStyleLines;
}

TextView StyleCaption(StyleKind kind) {
    return Tr(kind == StyleKind::Style ? TextId::StyleWindowCaption : TextId::StyleExCaption);
}

StyleSplit SplitStyle(StyleKind kind, std::uint32_t value) {
    StyleSplit split;
    for (const StyleLine& line : StyleLines(kind)) {
        const bool held = (value & line.value) == line.value;
        split.ticked.push_back(held);
        if (held) value &= ~line.value;
    }
    split.rest = value;
    return split;
}

std::uint32_t StyleTotal(StyleKind kind, const std::vector<bool>& ticked, std::uint32_t other) {
    const auto lines = StyleLines(kind);
    for (std::size_t i = 0; i < lines.size() && i < ticked.size(); ++i)
        if (ticked[i]) other |= lines[i].value;
    return other;
}

Text StyleTotalText(std::uint32_t total) { return u"0x" + Hex8(total); }

Text StylePointText(const StyleLine& line) {
    Text text = line.name;
    text += u" = 0x";
    text += HexDigits(line.value);
    return text;
}

}  // namespace tbq::uimodel
