// The own-drawing editor without its window: the private copy of a painting
// profile it edits, what each control shows of it and what each change writes
// into it, the labels that follow the rectangle mode, the check made on OK,
// and the transparency dialog's reading of its lists. The window only moves
// texts, choices and check states between its controls and DrawEditorModel.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "base/text.h"
#include "draw/draw_bar.h"

namespace tbq::uimodel {

// The editor's controls that show a field of the profile. Controls after
// WindowKind show the profile of the window kind chosen there.
enum class DrawControl {
    Name,          // "設定名(&N)": text
    DrawKind,      // "独自描画タイプ(&T)": choice
    TitleMode,     // "対象ウインドウのタイトル情報(&1)": choice
    NoFlicker,     // "描画のちらつきを抑える(&0)": check
    CaptionCheck,  // "タイトルバーの有無をチェック(&J)": check
    WindowKind,    // "対象が(&Y)": choice of the profile shown
    RectMode,      // "設定方法(&M)": choice
    Left, Right, Top, Bottom,  // the rectangle boxes: text
    BorderLine,    // "境界線(&X)": check
    FontName,      // text ("*システムデフォルト" or a family)
    FontHeight, FontWidth, FontBold,  // editable lists: text
    Decorated,     // "装飾を指定する(&E)": check
    Italic, Underline, StrikeOut, Shadow, Outline,  // checks
};

// The three colour buttons.
enum class DrawColour { Back, Line, Shadow };

// The first entry of the font name list, the caption font's own face
// ("*システムデフォルト"), in the language in force.
const char16_t* SystemFontName();

// The entries of a choice or an editable list, in the language in force.
std::vector<Text> DrawEntries(DrawControl c);

// The labels of the rectangle boxes for a rectangle mode (its entry index).
struct RectLabels {
    TextView heading;
    TextView hint;
    std::array<TextView, 4> tips;  // left, right, top, bottom
};
RectLabels RectLabelsFor(std::size_t mode);

class DrawEditorModel {
public:
    // A copy of `profile`; a new profile's values for null.
    explicit DrawEditorModel(const vbKerova_DrawBar* profile);

    // "Lunetta - 独自描画追加" or "... 編集".
    Text Caption() const;
    // The window kind shown: 0 normal windows, 1 tool windows.
    int Kind() const { return kind_; }

    // What a control shows: a text box's or editable list's text, a choice's
    // entry index, a check box's state.
    Text TextOf(DrawControl c) const;
    std::size_t ChoiceOf(DrawControl c) const;
    bool CheckOf(DrawControl c) const;
    // A change of a control written into the copy. Checking 影 clears 縁 and
    // the other way round.
    void SetText(DrawControl c, TextView text);
    void SetChoice(DrawControl c, std::size_t index);
    void SetCheck(DrawControl c, bool on);

    // Whether a control can be used now (the decorations need "装飾を指定する"),
    // and whether the transparency controls are shown (pseudo title bar only).
    bool Enabled(DrawControl c) const;
    bool Pseudo() const;

    std::uint32_t Colour(DrawColour c) const;
    void SetColour(DrawColour c, std::uint32_t value);
    // Trans and Trans_MouseOver of the kind shown, and their label "N:0,M:0".
    std::array<std::uint8_t, 2> Transparency() const;
    void SetTransparency(std::array<std::uint8_t, 2> values);
    Text TransparencyLabel() const;

    // The refusal shown on OK, or nullopt when the profile can be made.
    std::optional<const char16_t*> Check() const;
    // Writes the copy into `profile` (the preview, or a new profile).
    void CopyInto(vbKerova_DrawBar& profile) const;
    // A new profile with the edited values; the caller makes its drawing
    // objects (ResetObject) before it draws.
    std::shared_ptr<vbKerova_DrawBar> Build() const;

private:
    BarProfile& Bar() { return bars_[static_cast<std::size_t>(kind_)]; }
    const BarProfile& Bar() const { return bars_[static_cast<std::size_t>(kind_)]; }
    FontProfile& Font() { return fonts_[static_cast<std::size_t>(kind_)]; }
    const FontProfile& Font() const { return fonts_[static_cast<std::size_t>(kind_)]; }

    bool editing_;
    Text name_;
    std::uint8_t drawType_;
    std::array<BarProfile, 2> bars_;
    std::array<FontProfile, 2> fonts_;
    int kind_ = 0;
};

// ---- The transparency dialog ---------------------------------------------------

// The presets of both rows: "0(0%)" ... "255(100%)".
std::span<const char16_t* const> TransparencyPresets();
// The percentage of a value, rounded half up (GetTransPercent).
int TransparencyPercent(std::uint8_t value);
// The list text of a value: "127(50%)".
Text TransparencyText(std::uint8_t value);
// The value of a row's text while it is typed: the leading number limited to
// 0-255, or nullopt while the text does not start with one (the value then
// stays as it was until the field is left).
std::optional<std::uint8_t> TypedTransparency(TextView text);
// The value once the field is left: a text without a number reads as 0.
std::uint8_t LeftTransparency(TextView text);

}  // namespace tbq::uimodel
