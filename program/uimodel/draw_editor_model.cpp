#include "uimodel/draw_editor_model.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/texts.h"
#include "core/program_location.h"
#include "uimodel/numbers.h"

namespace tbq::uimodel {

namespace {
using DB = vbKerova_DrawBar;

using enum TextId;
constexpr TextId kDrawKinds[] = {DrawDirect, DrawPseudo};
constexpr std::uint8_t kDrawKindValues[] = {DB::kDirect, DB::kPseudo};
constexpr TextId kTitleModes[] = {DrawTitleKeep, DrawTitleSame, DrawTitleClear};
constexpr std::uint8_t kTitleModeValues[] = {0, DB::kTitleSame, DB::kTitleClear};
constexpr TextId kWindowKinds[] = {DrawNormalWindow, DrawToolWindow};
constexpr TextId kRectModes[] = {DrawRectAuto, DrawRectTop, DrawRectBottom};
constexpr std::uint16_t kRectModeValues[] = {BarProfile::kAutomatic, BarProfile::kManualTop,
                                             BarProfile::kManualBottom};
// The sizes after the two named ones, in points.
constexpr const char16_t* kPointSizes[] = {u"6",  u"8",  u"9",  u"10", u"11", u"12", u"14",
                                           u"16", u"18", u"20", u"24", u"28", u"36"};
// The weights after "システムデフォルト": each entry starts with its value.
constexpr TextId kWeights[] = {DrawWeight0,   DrawWeight100, DrawWeight200, DrawWeight300,
                               DrawWeight400, DrawWeight500, DrawWeight600, DrawWeight700,
                               DrawWeight800, DrawWeight900, DrawWeight1000};

// Height and width stand for the caption font's (-1) and the face's standard
// size (-2) by name; weight only for the caption font's.
constexpr std::int16_t kCaptionFont = -1, kStandardSize = -2;

struct RectLabelIds {
    TextId heading, hint;
    std::array<TextId, 4> tips;
};
constexpr RectLabelIds kRectLabels[] = {
    {DrawAdjustHeading, DrawAdjustHint, {DrawAdjustLeft, DrawAdjustRight, DrawAdjustTop, DrawAdjustBottom}},
    {DrawRectHeading, DrawRectTopHint, {DrawRectLeftTip, DrawRectRightTip, DrawRectTopFromTop, DrawRectBottomFromTop}},
    {DrawRectHeading,
     DrawRectBottomHint,
     {DrawRectLeftTip, DrawRectRightTip, DrawRectTopFromBottom, DrawRectBottomFromBottom}},
};

std::vector<Text> InForce(std::span<const TextId> ids) {
    std::vector<Text> out;
    for (TextId id : ids) out.emplace_back(Tr(id));
    return out;
}

// The entry a choice's field value stands at: the first whose value it is.
template <typename T, std::size_t N>
std::size_t IndexOf(const T (&values)[N], unsigned field) {
    for (std::size_t i = 0; i < N; ++i)
        if (values[i] == field) return i;
    return 0;
}

Text Whole(long long n) { return Utf8ToText(std::to_string(n)); }

// Tenths of a point as the size lists show them: 125 as "12.5", 90 as "9".
Text Points(std::int16_t tenths) {
    Text t = Whole(tenths / 10);
    if (tenths % 10 != 0) {
        t += u'.';
        t += static_cast<char16_t>(u'0' + tenths % 10);
    }
    return t;
}

std::int16_t ReadSize(TextView text) {
    if (text == Tr(DrawSystemDefault)) return kCaptionFont;
    if (text == Tr(DrawStandardSize)) return kStandardSize;
    const double points = ReadLeading(text).value_or(0);
    return static_cast<std::int16_t>(std::clamp<double>(std::round(points * 10), 0, 32767));
}

Text SizeText(std::int16_t size) {
    if (size == kCaptionFont) return Text(Tr(DrawSystemDefault));
    if (size == kStandardSize) return Text(Tr(DrawStandardSize));
    return Points(size);
}

std::int16_t ReadWeight(TextView text) {
    if (text == Tr(DrawSystemDefault)) return kCaptionFont;
    return static_cast<std::int16_t>(std::clamp<double>(std::round(ReadLeading(text).value_or(0)), 0, 1000));
}

Text WeightText(std::int16_t weight) {
    if (weight == kCaptionFont) return Text(Tr(DrawSystemDefault));
    for (TextId entry : kWeights)
        if (ReadLeading(Tr(entry)) == weight) return Text(Tr(entry));
    return Whole(weight);
}

// A check box's flag: which field and which bit.
enum class Field { DrawType, WindowFlag, FontFlag };
struct Flag {
    DrawControl control;
    Field field;
    unsigned bit;
};
constexpr Flag kFlags[] = {
    {DrawControl::NoFlicker, Field::DrawType, DB::kNoFlicker},
    {DrawControl::CaptionCheck, Field::DrawType, DB::kCaptionOnly},
    {DrawControl::BorderLine, Field::WindowFlag, BarProfile::kBorderLine},
    {DrawControl::Decorated, Field::FontFlag, FontProfile::kDecorated},
    {DrawControl::Italic, Field::FontFlag, FontProfile::kItalic},
    {DrawControl::Underline, Field::FontFlag, FontProfile::kUnderline},
    {DrawControl::StrikeOut, Field::FontFlag, FontProfile::kStrikeOut},
    {DrawControl::Shadow, Field::FontFlag, FontProfile::kShadow},
    {DrawControl::Outline, Field::FontFlag, FontProfile::kOutline},
};
const Flag* FlagOf(DrawControl c) {
    for (const Flag& f : kFlags)
        if (f.control == c) return &f;
    return nullptr;
}

// The field of a rectangle box in a bar profile, const or not.
template <typename B>
auto RectField(B& bar, DrawControl c) -> decltype(&bar.Left) {
    switch (c) {
        case DrawControl::Right: return &bar.Right;
        case DrawControl::Top: return &bar.Top;
        case DrawControl::Bottom: return &bar.Bottom;
        default: return &bar.Left;
    }
}

template <typename T>
void SetBits(T& field, unsigned mask, unsigned value) {
    field = static_cast<T>((field & ~mask) | value);
}
}  // namespace

std::vector<Text> DrawEntries(DrawControl c) {
    switch (c) {
        case DrawControl::DrawKind: return InForce(kDrawKinds);
        case DrawControl::TitleMode: return InForce(kTitleModes);
        case DrawControl::WindowKind: return InForce(kWindowKinds);
        case DrawControl::RectMode: return InForce(kRectModes);
        case DrawControl::FontName: return {Text(SystemFontName())};
        case DrawControl::FontHeight:
        case DrawControl::FontWidth: {
            std::vector<Text> sizes = InForce(std::array{DrawSystemDefault, DrawStandardSize});
            sizes.insert(sizes.end(), std::begin(kPointSizes), std::end(kPointSizes));
            return sizes;
        }
        case DrawControl::FontBold: {
            std::vector<Text> weights{Text(Tr(DrawSystemDefault))};
            for (Text& w : InForce(kWeights)) weights.push_back(std::move(w));
            return weights;
        }
        default: return {};
    }
}

RectLabels RectLabelsFor(std::size_t mode) {
    const RectLabelIds& ids = kRectLabels[std::min<std::size_t>(mode, 2)];
    return {Tr(ids.heading), Tr(ids.hint), {Tr(ids.tips[0]), Tr(ids.tips[1]), Tr(ids.tips[2]), Tr(ids.tips[3])}};
}

const char16_t* SystemFontName() { return Tr(DrawSystemFont).data(); }

DrawEditorModel::DrawEditorModel(const vbKerova_DrawBar* p)
    : editing_(p != nullptr), drawType_(p ? p->DrawType : DB::kDirect | DB::kCaptionOnly) {
    // A new profile has the records' own defaults.
    if (!p) return;
    name_ = p->DrawBarName;
    for (int i = 0; i < 2; ++i) {
        bars_[static_cast<std::size_t>(i)] = p->GetBarProfile(i);
        fonts_[static_cast<std::size_t>(i)] = p->GetFontProfile(i);
    }
}

Text DrawEditorModel::Caption() const {
    Text caption = kProductName;
    caption += Tr(editing_ ? DrawEditCaption : DrawAddCaption);
    return caption;
}

Text DrawEditorModel::TextOf(DrawControl c) const {
    switch (c) {
        case DrawControl::Name: return name_;
        case DrawControl::Left:
        case DrawControl::Right:
        case DrawControl::Top:
        case DrawControl::Bottom: return Whole(*RectField(Bar(), c));
        case DrawControl::FontName: return Font().FontName.empty() ? Text(SystemFontName()) : Font().FontName;
        case DrawControl::FontHeight: return SizeText(Font().FontHeight);
        case DrawControl::FontWidth: return SizeText(Font().FontWidth);
        case DrawControl::FontBold: return WeightText(Font().FontBold);
        default: return {};
    }
}

void DrawEditorModel::SetText(DrawControl c, TextView text) {
    switch (c) {
        case DrawControl::Name: name_ = Text(text); break;
        case DrawControl::Left:
        case DrawControl::Right:
        case DrawControl::Top:
        case DrawControl::Bottom: {
            // Any number is taken; the painter keeps the rectangle inside the window.
            constexpr double lo = std::numeric_limits<std::int32_t>::min(), hi = std::numeric_limits<std::int32_t>::max();
            *RectField(Bar(), c) = static_cast<std::int32_t>(std::clamp(std::round(ReadLeading(text).value_or(0)), lo, hi));
            break;
        }
        case DrawControl::FontName: Font().FontName = text == SystemFontName() ? Text() : Text(text); break;
        case DrawControl::FontHeight: Font().FontHeight = ReadSize(text); break;
        case DrawControl::FontWidth: Font().FontWidth = ReadSize(text); break;
        case DrawControl::FontBold: Font().FontBold = ReadWeight(text); break;
        default: break;
    }
}

std::size_t DrawEditorModel::ChoiceOf(DrawControl c) const {
    switch (c) {
        case DrawControl::DrawKind: return IndexOf(kDrawKindValues, drawType_ & DB::kKindBits);
        case DrawControl::TitleMode: return IndexOf(kTitleModeValues, drawType_ & DB::kTitleBits);
        case DrawControl::WindowKind: return static_cast<std::size_t>(kind_);
        case DrawControl::RectMode: {
            // The painter's own reading: any automatic bit first, then top-based.
            const std::uint16_t flag = Bar().WindowFlag;
            return (flag & BarProfile::kAutomaticBits) ? 0 : (flag & BarProfile::kManualTop) ? 1 : 2;
        }
        default: return 0;
    }
}

void DrawEditorModel::SetChoice(DrawControl c, std::size_t index) {
    switch (c) {
        case DrawControl::DrawKind:
            SetBits(drawType_, DB::kKindBits, kDrawKindValues[std::min<std::size_t>(index, 1)]);
            break;
        case DrawControl::TitleMode:
            SetBits(drawType_, DB::kTitleBits, kTitleModeValues[std::min<std::size_t>(index, 2)]);
            break;
        case DrawControl::WindowKind: kind_ = index == 1 ? 1 : 0; break;
        case DrawControl::RectMode:
            // The border line bit above the mode stays.
            SetBits(Bar().WindowFlag, 0xFF, kRectModeValues[std::min<std::size_t>(index, 2)]);
            break;
        default: break;
    }
}

bool DrawEditorModel::CheckOf(DrawControl c) const {
    const Flag* f = FlagOf(c);
    if (!f) return false;
    switch (f->field) {
        case Field::DrawType: return (drawType_ & f->bit) != 0;
        case Field::WindowFlag: return (Bar().WindowFlag & f->bit) != 0;
        case Field::FontFlag: return (Font().FontFlag & f->bit) != 0;
    }
    return false;
}

void DrawEditorModel::SetCheck(DrawControl c, bool on) {
    const Flag* f = FlagOf(c);
    if (!f) return;
    const unsigned value = on ? f->bit : 0;
    switch (f->field) {
        case Field::DrawType: SetBits(drawType_, f->bit, value); break;
        case Field::WindowFlag: SetBits(Bar().WindowFlag, f->bit, value); break;
        case Field::FontFlag: {
            // A shadow and an outline are never drawn together.
            unsigned mask = f->bit;
            if (on && (c == DrawControl::Shadow || c == DrawControl::Outline))
                mask = FontProfile::kShadow | FontProfile::kOutline;
            SetBits(Font().FontFlag, mask, value);
            break;
        }
    }
}

bool DrawEditorModel::Enabled(DrawControl c) const {
    if (c == DrawControl::Italic || c == DrawControl::Underline || c == DrawControl::StrikeOut)
        return CheckOf(DrawControl::Decorated);
    return true;
}

bool DrawEditorModel::Pseudo() const { return (drawType_ & DB::kKindBits) == DB::kPseudo; }

std::uint32_t DrawEditorModel::Colour(DrawColour c) const {
    switch (c) {
        case DrawColour::Back: return Bar().BackColor;
        case DrawColour::Line: return Bar().LineColor;
        case DrawColour::Shadow: return Font().ShadowColor;
    }
    return 0;
}

void DrawEditorModel::SetColour(DrawColour c, std::uint32_t value) {
    switch (c) {
        case DrawColour::Back: Bar().BackColor = value; break;
        case DrawColour::Line: Bar().LineColor = value; break;
        case DrawColour::Shadow: Font().ShadowColor = value; break;
    }
}

std::array<std::uint8_t, 2> DrawEditorModel::Transparency() const { return {Bar().Trans, Bar().Trans_MouseOver}; }

void DrawEditorModel::SetTransparency(std::array<std::uint8_t, 2> values) {
    Bar().Trans = values[0];
    Bar().Trans_MouseOver = values[1];
}

Text DrawEditorModel::TransparencyLabel() const {
    Text label = u"N:";
    label += Whole(Bar().Trans);
    label += u",M:";
    label += Whole(Bar().Trans_MouseOver);
    return label;
}

std::optional<const char16_t*> DrawEditorModel::Check() const {
    if (name_.empty()) return Tr(RuleNameMissing).data();
    return std::nullopt;
}

void DrawEditorModel::CopyInto(vbKerova_DrawBar& profile) const {
    profile.DrawBarName = name_;
    profile.DrawType = drawType_;
    for (int i = 0; i < 2; ++i) {
        profile.SetBarProfile(i, bars_[static_cast<std::size_t>(i)]);
        profile.SetFontProfile(i, fonts_[static_cast<std::size_t>(i)]);
    }
}

std::shared_ptr<vbKerova_DrawBar> DrawEditorModel::Build() const {
    auto profile = std::make_shared<vbKerova_DrawBar>();
    CopyInto(*profile);
    return profile;
}

// ---- The transparency dialog ---------------------------------------------------

namespace {
constexpr const char16_t* kPresets[] = {u"0(0%)",    u"25(10%)",  u"51(20%)",  u"76(30%)",
                                        u"102(40%)", u"127(50%)", u"153(60%)", u"178(70%)",
                                        u"204(80%)", u"229(90%)", u"255(100%)"};
}  // namespace

std::span<const char16_t* const> TransparencyPresets() { return kPresets; }

int TransparencyPercent(std::uint8_t value) { return (value * 100 * 2 + 255) / (255 * 2); }

Text TransparencyText(std::uint8_t value) {
    Text t = Whole(value);
    t += u'(';
    t += Whole(TransparencyPercent(value));
    t += u"%)";
    return t;
}

std::optional<std::uint8_t> TypedTransparency(TextView text) {
    const auto v = ReadLeading(text);
    if (!v) return std::nullopt;
    return static_cast<std::uint8_t>(std::clamp(std::floor(*v), 0.0, 255.0));
}

std::uint8_t LeftTransparency(TextView text) { return TypedTransparency(text).value_or(0); }

}  // namespace tbq::uimodel
