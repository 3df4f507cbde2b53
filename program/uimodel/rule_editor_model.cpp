#include "uimodel/rule_editor_model.h"

#include <algorithm>

#include "base/texts.h"
#include "platform/ports.h"
#include "uimodel/numbers.h"

namespace tbq::uimodel {

namespace {
using W = vbKerova_Window;

// A choice list as the tables name its entries.
struct ChoiceText {
    TextId name;
    std::int32_t value;
};
constexpr ChoiceText kActions[] = {{TextId::RuleExclude, W::kExclude}, {TextId::RulePermit, W::kPermit}};
constexpr ChoiceText kMdi[] = {{TextId::RuleMdiFollow, W::kMdiFollow},
                               {TextId::RuleMdiOff, W::kMdiOff},
                               {TextId::RuleMdiOn, W::kMdiOn}};

// The entries in the language in force; the tables' texts live as long as the program.
std::vector<Choice> InForce(std::span<const ChoiceText> list) {
    std::vector<Choice> out;
    for (const ChoiceText& c : list) out.push_back({Tr(c.name).data(), c.value});
    return out;
}

// Within a group the first row with a bit is the one the matching tests first.
constexpr OptionRow kOptionRows[] = {
    {ConditionOption::TitlePart, W::kTitlePart, W::kTitlePart},
    {ConditionOption::TitleEqual, W::kTitlePart, 0},
    {ConditionOption::TitleCase, W::kTitleCase, W::kTitleCase},
    {ConditionOption::StyleAll, W::kStyleAll | W::kStyleNotAll, W::kStyleAll},
    {ConditionOption::StyleNotAll, W::kStyleAll | W::kStyleNotAll, W::kStyleNotAll},
    {ConditionOption::StyleEqual, W::kStyleAll | W::kStyleNotAll, 0},
    {ConditionOption::ExStyleAll, W::kExStyleAll | W::kExStyleNotAll, W::kExStyleAll},
    {ConditionOption::ExStyleNotAll, W::kExStyleAll | W::kExStyleNotAll, W::kExStyleNotAll},
    {ConditionOption::ExStyleEqual, W::kExStyleAll | W::kExStyleNotAll, 0},
    {ConditionOption::FileName, W::kFileNameOnly | W::kFolderOnly, W::kFileNameOnly},
    {ConditionOption::FilePath, W::kFileNameOnly | W::kFolderOnly, W::kFolderOnly},
    {ConditionOption::FullPath, W::kFileNameOnly | W::kFolderOnly, 0},
    {ConditionOption::Wider, W::kWider, W::kWider},
    {ConditionOption::Narrower, W::kWider, 0},
};

const OptionRow& RowOf(ConditionOption option) {
    return *std::find_if(std::begin(kOptionRows), std::end(kOptionRows),
                         [&](const OptionRow& r) { return r.option == option; });
}

// The hexadecimal inputs, the field a refusal names and the box it shows.
struct HexInput {
    Condition condition;
    ConditionField field;
    TextId junk;
};
constexpr HexInput kHexInputs[] = {
    {Condition::Handle, ConditionField::Handle, TextId::RuleHandleJunk},
    {Condition::Style, ConditionField::Style, TextId::RuleStyleJunk},
    {Condition::ExStyle, ConditionField::ExStyle, TextId::RuleExStyleJunk},
};
const HexInput& HexInputOf(Condition c) {
    return *std::find_if(std::begin(kHexInputs), std::end(kHexInputs),
                         [&](const HexInput& h) { return h.condition == c; });
}
constexpr TextId kZeroQuestions[] = {TextId::RuleStyleZero, TextId::RuleExStyleZero};

std::uint32_t HexOrZero(const Text& typed) { return ReadHex(typed).value_or(0); }
}  // namespace

Text HexRefusal(Condition c) { return Text(Tr(HexInputOf(c).junk)); }

std::vector<Choice> ActionChoices() { return InForce(kActions); }
std::vector<Choice> MdiChoices() { return InForce(kMdi); }
Text NoDrawBarEntry() { return Text(Tr(TextId::RuleNoDrawBar)); }

RuleDraft RuleDraftOf(const vbKerova_Window* rule) {
    RuleDraft d;
    if (rule) {
        d.rule.CopyData(*rule);
    } else {
        // A rule the user adds is meant to work at once.
        d.rule.Enable = true;
        d.rule.Action = W::kExclude;
    }
    d.name = d.rule.Title;
    d.action = d.rule.Action;
    d.mdi = d.rule.MdiChoice;
    d.useViewData = d.rule.UseViewData;
    d.useDrawBar = d.rule.UseDrawBar;
    d.viewData = d.rule.ViewData;
    d.drawBar = d.rule.DrawBar;
    return d;
}

std::optional<Text> CheckRuleDraft(const RuleDraft& draft) {
    if (draft.name.empty()) return Text(Tr(TextId::RuleNameMissing));
    return std::nullopt;
}

std::shared_ptr<vbKerova_Window> BuildRule(const RuleDraft& draft) {
    auto rule = std::make_shared<vbKerova_Window>();
    rule->CopyData(draft.rule);
    rule->Title = draft.name;
    rule->Action = static_cast<std::uint8_t>(draft.action);
    rule->MdiChoice = static_cast<std::uint8_t>(draft.mdi);
    rule->UseViewData = draft.useViewData;
    rule->UseDrawBar = draft.useDrawBar;
    rule->ViewData = draft.viewData;
    rule->DrawBar = draft.drawBar;
    return rule;
}

std::vector<Text> ConditionLines(const vbKerova_Window& rule) {
    using enum TextId;
    std::vector<Text> lines;
    const auto style = [](TextId name, std::uint32_t value, bool all, bool notAll) {
        Text line(Tr(name));
        line += Hex8(value);
        line += Tr(all ? RuleLineContains : notAll ? RuleLineLacks : RuleLineEquals);
        return line;
    };
    if (rule.IsFlag(W::kHandle)) lines.push_back(Text(Tr(RuleLineHandle)) + Hex8(rule.WindowHandle));
    if (rule.IsFlag(W::kTitle)) {
        Text line = Text(Tr(RuleLineTitle)) + rule.WindowTitle;
        line += Tr(rule.IsCheckOption(W::kTitlePart) ? RuleLineTitlePart : RuleLineTitleEqual);
        line += rule.IsCheckOption(W::kTitleCase) ? Tr(RuleLineMatchCase) : u")";
        lines.push_back(line);
    }
    if (rule.IsFlag(W::kClass)) lines.push_back(Text(Tr(RuleLineClass)) + rule.WindowClass);
    if (rule.IsFlag(W::kStyle))
        lines.push_back(style(RuleLineStyle, rule.WindowStyle, rule.IsCheckOption(W::kStyleAll),
                              rule.IsCheckOption(W::kStyleNotAll)));
    if (rule.IsFlag(W::kExStyle))
        lines.push_back(style(RuleLineExStyle, rule.ExStyle, rule.IsCheckOption(W::kExStyleAll),
                              rule.IsCheckOption(W::kExStyleNotAll)));
    if (rule.IsFlag(W::kFile)) {
        Text line = Text(Tr(RuleLineFile)) + rule.FileName;
        line += Tr(rule.IsCheckOption(W::kFileNameOnly) ? RuleLineFileName
                   : rule.IsCheckOption(W::kFolderOnly) ? RuleLineFilePath
                                                        : RuleLineFullPath);
        lines.push_back(line);
    }
    if (rule.IsFlag(W::kWidth)) {
        Text line = Text(Tr(RuleLineWidth)) + NumberText(rule.WindowWidth);
        line += Tr(rule.IsCheckOption(W::kWider) ? RuleLineWider : RuleLineNarrower);
        lines.push_back(line);
    }
    if (lines.empty()) lines.emplace_back(Tr(RuleLineNone));
    return lines;
}

std::span<const OptionRow> OptionRows() { return kOptionRows; }

bool OptionChosen(std::uint32_t options, ConditionOption option) {
    const OptionRow& row = RowOf(option);
    const std::uint32_t held = options & row.group;
    // The first row of the group whose bit is held wins; none held: the 0 row.
    for (const OptionRow& r : kOptionRows) {
        if (r.group != row.group) continue;
        if (r.bit != 0 && (held & r.bit) == r.bit) return r.option == option;
    }
    return row.bit == 0;
}

std::uint32_t ChooseOption(std::uint32_t options, ConditionOption option) {
    const OptionRow& row = RowOf(option);
    return (options & ~row.group) | row.bit;
}

ConditionDraft ConditionsOf(const vbKerova_Window& rule) {
    ConditionDraft d;
    for (std::size_t i = 0; i < kConditionCount; ++i) d.ticked[i] = (rule.Flag & (1u << i)) != 0;
    d.Typed(Condition::Handle) = rule.WindowHandle ? Hex8(rule.WindowHandle) : Text();
    d.Typed(Condition::Title) = rule.WindowTitle;
    d.Typed(Condition::Class) = rule.WindowClass;
    d.Typed(Condition::Style) = Hex8(rule.WindowStyle);
    d.Typed(Condition::ExStyle) = Hex8(rule.ExStyle);
    d.Typed(Condition::File) = rule.FileName;
    d.width = std::clamp(rule.WindowWidth, 0, kMaxWidth);
    d.options = rule.CheckOption;
    return d;
}

std::optional<ConditionRefusal> CheckConditions(const ConditionDraft& d, const ConditionChecks& checks) {
    if (std::none_of(d.ticked.begin(), d.ticked.end(), [](bool t) { return t; }))
        return ConditionRefusal{ConditionField::Boxes, Text(Tr(TextId::RuleNoCondition))};
    if (d.Ticked(Condition::Handle)) {
        const auto handle = ReadHex(d.Typed(Condition::Handle));
        if (!handle) return ConditionRefusal{ConditionField::Handle, HexRefusal(Condition::Handle)};
        if (*handle == 0 || !checks.isWindow(*handle))
            return ConditionRefusal{ConditionField::Handle, Text(Tr(TextId::RuleHandleInvalid))};
        // Our own windows are never decorated: a rule on them would never hold.
        if (checks.isOwn(*handle))
            return ConditionRefusal{ConditionField::Handle, Text(Tr(TextId::RuleHandleOwn))};
    }
    if (d.Ticked(Condition::Title) && d.Typed(Condition::Title).empty())
        return ConditionRefusal{ConditionField::Title, Text(Tr(TextId::RuleTitleMissing))};
    if (d.Ticked(Condition::Class) && d.Typed(Condition::Class).empty())
        return ConditionRefusal{ConditionField::Class, Text(Tr(TextId::RuleClassMissing))};
    for (std::size_t i = 0; i < std::size(kZeroQuestions); ++i) {
        const HexInput& input = kHexInputs[i + 1];
        if (!d.Ticked(input.condition)) continue;
        const auto value = ReadHex(d.Typed(input.condition));
        if (!value) return ConditionRefusal{input.field, Text(Tr(input.junk))};
        if (*value == 0 && !checks.confirm(Text(Tr(kZeroQuestions[i])))) return ConditionRefusal{input.field, {}};
    }
    if (d.Ticked(Condition::File) && d.Typed(Condition::File).empty())
        return ConditionRefusal{ConditionField::File, Text(Tr(TextId::RuleFileMissing))};
    return std::nullopt;
}

void StoreConditions(const ConditionDraft& d, vbKerova_Window& rule) {
    rule.Flag = 0;
    for (std::size_t i = 0; i < kConditionCount; ++i)
        if (d.ticked[i]) rule.Flag = static_cast<std::uint8_t>(rule.Flag | (1u << i));
    rule.CheckOption = 0;
    for (const OptionRow& r : kOptionRows)
        if (OptionChosen(d.options, r.option)) rule.CheckOption |= r.bit;
    rule.WindowHandle = HexOrZero(d.Typed(Condition::Handle));
    rule.WindowTitle = d.Typed(Condition::Title);
    rule.WindowClass = d.Typed(Condition::Class);
    rule.WindowStyle = HexOrZero(d.Typed(Condition::Style));
    rule.ExStyle = HexOrZero(d.Typed(Condition::ExStyle));
    rule.FileName = d.Typed(Condition::File);
    // A folder is compared up to and including its last "\".
    if (OptionChosen(d.options, ConditionOption::FilePath) && !rule.FileName.empty() &&
        rule.FileName.back() != u'\\')
        rule.FileName += u'\\';
    rule.WindowWidth = std::clamp(d.width, 0, kMaxWidth);
}

void ApplyFixedConditions(const vbKerova_Window& edited, vbKerova_Window& fixed) {
    const Text title = fixed.Title;
    const std::uint8_t action = fixed.Action;
    const bool enable = fixed.Enable;
    fixed.CopyData(edited);
    fixed.Title = title;
    fixed.Action = action;
    fixed.Enable = enable;
    // The handle field holds the window last taken even when its condition is
    // off; the fixed rule reads WindowHandle as the window it found.
    if (!fixed.IsFlag(W::kHandle)) fixed.WindowHandle = 0;
}

Text GetWindowInfoText(platform::WindowId w, const RuleContext& context) {
    Text line = u"0x" + Hex8(w);
    line += u":T=";
    line += GetWindowTitleForMatch(w, context);
    line += u":C=";
    line += platform::windows().ClassName(w);
    line += u":P=";
    if (context.exePath) line += context.exePath(w);
    return line;
}

ConditionDraft CaptureWindow(ConditionDraft d, platform::WindowId w, const RuleContext& context) {
    platform::Windows& win = platform::windows();
    d.Typed(Condition::Handle) = Hex8(w);
    d.Typed(Condition::Title) = GetWindowTitleForMatch(w, context);
    d.Typed(Condition::Class) = win.ClassName(w);
    d.Typed(Condition::Style) = Hex8(win.Style(w));
    d.Typed(Condition::ExStyle) = Hex8(win.ExStyle(w));
    d.Typed(Condition::File) = context.exePath ? context.exePath(w) : Text();
    if (!d.Typed(Condition::File).empty()) d.options = ChooseOption(d.options, ConditionOption::FullPath);
    d.width = std::clamp(win.Width(w), 0, kMaxWidth);
    return d;
}

Text WidthLabel(std::int32_t width, std::uint8_t charWidth) {
    Text label = NumberText(width);
    label += Tr(TextId::RuleWidthPixels, NumberText(width / std::max<std::int32_t>(charWidth, 1)));
    label += Tr(TextId::RuleWidthCharacters);
    return label;
}

std::uint8_t AverageCharWidth(std::int32_t textWidth) {
    const std::int32_t average = (std::max(textWidth, 0) + 18) / 36;
    return static_cast<std::uint8_t>(std::clamp(average, 1, 255));
}

void TargetDrag::Start(const ConditionDraft& before) {
    before_ = before;
    last_ = 0;
    active_ = true;
}

std::optional<ConditionDraft> TargetDrag::Over(platform::WindowId w, bool own, const ConditionDraft& current,
                                               const RuleContext& context) {
    // Our own windows and the desktop's gaps take nothing: the last window stays.
    if (!active_ || w == 0 || own || w == last_) return std::nullopt;
    last_ = w;
    return CaptureWindow(current, w, context);
}

std::optional<ConditionDraft> TargetDrag::Finish(End how) {
    if (!active_) return std::nullopt;
    active_ = false;
    if (release_) release_();
    if (how == End::Drop) return std::nullopt;
    return before_;
}

}  // namespace tbq::uimodel
