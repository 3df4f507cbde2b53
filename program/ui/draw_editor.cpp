#include "ui/draw_editor.h"

#include <set>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "base/texts.h"
#include "ui/colour_menu.h"
#include "ui/editor_support.h"
#include "ui/kit/dialog.h"
#include "ui/kit/handles.h"
#include "ui/kit/tooltips.h"
#include "ui/resource.h"
#include "ui/transparency_dialog.h"
#include "ui/window_helpers.h"
#include "uimodel/draw_editor_model.h"
#include "win32/wide.h"

namespace tbq::ui {

namespace {
using uimodel::DrawColour;
using uimodel::DrawControl;

// How a control shows its field: a text box, a drop-down list of fixed
// choices, a list whose entry text (or typed text) is the value, a check box.
enum class Shape { Text, Choice, List, Check };
struct Binding {
    int id;
    DrawControl control;
    Shape shape;
};
constexpr Binding kBindings[] = {
    {IDC_DE_NAME, DrawControl::Name, Shape::Text},
    {IDC_DE_DRAWKIND, DrawControl::DrawKind, Shape::Choice},
    {IDC_DE_TITLEMODE, DrawControl::TitleMode, Shape::Choice},
    {IDC_DE_NOFLICKER, DrawControl::NoFlicker, Shape::Check},
    {IDC_DE_CAPTIONCHECK, DrawControl::CaptionCheck, Shape::Check},
    {IDC_DE_WINDOWKIND, DrawControl::WindowKind, Shape::Choice},
    {IDC_DE_RECTMODE, DrawControl::RectMode, Shape::Choice},
    {IDC_DE_LEFT, DrawControl::Left, Shape::Text},
    {IDC_DE_RIGHT, DrawControl::Right, Shape::Text},
    {IDC_DE_TOP, DrawControl::Top, Shape::Text},
    {IDC_DE_BOTTOM, DrawControl::Bottom, Shape::Text},
    {IDC_DE_BORDERLINE, DrawControl::BorderLine, Shape::Check},
    {IDC_DE_FONTNAME, DrawControl::FontName, Shape::List},
    {IDC_DE_FONTHEIGHT, DrawControl::FontHeight, Shape::List},
    {IDC_DE_FONTWIDTH, DrawControl::FontWidth, Shape::List},
    {IDC_DE_FONTBOLD, DrawControl::FontBold, Shape::List},
    {IDC_DE_DECORATED, DrawControl::Decorated, Shape::Check},
    {IDC_DE_ITALIC, DrawControl::Italic, Shape::Check},
    {IDC_DE_UNDERLINE, DrawControl::Underline, Shape::Check},
    {IDC_DE_STRIKEOUT, DrawControl::StrikeOut, Shape::Check},
    {IDC_DE_SHADOW, DrawControl::Shadow, Shape::Check},
    {IDC_DE_OUTLINE, DrawControl::Outline, Shape::Check},
};
constexpr std::pair<int, DrawColour> kColours[] = {
    {IDC_DE_BACKCOLOR, DrawColour::Back}, {IDC_DE_LINECOLOR, DrawColour::Line}, {IDC_DE_SHADOWCOLOR, DrawColour::Shadow}};
// The rectangle boxes in the order of their tips: left, right, top, bottom.
constexpr int kRectBoxes[] = {IDC_DE_LEFT, IDC_DE_RIGHT, IDC_DE_TOP, IDC_DE_BOTTOM};
constexpr int kTransparencyControls[] = {IDC_DE_TRANS_LABEL, IDC_DE_TRANS_VALUE, IDC_DE_TRANS_SET};
// What the preview shows after the name, in the caption's text colour.
constexpr char16_t kPreviewSample[] = u"  2024/01/01 12:34:56";
constexpr std::uint32_t kCaptionText = 0x80000009;

int CALLBACK AddFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM names) {
    // Vertical forms ("@...") are not faces a caption is written in.
    if (font->lfFaceName[0] != L'@') reinterpret_cast<std::set<std::wstring>*>(names)->insert(font->lfFaceName);
    return 1;
}

// The font families installed, in order.
std::vector<Text> FontFamilies() {
    std::set<std::wstring> names;
    WindowDC screen(nullptr);
    LOGFONTW any{};
    any.lfCharSet = DEFAULT_CHARSET;
    if (screen) EnumFontFamiliesExW(screen.get(), &any, AddFamily, reinterpret_cast<LPARAM>(&names), 0);
    std::vector<Text> families;
    for (const std::wstring& n : names) families.push_back(win32::FromWide(n));
    return families;
}


std::size_t Selected(HWND combo) {
    const LRESULT i = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return i < 0 ? 0 : static_cast<std::size_t>(i);
}

// The text of a list's chosen entry: at CBN_SELCHANGE its edit still holds the old text.
Text EntryText(HWND combo) {
    const LRESULT i = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (i < 0) return FieldText(GetParent(combo), GetDlgCtrlID(combo));
    std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0), 0)) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    return win32::FromWide(text.c_str());
}

