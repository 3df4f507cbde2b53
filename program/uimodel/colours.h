// The colours the colour pop-up offers for display items: named colours,
// the system's colours (a value with the top bit set names one by its
// index), and "継承" for an item that takes its group's colour.
#pragma once

#include <cstdint>
#include <span>

#include "base/text.h"

namespace tbq::uimodel {

struct NamedColour {
    const char16_t* caption;  // with its mnemonic: "黒(&K)"
    std::uint32_t value;      // 0x00BBGGRR, or 0x80000000 + a system colour index
};

std::span<const NamedColour> NamedColours();
std::span<const NamedColour> SystemColours();
inline constexpr char16_t kInheritCaption[] = u"継承(&Z)";
inline constexpr char16_t kCustomCaption[] = u"直接指定(&U)";
// What the colour button shows for an item without a colour of its own.
inline constexpr char16_t kParentColourText[] = u"#Parent#";

// The name of a colour for its button's tip: the caption without its
// mnemonic, "#Parent#", or "#RRGGBB" for any other colour.
Text ColourName(std::uint32_t value);

}  // namespace tbq::uimodel
