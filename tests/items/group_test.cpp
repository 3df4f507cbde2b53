#include "items/view_group.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "fakes/temp_folder.h"
#include "items/view_list.h"
#include "settings/ini_store.h"

namespace tbq {
namespace {

using G = vbKerova_View_Group;
constexpr std::uint32_t kNone = vbKerova_ViewData::kNoColor;
constexpr std::uint32_t kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00;

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
ViewList GroupList(const Settings& s, const std::vector<Kid>& kids, std::uint32_t color = kNone) {
    ViewList list{GroupItem(s, static_cast<int>(kids.size()), color)};
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
    void SetUp() override { ViewListRegistry::Instance().Clear(); }
    void TearDown() override { ViewListRegistry::Instance().Clear(); }
    // A new composition pass: every item computes its text afresh.
    static void NextPass() { ++CompositionStamp(); }
};

TEST_F(GroupTest, StillModes) {
    struct Case {
        const char* what;
        int style;
        std::vector<Kid> kids;
        std::string text;
        Runs runs;
    };
    const std::uint32_t caption = vbKerova_ViewData::kCaptionTextColor;
    // clang-format off
    const Case cases[] = {
        {"show all", G::kShowAll, {{u"A", true, kRed}, {u"B", false}, {u"C"}}, "AC",
         {{"A", kRed}, {"C", caption}}},
        {"first valid", G::kFirstValid, {{u""}, {u"X", false}, {u"Y", true, kBlue}, {u"Z"}}, "Y",
         {{"Y", kBlue}}},
        {"first valid without a text", G::kFirstValid, {{u""}, {u"Z", false}}, "", {}},
        {"no mode bit", G::kByteMode | G::kCheckLength, {{u"A"}}, "", {}},
        {"no children", G::kShowAll, {}, "", {}},
        // A NUL would end the element early and shift the colour of the rest.
        {"a NUL in a text is a blank in its run", G::kShowAll,
         {{Text(u"a\0b", 3), true, kRed}, {u"c", true, kBlue}}, std::string("a\0bc", 4),
         {{"a b", kRed}, {"c", kBlue}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NextPass();
        ViewList list = GroupList({.style = c.style}, c.kids);
        EXPECT_EQ(TextToUtf8(ComposeListText(list, false)), c.text);
        EXPECT_EQ(RunsOf(list), c.runs);
    }
}

TEST_F(GroupTest, MovingModesPassByPass) {
    struct Case {
        const char* what;
        Settings settings;
        std::vector<Kid> kids;
        const char16_t* texts;  // each pass's text, "|" between passes
        const char* positions;  // each pass's position, one digit each
    };
    const Settings sw{.style = G::kSwitch}, sw2{.style = G::kSwitch, .timing = 2};
    const Settings chars{.style = G::kScroll, .charLen = 3}, bytes{.style = 12, .charLen = 3};
    // clang-format off
    const Case cases[] = {
        {"switch every third step", sw2, {{u"A"}, {u"B"}, {u"C"}}, u"A|A|A|B|B|B|C|C|C|A",
         "1112223331"},
        {"switch passes over a disabled child", sw, {{u"A"}, {u"B", false}, {u"C"}},
         u"A|C|A|C", "1313"},
        {"switch shows an empty child", sw, {{u"A"}, {u""}}, u"A||A", "121"},
        {"negative Timing moves every step", {.style = G::kSwitch, .timing = -5},
         {{u"A"}, {u"B"}}, u"A|B|A", "121"},
        {"switch without an enabled child", sw, {{u"A", false}}, u"|", "11"},
        {"scroll", chars, {{u"ABC"}, {u"DE"}}, u"ABC|BCD|CDE|DEA|EAB|ABC", "123451"},
        {"step 2 comes back at the step", {.style = G::kScroll, .charLen = 3, .step = 2},
         {{u"ABCDE"}}, u"ABC|CDE|EAB|BCD|DEA|BCD", "135242"},
        {"a step wider than the text goes round it",
         {.style = G::kScroll, .charLen = 3, .step = 20}, {{u"ABCDE"}}, u"ABC|EAB|EAB", "155"},
        {"Timing 1 scrolls every second step", {.style = G::kScroll, .charLen = 2, .timing = 1},
         {{u"ABC"}}, u"AB|AB|BC|BC|CA", "11223"},
        {"a window wider than the text", {.style = G::kScroll, .charLen = 7}, {{u"AB"}},
         u"ABABABA|BABABAB|ABABABA", "121"},
        {"a pair is one character", {.style = G::kScroll, .charLen = 2}, {{u"𠮷ab"}},
         u"𠮷a|ab|b𠮷|𠮷a", "1231"},
        // The lone high half at the end and the lone low one at the start must
        // not join into 𠮷 across the wrap: the window stays three characters.
        {"lone halves meeting at the wrap stay two characters",
         {.style = G::kScroll, .charLen = 3}, {{u"\xDFB7" u"a\xD842"}},
         u"\xDFB7" u"a\xD842|a\xFFFD\xDFB7|\xFFFD\xDFB7" u"a|\xDFB7" u"a\xD842", "1231"},
        {"a text that fits stands still", {.style = G::kScroll | G::kCheckLength, .charLen = 3},
         {{u"ABC"}}, u"ABC|ABC", "12"},
        {"a text that does not fit scrolls", {.style = G::kScroll | G::kCheckLength, .charLen = 2},
         {{u"ABC"}}, u"AB|BC", "12"},
        {"step 0 shows all", {.style = G::kScroll, .charLen = 3, .step = 0}, {{u"ABCDE"}},
         u"ABCDE|ABCDE", "11"},
        {"width below 1 shows all", {.style = G::kScroll, .charLen = -3}, {{u"ABCDE"}},
         u"ABCDE|ABCDE", "11"},
        {"nothing to scroll", chars, {{u""}, {u"X", false}}, u"|", "12"},
        // Byte mode: a full-width character cut by an edge becomes one blank.
        {"bytes", bytes, {{u"語間ab"}}, u"語 | 間|間a| ab|ab |b語|語 ", "1234561"},
        {"bytes over a pair", {.style = 12, .charLen = 2}, {{u"𠮷a"}}, u"𠮷| a|a |𠮷", "1231"},
        {"half-width kana are narrow", bytes, {{u"ｱｲｳ語"}}, u"ｱｲｳ|ｲｳ |ｳ語", "123"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ViewList list = GroupList(c.settings, c.kids);
        auto* g = list[0]->GroupData();
        const TextView texts = c.texts;
        std::size_t from = 0;
        for (std::size_t i = 0; c.positions[i] != '\0'; ++i) {
            SCOPED_TRACE("pass " + std::to_string(i + 1));
            const std::size_t bar = std::min(texts.find(u'|', from), texts.size());
            const std::string want = TextToUtf8(texts.substr(from, bar - from));
            from = bar + 1;
            NextPass();
            EXPECT_EQ(TextToUtf8(list[0]->TextData()), want);
            EXPECT_EQ(g->NowPosition(), c.positions[i] - '0');
            std::string runs;  // the runs show the same window
            for (auto& r : RunsOf(list)) runs += r.first;
            EXPECT_EQ(runs, want);
            g->UpdatePosition();
        }
    }
}

TEST_F(GroupTest, SwitchPositionsAndTheEmptyChildCase) {
    // Past the last child the position reads 4 until the next composition.
    ViewList list = GroupList({.style = G::kSwitch}, {{u"A"}, {u"B"}, {u"C"}});
    auto* g = list[0]->GroupData();
    for (int i = 0; i < 3; ++i) g->UpdatePosition();
    EXPECT_EQ(g->NowPosition(), 4);
    NextPass();
    EXPECT_EQ(list[0]->TextData(), u"A");
    EXPECT_EQ(g->NowPosition(), 1);

    // At disabled child 2 the next enabled one, 3, is empty: the plain text goes
    // round to child 1, the runs show child 3's empty element.
    list = GroupList({.style = G::kSwitch}, {{u"A"}, {u"B", false}, {u""}, {u"D"}});
    g = list[0]->GroupData();
    g->UpdatePosition();
    NextPass();
    EXPECT_EQ(list[0]->TextData(), u"A");
    EXPECT_EQ(g->NowPosition(), 1);
    g->UpdatePosition();
    EXPECT_EQ(g->GetTextElement(u"", kGreen), Text(u"0000FF00\0", 9));
    EXPECT_EQ(g->NowPosition(), 3);
}

TEST_F(GroupTest, MarqueeRunsKeepEachChildsColourAcrossTheWrap) {
    struct Case {
        const char* what;
        Settings settings;
        std::vector<Kid> kids;
        std::vector<Runs> passes;
    };
    // clang-format off
    const Case cases[] = {
        {"characters", {.style = G::kScroll, .charLen = 3},
         {{u"AB", true, kRed}, {u"CD", true, kBlue}},
         {{{"AB", kRed}, {"C", kBlue}}, {{"B", kRed}, {"CD", kBlue}}, {{"CD", kBlue}, {"A", kRed}},
          {{"D", kBlue}, {"AB", kRed}}, {{"AB", kRed}, {"C", kBlue}}}},
        {"bytes: a cut character is a blank in its own colour", {.style = 12, .charLen = 2},
         {{u"語", true, kRed}, {u"ab"}},
         {{{"語", kRed}}, {{" ", kRed}, {"a", kGreen}}, {{"ab", kGreen}},
          {{"b", kGreen}, {" ", kRed}}, {{"語", kRed}}}},
        {"a text that fits: one run per child", {.style = 36, .charLen = 9},
         {{u"AB", true, kRed}, {u"C", false}, {u"D", true, kBlue}},
         {{{"AB", kRed}, {"D", kBlue}}, {{"AB", kRed}, {"D", kBlue}}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ViewList list = GroupList(c.settings, c.kids, kGreen);
        for (std::size_t i = 0; i < c.passes.size(); ++i) {
            SCOPED_TRACE("pass " + std::to_string(i + 1));
            NextPass();
            EXPECT_EQ(RunsOf(list), c.passes[i]);
            list[0]->GroupData()->UpdatePosition();
        }
    }
}

TEST_F(GroupTest, NestedGroupsBreakIntoTheirOwnRuns) {
    // outer: inner(a, b), c, and an empty group that adds nothing.
    ViewList list{GroupItem({}, 3, kGreen), GroupItem({}, 2),          Leaf({u"a"}),
                  Leaf({u"b", true, kRed}), Leaf({u"c", true, kBlue}), GroupItem({}, 0)};
    LinkGroupChildren(list);
    NextPass();
    EXPECT_EQ(RunsOf(list), (Runs{{"a", kGreen}, {"b", kRed}, {"c", kBlue}}));
    EXPECT_EQ(ComposeListText(list, false), u"abc");
    // A switching group shows a nested group as the nested group's runs.
    list[0]->GroupData()->ViewStyle = G::kSwitch;
    list[1]->FontColor = kBlue;
    NextPass();
    EXPECT_EQ(RunsOf(list), (Runs{{"a", kBlue}, {"b", kRed}}));
    EXPECT_EQ(ComposeListText(list, false), u"ab");
}

TEST_F(GroupTest, LinkingNeverLoopsNorTakesAnotherListsChildren) {
    // Two items of one list share a group object: the later one links it; the
    // earlier one gathers nothing (the later one would hold itself).
    auto first = GroupItem({}, 2);
    auto copy = std::make_shared<vbKerova_ViewData>();
    copy->CopyData(*first);
    ViewList list{first, copy, Leaf({u"x"}), Leaf({u"y"})};
    LinkGroupChildren(list);
    auto* g = first->GroupData();
    ASSERT_EQ(g->Children.size(), 2u);
    EXPECT_EQ(copy->Parent, nullptr);
    NextPass();
    EXPECT_EQ(ComposeListText(list, false), u"xyxy");
    // A cycle made by hand still ends.
    g->Children.push_back(first);
    NextPass();
    EXPECT_EQ(first->TextData(), u"xy");
    EXPECT_EQ(g->GetTextElement(u"", kGreen).size(), 2 * 10u);

    // Another list sharing the objects leaves this list's links alone until
    // this list is gone.
    ViewList a{GroupItem({}, 2), Leaf({u"a1"}), Leaf({u"a2"})};
    LinkGroupChildren(a);
    ViewList b;
    for (auto& item : a) {
        b.push_back(std::make_shared<vbKerova_ViewData>());
        b.back()->CopyData(*item);
    }
    LinkGroupChildren(b);
    g = a[0]->GroupData();
    EXPECT_EQ(g->Children[0].lock(), a[1]);
    EXPECT_EQ(a[1]->Parent, a[0].get());
    a.clear();
    LinkGroupChildren(b);
    EXPECT_EQ(g->Children[1].lock(), b[2]);
    NextPass();
    EXPECT_EQ(ComposeListText(b, false), u"a1a2");

    // Deeper than the limit shows nothing rather than running out of stack.
    for (int depth : {G::kMaxDepth, 5 * G::kMaxDepth}) {
        ViewList deep;
        for (int i = 0; i < depth; ++i) deep.push_back(GroupItem({}, 1));
        deep.push_back(Leaf({u"leaf"}));
        LinkGroupChildren(deep);
        NextPass();
        EXPECT_EQ(ComposeListText(deep, false), depth <= G::kMaxDepth ? u"leaf" : u"") << depth;
        RunsOf(deep);
    }
}

TEST_F(GroupTest, PositionsStayBounded) {
    struct Case {
        const char* what;
        Settings settings;
        bool shown;  // composed once before the steps
        int most;
    };
    const Case cases[] = {
        {"show all never moves", {.style = G::kShowAll}, true, 1},
        {"first valid never moves", {.style = G::kFirstValid}, false, 1},
        {"switch wraps at the children", {.style = G::kSwitch}, false, 4},
        {"scroll wraps at the text", {.style = G::kScroll, .charLen = 2, .step = 3}, true, 8},
        {"scroll never shown",
         {.style = G::kScroll, .charLen = 2, .step = 32767},
         false,
         (1 << 30) + 32767},
        {"scroll by 0 never moves", {.style = G::kScroll, .charLen = 2, .step = 0}, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ViewList list = GroupList(c.settings, {{u"ABC"}, {u"DE"}, {u""}});
        auto* g = list[0]->GroupData();
        if (c.shown) list[0]->TextData();
        int lowest = INT32_MAX, highest = 0;
        for (int i = 0; i < 200000; ++i) {
            g->UpdatePosition();
            lowest = std::min(lowest, g->NowPosition());
            highest = std::max(highest, g->NowPosition());
        }
        EXPECT_GE(lowest, 1);
        EXPECT_LE(highest, c.most);
    }
}

TEST_F(GroupTest, AdvanceGroupsMovesEveryEnabledGroupOnceUnlessTheRegistryIsBusy) {
    auto& registry = ViewListRegistry::Instance();
    auto first = std::make_shared<ViewList>(GroupList({.style = G::kSwitch}, {{u"A"}, {u"B"}}));
    first->push_back(std::make_shared<vbKerova_ViewData>());
    first->back()->CopyData(*first->front());  // shares the group object
    auto second = std::make_shared<ViewList>(GroupList({.style = G::kSwitch}, {{u"A"}, {u"B"}}));
    second->front()->Enable = false;
    registry.SetViewList(kDefaultListName, first);
    registry.SetViewList(u"second.ini", second);

    EXPECT_TRUE(AdvanceGroups(registry));
    EXPECT_EQ(first->front()->GroupData()->NowPosition(), 2);   // once, although shared
    EXPECT_EQ(second->front()->GroupData()->NowPosition(), 1);  // disabled
    {
        ViewListRegistry::Hold hold(registry);
        EXPECT_FALSE(AdvanceGroups(registry));
    }
    EXPECT_EQ(first->front()->GroupData()->NowPosition(), 2);
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
    const std::string all = "TargetNum=3\r\nTiming=-2\r\nStep=4\r\nCharLen=20\r\nStyle=12\r\n";
    EXPECT_NE(dir.ReadBytes("items.ini").find(all), std::string::npos);

    const std::pair<std::string, std::array<int, 5>> cases[] = {
        {all, {3, -2, 4, 20, 12}},
        {"", {1, 1, 1, 10, 1}},
        {"TargetNum=999\r\nTiming=70000\r\nStep=-70000\r\nStyle=-1\r\n",
         {255, 32767, -32768, 10, 0}},
    };
    for (const auto& [record, fields] : cases) {
        SCOPED_TRACE(record);
        dir.WriteBytes("items.ini", "[V]\r\n" + record);
        IniStore::Instance().Reset();
        G loaded;
        loaded.LoadSetting(file, u"V");
        EXPECT_EQ((std::array<int, 5>{loaded.TargetNum, loaded.Timing, loaded.Step, loaded.CharLen,
                                      loaded.ViewStyle}),
                  fields);
        EXPECT_EQ(loaded.NowPosition(), 1);
    }
    IniStore::Instance().Reset();
}

}  // namespace
}  // namespace tbq