class DrawEditor final : public Dialog {
public:
    explicit DrawEditor(const vbKerova_DrawBar* profile) : model_(profile) {
        for (const Binding& b : kBindings) Bind(b);
        for (const auto& [id, colour] : kColours) OnCommand(id, [this, id, colour] { ChooseColour(id, colour); });
        OnCommand(IDC_DE_TRANS_SET, [this] {
            if (auto values = AskTransparency(dlg_, model_.Transparency())) {
                model_.SetTransparency(*values);
                Changed();
            }
        });
        OnMessage(WM_DRAWITEM, [this](WPARAM, LPARAM lp) -> INT_PTR {
            const auto& d = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            if (d.CtlID == IDC_DE_PREVIEW) {
                PaintPreview(d);
                return TRUE;
            }
            for (const auto& [id, colour] : kColours)
                if (static_cast<int>(d.CtlID) == id) {
                    DrawColourButton(d, model_.Colour(colour));
                    return TRUE;
                }
            return FALSE;
        });
        OnCommand(IDOK, [this] { Accept(); });
    }

    std::shared_ptr<vbKerova_DrawBar> Run(HWND owner) {
        if (RunModal(owner, IDD_DRAW_EDITOR) != IDOK) return nullptr;
        return result_;
    }

private:
    void Bind(const Binding& b) {
        const int id = b.id;
        const DrawControl c = b.control;
        const auto typed = [this, id, c] { Typed(c, FieldText(dlg_, id)); };
        switch (b.shape) {
            case Shape::Text:
                // Taken as it is typed and again when the box is left.
                OnCommand(id, EN_CHANGE, typed);
                OnCommand(id, EN_KILLFOCUS, typed);
                break;
            case Shape::Choice:
                OnCommand(id, CBN_SELCHANGE, [this, id, c] {
                    if (filling_) return;
                    model_.SetChoice(c, Selected(Item(id)));
                    // Another window kind: every control of the kind shows its values.
                    if (c == DrawControl::WindowKind) Fill();
                    Changed();
                });
                break;
            case Shape::List:
                OnCommand(id, CBN_SELCHANGE, [this, id, c] { Typed(c, EntryText(Item(id))); });
                OnCommand(id, CBN_EDITCHANGE, typed);
                OnCommand(id, CBN_KILLFOCUS, typed);
                break;
            case Shape::Check:
                OnCheck(id, [this, c](bool on) {
                    if (filling_) return;
                    model_.SetCheck(c, on);
                    Changed();
                });
                break;
        }
    }

    void OnInit() override {
        const Text caption = model_.Caption();
        const ControlText texts[] = {{0, caption.c_str()}};
        ApplyTexts(dlg_, texts);
        SendMessageW(Item(IDC_DE_NAME), EM_LIMITTEXT, 255, 0);
        for (int id : kRectBoxes) SendMessageW(Item(id), EM_LIMITTEXT, 12, 0);
        for (const Binding& b : kBindings) {
            if (b.shape == Shape::Choice) FillComboBox(Item(b.id), uimodel::DrawEntries(b.control), 0);
            if (b.shape != Shape::List) continue;
            std::vector<Text> entries = uimodel::DrawEntries(b.control);
            if (b.control == DrawControl::FontName) {
                for (Text& family : FontFamilies()) entries.push_back(std::move(family));
                FillComboBox(Item(b.id), entries, 0);
            } else {
                FillDropDown(Item(b.id), entries, {});
            }
        }
        const auto labels = uimodel::RectLabelsFor(0);
        for (std::size_t i = 0; i < std::size(kRectBoxes); ++i)
            tips_.Add(dlg_, Item(kRectBoxes[i]), Text(labels.tips[i]));
        AddOkCancelTips(dlg_, tips_);
        Fill();
        Changed();
    }

