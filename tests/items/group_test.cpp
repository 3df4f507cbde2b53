#include "items/view_group.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/app_state.h"
#include "fakes/temp_folder.h"
#include "items/view_list.h"
#include "settings/ini_store.h"

namespace tbq {
namespace {

using G = vbKerova_View_Group;
constexpr std::uint32_t kNone = vbKerova_ViewData::kNoColor;
constexpr std::uint32_t kRed = 0x0000FF, kBlue = 0xFF0000, kGroupColor = 0x00FF00;

class StaticItem final : public ViewSubItem {
public:
    explicit StaticItem(tbq::Text text) : text_(std::move(text)) {}
    tbq::Text Text() override { return text_; }
    std::uint8_t ViewDataType() const override { return kKindFixed; }
    void SaveSetting(const tbq::Text&, const tbq::Text&) override {}
    void LoadSetting(const tbq::Text&, const tbq::Text&) override {}

private:
    tbq::Text text_;
};

struct Kid {
    Text text;
    bool enable = true;
    std::uint32_t color = kNone;
};

std::shared_ptr<vbKerova_ViewData> Leaf(const Kid& k) {
    auto item = std::make_shared<vbKerova_ViewData>();
    item->SetData(std::make_shared<StaticItem>(k.text), k.color, k.enable);
    return item;
}

struct Settings {
    int style = G::kShowAll, charLen = 10, step = 1, timing = 0;
};

std::shared_ptr<vbKerova_ViewData> GroupItem(const Settings& s, int targetNum,
                                             std::uint32_t color = kNone) {
    auto g = std::make_shared<G>();
    g->ViewStyle = static_cast<std::uint8_t>(s.style);
    g->CharLen = static_cast<std::int16_t>(s.charLen);
    g->Step = static_cast<std::int16_t>(s.step);
    g->Timing = static_cast<std::int16_t>(s.timing);
    g->TargetNum = static_cast<std::uint8_t>(targetNum);
    auto item = std::make_shared<vbKerova_ViewData>();
    item->SetData(g, color, true);
    return item;
}

// A group followed by its children, linked.
ViewList GroupList(const Settings& s, const std::vector<Kid>& kids) {
    ViewList list{GroupItem(s, static_cast<int>(kids.size()))};
    for (const Kid& k : kids) list.push_back(Leaf(k));
    LinkGroupChildren(list);
    return list;
}

using Runs = std::vector<std::pair<std::string, std::uint32_t>>;

// The list's coloured runs as the painter gets them.
Runs RunsOf(ViewList& list) {
    Runs runs;
    ColoredRuns(list, [&](const Text& t, std::uint32_t c) {
        runs.emplace_back(TextToUtf8(t), c);
        return 0;
    });
    return runs;
}

class GroupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ViewListRegistry::Instance().Clear();
        App().CompositionStamp = 1;
    }
    void TearDown() override { ViewListRegistry::Instance().Clear(); }
    // A new composition pass: every item computes its text afresh.
    static void NextPass() { ++App().CompositionStamp; }
};

