#include "uimodel/list_commands.h"

#include <gtest/gtest.h>

#include "alarm/alarm.h"
#include "app/app_state.h"
#include "fakes/fake_dialogs.h"
#include "items/view_fixed.h"
#include "items/view_group.h"

namespace tbq::uimodel {
namespace {

using platform::BoxAnswer;

std::shared_ptr<vbKerova_Alarm> Alarm(const char16_t* name) {
    auto a = std::make_shared<vbKerova_Alarm>();
    a->AlarmName = name;
    return a;
}

std::shared_ptr<vbKerova_ViewData> Group(int target) {
    auto g = std::make_shared<vbKerova_View_Group>();
    g->TargetNum = static_cast<std::uint8_t>(target);
    auto item = std::make_shared<vbKerova_ViewData>();
    item->SetData(g, vbKerova_ViewData::kNoColor, true);
    return item;
}
std::shared_ptr<vbKerova_ViewData> Fixed() {
    auto item = std::make_shared<vbKerova_ViewData>();
    item->SetData(std::make_shared<vbKerova_View_Fixed>(), vbKerova_ViewData::kNoColor, true);
    return item;
}

Text Names(const AlarmList& list) {
    Text out;
    for (const auto& a : list) out += a->AlarmName;
    return out;
}

TEST(ListCommands, MovesInsertsAndRemovesByObject) {
    AlarmList list{Alarm(u"a"), Alarm(u"b"), Alarm(u"c")};
    const auto a = list[0], b = list[1], c = list[2];
    const auto gone = Alarm(u"x");
    struct Step {
        const char* what;
        std::function<bool()> run;
        const char16_t* order;
        bool result;
    };
    const Step steps[] = {
        {"up at the top", [&] { return MoveObject(list, a.get(), true); }, u"abc", false},
        {"down at the bottom", [&] { return MoveObject(list, c.get(), false); }, u"abc", false},
        {"not in the list", [&] { return MoveObject(list, gone.get(), true); }, u"abc", false},
        {"c up", [&] { return MoveObject(list, c.get(), true); }, u"acb", true},
        {"a down", [&] { return MoveObject(list, a.get(), false); }, u"cab", true},
        {"x before b", [&] { InsertObject(list, gone, b.get()); return true; }, u"caxb", true},
        {"d before one that left: at the end",
         [&] { InsertObject(list, Alarm(u"d"), Alarm(u"y").get()); return true; }, u"caxbd", true},
        {"remove x", [&] { return RemoveObject(list, gone.get()) == b; }, u"cabd", true},
        {"remove the last: the new last is selected",
         [&] { return RemoveObject(list, list.back().get()) == b; }, u"cab", true},
        {"remove one already gone", [&] { return RemoveObject(list, gone.get()) == nullptr; }, u"cab", true},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(s.run(), s.result) << s.what;
        EXPECT_EQ(Names(list), s.order) << s.what;
    }
}

TEST(ListCommands, ADisplayListKeepsItsGroupLinksSound) {
    // group(2) f1 f2 f3: the group gathers f1 and f2.
    ViewList list{Group(2), Fixed(), Fixed(), Fixed()};
    LinkGroupChildren(list);
    const auto group = list[0], f1 = list[1], f2 = list[2], f3 = list[3];
    ASSERT_EQ(f2->Parent, group.get());

    MoveObject(list, f3.get(), true);  // group f1 f3 f2
    EXPECT_EQ(f3->Parent, group.get());
    EXPECT_EQ(f2->Parent, nullptr);

    MoveObject(list, group.get(), false);  // f1 group f3 f2
    EXPECT_EQ(f1->Parent, nullptr);
    EXPECT_EQ(f2->Parent, group.get());

    RemoveObject(list, group.get());  // f1 f3 f2, no group left to point at
    for (const auto& item : list) EXPECT_EQ(item->Parent, nullptr);

    InsertObject(list, Group(1), f3.get());  // f1 group f3 f2
    EXPECT_EQ(f3->Parent, list[1].get());
}

class DeleteTest : public ::testing::Test {
protected:
    AppState app_;
    test::FakeDialogs dialogs_;
    AlarmList& list_ = app_.AlarmList;
    void SetUp() override { list_ = {Alarm(u"a"), Alarm(u"b"), Alarm(u"c")}; }
    DeleteResult Delete(const std::shared_ptr<vbKerova_Alarm>& a,
                        std::shared_ptr<vbKerova_Alarm>* select = nullptr) {
        return DeleteWithQuestion(list_, a, Page::Alarm, u"説明", app_, dialogs_, 0, select);
    }
};

TEST_F(DeleteTest, WithoutConfirmationNothingIsAsked) {
    app_.settings.AlarmDelCheck = false;
    std::shared_ptr<vbKerova_Alarm> select;
    const auto b = list_[1];
    EXPECT_TRUE(Delete(b, &select).deleted);
    EXPECT_EQ(select, list_[1]);  // c took b's line
    EXPECT_EQ(Names(list_), u"ac");
    EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(DeleteTest, TheQuestionDecidesAndItsCheckBoxTurnsConfirmationOff) {
    struct Case {
        const char* what;
        BoxAnswer answer;
        bool tick;
        const char16_t* left;
        bool delCheckAfter;
    };
    const Case cases[] = {
        {"No keeps the alarm", BoxAnswer::No, false, u"abc", true},
        {"No with the box ticked still turns the question off", BoxAnswer::No, true, u"abc", false},
        {"Yes deletes", BoxAnswer::Yes, false, u"ac", true},
        {"Yes with the box ticked", BoxAnswer::Yes, true, u"ac", false},
    };
    for (const Case& c : cases) {
        SetUp();
        app_.settings.AlarmDelCheck = true;
        dialogs_ = {};
        dialogs_.answers = {c.answer};
        dialogs_.ticks = {c.tick};
        const DeleteResult r = Delete(list_[1]);
        EXPECT_EQ(Names(list_), c.left) << c.what;
        EXPECT_EQ(app_.settings.AlarmDelCheck, c.delCheckAfter) << c.what;
        EXPECT_EQ(r.delCheckTurnedOff, !c.delCheckAfter) << c.what;
        ASSERT_EQ(dialogs_.shown.size(), 1u);
        EXPECT_EQ(dialogs_.shown[0].text, u"説明\r\nこの項目を削除しますか？");
        EXPECT_EQ(dialogs_.shown[0].caption, u"アラームの削除");
        EXPECT_EQ(dialogs_.shown[0].checkText, u"次回以降表示しない(&R)");
    }
}

TEST_F(DeleteTest, AnObjectThatLeavesDuringTheQuestionIsNotReplacedByItsNeighbour) {
    // The check timer removes the alarm while the question is open.
    const auto b = list_[1];
    dialogs_.answers = {BoxAnswer::Yes};
    dialogs_.whileAsking = [&] { RemoveObject(list_, b.get()); };
    std::shared_ptr<vbKerova_Alarm> select = list_[0];
    EXPECT_FALSE(Delete(b, &select).deleted);
    EXPECT_EQ(Names(list_), u"ac");
    EXPECT_EQ(select, list_[0]);
}

TEST(DeferredListCommand, ActsOnTheChosenObjectOrOnNothing) {
    AlarmList list{Alarm(u"a"), Alarm(u"b"), Alarm(u"c")};
    auto b = list[1];
    DeferredListCommand chosen(Page::Alarm, PopupCommand::Delete, b);
    // The list is reordered before the timer fires: still b, not line 1.
    MoveObject(list, b.get(), true);
    EXPECT_EQ(chosen.Target(list), b);

    RemoveObject(list, b.get());  // gone from the list, still held by an editor
    EXPECT_EQ(chosen.Target(list), nullptr);
    b.reset();  // and destroyed
    EXPECT_EQ(chosen.Target(list), nullptr);

    DeferredListCommand later(Page::Alarm, PopupCommand::Edit, list[0]);
    later.Disarm();
    EXPECT_FALSE(later.Armed());
    EXPECT_EQ(later.Target(list), nullptr);
    EXPECT_EQ(DeferredListCommand().Target(list), nullptr);
}

}  // namespace
}  // namespace tbq::uimodel
