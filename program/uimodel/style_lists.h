// The style dialog without its window ("ウインドウスタイル指定" and
// "拡張スタイル指定"): the named style bits of each list, how a value is
// split into ticked lines and a rest typed in hexadecimal, and the total.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/text.h"

namespace tbq::uimodel {

enum class StyleKind { Style, ExStyle };

struct StyleLine {
    const char16_t* name;
    std::uint32_t value;
};
// The lines of each list, in the order they are shown. The values are the
// platform's constants of those names; the Windows build checks them against
// its headers.
inline constexpr StyleLine kWindowStyleLines[] = {
    {u"WS_BORDER", 0x00800000},
    {u"WS_CHILD(WS_CHILDWINDOW)", 0x40000000},
    {u"WS_CLIPCHILDREN", 0x02000000},
    {u"WS_CLIPSIBLINGS", 0x04000000},
    {u"WS_DISABLED", 0x08000000},
    {u"WS_DLGFRAME", 0x00400000},
    {u"WS_HSCROLL", 0x00100000},
    {u"WS_MAXIMIZE", 0x01000000},
    {u"WS_MAXIMIZEBOX", 0x00010000},
    {u"WS_MINIMIZE(WS_ICONIC)", 0x20000000},
    {u"WS_MINIMIZEBOX", 0x00020000},
    {u"WS_POPUP", 0x80000000},
    {u"WS_SYSMENU", 0x00080000},
    {u"WS_THICKFRAME(WS_SIZEBOX)", 0x00040000},
    {u"WS_VISIBLE", 0x10000000},
    {u"WS_VSCROLL", 0x00200000},
};
inline constexpr StyleLine kExStyleLines[] = {
    {u"WS_EX_APPWINDOW", 0x00040000},
    {u"WS_EX_CLIENTEDGE", 0x00000200},
    {u"WS_EX_CONTEXTHELP", 0x00000400},
    {u"WS_EX_CONTROLPARENT", 0x00010000},
    {u"WS_EX_DLGMODALFRAME", 0x00000001},
    {u"WS_EX_MDICHILD", 0x00000040},
    {u"WS_EX_LEFTSCROLLBAR", 0x00004000},
    {u"WS_EX_NOPARENTNOTIFY", 0x00000004},
    {u"WS_EX_RIGHT", 0x00001000},
    {u"WS_EX_STATICEDGE", 0x00020000},
    {u"WS_EX_TOOLWINDOW", 0x00000080},
    {u"WS_EX_TOPMOST", 0x00000008},
    {u"WS_EX_WINDOWEDGE", 0x00000100},
    {u"WS_EX_ACCEPTFILES", 0x00000010},
    {u"WS_EX_RTLREADING", 0x00002000},
    {u"WS_EX_TRANSPARENT", 0x00000020},
};
// The lines of a list.
std::span<const StyleLine> StyleLines(StyleKind kind);
// What follows the product name in the dialog's caption.
TextView StyleCaption(StyleKind kind);

struct StyleSplit {
    std::vector<bool> ticked;  // by line
    std::uint32_t rest = 0;    // the bits no ticked line holds
};
// Walks the lines from the first: a line whose whole value is in what is left
// of `value` is ticked and its bits are taken out.
StyleSplit SplitStyle(StyleKind kind, std::uint32_t value);
// The ticked lines' values ORed with `other`.
std::uint32_t StyleTotal(StyleKind kind, const std::vector<bool>& ticked, std::uint32_t other);
// "0x" and exactly eight upper-case digits: "0x00C80000".
Text StyleTotalText(std::uint32_t total);
// The text shown for the line pointed at: "WS_SYSMENU = 0x80000".
Text StylePointText(const StyleLine& line);

}  // namespace tbq::uimodel
