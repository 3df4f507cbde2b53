#include <gtest/gtest.h>

#include "fakes/temp_folder.h"
#include "items/view_group.h"
#include "items/view_list.h"
#include "settings/ini_store.h"

namespace tbq {
namespace {

// A sub-item whose text is fixed and which counts how often it is asked.
class CountingItem final : public ViewSubItem {
public:
    explicit CountingItem(tbq::Text text) : text_(std::move(text)) {}
    tbq::Text Text() override {
        ++calls;
        return text_;
    }
    std::uint8_t ViewDataType() const override { return kKindFixed; }
    void SaveSetting(const tbq::Text&, const tbq::Text&) override {}
    void LoadSetting(const tbq::Text&, const tbq::Text&) override {}
    int calls = 0;

private:
    tbq::Text text_;
};

std::shared_ptr<vbKerova_ViewData> Item(const Text& text, bool enable = true,
                                        std::uint32_t color = 0x000000FF) {
    auto item = std::make_shared<vbKerova_ViewData>();
    item->SetData(std::make_shared<CountingItem>(text), color, enable);
    return item;
}

std::shared_ptr<vbKerova_ViewData> Group(int targetNum, std::uint32_t color = 0xFF000000) {
    auto g = std::make_shared<vbKerova_View_Group>();
    g->TargetNum = static_cast<std::uint8_t>(targetNum);
    auto item = std::make_shared<vbKerova_ViewData>();
    item->SetData(g, color, true);
    return item;
}

class ViewListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ViewListRegistry::Instance().Clear();
        IniStore::Instance().Reset();
        CompositionStamp() = 1;
    }
    void TearDown() override {
        ViewListRegistry::Instance().Clear();
        IniStore::Instance().Reset();
    }
};

TEST_F(ViewListTest, KindNamesAndCodes) {
    EXPECT_EQ(KindName(1), u"CLOCK");
    EXPECT_EQ(KindName(7), u"PLUGIN");
    EXPECT_EQ(KindName(8), u"NONE");
    EXPECT_EQ(KindName(-1), u"NONE");
    EXPECT_EQ(KindCode(u"group"), kKindGroup);
    EXPECT_EQ(KindCode(u"Title"), kKindTitle);
    EXPECT_EQ(KindCode(u"CLOCKS"), kKindNone);
}

TEST_F(ViewListTest, NestedGroupsGatherTheirDirectChildren) {
    // group(2), group(2), a, b, c: the inner group takes a and b, the outer one
    // takes the inner group and c.
    ViewList list{Group(2), Group(2), Item(u"a"), Item(u"b"), Item(u"c")};
    LinkGroupChildren(list);
    auto* outer = list[0]->GroupData();
    auto* inner = list[1]->GroupData();
    ASSERT_EQ(inner->Children.size(), 2u);
    EXPECT_EQ(inner->Children[0].lock(), list[2]);
    EXPECT_EQ(inner->Children[1].lock(), list[3]);
    ASSERT_EQ(outer->Children.size(), 2u);
    EXPECT_EQ(outer->Children[0].lock(), list[1]);
    EXPECT_EQ(outer->Children[1].lock(), list[4]);
    EXPECT_EQ(ComposeListText(list, false), u"abc");
    // Relinking from scratch gives the same links, not doubled children.
    LinkGroupChildren(list);
    EXPECT_EQ(outer->Children.size(), 2u);

    ViewList shortList{Item(u"x"), Group(5), Item(u"y")};
    LinkGroupChildren(shortList);
    EXPECT_EQ(shortList[1]->GroupData()->Children.size(), 1u);
}

TEST_F(ViewListTest, CompositionTakesEnabledTopLevelItemsOncePerPass) {
    auto shared = Item(u"[shared]");
    auto copy = std::make_shared<vbKerova_ViewData>();
    copy->CopyData(*shared);
    ViewList list{Item(u"A"), Item(u"-off-", false), shared, copy};
    EXPECT_EQ(ComposeListText(list, false), u"A[shared][shared]");
    EXPECT_EQ(ComposeListText(list, true), u"A-off-[shared][shared]");
    auto* counting = static_cast<CountingItem*>(list[0]->ObjectData().get());
    EXPECT_EQ(counting->calls, 1);  // asked twice in one pass, computed once
    CompositionStamp() = 2;
    ComposeListText(list, false);
    EXPECT_EQ(counting->calls, 2);
}

