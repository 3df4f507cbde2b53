#include "ui/window_select.h"

#include <array>
#include <vector>

#include "app/app_state.h"
#include "base/texts.h"
#include "core/program_location.h"
#include "platform/ports.h"
#include "ui/editor_support.h"
#include "ui/kit/accessible.h"
#include "ui/kit/dialog.h"
#include "ui/kit/dpi.h"
#include "ui/kit/handles.h"
#include "ui/kit/sizer.h"
#include "ui/kit/tooltips.h"
#include "ui/resource.h"
#include "ui/style_select.h"
#include "ui/window_helpers.h"
#include "uimodel/numbers.h"
#include "uimodel/rule_editor_model.h"
#include "win32/wide.h"

namespace tbq::ui {

namespace {
using uimodel::Condition;
using uimodel::ConditionDraft;
using uimodel::ConditionField;
using uimodel::ConditionOption;

// The option buttons and check box of the conditions.
constexpr std::pair<ConditionOption, int> kOptionControls[] = {
    {ConditionOption::TitlePart, IDC_WS_TITLE_PART},     {ConditionOption::TitleEqual, IDC_WS_TITLE_EQUAL},
    {ConditionOption::TitleCase, IDC_WS_TITLE_CASE},     {ConditionOption::StyleAll, IDC_WS_STYLE_ALL},
    {ConditionOption::StyleNotAll, IDC_WS_STYLE_NOTALL}, {ConditionOption::StyleEqual, IDC_WS_STYLE_EQUAL},
    {ConditionOption::ExStyleAll, IDC_WS_EX_ALL},        {ConditionOption::ExStyleNotAll, IDC_WS_EX_NOTALL},
    {ConditionOption::ExStyleEqual, IDC_WS_EX_EQUAL},    {ConditionOption::FileName, IDC_WS_FILE_NAME},
    {ConditionOption::FilePath, IDC_WS_FILE_PATH},       {ConditionOption::FullPath, IDC_WS_FILE_FULL},
    {ConditionOption::Wider, IDC_WS_WIDER},              {ConditionOption::Narrower, IDC_WS_NARROWER},
};

// The control a refusal puts the focus on.
int FieldControl(ConditionField field) {
    switch (field) {
        case ConditionField::Boxes: return IDC_WS_CHECK0;
        case ConditionField::Handle: return IDC_WS_TEXT0;
        case ConditionField::Title: return IDC_WS_TEXT0 + 1;
        case ConditionField::Class: return IDC_WS_TEXT0 + 2;
        case ConditionField::Style: return IDC_WS_TEXT0 + 3;
        case ConditionField::ExStyle: return IDC_WS_TEXT0 + 4;
        case ConditionField::File: return IDC_WS_TEXT0 + 5;
    }
    return IDC_WS_CHECK0;
}
int TextControl(Condition c) { return IDC_WS_TEXT0 + static_cast<int>(c); }

// A mouse message's point: signed, since a held pointer can be left of or
// above the dialog.
POINT PointOf(LPARAM lp) {
    return {static_cast<short>(LOWORD(static_cast<DWORD>(lp))), static_cast<short>(HIWORD(static_cast<DWORD>(lp)))};
}

HWND HandleOf(platform::WindowId w) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(w)); }

// A window of this program: the settings window, its dialogs and boxes.
bool IsOurs(HWND w) {
    DWORD pid = 0;
    return w && GetWindowThreadProcessId(w, &pid) && pid == GetCurrentProcessId();
}

// The top-level window under a point of the screen: the window there, then
// its parents (owners for pop-ups) as far as they go.
HWND TopLevelWindowAt(POINT pt) {
    HWND w = WindowFromPoint(pt);
    for (int depth = 0; w && depth < 256; ++depth) {
        HWND up = GetParent(w);
        if (!up) break;
        w = up;
    }
    return w;
}

// The title bar font's average character width, measured once.
std::uint8_t TitleFontCharWidth(HWND dlg) {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) return uimodel::AverageCharWidth(0);
    UniqueFont font(CreateFontIndirectW(&ncm.lfCaptionFont));
    WindowDC dc(dlg);
    if (!font || !dc) return uimodel::AverageCharWidth(0);
    SelectedObject selected(dc.get(), font.get());
    static constexpr wchar_t kSample[] = L"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), kSample, 36, &size);
    return uimodel::AverageCharWidth(size.cx);
}