    // Every control from the copy: the whole profile, the window kind's values.
    void Fill() {
        filling_ = true;
        for (const Binding& b : kBindings) {
            HWND control = Item(b.id);
            switch (b.shape) {
                case Shape::Text: SetField(dlg_, b.id, model_.TextOf(b.control)); break;
                case Shape::Choice:
                    SendMessageW(control, CB_SETCURSEL, model_.ChoiceOf(b.control), 0);
                    break;
                case Shape::List:
                    if (b.control == DrawControl::FontName)
                        SelectFontName(control, model_.TextOf(b.control));
                    else
                        SetField(dlg_, b.id, model_.TextOf(b.control));
                    break;
                case Shape::Check: SetChecked(b.id, model_.CheckOf(b.control)); break;
            }
        }
        filling_ = false;
    }

    // A face that is not installed stays in the list, so that it is kept.
    static void SelectFontName(HWND combo, const Text& name) {
        const std::wstring wide = win32::Wide(name);
        LRESULT i = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()));
        if (i < 0) i = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(std::max<LRESULT>(i, 0)), 0);
    }

    void Typed(DrawControl c, const Text& text) {
        if (filling_) return;
        model_.SetText(c, text);
        Changed();
    }

    // After every change: what follows from the copy, and the preview again.
    void Changed() {
        for (const Binding& b : kBindings) {
            if (b.shape != Shape::Check) continue;
            // Checking 影 clears 縁 and the other way round.
            SetChecked(b.id, model_.CheckOf(b.control));
            EnableWindow(Item(b.id), model_.Enabled(b.control));
        }
        const bool pseudo = model_.Pseudo();
        for (int id : kTransparencyControls) ShowWindow(Item(id), pseudo ? SW_SHOWNA : SW_HIDE);
        SetField(dlg_, IDC_DE_TRANS_VALUE, model_.TransparencyLabel());
        const auto labels = uimodel::RectLabelsFor(model_.ChoiceOf(DrawControl::RectMode));
        SetField(dlg_, IDC_DE_RECT_HEADING, Text(labels.heading));
        SetField(dlg_, IDC_DE_RECT_HINT, Text(labels.hint));
        for (std::size_t i = 0; i < std::size(kRectBoxes); ++i)
            tips_.Change(dlg_, Item(kRectBoxes[i]), Text(labels.tips[i]));
        for (const auto& [id, colour] : kColours) InvalidateRect(Item(id), nullptr, FALSE);
        model_.CopyInto(preview_);
        preview_.ResetObject();
        InvalidateRect(Item(IDC_DE_PREVIEW), nullptr, FALSE);
    }

    // The caption painter paints the preview into its box, as it paints captions.
    void PaintPreview(const DRAWITEMSTRUCT& d) {
        const platform::PaintRect box{d.rcItem.left, d.rcItem.top, d.rcItem.right, d.rcItem.bottom};
                if (preview_.DrawPreviewStart(WindowIdOf(d.hwndItem), box, static_cast<int>(Dpi()), App().settings.Unicode,
                                      model_.Kind() == 1)) {
            FillRect(d.hDC, &d.rcItem, GetSysColorBrush(COLOR_BTNFACE));
            return;
        }
        const Text name = model_.TextOf(DrawControl::Name);
        std::int32_t x = preview_.DrawCaption(name.empty() ? Text(Tr(TextId::DrawPreviewName)) : name, kCaptionText, 0);
        if (x >= 0) preview_.DrawCaption(kPreviewSample, kCaptionText, x);
        preview_.EndDraw();
    }

    void ChooseColour(int id, DrawColour colour) {
        if (auto c = ChooseItemColour(dlg_, Item(id), model_.Colour(colour), false)) {
            model_.SetColour(colour, *c);
            Changed();
        }
    }

    void Accept() {
        if (const auto refusal = model_.Check()) {
            RefuseField(dlg_, IDC_DE_NAME, *refusal);
            return;
        }
        result_ = model_.Build();
        Close(IDOK);
    }

    uimodel::DrawEditorModel model_;
    vbKerova_DrawBar preview_;  // the copy as the painter paints it
    bool filling_ = false;
    Tooltips tips_;
    std::shared_ptr<vbKerova_DrawBar> result_;
};

}  // namespace

std::shared_ptr<vbKerova_DrawBar> EditDrawBar(HWND owner, const vbKerova_DrawBar* profile) {
    DrawEditor editor(profile);
    return editor.Run(owner);
}

}  // namespace tbq::ui
