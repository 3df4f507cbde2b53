#include "uimodel/colours.h"

#include <cstdio>


namespace tbq::uimodel {

namespace {
constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r | g << 8 | b << 16; }
constexpr std::uint32_t System(std::uint32_t index) { return 0x80000000u | index; }

constexpr NamedColour kNamed[] = {
    {u"黒(&K)", Rgb(0, 0, 0)},           {u"ネイビー(&N)", Rgb(0, 0, 128)},   {u"緑(&G)", Rgb(0, 128, 0)},
    {u"ティール(&T)", Rgb(0, 128, 128)}, {u"マルーン(&M)", Rgb(128, 0, 0)},   {u"紫(&P)", Rgb(128, 0, 128)},
    {u"オリーブ(&O)", Rgb(128, 128, 0)}, {u"グレー(&R)", Rgb(128, 128, 128)}, {u"シルバー(&S)", Rgb(192, 192, 192)},
    {u"赤(&E)", Rgb(255, 0, 0)},         {u"ライム(&L)", Rgb(0, 255, 0)},     {u"黄(&Y)", Rgb(255, 255, 0)},
    {u"青(&B)", Rgb(0, 0, 255)},         {u"フクシア(&F)", Rgb(255, 0, 255)}, {u"アクア(&A)", Rgb(0, 255, 255)},
    {u"白(&W)", Rgb(255, 255, 255)},
};
// The system's colour indexes 0 to 20, in their order.
constexpr NamedColour kSystem[] = {
    {u"スクロールバー(&0)", System(0)},
    {u"デスクトップ(&1)", System(1)},
    {u"アクティブタイトルバー(&2)", System(2)},
    {u"非アクティブタイトルバー(&3)", System(3)},
    {u"メニュー(&4)", System(4)},
    {u"ウインドウの背景(&5)", System(5)},
    {u"ウインドウの枠(&6)", System(6)},
    {u"メニューの文字(&7)", System(7)},
    {u"ウインドウの文字(&8)", System(8)},
    {u"アクティブタイトルバーの文字(&9)", System(9)},
    {u"アクティブウインドウの境界(&A)", System(10)},
    {u"非アクティブウインドウの境界(&B)", System(11)},
    {u"アプリケーションの背景(&C)", System(12)},
    {u"選択された項目(&D)", System(13)},
    {u"選択された項目の文字(&E)", System(14)},
    {u"ボタンの表面(&F)", System(15)},
    {u"ボタンの影(&G)", System(16)},
    {u"淡色の文字(&H)", System(17)},
    {u"ボタンの文字(&I)", System(18)},
    {u"非アクティブタイトルバーの文字(&J)", System(19)},
    {u"ボタンのハイライト(&K)", System(20)},
};

Text WithoutMnemonic(const char16_t* caption) {
    Text t(caption);
    const auto open = t.find(u"(&");
    return open == Text::npos ? t : t.substr(0, open);
}
}  // namespace

std::span<const NamedColour> NamedColours() { return kNamed; }
std::span<const NamedColour> SystemColours() { return kSystem; }

Text ColourName(std::uint32_t value) {
    if ((value >> 24) == 0xFF) return kParentColourText;
    for (auto table : {NamedColours(), SystemColours()})
        for (const NamedColour& c : table)
            if (c.value == value) return WithoutMnemonic(c.caption);
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", static_cast<unsigned>(value & 0xFF),
                  static_cast<unsigned>((value >> 8) & 0xFF), static_cast<unsigned>((value >> 16) & 0xFF));
    return Utf8ToText(buf);
}

}  // namespace tbq::uimodel
