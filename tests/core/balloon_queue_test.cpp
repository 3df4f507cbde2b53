// Balloons over the tray icon one after the other: each shows only once the
// one before has had its time, so two reports close together are both seen.
#include <gtest/gtest.h>

#include "core/balloon_queue.h"
#include "fakes/fake_library.h"
#include "platform/ports.h"

namespace tbq {
namespace {

class BalloonQueueTest : public ::testing::Test {
protected:
    std::vector<Text> Shown() const { return library_.BalloonTexts(); }

    test::FakeLibrary library_;
    vbKerova_Dll dll_{library_, {}};
    BalloonQueue queue_;
};

TEST_F(BalloonQueueTest, ABalloonIsShownByAddingTheIconAgainAndThenSwitchedOff) {
    queue_.Push({u"題", u"本文", kBalloonWarning});
    EXPECT_TRUE(queue_.Pump(dll_, 0));
    const std::string ansi = platform::codepage().ToAnsi(u"題");
    EXPECT_EQ(library_.trayCalls,
              (std::vector<std::string>{"8 2", "title " + ansi, "text " + platform::codepage().ToAnsi(u"本文"),
                                        "5 1", "remove", "add", "5 0"}));
}

TEST_F(BalloonQueueTest, BalloonsAskedTogetherShowOneAfterTheOtherAcrossTheTickWrap) {
    const std::uint32_t t0 = 0xFFFFF000u;  // the tick count wraps 4096 ms later
    queue_.Push({u"", u"a", kBalloonWarning});
    queue_.Push({u"", u"b", kBalloonWarning});
    struct Step {
        std::uint32_t after;
        bool again;
        std::vector<Text> shown;
    };
    const Step steps[] = {
        {0, true, {u"a"}},
        {0, true, {u"a"}},
        {BalloonQueue::kShowMs - 1, true, {u"a"}},
        {BalloonQueue::kShowMs, true, {u"a", u"b"}},
        {2 * BalloonQueue::kShowMs - 1, true, {u"a", u"b"}},
        {2 * BalloonQueue::kShowMs, false, {u"a", u"b"}},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(queue_.Pump(dll_, t0 + s.after), s.again) << s.after;
        EXPECT_EQ(Shown(), s.shown) << s.after;
    }
    // Long after, a new one shows at once.
    queue_.Push({u"", u"c", kBalloonWarning});
    EXPECT_TRUE(queue_.Pump(dll_, t0 + 100000));
    EXPECT_EQ(Shown(), (std::vector<Text>{u"a", u"b", u"c"}));
}

TEST_F(BalloonQueueTest, ABalloonShownByOtherMeansIsGivenItsTimeAndClearDropsTheWaiting) {
    queue_.Shown(500);  // the welcome
    queue_.Push({u"", u"a", kBalloonWarning});
    EXPECT_TRUE(queue_.Pump(dll_, 501));
    EXPECT_TRUE(Shown().empty());
    EXPECT_TRUE(queue_.Pump(dll_, 500 + BalloonQueue::kShowMs));
    EXPECT_EQ(Shown(), (std::vector<Text>{u"a"}));

    queue_.Push({u"", u"b", kBalloonWarning});
    queue_.Clear();
    EXPECT_FALSE(queue_.Pump(dll_, 500 + 3 * BalloonQueue::kShowMs));
    EXPECT_EQ(Shown(), (std::vector<Text>{u"a"}));
}

}  // namespace
}  // namespace tbq