class WindowSelect final : public Dialog {
public:
    WindowSelect(vbKerova_Window& rule, const RuleContext& context)
        : rule_(rule), context_(context), draft_(uimodel::ConditionsOf(rule)), drag_([] { ReleaseCapture(); }) {
        OnMessage(WM_HSCROLL, [this](WPARAM wp, LPARAM) -> INT_PTR {
            if (const auto pos = ScrollRequest(Item(IDC_WS_WIDTH), wp, 1, 50)) {
                SetScrollPos(Item(IDC_WS_WIDTH), SB_CTL, *pos, TRUE);
                ShowWidth(*pos);
            }
            return TRUE;
        });
        OnMessage(WM_DRAWITEM, [this](WPARAM, LPARAM lp) -> INT_PTR {
            const auto& d = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            if (d.CtlID != IDC_WS_TARGET) return FALSE;
            DrawTarget(d);
            return TRUE;
        });
        OnMessage(WM_LBUTTONDOWN, [this](WPARAM, LPARAM lp) -> INT_PTR { return StartDrag(lp); });
        OnMessage(WM_MOUSEMOVE, [this](WPARAM, LPARAM lp) -> INT_PTR {
            DragOver(lp);
            return TRUE;
        });
        OnMessage(WM_LBUTTONUP, [this](WPARAM, LPARAM lp) -> INT_PTR {
            if (!drag_.Active()) return FALSE;
            DragOver(lp);
            EndDrag(uimodel::TargetDrag::End::Drop);
            return TRUE;
        });
        // Another window took the pointer (a box, the task switcher): the drag
        // is over and what was there before it comes back.
        OnMessage(WM_CAPTURECHANGED, [this](WPARAM, LPARAM lp) -> INT_PTR {
            if (reinterpret_cast<HWND>(lp) != dlg_) EndDrag(uimodel::TargetDrag::End::CaptureLost);
            return TRUE;
        });
        OnMessage(WM_SETCURSOR, [this](WPARAM, LPARAM) -> INT_PTR {
            if (!drag_.Active()) return FALSE;
            SetCursor(LoadCursorW(nullptr, IDC_CROSS));
            SetWindowLongPtrW(dlg_, DWLP_MSGRESULT, TRUE);
            return TRUE;
        });
        OnCommand(IDC_WS_HISTORY, [this] { FillWindowList(); });
        OnCommand(IDC_WS_ALL, [this] { FillWindowList(); });
        OnCommand(IDC_WS_LIST, LBN_SELCHANGE, [this] { PickLine(); });
        OnCommand(IDC_WS_STYLE_SET, [this] { ChooseStyleOf(Condition::Style); });
        OnCommand(IDC_WS_EXSTYLE_SET, [this] { ChooseStyleOf(Condition::ExStyle); });
        OnCommand(IDOK, [this] { Accept(); });
    }

    bool Run(HWND owner) { return RunModal(owner, IDD_WINDOW_SELECT) == IDOK; }

private:
    void OnInit() override {
        Text caption = kProductName;
        caption += Tr(TextId::RuleConditionsCaption);
        const ControlText texts[] = {{0, caption.c_str()}};
        ApplyTexts(dlg_, texts);
        charWidth_ = TitleFontCharWidth(dlg_);
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE;
        si.nMin = 0;
        si.nMax = uimodel::kMaxWidth;
        si.nPage = 1;
        SetScrollInfo(Item(IDC_WS_WIDTH), SB_CTL, &si, FALSE);
        for (Condition c : {Condition::Handle, Condition::Style, Condition::ExStyle})
            SendMessageW(Item(TextControl(c)), EM_LIMITTEXT, 16, 0);
        ShowDraft(draft_);
        SetChecked(IDC_WS_HISTORY, true);
        FillWindowList();
        tips_.Add(dlg_, Item(IDC_WS_TARGET), Text(Tr(TextId::RuleTargetTip)));
        tips_.Add(dlg_, Item(IDC_WS_LIST), Text(Tr(TextId::RuleListTip)));
        tips_.Add(dlg_, Item(IDC_WS_STYLE_SET), Text(Tr(TextId::RuleStyleTip)));
        tips_.Add(dlg_, Item(IDC_WS_EXSTYLE_SET), Text(Tr(TextId::RuleExStyleTip)));
        AddOkCancelTips(dlg_, tips_);
        SetAccessibleName(Item(IDC_WS_STYLE_SET), Tr(TextId::RuleStyleButtonName));
        SetAccessibleName(Item(IDC_WS_EXSTYLE_SET), Tr(TextId::RuleExStyleButtonName));
    }

