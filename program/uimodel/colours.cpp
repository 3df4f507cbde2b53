#include "uimodel/colours.h"

#include <cstdio>

#include "base/texts.h"

namespace tbq::uimodel {

namespace {
constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r | g << 8 | b << 16; }
constexpr std::uint32_t System(std::uint32_t index) { return 0x80000000u | index; }

constexpr NamedColour kNamed[] = {
    {TextId::DrawBlack, Rgb(0, 0, 0)},         {TextId::DrawNavy, Rgb(0, 0, 128)},
    {TextId::DrawGreen, Rgb(0, 128, 0)},       {TextId::DrawTeal, Rgb(0, 128, 128)},
    {TextId::DrawMaroon, Rgb(128, 0, 0)},      {TextId::DrawPurple, Rgb(128, 0, 128)},
    {TextId::DrawOlive, Rgb(128, 128, 0)},     {TextId::DrawGrey, Rgb(128, 128, 128)},
    {TextId::DrawSilver, Rgb(192, 192, 192)},  {TextId::DrawRed, Rgb(255, 0, 0)},
    {TextId::DrawLime, Rgb(0, 255, 0)},        {TextId::DrawYellow, Rgb(255, 255, 0)},
    {TextId::DrawBlue, Rgb(0, 0, 255)},        {TextId::DrawFuchsia, Rgb(255, 0, 255)},
    {TextId::DrawAqua, Rgb(0, 255, 255)},      {TextId::DrawWhite, Rgb(255, 255, 255)},
};
// The system's colour indexes 0 to 20, in their order.
constexpr NamedColour kSystem[] = {
    {TextId::DrawSysScrollBar, System(0)},
    {TextId::DrawSysDesktop, System(1)},
    {TextId::DrawSysActiveCaption, System(2)},
    {TextId::DrawSysInactiveCaption, System(3)},
    {TextId::DrawSysMenu, System(4)},
    {TextId::DrawSysWindow, System(5)},
    {TextId::DrawSysWindowFrame, System(6)},
    {TextId::DrawSysMenuText, System(7)},
    {TextId::DrawSysWindowText, System(8)},
    {TextId::DrawSysCaptionText, System(9)},
    {TextId::DrawSysActiveBorder, System(10)},
    {TextId::DrawSysInactiveBorder, System(11)},
    {TextId::DrawSysAppWorkspace, System(12)},
    {TextId::DrawSysHighlight, System(13)},
    {TextId::DrawSysHighlightText, System(14)},
    {TextId::DrawSysButtonFace, System(15)},
    {TextId::DrawSysButtonShadow, System(16)},
    {TextId::DrawSysGrayText, System(17)},
    {TextId::DrawSysButtonText, System(18)},
    {TextId::DrawSysInactiveCaptionText, System(19)},
    {TextId::DrawSysButtonHighlight, System(20)},
};

// Japanese ends a caption with its mnemonic, "(&K)"; English marks a letter
// of the word ("Blac&k").
Text WithoutMnemonic(TextView caption) {
    if (const auto open = caption.find(u"(&"); open != TextView::npos) return Text(caption.substr(0, open));
    Text t(caption);
    if (const auto amp = t.find(u'&'); amp != Text::npos) t.erase(amp, 1);
    return t;
}
}  // namespace

std::span<const NamedColour> NamedColours() { return kNamed; }
std::span<const NamedColour> SystemColours() { return kSystem; }
const char16_t* InheritCaption() { return Tr(TextId::DrawInherit).data(); }
const char16_t* CustomCaption() { return Tr(TextId::DrawCustom).data(); }

Text ColourName(std::uint32_t value) {
    if ((value >> 24) == 0xFF) return kParentColourText;
    for (auto table : {NamedColours(), SystemColours()})
        for (const NamedColour& c : table)
            if (c.value == value) return WithoutMnemonic(Tr(c.caption));
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", static_cast<unsigned>(value & 0xFF),
                  static_cast<unsigned>((value >> 8) & 0xFF), static_cast<unsigned>((value >> 16) & 0xFF));
    return Utf8ToText(buf);
}

}  // namespace tbq::uimodel