TEST_F(ViewListTest, ColoredRunsSplitGroupElements) {
    ViewList list{Item(u"top", true, 0xFF000000), Group(2, 0x00FF0000), Item(u"abc", true, 0x000000FF),
                  Item(u"def", true, 0xFF000000), Item(u"rest")};
    LinkGroupChildren(list);
    std::vector<std::pair<Text, std::uint32_t>> runs;
    ColoredRuns(list, [&](const Text& t, std::uint32_t c) {
        runs.emplace_back(t, c);
        return 0;
    });
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0], std::make_pair(Text(u"top"), 0x80000009u));  // no colour of its own
    EXPECT_EQ(runs[1], std::make_pair(Text(u"abc"), 0x000000FFu));  // pure red
    EXPECT_EQ(runs[2], std::make_pair(Text(u"def"), 0x00FF0000u));  // the group's colour
    EXPECT_EQ(runs[3], std::make_pair(Text(u"rest"), 0x000000FFu));
    int calls = 0;
    ColoredRuns(list, [&](const Text&, std::uint32_t) { return ++calls == 2 ? -1 : 0; });
    EXPECT_EQ(calls, 2);  // no room left: the walk stops
}

TEST_F(ViewListTest, RegistryMatchesNamesIgnoringCaseAndFallsBackToTheFirst) {
    auto& reg = ViewListRegistry::Instance();
    auto def = std::make_shared<ViewList>(), other = std::make_shared<ViewList>();
    reg.SetViewList(kDefaultListName, def);
    reg.SetViewList(u"Other.ini", other);
    EXPECT_EQ(reg.Entries().size(), 2u);
    EXPECT_EQ(reg.GetViewList(u"OTHER.INI", false), other);
    EXPECT_EQ(reg.GetViewList(u"missing", true), def);
    EXPECT_EQ(reg.GetViewList(u"missing", false), nullptr);
    auto replacement = std::make_shared<ViewList>();
    reg.SetViewList(u"other.INI", replacement);
    EXPECT_EQ(reg.Entries().size(), 2u);
    EXPECT_EQ(reg.GetViewList(u"Other.ini", false), replacement);
    int selected = -1;
    EXPECT_EQ(reg.ListNames(u"OTHER.ini", &selected).size(), 2u);
    EXPECT_EQ(selected, 1);
    // Asked from inside a registry walk (a message pumped meanwhile): no list, no hang.
    ViewListRegistry::Hold hold(reg);
    EXPECT_EQ(reg.GetViewList(kDefaultListName, true), nullptr);
}

TEST_F(ViewListTest, LoadingStopsAtTheFirstMissingOrUnknownItem) {
    test::TempFolder dir;
    dir.WriteBytes("list.ini",
                   "[ViewData0001]\r\nDataType=group\r\nTargetNum=1\r\nFontColor=0xFF\r\n"
                   "[ViewData0002]\r\nDataType=FIXED\r\nEnable=0\r\n"
                   "[ViewData0004]\r\nDataType=FIXED\r\n");
    ASSERT_TRUE(LoadViewList(dir.Path("list.ini"), u"list.ini"));
    auto list = ViewListRegistry::Instance().GetViewList(u"LIST.INI", false);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ((*list)[0]->DataType(), kKindGroup);
    EXPECT_EQ((*list)[0]->FontColor, 0xFFu);
    EXPECT_FALSE((*list)[1]->Enable);
    EXPECT_EQ((*list)[1]->Parent, (*list)[0].get());

    dir.WriteBytes("bad.ini", "[ViewData0001]\r\nDataType=CLOCKWORK\r\n");
    LoadViewList(dir.Path("bad.ini"), u"bad.ini");
    EXPECT_TRUE(ViewListRegistry::Instance().GetViewList(u"bad.ini", false)->empty());
}

}  // namespace
}  // namespace tbq