TEST_F(GroupTest, StillModes) {
    struct Case {
        const char* what;
        int style;
        std::vector<Kid> kids;
        std::string text;
        Runs runs;
    };
    const Case cases[] = {
        {"show all skips disabled children", G::kShowAll,
         {{u"A", true, kRed}, {u"B", false, kRed}, {u"C"}},
         "AC",
         {{"A", kRed}, {"C", 0x80000009}}},
        {"first valid", G::kFirstValid, {{u""}, {u"X", true, kBlue}, {u"Y"}}, "X", {{"X", kBlue}}},
        {"first valid passes over disabled", G::kFirstValid, {{u"X", false}, {u"Y"}}, "Y",
         {{"Y", 0x80000009}}},
        {"first valid without any text", G::kFirstValid, {{u""}, {u"Z", false}}, "", {}},
        {"no mode bit", G::kByteMode | G::kCheckLength, {{u"A"}}, "", {}},
        {"no children", G::kShowAll, {}, "", {}},
        // A NUL would end the element early and shift the colour of the rest.
        {"a NUL inside a text is a blank in its run", G::kShowAll,
         {{Text(u"a\0b", 3), true, kRed}, {u"c", true, kBlue}},
         std::string("a\0bc", 4),
         {{"a b", kRed}, {"c", kBlue}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NextPass();
        ViewList list = GroupList({.style = c.style}, c.kids);
        EXPECT_EQ(TextToUtf8(ComposeListText(list, false)), c.text);
        EXPECT_EQ(RunsOf(list), c.runs);
    }
}

// The text and the position on each pass, with UpdatePosition between passes.
struct Frame {
    const char16_t* text;
    int position;
};

void ExpectFrames(ViewList& list, const std::vector<Frame>& frames) {
    auto* g = list[0]->GroupData();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE("pass " + std::to_string(i + 1));
        ++App().CompositionStamp;
        EXPECT_EQ(TextToUtf8(list[0]->TextData()), TextToUtf8(frames[i].text));
        EXPECT_EQ(g->NowPosition(), frames[i].position);
        // The runs cover the same window as the text.
        std::string runs;
        for (auto& r : RunsOf(list)) runs += r.first;
        EXPECT_EQ(runs, TextToUtf8(frames[i].text));
        g->UpdatePosition();
    }
}

TEST_F(GroupTest, Switching) {
    struct Case {
        const char* what;
        int timing;
        std::vector<Kid> kids;
        std::vector<Frame> frames;
    };
    const Case cases[] = {
        {"every third step with Timing 2",
         2,
         {{u"A"}, {u"B"}, {u"C"}},
         {{u"A", 1}, {u"A", 1}, {u"A", 1}, {u"B", 2}, {u"B", 2}, {u"B", 2},
          {u"C", 3}, {u"C", 3}, {u"C", 3}, {u"A", 1}}},
        {"a disabled child is passed over and the position follows", 0,
         {{u"A"}, {u"B", false}, {u"C"}},
         {{u"A", 1}, {u"C", 3}, {u"A", 1}, {u"C", 3}}},
        {"an empty child shows as empty", 0, {{u"A"}, {u""}}, {{u"A", 1}, {u"", 2}, {u"A", 1}}},
        {"a negative Timing moves on every step", -5, {{u"A"}, {u"B"}},
         {{u"A", 1}, {u"B", 2}, {u"A", 1}}},
        {"no enabled child", 0, {{u"A", false}}, {{u"", 1}, {u"", 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ViewList list = GroupList({.style = G::kSwitch, .timing = c.timing}, c.kids);
        ExpectFrames(list, c.frames);
    }

    // Past the last child the position reads 4 until the next composition
    // brings it back to 1.
    ViewList list = GroupList({.style = G::kSwitch}, {{u"A"}, {u"B"}, {u"C"}});
    auto* g = list[0]->GroupData();
    for (int i = 0; i < 3; ++i) g->UpdatePosition();
    EXPECT_EQ(g->NowPosition(), 4);
    NextPass();
    EXPECT_EQ(list[0]->TextData(), u"A");
    EXPECT_EQ(g->NowPosition(), 1);
}

TEST_F(GroupTest, SwitchingTextGoesRoundPastAnEmptyChildAndRunsShowIt) {
    // Position 2 is disabled; the next enabled child, 3, has no text. The plain
    // text goes round to child 1, the runs show child 3's empty element.
    ViewList list = GroupList({.style = G::kSwitch}, {{u"A"}, {u"B", false}, {u""}, {u"D"}});
    auto* g = list[0]->GroupData();
    g->UpdatePosition();  // position 2
    NextPass();
    EXPECT_EQ(list[0]->TextData(), u"A");
    EXPECT_EQ(g->NowPosition(), 1);
    g->UpdatePosition();
    const Text elements = g->GetTextElement(u"", kGroupColor);
    EXPECT_EQ(elements, Text(u"0000FF00", 8) + Text(1, u'\0'));
    EXPECT_EQ(g->NowPosition(), 3);
}

TEST_F(GroupTest, Scrolling) {
    struct Case {
        const char* what;
        Settings settings;
        std::vector<Kid> kids;
        std::vector<Frame> frames;
    };
    const Settings scroll{.style = G::kScroll, .charLen = 3, .step = 1};
    const Settings bytes{.style = G::kScroll | G::kByteMode, .charLen = 3, .step = 1};
    const Case cases[] = {
        {"characters, step 1",
         scroll,
         {{u"ABC"}, {u"DE"}},
         {{u"ABC", 1}, {u"BCD", 2}, {u"CDE", 3}, {u"DEA", 4}, {u"EAB", 5}, {u"ABC", 1}}},
        {"step 2 comes back at the step",
         {.style = G::kScroll, .charLen = 3, .step = 2},
         {{u"ABCDE"}},
         {{u"ABC", 1}, {u"CDE", 3}, {u"EAB", 5}, {u"BCD", 2}, {u"DEA", 4}, {u"BCD", 2}}},
        {"a step wider than the text goes round it",
         {.style = G::kScroll, .charLen = 3, .step = 20},
         {{u"ABCDE"}},
         {{u"ABC", 1}, {u"EAB", 5}, {u"EAB", 5}}},
        {"Timing 1 moves every second step",
         {.style = G::kScroll, .charLen = 2, .step = 1, .timing = 1},
         {{u"ABC"}},
         {{u"AB", 1}, {u"AB", 1}, {u"BC", 2}, {u"BC", 2}, {u"CA", 3}}},
        {"a window wider than the text repeats it",
         {.style = G::kScroll, .charLen = 7, .step = 1},
         {{u"AB"}},
         {{u"ABABABA", 1}, {u"BABABAB", 2}, {u"ABABABA", 1}}},
        {"a pair is one character", {.style = G::kScroll, .charLen = 2, .step = 1},
         {{u"𠮷ab"}},
         {{u"𠮷a", 1}, {u"ab", 2}, {u"b𠮷", 3}, {u"𠮷a", 1}}},
        {"check length: a text that fits stands still",
         {.style = G::kScroll | G::kCheckLength, .charLen = 3, .step = 1},
         {{u"ABC"}},
         {{u"ABC", 1}, {u"ABC", 2}, {u"ABC", 3}}},
        {"check length: a longer text scrolls",
         {.style = G::kScroll | G::kCheckLength, .charLen = 2, .step = 1},
         {{u"ABC"}},
         {{u"AB", 1}, {u"BC", 2}}},
        {"step 0 does not scroll", {.style = G::kScroll, .charLen = 3, .step = 0},
         {{u"ABCDE"}}, {{u"ABCDE", 1}, {u"ABCDE", 1}}},
        {"negative width does not scroll", {.style = G::kScroll, .charLen = -3, .step = 1},
         {{u"ABCDE"}}, {{u"ABCDE", 1}, {u"ABCDE", 1}}},
        {"width 0 does not scroll", {.style = G::kScroll, .charLen = 0, .step = 1},
         {{u"AB"}}, {{u"AB", 1}, {u"AB", 1}}},
        {"nothing to scroll", scroll, {{u""}, {u"X", false}}, {{u"", 1}, {u"", 2}}},
        // Byte mode: a full-width character cut by an edge becomes one blank.
        {"bytes over full-width characters",
         bytes,
         {{u"語間ab"}},
         {{u"語 ", 1}, {u" 間", 2}, {u"間a", 3}, {u" ab", 4}, {u"ab ", 5}, {u"b語", 6},
          {u"語 ", 1}}},
        {"bytes over a surrogate pair",
         {.style = G::kScroll | G::kByteMode, .charLen = 2, .step = 1},
         {{u"𠮷a"}},
         {{u"𠮷", 1}, {u" a", 2}, {u"a ", 3}, {u"𠮷", 1}}},
        {"half-width kana are narrow",
         bytes,
         {{u"ｱｲｳ語"}},
         {{u"ｱｲｳ", 1}, {u"ｲｳ ", 2}, {u"ｳ語", 3}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ViewList list = GroupList(c.settings, c.kids);
        ExpectFrames(list, c.frames);
    }
}

TEST_F(GroupTest, MarqueeRunsKeepEachChildsColourAcrossTheWrap) {
    struct Case {
        const char* what;
        Settings settings;
        std::vector<Kid> kids;
        std::vector<Runs> passes;
    };
    const Case cases[] = {
        {"characters",
         {.style = G::kScroll, .charLen = 3, .step = 1},
         {{u"AB", true, kRed}, {u"CD", true, kBlue}},
         {{{"AB", kRed}, {"C", kBlue}},
          {{"B", kRed}, {"CD", kBlue}},
          {{"CD", kBlue}, {"A", kRed}},
          {{"D", kBlue}, {"AB", kRed}},
          {{"AB", kRed}, {"C", kBlue}}}},
        {"bytes, the cut character a blank in its own colour",
         {.style = G::kScroll | G::kByteMode, .charLen = 2, .step = 1},
         {{u"語", true, kRed}, {u"ab", true, kNone}},
         {{{"語", kRed}},
          {{" ", kRed}, {"a", kGroupColor}},
          {{"ab", kGroupColor}},
          {{"b", kGroupColor}, {" ", kRed}},
          {{"語", kRed}}}},
        {"a text that fits: one run per child",
         {.style = G::kScroll | G::kCheckLength, .charLen = 9, .step = 1},
         {{u"AB", true, kRed}, {u"C", false, kBlue}, {u"D", true, kBlue}},
         {{{"AB", kRed}, {"D", kBlue}}, {{"AB", kRed}, {"D", kBlue}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ViewList list{GroupItem(c.settings, static_cast<int>(c.kids.size()), kGroupColor)};
        for (const Kid& k : c.kids) list.push_back(Leaf(k));
        LinkGroupChildren(list);
        for (std::size_t i = 0; i < c.passes.size(); ++i) {
            SCOPED_TRACE("pass " + std::to_string(i + 1));
            NextPass();
            EXPECT_EQ(RunsOf(list), c.passes[i]);
            list[0]->GroupData()->UpdatePosition();
        }
    }
}

TEST_F(GroupTest, NestedGroupsBreakIntoTheirOwnRuns) {
    // outer(show all): inner(show all, no colour): a(no colour), b(red); c(blue);
    // then an empty inner group that adds nothing.
    ViewList list{GroupItem({.style = G::kShowAll}, 3, kGroupColor),
                  GroupItem({.style = G::kShowAll}, 2), Leaf({u"a"}), Leaf({u"b", true, kRed}),
                  Leaf({u"c", true, kBlue}), GroupItem({.style = G::kShowAll}, 0)};
    LinkGroupChildren(list);
    EXPECT_EQ(RunsOf(list), (Runs{{"a", kGroupColor}, {"b", kRed}, {"c", kBlue}}));
    EXPECT_EQ(ComposeListText(list, false), u"abc");

    // A switching outer group shows the nested group as its runs too.
    list[0]->GroupData()->ViewStyle = G::kSwitch;
    list[1]->FontColor = kBlue;
    NextPass();
    EXPECT_EQ(RunsOf(list), (Runs{{"a", kBlue}, {"b", kRed}}));
    EXPECT_EQ(ComposeListText(list, false), u"ab");
}

TEST_F(GroupTest, SharedGroupObjectsNeverContainThemselves) {
    // Two items of one list share one group object: the later one links it,
    // the earlier one gathers nothing (not the later one, which holds itself).
    auto g1 = GroupItem({.style = G::kShowAll}, 2);
    auto g2 = std::make_shared<vbKerova_ViewData>();
    g2->CopyData(*g1);
    ViewList list{g1, g2, Leaf({u"x"}), Leaf({u"y"})};
    LinkGroupChildren(list);
    auto* g = g1->GroupData();
    ASSERT_EQ(g->Children.size(), 2u);
    EXPECT_EQ(g->Children[0].lock(), list[2]);
    EXPECT_EQ(g2->Parent, nullptr);
    EXPECT_EQ(ComposeListText(list, false), u"xyxy");
    EXPECT_EQ(RunsOf(list).size(), 4u);

    // Made a cycle by hand: composing still ends.
    g->Children.push_back(g1);
    NextPass();
    EXPECT_EQ(g1->TextData(), u"xy");
    EXPECT_EQ(g->GetTextElement(u"", kGroupColor).size(), 2 * 10u);
}

TEST_F(GroupTest, AListSharingAGroupObjectLeavesTheOtherListsChildren) {
    ViewList a{GroupItem({.style = G::kShowAll}, 2), Leaf({u"a1"}), Leaf({u"a2"})};
    LinkGroupChildren(a);
    auto b = std::make_shared<ViewList>();
    for (auto& item : a) {
        b->push_back(std::make_shared<vbKerova_ViewData>());
        b->back()->CopyData(*item);
    }
    LinkGroupChildren(*b);
    auto* g = a[0]->GroupData();
    ASSERT_EQ(g->Children.size(), 2u);
    EXPECT_EQ(g->Children[0].lock(), a[1]);
    EXPECT_EQ(a[1]->Parent, a[0].get());
    EXPECT_EQ(ComposeListText(a, false), u"a1a2");

    // Once the first list is gone, the other one links the object.
    a.clear();
    LinkGroupChildren(*b);
    ASSERT_EQ(g->Children.size(), 2u);
    EXPECT_EQ(g->Children[1].lock(), (*b)[2]);
    NextPass();
    EXPECT_EQ(ComposeListText(*b, false), u"a1a2");
}

TEST_F(GroupTest, DeepNestingEnds) {
    for (int depth : {G::kMaxDepth, 5 * G::kMaxDepth}) {
        SCOPED_TRACE(depth);
        ViewList list;
        for (int i = 0; i < depth; ++i) list.push_back(GroupItem({.style = G::kShowAll}, 1));
        list.push_back(Leaf({u"leaf"}));
        LinkGroupChildren(list);
        NextPass();
        // Deeper than the limit shows nothing rather than running out of stack.
        EXPECT_EQ(ComposeListText(list, false), depth <= G::kMaxDepth ? u"leaf" : u"");
        RunsOf(list);
    }
}

TEST_F(GroupTest, PositionsStayBounded) {
    struct Case {
        const char* what;
        Settings settings;
        bool composed;  // shown once before the steps
        int most;       // the position never passes this
    };
    const Case cases[] = {
        {"show all never moves", {.style = G::kShowAll}, true, 1},
        {"first valid never moves", {.style = G::kFirstValid}, false, 1},
        {"switch wraps at the children", {.style = G::kSwitch}, false, 4},
        {"scroll wraps at the text", {.style = G::kScroll, .charLen = 2, .step = 3}, true, 8},
        {"a scroll never shown stays far from overflow",
         {.style = G::kScroll, .charLen = 2, .step = 32767},
         false,
         (1 << 30) + 32767},
        {"scroll by 0 never moves", {.style = G::kScroll, .charLen = 2, .step = 0}, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ViewList list = GroupList(c.settings, {{u"ABC"}, {u"DE"}, {u""}});
        auto* g = list[0]->GroupData();
        if (c.composed) list[0]->TextData();
        int highest = 0;
        for (int i = 0; i < 200000; ++i) {
            g->UpdatePosition();
            highest = std::max(highest, g->NowPosition());
            ASSERT_GE(g->NowPosition(), 1);
        }
        EXPECT_LE(highest, c.most);
    }
}

TEST_F(GroupTest, AdvanceGroupsMovesEveryEnabledGroupOnceUnlessTheRegistryIsBusy) {
    auto& registry = ViewListRegistry::Instance();
    const Settings every{.style = G::kSwitch, .timing = 0};
    auto first = std::make_shared<ViewList>(GroupList(every, {{u"A"}, {u"B"}, {u"C"}}));
    auto copy = std::make_shared<vbKerova_ViewData>();
    copy->CopyData(*(*first)[0]);  // shares the group object
    first->push_back(copy);
    auto second = std::make_shared<ViewList>(GroupList(every, {{u"A"}, {u"B"}, {u"C"}}));
    (*second)[0]->Enable = false;
    registry.SetViewList(kDefaultListName, first);
    registry.SetViewList(u"second.ini", second);

    EXPECT_TRUE(AdvanceGroups(registry));
    EXPECT_EQ((*first)[0]->GroupData()->NowPosition(), 2);   // once, although shared
    EXPECT_EQ((*second)[0]->GroupData()->NowPosition(), 1);  // disabled
    {
        ViewListRegistry::Hold hold(registry);
        EXPECT_FALSE(AdvanceGroups(registry));
    }
    EXPECT_EQ((*first)[0]->GroupData()->NowPosition(), 2);
    EXPECT_FALSE(registry.Busy());
}

TEST_F(GroupTest, SaveAndLoad) {
    IniStore::Instance().Reset();
    test::TempFolder dir;
    const Text file = dir.Path("items.ini");
    G saved;
    saved.TargetNum = 3;
    saved.Timing = -2;
    saved.Step = 4;
    saved.CharLen = 20;
    saved.ViewStyle = G::kScroll | G::kByteMode;
    saved.SaveSetting(file, u"V");
    EXPECT_NE(dir.ReadBytes("items.ini")
                  .find("TargetNum=3\r\nTiming=-2\r\nStep=4\r\nCharLen=20\r\nStyle=12\r\n"),
              std::string::npos);

    struct Case {
        const char* record;
        std::array<int, 5> fields;  // TargetNum, Timing, Step, CharLen, Style
    };
    const Case cases[] = {
        {"TargetNum=3\r\nTiming=-2\r\nStep=4\r\nCharLen=20\r\nStyle=12\r\n", {3, -2, 4, 20, 12}},
        {"", {1, 1, 1, 10, 1}},
        {"TargetNum=999\r\nTiming=70000\r\nStep=-70000\r\nStyle=-1\r\n", {255, 32767, -32768, 10, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.record);
        dir.WriteBytes("items.ini", std::string("[V]\r\n") + c.record);
        IniStore::Instance().Reset();
        G loaded;
        loaded.LoadSetting(file, u"V");
        const std::array<int, 5> got{loaded.TargetNum, loaded.Timing, loaded.Step, loaded.CharLen,
                                     loaded.ViewStyle};
        EXPECT_EQ(got, c.fields);
        EXPECT_EQ(loaded.NowPosition(), 1);
        EXPECT_EQ(loaded.NowTiming(), 0);
    }
    IniStore::Instance().Reset();
}

}  // namespace
}  // namespace tbq