    void ShowDraft(const ConditionDraft& d) {
        for (std::size_t i = 0; i < uimodel::kConditionCount; ++i)
            SetChecked(IDC_WS_CHECK0 + static_cast<int>(i), d.ticked[i]);
        for (std::size_t i = 0; i < uimodel::kTypedCount; ++i)
            SetField(dlg_, IDC_WS_TEXT0 + static_cast<int>(i), d.typed[i]);
        for (const auto& [option, id] : kOptionControls) SetChecked(id, uimodel::OptionChosen(d.options, option));
        SetScrollPos(Item(IDC_WS_WIDTH), SB_CTL, d.width, TRUE);
        ShowWidth(d.width);
    }

    ConditionDraft ReadDraft() const {
        ConditionDraft d;
        for (std::size_t i = 0; i < uimodel::kConditionCount; ++i)
            d.ticked[i] = Checked(IDC_WS_CHECK0 + static_cast<int>(i));
        for (std::size_t i = 0; i < uimodel::kTypedCount; ++i)
            d.typed[i] = FieldText(dlg_, IDC_WS_TEXT0 + static_cast<int>(i));
        for (const auto& [option, id] : kOptionControls)
            if (Checked(id)) d.options = uimodel::ChooseOption(d.options, option);
        d.width = GetScrollPos(Item(IDC_WS_WIDTH), SB_CTL);
        return d;
    }

    void ShowWidth(int width) { SetField(dlg_, IDC_WS_WIDTH_LABEL, uimodel::WidthLabel(width, charWidth_)); }

