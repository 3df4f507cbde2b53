// The colours the colour pop-up offers for display items: named colours,
// the system's colours (a value with the top bit set names one by its
// index), and "継承" for an item that takes its group's colour.
#pragma once

#include <cstdint>
#include <span>

#include "base/text.h"
#include "base/texts.h"

namespace tbq::uimodel {

struct NamedColour {
    TextId caption;       // with its mnemonic: "黒(&K)"
    std::uint32_t value;  // 0x00BBGGRR, or 0x80000000 + a system colour index
};

std::span<const NamedColour> NamedColours();
std::span<const NamedColour> SystemColours();
// "継承(&Z)" and "直接指定(&U)" in the language in force.
const char16_t* InheritCaption();
const char16_t* CustomCaption();
// What the colour button shows for an item without a colour of its own.
inline constexpr char16_t kParentColourText[] = u"#Parent#";

// The name of a colour for its button's tip: the caption without its
// mnemonic, "#Parent#", or "#RRGGBB" for any other colour.
Text ColourName(std::uint32_t value);

}  // namespace tbq::uimodel
