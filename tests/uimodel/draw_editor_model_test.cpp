// The own-drawing editor without its window: which field each control writes
// (the whole profile compared, so that a control never touches another
// field), what the controls show of stored values, the editor's rules
// between controls, and the transparency dialog's reading of its lists.
#include "uimodel/draw_editor_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <variant>


namespace tbq::uimodel {
namespace {

using C = DrawControl;

// Everything a profile stores, for comparing whole profiles.
struct Stored {
    Text name;
    std::uint8_t drawType = 9;
    std::array<BarProfile, 2> bars{};
    std::array<FontProfile, 2> fonts{};
    bool operator==(const Stored&) const = default;
};
Stored StoredOf(const vbKerova_DrawBar& p) {
    return {p.DrawBarName, p.DrawType, {p.GetBarProfile(0), p.GetBarProfile(1)}, {p.GetFontProfile(0), p.GetFontProfile(1)}};
}

TEST(DrawEditorModel, EachControlWritesItsOwnFieldOfTheKindShown) {
    // A typed text, a chosen entry or a check state.
    using Input = std::variant<const char16_t*, std::size_t, bool>;
    struct Row {
        const char* what;
        int kind;  // the window kind chosen first
        C control;
        Input input;
        std::function<void(Stored&)> expect;
    } rows[] = {
        {"name", 0, C::Name, u"夜空", [](Stored& s) { s.name = u"夜空"; }},
        {"pseudo title bar", 0, C::DrawKind, std::size_t{1}, [](Stored& s) { s.drawType = 8 | 2; }},
        {"title cleared", 0, C::TitleMode, std::size_t{2}, [](Stored& s) { s.drawType = 9 | 32; }},
        {"title set too", 0, C::TitleMode, std::size_t{1}, [](Stored& s) { s.drawType = 9 | 16; }},
        {"no flicker", 0, C::NoFlicker, true, [](Stored& s) { s.drawType = 9 | 4; }},
        {"caption check off", 0, C::CaptionCheck, false, [](Stored& s) { s.drawType = 1; }},
        {"top-based, border kept", 0, C::RectMode, std::size_t{1}, [](Stored& s) { s.bars[0].WindowFlag = 256 | 16; }},
        {"bottom-based tool window", 1, C::RectMode, std::size_t{2}, [](Stored& s) { s.bars[1].WindowFlag = 256 | 32; }},
        {"left, signed", 0, C::Left, u"-12", [](Stored& s) { s.bars[0].Left = -12; }},
        {"right, number first", 0, C::Right, u"7px", [](Stored& s) { s.bars[0].Right = 7; }},
        {"top, full width", 1, C::Top, u"１５", [](Stored& s) { s.bars[1].Top = 15; }},
        {"bottom, far outside", 0, C::Bottom, u"99999", [](Stored& s) { s.bars[0].Bottom = 99999; }},
        {"bottom, beyond 32 bits", 0, C::Bottom, u"-99999999999", [](Stored& s) { s.bars[0].Bottom = INT32_MIN; }},
        {"no border", 0, C::BorderLine, false, [](Stored& s) { s.bars[0].WindowFlag = 1; }},
        {"a face", 1, C::FontName, u"IPAGothic", [](Stored& s) { s.fonts[1].FontName = u"IPAGothic"; }},
        {"the caption font's face", 0, C::FontName, SystemFontName(), [](Stored&) {}},
        {"height in points", 0, C::FontHeight, u"12.5", [](Stored& s) { s.fonts[0].FontHeight = 125; }},
        {"height rounded", 0, C::FontHeight, u"10.46pt", [](Stored& s) { s.fonts[0].FontHeight = 105; }},
        {"standard size", 1, C::FontHeight, u"標準サイズ", [](Stored& s) { s.fonts[1].FontHeight = -2; }},
        {"height not a number", 0, C::FontHeight, u"big", [](Stored& s) { s.fonts[0].FontHeight = 0; }},
        {"width", 0, C::FontWidth, u"9", [](Stored& s) { s.fonts[0].FontWidth = 90; }},
        {"width, caption font's", 0, C::FontWidth, u"システムデフォルト", [](Stored&) {}},
        {"weight from its entry", 0, C::FontBold, u"700  : 太い", [](Stored& s) { s.fonts[0].FontBold = 700; }},
        {"weight typed", 1, C::FontBold, u"450", [](Stored& s) { s.fonts[1].FontBold = 450; }},
        {"weight beyond the largest", 0, C::FontBold, u"2000", [](Stored& s) { s.fonts[0].FontBold = 1000; }},
        {"decoration", 0, C::Decorated, true, [](Stored& s) { s.fonts[0].FontFlag = 1; }},
        {"italic", 0, C::Italic, true, [](Stored& s) { s.fonts[0].FontFlag = 2; }},
        {"underline", 0, C::Underline, true, [](Stored& s) { s.fonts[0].FontFlag = 4; }},
        {"strike-out", 1, C::StrikeOut, true, [](Stored& s) { s.fonts[1].FontFlag = 8; }},
        {"shadow", 0, C::Shadow, true, [](Stored& s) { s.fonts[0].FontFlag = 16; }},
        {"outline", 1, C::Outline, true, [](Stored& s) { s.fonts[1].FontFlag = 32; }},
    };
    for (const Row& row : rows) {
        DrawEditorModel m(nullptr);
        m.SetChoice(C::WindowKind, static_cast<std::size_t>(row.kind));
        if (auto* text = std::get_if<const char16_t*>(&row.input)) m.SetText(row.control, *text);
        if (auto* index = std::get_if<std::size_t>(&row.input)) m.SetChoice(row.control, *index);
        if (auto* on = std::get_if<bool>(&row.input)) m.SetCheck(row.control, *on);
        Stored expected;
        row.expect(expected);
        EXPECT_EQ(StoredOf(*m.Build()), expected) << row.what;
    }
}

TEST(DrawEditorModel, ControlsShowTheStoredValuesOfTheKindChosen) {
    vbKerova_DrawBar p;
    p.DrawBarName = u"夜空";
    p.DrawType = 2 | 4 | 32;
    BarProfile tool;
    tool.WindowFlag = 32;
    tool.Left = -3;
    tool.Trans = 255;
    tool.Trans_MouseOver = 128;
    p.SetBarProfile(1, tool);
    FontProfile f;
    f.FontName = u"IPAGothic";
    f.FontHeight = 125, f.FontWidth = -2, f.FontBold = 700;
    p.SetFontProfile(1, f);
    FontProfile odd;
    odd.FontHeight = 90, odd.FontBold = 650;
    p.SetFontProfile(0, odd);

    DrawEditorModel m(&p);
    EXPECT_EQ(m.Caption(), u"Lunetta - 独自描画編集");
    EXPECT_EQ(DrawEditorModel(nullptr).Caption(), u"Lunetta - 独自描画追加");
    EXPECT_EQ(m.ChoiceOf(C::DrawKind), 1u);
    EXPECT_EQ(m.ChoiceOf(C::TitleMode), 2u);
    EXPECT_TRUE(m.CheckOf(C::NoFlicker));
    EXPECT_FALSE(m.CheckOf(C::CaptionCheck));
    // Normal windows first: the defaults of that set, and its own font values.
    EXPECT_EQ(m.ChoiceOf(C::RectMode), 0u);
    EXPECT_TRUE(m.CheckOf(C::BorderLine));
    EXPECT_EQ(m.TextOf(C::FontName), SystemFontName());
    EXPECT_EQ(m.TextOf(C::FontHeight), u"9");
    EXPECT_EQ(m.TextOf(C::FontWidth), u"システムデフォルト");
    EXPECT_EQ(m.TextOf(C::FontBold), u"650");
    EXPECT_EQ(m.TransparencyLabel(), u"N:0,M:0");

    m.SetChoice(C::WindowKind, 1);
    EXPECT_EQ(m.ChoiceOf(C::RectMode), 2u);
    EXPECT_FALSE(m.CheckOf(C::BorderLine));
    EXPECT_EQ(m.TextOf(C::Left), u"-3");
    EXPECT_EQ(m.TextOf(C::FontName), u"IPAGothic");
    EXPECT_EQ(m.TextOf(C::FontHeight), u"12.5");
    EXPECT_EQ(m.TextOf(C::FontWidth), u"標準サイズ");
    EXPECT_EQ(m.TextOf(C::FontBold), u"700  : 太い");
    EXPECT_EQ(m.TransparencyLabel(), u"N:255,M:128");

    // A private copy: nothing reaches the profile until a new one is built.
    m.SetText(C::Name, u"");
    m.SetTransparency({1, 2});
    EXPECT_EQ(p.DrawBarName, u"夜空");
    EXPECT_EQ(p.GetBarProfile(1).Trans, 255);
    EXPECT_EQ(Text(*m.Check()), u"設定名を入力してください。") << "an empty name is refused";
    m.SetText(C::Name, u"朝");
    EXPECT_EQ(m.Check(), std::nullopt);
    const auto built = m.Build();
    EXPECT_EQ(built->GetBarProfile(1).Trans_MouseOver, 2);
    EXPECT_EQ(built->GetFontProfile(0), odd);
}

TEST(DrawEditorModel, ShadowAndOutlineExcludeEachOtherAndDecorationsNeedTheirSwitch) {
    DrawEditorModel m(nullptr);
    EXPECT_FALSE(m.Pseudo()) << "a new profile draws directly: no transparency";
    EXPECT_FALSE(m.Enabled(C::Italic));
    m.SetCheck(C::Decorated, true);
    EXPECT_TRUE(m.Enabled(C::Italic) && m.Enabled(C::Underline) && m.Enabled(C::StrikeOut));
    m.SetCheck(C::Outline, true);
    m.SetCheck(C::Shadow, true);
    EXPECT_TRUE(m.CheckOf(C::Shadow));
    EXPECT_FALSE(m.CheckOf(C::Outline));
    m.SetCheck(C::Outline, true);
    EXPECT_FALSE(m.CheckOf(C::Shadow));
    EXPECT_TRUE(m.CheckOf(C::Decorated)) << "other bits stay";
    m.SetChoice(C::DrawKind, 1);
    EXPECT_TRUE(m.Pseudo());

    // The rectangle boxes' labels follow the mode.
    EXPECT_EQ(Text(RectLabelsFor(0).heading), u"微調整値");
    EXPECT_EQ(Text(RectLabelsFor(0).tips[2]), u"上微調値");
    EXPECT_EQ(Text(RectLabelsFor(1).tips[3]), u"矩形下端の、ウインドウ上端からの位置");
    EXPECT_EQ(Text(RectLabelsFor(2).hint), u"左は左端から、右は右端から、上下は下端からの位置を入力");
    EXPECT_EQ(Text(RectLabelsFor(2).tips[2]), u"矩形上端の、ウインドウ下端からの位置");
}

TEST(TransparencyDialogModel, ListTextsAndTheirValues) {
    struct Row {
        const char16_t* typed;
        std::optional<std::uint8_t> whileTyping;
        std::uint8_t whenLeft;
    } rows[] = {
        {u"300", 255, 255},       {u"127(50%)", 127, 127}, {u"  64", 64, 64}, {u"-5", 0, 0},
        {u"", std::nullopt, 0},   {u"-", std::nullopt, 0}, {u"abc", std::nullopt, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(TypedTransparency(r.typed), r.whileTyping) << TextToUtf8(r.typed);
        EXPECT_EQ(LeftTransparency(r.typed), r.whenLeft) << TextToUtf8(r.typed);
    }
    EXPECT_EQ(TransparencyText(255), u"255(100%)");
    EXPECT_EQ(TransparencyText(128), u"128(50%)");
    EXPECT_EQ(TransparencyPercent(1), 0);
    EXPECT_EQ(TransparencyPercent(2), 1) << "0.78 rounds up";
    // Every preset is the text its own value is written as.
    for (const char16_t* preset : TransparencyPresets())
        EXPECT_EQ(TransparencyText(LeftTransparency(preset)), preset) << TextToUtf8(preset);
}

}  // namespace
}  // namespace tbq::uimodel