    // The target icon: a sight drawn at the control's size, empty while it is
    // being dragged (the pointer carries it).
    void DrawTarget(const DRAWITEMSTRUCT& d) const {
        const RECT r = d.rcItem;
        FillRect(d.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(d.hDC, const_cast<RECT*>(&r), EDGE_SUNKEN, BF_RECT);
        if (drag_.Active()) return;
        const int size = std::min(r.right - r.left, r.bottom - r.top);
        const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
        const int outer = size * 3 / 8, inner = size / 6;
        UniquePen pen(CreatePen(PS_SOLID, std::max(1, size / 16), GetSysColor(COLOR_BTNTEXT)));
        SelectedObject usePen(d.hDC, pen.get());
        SelectedObject noFill(d.hDC, GetStockObject(NULL_BRUSH));
        Ellipse(d.hDC, cx - outer, cy - outer, cx + outer + 1, cy + outer + 1);
        Ellipse(d.hDC, cx - inner, cy - inner, cx + inner + 1, cy + inner + 1);
        MoveToEx(d.hDC, cx, cy - outer - inner, nullptr);
        LineTo(d.hDC, cx, cy + outer + inner);
        MoveToEx(d.hDC, cx - outer - inner, cy, nullptr);
        LineTo(d.hDC, cx + outer + inner, cy);
    }

    INT_PTR StartDrag(LPARAM lp) {
        const POINT pt = PointOf(lp);
        const RECT icon = RectInParent(Item(IDC_WS_TARGET));
        if (drag_.Active() || !PtInRect(&icon, pt)) return FALSE;
        drag_.Start(ReadDraft());
        SetCapture(dlg_);
        SetCursor(LoadCursorW(nullptr, IDC_CROSS));
        InvalidateRect(Item(IDC_WS_TARGET), nullptr, TRUE);
        return TRUE;
    }

    void DragOver(LPARAM lp) {
        if (!drag_.Active()) return;
        POINT pt = PointOf(lp);
        ClientToScreen(dlg_, &pt);
        HWND w = TopLevelWindowAt(pt);
        if (const auto d = drag_.Over(WindowIdOf(w), IsOurs(w), ReadDraft(), context_)) ShowDraft(*d);
    }

    void EndDrag(uimodel::TargetDrag::End how) {
        if (!drag_.Active()) return;
        if (const auto before = drag_.Finish(how)) ShowDraft(*before);
        InvalidateRect(Item(IDC_WS_TARGET), nullptr, TRUE);
    }

    // Escape ends a drag; otherwise it closes the dialog.
    void OnCancel() override {
        if (drag_.Active())
            EndDrag(uimodel::TargetDrag::End::Escape);
        else
            Close(IDCANCEL);
    }

    // One window of the all-windows list (a plain function: the 32-bit
    // callback convention is not a lambda's).
    static BOOL CALLBACK ListWindow(HWND w, LPARAM self) {
        if (IsWindowVisible(w) && !IsOurs(w)) reinterpret_cast<WindowSelect*>(self)->listed_.push_back(WindowIdOf(w));
        return TRUE;
    }

    // The recent windows (newest first) or every visible top-level window
    // that is not ours, as the lines of the list.
    void FillWindowList() {
        listed_.clear();
        if (Checked(IDC_WS_ALL)) {
            EnumWindows(&WindowSelect::ListWindow, reinterpret_cast<LPARAM>(this));
        } else {
            const auto& recent = App().RecentWindows;
            for (auto it = recent.rbegin(); it != recent.rend(); ++it)
                if (IsWindow(HandleOf(*it))) listed_.push_back(*it);
        }
        HWND list = Item(IDC_WS_LIST);
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        int widest = 0;
        WindowDC dc(list);
        SelectedObject font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
        for (platform::WindowId w : listed_) {
            const std::wstring line = win32::Wide(uimodel::GetWindowInfoText(w, context_));
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
            SIZE size{};
            if (dc) GetTextExtentPoint32W(dc.get(), line.c_str(), static_cast<int>(line.size()), &size);
            widest = std::max(widest, static_cast<int>(size.cx));
        }
        SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + Scale(8, Dpi())), 0);
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }

    void PickLine() {
        const LRESULT i = SendMessageW(Item(IDC_WS_LIST), LB_GETCURSEL, 0, 0);
        if (i < 0 || static_cast<std::size_t>(i) >= listed_.size()) return;
        const platform::WindowId w = listed_[static_cast<std::size_t>(i)];
        // The window may have gone since the list was made.
        if (!IsWindow(HandleOf(w))) {
            FillWindowList();
            return;
        }
        ShowDraft(uimodel::CaptureWindow(ReadDraft(), w, context_));
    }

    void ChooseStyleOf(Condition c) {
        const int id = TextControl(c);
        const auto value = uimodel::ReadHex(FieldText(dlg_, id));
        if (!value) {
            RefuseField(dlg_, id, uimodel::HexRefusal(c));
            return;
        }
        const auto kind = c == Condition::Style ? uimodel::StyleKind::Style : uimodel::StyleKind::ExStyle;
        if (const auto chosen = ChooseStyle(dlg_, kind, *value)) SetField(dlg_, id, uimodel::Hex8(*chosen));
    }

    void Accept() {
        const ConditionDraft d = ReadDraft();
        const uimodel::ConditionChecks checks{
            [](platform::WindowId w) { return IsWindow(HandleOf(w)) != FALSE; },
            [](platform::WindowId w) { return IsOurs(HandleOf(w)); },
            [this](const Text& question) {
                return platform::dialogs().Show(WindowIdOf(dlg_), question, kProductName,
                                                platform::BoxStyle::Question) == platform::BoxAnswer::Yes;
            }};
        if (const auto refusal = uimodel::CheckConditions(d, checks)) {
            const int id = FieldControl(refusal->field);
            if (refusal->message.empty())
                SendMessageW(dlg_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
            else
                RefuseField(dlg_, id, refusal->message);
            return;
        }
        uimodel::StoreConditions(d, rule_);
        Close(IDOK);
    }

    vbKerova_Window& rule_;
    const RuleContext& context_;
    ConditionDraft draft_;
    std::uint8_t charWidth_ = 1;
    std::vector<platform::WindowId> listed_;
    Tooltips tips_;
    // Last: it gives the pointer back while the rest still stands.
    uimodel::TargetDrag drag_;
};
}  // namespace

bool EditWindowConditions(HWND owner, vbKerova_Window& rule, const RuleContext& context) {
    // A private copy: cancel leaves the caller's rule as it was.
    vbKerova_Window copy;
    copy.CopyData(rule);
    WindowSelect dialog(copy, context);
    if (!dialog.Run(owner)) return false;
    rule.CopyData(copy);
    return true;
}

}  // namespace tbq::ui
