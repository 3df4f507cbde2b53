// The window rule editor's model: what its controls hold to the rule they
// make and back, the checks of OK in their order, typed hexadecimal, the
// style dialog's lines, taking a live window and the target icon's drag.
#include "uimodel/rule_editor_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fakes/fake_windows.h"
#include "platform/ports.h"
#include "uimodel/numbers.h"
#include "uimodel/style_lists.h"

namespace tbq::uimodel {
namespace {

using W = vbKerova_Window;
using O = ConditionOption;

ConditionDraft Ticking(std::initializer_list<Condition> conditions) {
    ConditionDraft d;
    for (Condition c : conditions) d.ticked[static_cast<std::size_t>(c)] = true;
    return d;
}

// The rule editor and its information dialog as the user leaves them, to the
// rule OK makes; the rule opened again shows the same choices.
TEST(RuleEditorModel, ControlsToTheRuleAndBack) {
    struct Case {
        const char* name;
        std::function<void(ConditionDraft&, RuleDraft&)> controls;
        std::uint8_t flag;
        std::uint32_t checkOption;
        std::uint8_t viewOption;
        std::function<void(const W&)> fields;
    } cases[] = {
        {"width only: the other typed values stay, inactive",
         [](ConditionDraft& c, RuleDraft&) {
             c = Ticking({Condition::Width});
             c.width = 640;
             c.Typed(Condition::Title) = u"メモ帳";
             c.options = ChooseOption(c.options, O::Wider);
         },
         64, 256, 0,
         [](const W& r) {
             EXPECT_EQ(r.WindowWidth, 640);
             EXPECT_EQ(r.WindowTitle, u"メモ帳");
         }},
        {"title contained, case-sensitive; permit with its own list and MDI on",
         [](ConditionDraft& c, RuleDraft& r) {
             c = Ticking({Condition::Title});
             c.Typed(Condition::Title) = u"Notepad";
             c.options = ChooseOption(ChooseOption(0, O::TitlePart), O::TitleCase);
             r.action = W::kPermit;
             r.mdi = W::kMdiOn;
             r.useViewData = true;
             r.viewData = u"permit.ini";
         },
         2, 3, 7, [](const W& r) { EXPECT_EQ(r.ViewData, u"permit.ini"); }},
        {"class, styles in hexadecimal as typed",
         [](ConditionDraft& c, RuleDraft&) {
             c = Ticking({Condition::Class, Condition::Style, Condition::ExStyle});
             c.Typed(Condition::Class) = u"Notepad";
             c.Typed(Condition::Style) = u"00C80000";
             c.Typed(Condition::ExStyle) = u" 0x200 ";
             c.options = ChooseOption(ChooseOption(0, O::StyleAll), O::ExStyleNotAll);
         },
         28, 4 | 32, 0,
         [](const W& r) {
             EXPECT_EQ(r.WindowStyle, 0x00C80000u);
             EXPECT_EQ(r.ExStyle, 0x200u);
         }},
        {"a folder gets its closing backslash; the profile box alone stores 5",
         [](ConditionDraft& c, RuleDraft& r) {
             c = Ticking({Condition::File});
             c.Typed(Condition::File) = u"C:\\Tools";
             c.options = ChooseOption(0, O::FilePath);
             r.action = W::kPermit;
             r.useDrawBar = true;
             r.drawBar = u"夜空";
         },
         32, 128, 5,
         [](const W& r) {
             EXPECT_EQ(r.FileName, u"C:\\Tools\\");
             EXPECT_EQ(r.DrawBar, u"夜空");
         }},
        {"file name; no profile of its own stays \"\"; MDI off with the list box reads as 5",
         [](ConditionDraft& c, RuleDraft& r) {
             c = Ticking({Condition::File});
             c.Typed(Condition::File) = u"notepad.exe";
             c.options = ChooseOption(0, O::FileName);
             r.mdi = W::kMdiOff;
             r.useViewData = true;
             r.useDrawBar = true;
             r.drawBar = u"";
         },
         32, 64, 5, [](const W& r) { EXPECT_EQ(r.DrawBar, u""); }},
        {"handle in hexadecimal; two bits of one group keep the first",
         [](ConditionDraft& c, RuleDraft&) {
             c = Ticking({Condition::Handle});
             c.Typed(Condition::Handle) = u"1a2b";
             c.options = W::kStyleAll | W::kStyleNotAll;
         },
         1, 4, 0, [](const W& r) { EXPECT_EQ(r.WindowHandle, 0x1A2Bu); }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        RuleDraft rule = RuleDraftOf(nullptr);
        rule.name = u"rule";
        ConditionDraft c;
        k.controls(c, rule);
        ASSERT_FALSE(CheckRuleDraft(rule));
        StoreConditions(c, rule.rule);
        const auto made = BuildRule(rule);
        EXPECT_EQ(made->Flag, k.flag);
        EXPECT_EQ(made->CheckOption, k.checkOption);
        EXPECT_EQ(made->ViewOption(), k.viewOption);
        EXPECT_EQ(made->Title, u"rule");
        EXPECT_EQ(made->Action, rule.action);
        EXPECT_TRUE(made->Enable);
        k.fields(*made);

        const ConditionDraft again = ConditionsOf(*made);
        EXPECT_EQ(again.ticked, c.ticked);
        for (const OptionRow& row : OptionRows())
            EXPECT_EQ(OptionChosen(again.options, row.option), OptionChosen(c.options, row.option))
                << static_cast<int>(row.option);
        const RuleDraft reopened = RuleDraftOf(made.get());
        EXPECT_EQ(reopened.mdi, rule.mdi);
        EXPECT_EQ(reopened.useViewData, rule.useViewData);
        EXPECT_EQ(reopened.useDrawBar, rule.useDrawBar);
    }
    RuleDraft unnamed = RuleDraftOf(nullptr);
    EXPECT_EQ(CheckRuleDraft(unnamed), Text(u"設定名を入力してください。"));
}

// OK stops at the first failure, in the dialog's order; a question answered
// No shows no further box. Hexadecimal that is no 32-bit number is refused
// with its field's box, never cut down; our own windows are refused.
TEST(RuleEditorModel, ConditionChecksInOrder) {
    constexpr platform::WindowId kOther = 0x1234, kOwn = 0x5678;
    const Text badHandle = u"入力されたウインドウハンドルは、有効なハンドルとして確認できませんでした。\r\n"
                           u"有効なウインドウハンドルを入力して下さい。";
    struct Case {
        const char* name;
        std::function<void(ConditionDraft&)> change;
        bool answer;  // to a question
        std::optional<ConditionField> field;
        Text message;
    } cases[] = {
        {"nothing ticked", [](ConditionDraft& d) { d.ticked = {}; }, true, ConditionField::Boxes,
         u"条件を選択して下さい。"},
        {"handle of no window comes before an empty title",
         [](ConditionDraft& d) { d.Typed(Condition::Handle) = u"9999"; d.Typed(Condition::Title).clear(); }, true,
         ConditionField::Handle, badHandle},
        {"handle 0", [](ConditionDraft& d) { d.Typed(Condition::Handle) = u""; }, true, ConditionField::Handle,
         badHandle},
        {"handle with a sign", [](ConditionDraft& d) { d.Typed(Condition::Handle) = u"-1234"; }, true,
         ConditionField::Handle, HexRefusal(Condition::Handle)},
        {"handle of nine digits is not wrapped to a window",
         [](ConditionDraft& d) { d.Typed(Condition::Handle) = u"100001234"; }, true, ConditionField::Handle,
         HexRefusal(Condition::Handle)},
        {"our own window", [](ConditionDraft& d) { d.Typed(Condition::Handle) = u"0x5678"; }, true,
         ConditionField::Handle, u"本ソフトのウインドウは指定できません。\r\n他のウインドウのハンドルを入力して下さい。"},
        {"empty title before empty class",
         [](ConditionDraft& d) { d.Typed(Condition::Title).clear(); d.Typed(Condition::Class).clear(); }, true,
         ConditionField::Title, u"ウインドウタイトルを入力して下さい。"},
        {"empty class", [](ConditionDraft& d) { d.Typed(Condition::Class).clear(); }, true, ConditionField::Class,
         u"クラス名を入力して下さい。"},
        {"style junk", [](ConditionDraft& d) { d.Typed(Condition::Style) = u"C8 junk"; }, true,
         ConditionField::Style, HexRefusal(Condition::Style)},
        {"style 0 answered No", [](ConditionDraft& d) { d.Typed(Condition::Style) = u"0"; }, false,
         ConditionField::Style, u""},
        {"style 0 answered Yes goes on to the file",
         [](ConditionDraft& d) { d.Typed(Condition::Style) = u"0"; d.Typed(Condition::File).clear(); }, true,
         ConditionField::File, u"ファイル名を入力して下さい。"},
        {"extended style 0 answered No", [](ConditionDraft& d) { d.Typed(Condition::ExStyle) = u"0x0"; }, false,
         ConditionField::ExStyle, u""},
        {"extended style of nine digits",
         [](ConditionDraft& d) { d.Typed(Condition::ExStyle) = u"FFFFFFFFF"; }, true, ConditionField::ExStyle,
         HexRefusal(Condition::ExStyle)},
        {"junk in a condition that is not ticked is no refusal",
         [](ConditionDraft& d) { d.ticked[0] = false; d.Typed(Condition::Handle) = u"xyz"; }, true, std::nullopt,
         u""},
        {"all good", [](ConditionDraft&) {}, true, std::nullopt, u""},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        ConditionDraft d;
        d.ticked.fill(true);
        d.Typed(Condition::Handle) = u"00001234";
        d.Typed(Condition::Title) = u"t";
        d.Typed(Condition::Class) = u"c";
        d.Typed(Condition::Style) = u"10000000";
        d.Typed(Condition::ExStyle) = u"100";
        d.Typed(Condition::File) = u"f.exe";
        k.change(d);
        std::vector<Text> asked;
        const ConditionChecks checks{[&](platform::WindowId w) { return w == kOther || w == kOwn; },
                                     [&](platform::WindowId w) { return w == kOwn; },
                                     [&](const Text& q) {
                                         asked.push_back(q);
                                         return k.answer;
                                     }};
        const auto refusal = CheckConditions(d, checks);
        ASSERT_EQ(refusal.has_value(), k.field.has_value());
        if (refusal) {
            EXPECT_EQ(refusal->field, *k.field);
            EXPECT_EQ(refusal->message, k.message);
        }
        if (!k.answer) {
            ASSERT_EQ(asked.size(), 1u);
            EXPECT_NE(asked[0].find(u"が0です。\r\n続行しますか？"), Text::npos);
        }
        if (!refusal && !d.ticked[0]) {
            W rule;
            StoreConditions(d, rule);
            EXPECT_EQ(rule.WindowHandle, 0u);
        }
    }
}

TEST(RuleEditorModel, TypedHexadecimal) {
    const std::pair<const char16_t*, std::optional<std::uint32_t>> cases[] = {
        {u"", 0u},
        {u"  ff ", 0xFFu},
        {u"0x00C80000", 0x00C80000u},
        {u"0X1a", 0x1Au},
        {u"ＦＦ", 0xFFu},
        {u"FFFFFFFF", 0xFFFFFFFFu},
        {u"0000000000000001", 1u},
        {u"100000000", std::nullopt},
        {u"-1", std::nullopt},
        {u"+1", std::nullopt},
        {u"0x", std::nullopt},
        {u"12G", std::nullopt},
        {u"1 2", std::nullopt},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(ReadHex(text), value) << TextToUtf8(text);
    EXPECT_EQ(Hex8(0xC80000), u"00C80000");
}

// A value split into the style dialog's lines and its rest, and the total.
TEST(RuleEditorModel, StyleLinesAndTotal) {
    auto ticked = [](StyleKind kind, const StyleSplit& s) {
        std::vector<std::string> names;
        for (std::size_t i = 0; i < s.ticked.size(); ++i)
            if (s.ticked[i]) names.push_back(TextToUtf8(StyleLines(kind)[i].name));
        return names;
    };
    using V = std::vector<std::string>;
    const struct {
        StyleKind kind;
        std::uint32_t value;
        V lines;
        std::uint32_t rest;
        const char16_t* total;
    } cases[] = {
        {StyleKind::Style, 0x00C80000, V{"WS_BORDER", "WS_DLGFRAME", "WS_SYSMENU"}, 0, u"0x00C80000"},
        {StyleKind::Style, 0x00C80003, V{"WS_BORDER", "WS_DLGFRAME", "WS_SYSMENU"}, 3, u"0x00C80003"},
        {StyleKind::Style, 0, V{}, 0, u"0x00000000"},
        {StyleKind::ExStyle, 0x00000300, V{"WS_EX_CLIENTEDGE", "WS_EX_WINDOWEDGE"}, 0, u"0x00000300"},
        {StyleKind::ExStyle, 0x80000001, V{"WS_EX_DLGMODALFRAME"}, 0x80000000, u"0x80000001"},
    };
    for (const auto& k : cases) {
        const StyleSplit s = SplitStyle(k.kind, k.value);
        EXPECT_EQ(ticked(k.kind, s), k.lines) << k.value;
        EXPECT_EQ(s.rest, k.rest) << k.value;
        EXPECT_EQ(StyleTotalText(StyleTotal(k.kind, s.ticked, s.rest)), k.total);
    }
    EXPECT_EQ(StyleLines(StyleKind::Style).size(), 16u);
    EXPECT_EQ(StyleLines(StyleKind::ExStyle).size(), 16u);
    // The free field's bits join the ticked lines' bits.
    std::vector<bool> one(16, false);
    one[12] = true;
    EXPECT_EQ(StyleTotal(StyleKind::Style, one, 0x00080001), 0x00080001u);
    EXPECT_EQ(StylePointText(StyleLines(StyleKind::Style)[12]), u"WS_SYSMENU = 0x80000");
}

// A live window into the conditions, the line of the lists, and the drag of
// the target icon: each way it ends gives the pointer back once; only the
// drop keeps what was taken, and our own windows take nothing.
TEST(RuleEditorModel, TakingAWindowAndTheDrag) {
    test::FakeWindows windows;
    platform::Ports ports;
    ports.windows = &windows;
    platform::ScopedPorts scope(ports);
    const platform::WindowId w = windows.Add(u"無題 - メモ帳");
    windows[w].className = u"Notepad";
    windows[w].style = 0x14CF0000;
    windows[w].exStyle = 0x100;
    windows[w].width = 12000;
    const platform::WindowId other = windows.Add(u"other");
    const RuleContext context{nullptr, true, [](platform::WindowId) { return Text(u"C:\\windows\\notepad.exe"); }};

    EXPECT_EQ(GetWindowInfoText(w, context),
              u"0x" + Hex8(w) + u":T=無題 - メモ帳:C=Notepad:P=C:\\windows\\notepad.exe");
    ConditionDraft start = Ticking({Condition::Class});
    start.options = ChooseOption(0, O::FileName);
    const ConditionDraft taken = CaptureWindow(start, w, context);
    EXPECT_EQ(taken.Typed(Condition::Handle), Hex8(w));
    EXPECT_EQ(taken.Typed(Condition::Style), u"14CF0000");
    EXPECT_EQ(taken.Typed(Condition::ExStyle), u"00000100");
    EXPECT_EQ(taken.width, 9999);
    EXPECT_TRUE(OptionChosen(taken.options, O::FullPath));
    EXPECT_EQ(taken.ticked, start.ticked);
    EXPECT_EQ(WidthLabel(640, AverageCharWidth(36 * 8 + 3)), u"640 Pix(約80文字)");
    EXPECT_EQ(WidthLabel(10, AverageCharWidth(0)), u"10 Pix(約10文字)");

    using End = TargetDrag::End;
    for (End end : {End::Drop, End::Escape, End::CaptureLost, End::Closed}) {
        SCOPED_TRACE(static_cast<int>(end));
        int released = 0;
        std::optional<ConditionDraft> shown;
        {
            TargetDrag drag([&] { ++released; });
            EXPECT_FALSE(drag.Finish(End::Escape));  // nothing to end yet
            drag.Start(start);
            EXPECT_FALSE(drag.Over(other, true, start, context)) << "our own window";
            shown = drag.Over(w, false, start, context);
            ASSERT_TRUE(shown);
            EXPECT_FALSE(drag.Over(w, false, *shown, context)) << "the same window again";
            if (end != End::Closed) {
                const auto back = drag.Finish(end);
                EXPECT_EQ(back.has_value(), end != End::Drop);
                if (back) {
                    EXPECT_EQ(back->Typed(Condition::Class), start.Typed(Condition::Class));
                }
                EXPECT_FALSE(drag.Active());
                EXPECT_FALSE(drag.Finish(End::CaptureLost));
            }
        }
        EXPECT_EQ(released, 1);
    }
}

// The fixed window rule takes new conditions but keeps its name, action and
// state; the window it had found is searched again unless the handle names it.
TEST(RuleEditorModel, FixedRuleTakesTheConditions) {
    W fixed;
    fixed.Title = u"固定設定";
    fixed.Action = W::kFixed;
    fixed.Enable = true;
    fixed.WindowHandle = 0x300;
    W edited;
    edited.Flag = W::kClass;
    edited.WindowClass = u"Notepad";
    edited.WindowHandle = 0x400;  // taken earlier, its condition off
    ApplyFixedConditions(edited, fixed);
    EXPECT_EQ(fixed.Title, u"固定設定");
    EXPECT_EQ(fixed.Action, W::kFixed);
    EXPECT_TRUE(fixed.Enable);
    EXPECT_EQ(fixed.WindowClass, u"Notepad");
    EXPECT_EQ(fixed.WindowHandle, 0u);
    edited.Flag = W::kHandle;
    ApplyFixedConditions(edited, fixed);
    EXPECT_EQ(fixed.WindowHandle, 0x400u);
}

}  // namespace
}  // namespace tbq::uimodel
