#include "ui/colour_menu.h"

#include <commdlg.h>

#include <vector>

#include "app/app_state.h"
#include "base/texts.h"
#include "core/helpers.h"
#include "ui/kit/dpi.h"
#include "ui/kit/handles.h"
#include "uimodel/colours.h"
#include "win32/wide.h"

namespace tbq::ui {

namespace {
enum : UINT { kFirstNamed = 1, kFirstSystem = 100, kInherit = 200, kCustom = 201 };

// A small square of the colour beside each entry.
UniqueBitmap Swatch(HDC screen, std::uint32_t colour, int size) {
    UniqueMemoryDC dc(CreateCompatibleDC(screen));
    UniqueBitmap bmp(CreateCompatibleBitmap(screen, size, size));
    if (!dc || !bmp) return {};
    SelectedObject keep(dc.get(), bmp.get());
    RECT r{0, 0, size, size};
    FillRect(dc.get(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
    UniqueBrush brush(CreateSolidBrush(ResolveColor(colour)));
    FillRect(dc.get(), &r, brush.get());
    return bmp;
}

void Append(HMENU menu, UINT id, const char16_t* caption, HBITMAP swatch, bool checked) {
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP | MIIM_STATE;
    mi.wID = id;
    mi.dwTypeData = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(caption));
    mi.hbmpItem = swatch;
    mi.fState = checked ? MFS_CHECKED : 0;
    InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &mi);
}

std::optional<std::uint32_t> ColourDialog(HWND owner, std::uint32_t current) {
    static_assert(sizeof(COLORREF) == sizeof(std::uint32_t));
    auto& custom = App().CustomColors;
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = (current & 0xFF000000u) ? ResolveColor(current) & 0xFFFFFF : current;
    cc.lpCustColors = reinterpret_cast<COLORREF*>(custom.data());
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&cc)) return std::nullopt;
    return static_cast<std::uint32_t>(cc.rgbResult) & 0xFFFFFF;
}
}  // namespace

std::optional<std::uint32_t> ChooseItemColour(HWND owner, HWND button, std::uint32_t current, bool offerParent) {
    const int size = Scale(12, WindowDpi(button));
    WindowDC screen(nullptr);
    std::vector<UniqueBitmap> swatches;
    UniqueMenu menu(CreatePopupMenu());
    HMENU system = CreatePopupMenu();
    if (!menu || !system) return std::nullopt;
    const auto named = uimodel::NamedColours();
    const auto sys = uimodel::SystemColours();
    for (std::size_t i = 0; i < named.size(); ++i) {
        swatches.push_back(Swatch(screen.get(), named[i].value, size));
        Append(menu.get(), kFirstNamed + static_cast<UINT>(i), Tr(named[i].caption).data(), swatches.back().get(),
               named[i].value == current);
    }
    for (std::size_t i = 0; i < sys.size(); ++i) {
        swatches.push_back(Swatch(screen.get(), sys[i].value, size));
        Append(system, kFirstSystem + static_cast<UINT>(i), Tr(sys[i].caption).data(), swatches.back().get(),
               sys[i].value == current);
    }
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    // The menu owns the sub-menu from here on.
    AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(system),
                win32::Wide(Tr(TextId::DrawSystemColours)).c_str());
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    if (offerParent)
        Append(menu.get(), kInherit, uimodel::InheritCaption(), nullptr, (current >> 24) == 0xFF);
    Append(menu.get(), kCustom, uimodel::CustomCaption(), nullptr, false);
    RECT r{};
    GetWindowRect(button, &r);
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                         r.left, r.bottom, 0, owner, nullptr));
    if (chosen >= kFirstNamed && chosen < kFirstNamed + named.size()) return named[chosen - kFirstNamed].value;
    if (chosen >= kFirstSystem && chosen < kFirstSystem + sys.size()) return sys[chosen - kFirstSystem].value;
    if (chosen == kInherit) return 0xFF000000u;
    if (chosen == kCustom) return ColourDialog(owner, current);
    return std::nullopt;
}

void DrawColourButton(const DRAWITEMSTRUCT& d, std::uint32_t colour) {
    RECT r = d.rcItem;
    const bool parent = (colour >> 24) == 0xFF;
    DrawFrameControl(d.hDC, &r, DFC_BUTTON,
                     DFCS_BUTTONPUSH | ((d.itemState & ODS_SELECTED) ? DFCS_PUSHED : 0) |
                         ((d.itemState & ODS_DISABLED) ? DFCS_INACTIVE : 0));
    const int edge = Scale(4, WindowDpi(d.hwndItem));
    InflateRect(&r, -edge, -edge);
    UniqueBrush brush(CreateSolidBrush(parent ? RGB(255, 255, 255) : ResolveColor(colour)));
    FillRect(d.hDC, &r, brush.get());
    FrameRect(d.hDC, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (parent) {
        SetBkMode(d.hDC, TRANSPARENT);
        SetTextColor(d.hDC, RGB(0, 0, 0));
        DrawTextW(d.hDC, win32::Wide(uimodel::kParentColourText).c_str(), -1, &r,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (d.itemState & ODS_FOCUS) {
        RECT f = d.rcItem;
        InflateRect(&f, -edge / 2, -edge / 2);
        DrawFocusRect(d.hDC, &f);
    }
}

}  // namespace tbq::ui
