#include "ui/style_select.h"

#include <commctrl.h>

#include "base/texts.h"
#include "core/program_location.h"
#include "ui/editor_support.h"
#include "ui/kit/dialog.h"
#include "ui/kit/tooltips.h"
#include "ui/resource.h"
#include "ui/window_helpers.h"
#include "uimodel/numbers.h"
#include "win32/wide.h"

namespace tbq::ui {

namespace {
using uimodel::StyleKind;

// The lines' values are the platform's constants of those names.
constexpr bool SameAsPlatform() {
    constexpr std::uint32_t styles[] = {WS_BORDER,   WS_CHILD,     WS_CLIPCHILDREN, WS_CLIPSIBLINGS,
                                        WS_DISABLED, WS_DLGFRAME,  WS_HSCROLL,      WS_MAXIMIZE,
                                        WS_MAXIMIZEBOX, WS_MINIMIZE, WS_MINIMIZEBOX, WS_POPUP,
                                        WS_SYSMENU,  WS_THICKFRAME, WS_VISIBLE,     WS_VSCROLL};
    constexpr std::uint32_t exStyles[] = {
        WS_EX_APPWINDOW,      WS_EX_CLIENTEDGE, WS_EX_CONTEXTHELP, WS_EX_CONTROLPARENT,
        WS_EX_DLGMODALFRAME,  WS_EX_MDICHILD,   WS_EX_LEFTSCROLLBAR, WS_EX_NOPARENTNOTIFY,
        WS_EX_RIGHT,          WS_EX_STATICEDGE, WS_EX_TOOLWINDOW, WS_EX_TOPMOST,
        WS_EX_WINDOWEDGE,     WS_EX_ACCEPTFILES, WS_EX_RTLREADING, WS_EX_TRANSPARENT};
    static_assert(std::size(styles) == std::size(uimodel::kWindowStyleLines) &&
                  std::size(exStyles) == std::size(uimodel::kExStyleLines));
    for (std::size_t i = 0; i < std::size(styles); ++i)
        if (uimodel::kWindowStyleLines[i].value != styles[i] || uimodel::kExStyleLines[i].value != exStyles[i])
            return false;
    return true;
}

class StyleSelect final : public Dialog {
public:
    StyleSelect(StyleKind kind, std::uint32_t value) : kind_(kind), value_(value) {
        OnCommand(IDC_SS_LIST, LBN_SELCHANGE, [this] {
            const LRESULT caret = SendMessageW(Item(IDC_SS_LIST), LB_GETCARETINDEX, 0, 0);
            ShowPointed(caret);
            ShowTotal();
        });
        OnCommand(IDC_SS_OTHER, EN_CHANGE, [this] { ShowTotal(); });
        OnCommand(IDOK, [this] { Accept(); });
    }

    std::optional<std::uint32_t> Run(HWND owner) {
        if (RunModal(owner, IDD_STYLE_SELECT) != IDOK) return std::nullopt;
        return value_;
    }

private:
    void OnInit() override {
        Text caption = kProductName;
        caption += uimodel::StyleCaption(kind_);
        const ControlText texts[] = {{0, caption.c_str()}};
        ApplyTexts(dlg_, texts);
        HWND list = Item(IDC_SS_LIST);
        const uimodel::StyleSplit split = uimodel::SplitStyle(kind_, value_);
        const auto lines = uimodel::StyleLines(kind_);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(lines[i].name).c_str()));
            SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), lines[i].value);
            SendMessageW(list, LB_SETSEL, split.ticked[i] ? TRUE : FALSE, at);
        }
        // Ticking scrolled the list to its last ticked line: it starts at the top.
        SendMessageW(list, LB_SETTOPINDEX, 0, 0);
        SendMessageW(list, LB_SETCARETINDEX, 0, FALSE);
        SendMessageW(Item(IDC_SS_OTHER), EM_LIMITTEXT, 10, 0);
        SetField(dlg_, IDC_SS_OTHER, split.rest ? uimodel::HexDigits(split.rest) : Text());
        // Goes with the list, which goes before this object.
        SetWindowSubclass(list, Pointing, 0, reinterpret_cast<DWORD_PTR>(this));
        tips_.Add(dlg_, Item(IDC_SS_OTHER), Text(Tr(TextId::StyleOtherTip)));
        tips_.Add(dlg_, Item(IDC_SS_TOTAL), Text(Tr(TextId::StyleTotalTip)));
        ShowTotal();
    }

    std::vector<bool> Ticked() const {
        HWND list = Item(IDC_SS_LIST);
        std::vector<bool> ticked;
        const LRESULT n = SendMessageW(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) ticked.push_back(SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0);
        return ticked;
    }

    // The free field while it is typed in: what is not a number counts as 0
    // until OK refuses it.
    std::optional<std::uint32_t> Other() const { return uimodel::ReadHex(FieldText(dlg_, IDC_SS_OTHER)); }

    void ShowTotal() {
        SetField(dlg_, IDC_SS_TOTAL, uimodel::StyleTotalText(uimodel::StyleTotal(kind_, Ticked(), Other().value_or(0))));
    }

    void ShowPointed(LRESULT line) {
        const auto lines = uimodel::StyleLines(kind_);
        if (line < 0 || static_cast<std::size_t>(line) >= lines.size() || line == pointed_) return;
        pointed_ = line;
        SetField(dlg_, IDC_SS_POINT, uimodel::StylePointText(lines[static_cast<std::size_t>(line)]));
    }

    static LRESULT CALLBACK Pointing(HWND list, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) noexcept {
        if (msg == WM_MOUSEMOVE) {
            const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lp);
            // The high word says the point is below the last line.
            if (HIWORD(hit) == 0) reinterpret_cast<StyleSelect*>(self)->ShowPointed(LOWORD(hit));
        }
        return DefSubclassProc(list, msg, wp, lp);
    }

    void Accept() {
        const auto other = Other();
        if (!other) {
            RefuseField(dlg_, IDC_SS_OTHER, Text(Tr(TextId::StyleOtherJunk)));
            return;
        }
        value_ = uimodel::StyleTotal(kind_, Ticked(), *other);
        Close(IDOK);
    }

    StyleKind kind_;
    std::uint32_t value_;
    LRESULT pointed_ = -1;
    Tooltips tips_;
};
}  // namespace

static_assert(SameAsPlatform(), "the style lines must carry the platform's values");

std::optional<std::uint32_t> ChooseStyle(HWND owner, StyleKind kind, std::uint32_t value) {
    StyleSelect dialog(kind, value);
    return dialog.Run(owner);
}

}  // namespace tbq::ui
