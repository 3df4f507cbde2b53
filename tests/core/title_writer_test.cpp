#include <gtest/gtest.h>

#include "core/title_writer.h"
#include "fakes/fake_windows.h"
#include "platform/ports.h"

#ifndef _WIN32
#include "platform/host/host_ports.h"
#endif

namespace tbq {
namespace {

class TitleWriterTest : public ::testing::Test {
protected:
    // One tick of the writer as the update tick drives it; the composed text is
    // the window's own title followed by `suffix` when `withTitle`.
    void Decorate(vbKerova_TitleBar& tb, platform::WindowId w, TextView suffix,
                  bool withTitle = false) {
        ASSERT_TRUE(tb.SetTitle(w));
        tb.ViewTitle(w, (withTitle ? tb.OldTitle() : Text()) + Text(suffix));
    }

    test::FakeWindows wins_;
    platform::ScopedPorts ports_{platform::Ports{.windows = &wins_}};
};

TEST_F(TitleWriterTest, KeepsTheOwnTitleAcrossTicksAndRestoresItOnTheNextTarget) {
    auto editor = wins_.Add(u"Editor");
    auto other = wins_.Add(u"Other");
    vbKerova_TitleBar tb;
    for (int tick = 0; tick < 3; ++tick) {
        Decorate(tb, editor, u" 12:0" + NumberText(tick), true);
        EXPECT_EQ(tb.OriginalTitle, u"Editor");
        EXPECT_EQ(wins_[editor].title, u"Editor 12:0" + NumberText(tick));  // never appended twice
    }
    Decorate(tb, other, u"x");
    EXPECT_EQ(wins_[editor].title, u"Editor");
    EXPECT_EQ(tb.OriginalTitle, u"Other");
}

TEST_F(TitleWriterTest, ARetitledWindowsNewTitleBecomesItsOwn) {
    auto editor = wins_.Add(u"Editor");
    vbKerova_TitleBar tb;
    Decorate(tb, editor, u"Editor 12:00");
    wins_[editor].title = u"Editor - file";  // the program retitles itself
    Decorate(tb, editor, u" 12:01", true);
    EXPECT_EQ(tb.OriginalTitle, u"Editor - file");
    EXPECT_EQ(wins_[editor].title, u"Editor - file 12:01");
    // Retitled again after our last write: the restore leaves its title alone.
    wins_[editor].title = u"Another";
    tb.ReturnTitle();
    EXPECT_EQ(wins_[editor].title, u"Another");
    EXPECT_EQ(tb.TargetWindow, 0u);
    EXPECT_EQ(tb.OriginalTitle, u"");
}

TEST_F(TitleWriterTest, GoneWindowsAndOwnWindows) {
    auto main = wins_.Add(u"Settings");
    auto editor = wins_.Add(u"Editor");
    vbKerova_TitleBar tb([&](platform::WindowId w) { return w == main; });
    EXPECT_EQ(tb.OldTitle(), u"Lunetta");
    Decorate(tb, editor, u"text");
    wins_.Close(editor);
    EXPECT_FALSE(tb.SetTitle(editor));
    EXPECT_FALSE(tb.ViewTitle(editor, u"x"));
    EXPECT_EQ(tb.TargetWindow, 0u);
    ASSERT_TRUE(tb.SetTitle(main));
    EXPECT_EQ(tb.OldTitle(), u"Lunetta");
}

TEST_F(TitleWriterTest, TheEndOfTheWriterRestoresTheLastTitle) {
    auto editor = wins_.Add(u"Editor");
    {
        vbKerova_TitleBar tb;
        Decorate(tb, editor, u"composed");
    }
    EXPECT_EQ(wins_[editor].title, u"Editor");
}

TEST_F(TitleWriterTest, AHungWindowIsSkippedAndRestoredOnceItAnswers) {
    auto hung = wins_.Add(u"Busy");
    auto other = wins_.Add(u"Other");
    vbKerova_TitleBar tb;
    Decorate(tb, hung, u"ours");
    wins_[hung].hung = true;
    EXPECT_FALSE(tb.ViewTitle(hung, u"ours again"));
    Decorate(tb, other, u"x");  // the restore cannot be written yet
    EXPECT_EQ(wins_[hung].title, u"ours");
    EXPECT_EQ(tb.PendingRestores(), 1u);
    wins_[hung].hung = false;
    Decorate(tb, other, u"y");
    EXPECT_EQ(wins_[hung].title, u"Busy");
    EXPECT_EQ(tb.PendingRestores(), 0u);

    // Once more, but a clock text of ours that timed out arrives late and the
    // restore does not: the text is known as ours by its mark and still goes.
    Decorate(tb, hung, u"12:00:00");
    wins_[hung].hung = true;
    EXPECT_FALSE(tb.ViewTitle(hung, u"12:00:01"));
    wins_[hung].late = u"12:00:01";
    Decorate(tb, other, u"z");
    wins_.Wake(hung);
    ASSERT_EQ(wins_[hung].title, u"12:00:01");
    Decorate(tb, other, u"z");
    EXPECT_EQ(wins_[hung].title, u"Busy");
    EXPECT_EQ(tb.PendingRestores(), 0u);
}

TEST_F(TitleWriterTest, WaitingRestoresAreTriedWhileNothingIsDecorated) {
    auto hung = wins_.Add(u"Busy");
    vbKerova_TitleBar tb;
    Decorate(tb, hung, u"ours");
    wins_[hung].hung = true;
    tb.ReturnTitle();
    ASSERT_EQ(tb.PendingRestores(), 1u);
    tb.RetryPendingRestores();
    EXPECT_EQ(tb.PendingRestores(), 1u);
    wins_[hung].hung = false;
    tb.RetryPendingRestores();
    EXPECT_EQ(wins_[hung].title, u"Busy");
    EXPECT_EQ(tb.PendingRestores(), 0u);
}

TEST_F(TitleWriterTest, AHungWindowThatComesBackKeepsItsOwnTitle) {
    auto hung = wins_.Add(u"Busy");
    auto other = wins_.Add(u"Other");
    vbKerova_TitleBar tb;
    Decorate(tb, hung, u"ours");
    wins_[hung].hung = true;
    Decorate(tb, other, u"x");
    wins_[hung].hung = false;
    Decorate(tb, hung, u"ours 2");  // back before the restore went through
    EXPECT_EQ(tb.OriginalTitle, u"Busy");
    Decorate(tb, other, u"x");
    EXPECT_EQ(wins_[hung].title, u"Busy");
}

TEST_F(TitleWriterTest, AWriteThatArrivesLateIsStillRecognisedAsOurs) {
    auto busy = wins_.Add(u"Busy");
    auto other = wins_.Add(u"Other");
    vbKerova_TitleBar tb;
    Decorate(tb, busy, u"12:00:00");
    wins_[busy].hung = true;
    wins_[busy].deliverLate = true;
    Decorate(tb, busy, u"12:00:01");  // times out, arrives later
    wins_.Wake(busy);
    ASSERT_EQ(wins_[busy].title, u"12:00:01");
    Decorate(tb, busy, u"12:00:02");
    EXPECT_EQ(tb.OriginalTitle, u"Busy");  // not our own late text
    Decorate(tb, other, u"x");
    EXPECT_EQ(wins_[busy].title, u"Busy");
}

#ifndef _WIN32
TEST_F(TitleWriterTest, NarrowModeComparesWithTheConvertedText) {
    platform::IconvCodePage cp1252(1252);
    platform::ScopedPorts cp(platform::Ports{.codepage = &cp1252});
    auto editor = wins_.Add(u"Editor");
    vbKerova_TitleBar tb({}, [] { return false; });
    Decorate(tb, editor, u"Editor 時計");  // not in the code page
    EXPECT_EQ(wins_[editor].title, u"Editor ??");
    EXPECT_EQ(tb.ShownTitle, u"Editor ??");
    Decorate(tb, editor, u"Editor 時計");
    EXPECT_EQ(tb.OriginalTitle, u"Editor");  // still recognised as ours
}
#endif

}  // namespace
}  // namespace tbq
