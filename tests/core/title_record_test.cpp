#include <gtest/gtest.h>

#include "core/helpers.h"
#include "core/title_record.h"
#include "fakes/fake_windows.h"
#include "fakes/temp_folder.h"
#include "platform/ports.h"
#include "settings/ini_store.h"

namespace tbq {
namespace {

class TitleRecordTest : public ::testing::Test {
protected:
    void SetUp() override { IniStore::Instance().Reset(); }
    void TearDown() override { IniStore::Instance().Reset(); }

    // A title writer whose every change goes to the record, as in the program.
    struct RecordedWriter {
        explicit RecordedWriter(const Text& file) : record(file) {
            writer.OnChange = [this](const vbKerova_TitleBar& tb) { record.Save(tb); };
        }
        ~RecordedWriter() { writer.OnChange = nullptr; }
        void Show(platform::WindowId w, TextView text) {
            ASSERT_TRUE(writer.SetTitle(w));
            writer.ViewTitle(w, text);
        }
        // Gone without a word: nothing restored, nothing more recorded.
        void Die() {
            writer.OnChange = nullptr;
            writer.TargetWindow = 0;
        }
        TitleRecord record;
        vbKerova_TitleBar writer;
    };

    // Decorates `w` with `text` the way a program that is then killed leaves it:
    // the record and the window's mark written, no restore run.
    void DecorateAndDie(platform::WindowId w, TextView text) {
        RecordedWriter run(file_);
        run.Show(w, text);
        run.Die();
    }

    test::FakeWindows wins_;
    platform::ScopedPorts ports_{platform::Ports{.windows = &wins_}};
    test::TempFolder dir_;
    Text file_ = dir_.Path("TBQ_Restore.ini");
};

TEST_F(TitleRecordTest, AKilledProgramsTitleIsGivenBackAtTheNextStart) {
    auto editor = wins_.Add(u"Editor \"draft\" ");
    DecorateAndDie(editor, u"<2026/12/08 12:00:00>");
    EXPECT_EQ(wins_[editor].title, u"<2026/12/08 12:00:00>");
    EXPECT_EQ(TitleRecord(file_).RestoreAfterCrash(true).restored, 1u);
    EXPECT_EQ(wins_[editor].title, u"Editor \"draft\" ");
    EXPECT_EQ(wins_[editor].mark, 0u);
    // The record is spent: even our text back in the title is not acted on again.
    wins_[editor].title = u"<2026/12/08 12:00:00>";
    EXPECT_EQ(TitleRecord(file_).RestoreAfterCrash(true).restored, 0u);
}

TEST_F(TitleRecordTest, ALaterTextOfOursIsRecognisedByItsMark) {
    auto editor = wins_.Add(u"Editor");
    {
        RecordedWriter run(file_);
        run.Show(editor, u"12:00:00");
        run.Show(editor, u"12:00:01");  // the record still says 12:00:00
        run.Die();
    }
    EXPECT_EQ(TitleRecord(file_).RestoreAfterCrash(true).restored, 1u);
    EXPECT_EQ(wins_[editor].title, u"Editor");
}

TEST_F(TitleRecordTest, TitlesThatAreNotOursAreLeftAlone) {
    auto retitled = wins_.Add(u"Editor");
    DecorateAndDie(retitled, u"ours");
    wins_[retitled].title = u"Editor - new file";
    EXPECT_EQ(TitleRecord(file_).RestoreAfterCrash(true).restored, 0u);
    EXPECT_EQ(wins_[retitled].title, u"Editor - new file");

    auto closed = wins_.Add(u"Gone");
    DecorateAndDie(closed, u"ours");
    wins_.Close(closed);
    EXPECT_EQ(TitleRecord(file_).RestoreAfterCrash(true).restored, 0u);
}

TEST_F(TitleRecordTest, ANormalRestoreClearsTheRecord) {
    auto editor = wins_.Add(u"Editor");
    {
        RecordedWriter run(file_);
        run.Show(editor, u"ours");
        run.writer.ReturnTitle();
    }
    wins_[editor].title = u"ours";  // even if the same text turns up again later
    EXPECT_EQ(TitleRecord(file_).RestoreAfterCrash(true).restored, 0u);
}

TEST_F(TitleRecordTest, WindowsHungAtTheQuitGetTheirTitlesBackLater) {
    auto first = wins_.Add(u"First"), second = wins_.Add(u"Second"), fine = wins_.Add(u"Fine");
    {
        RecordedWriter run(file_);
        for (auto w : {first, second}) {
            run.Show(w, u"ours");
            wins_[w].hung = true;
        }
        run.Show(fine, u"ours");
        run.writer.ReturnTitle();  // the quit: two windows cannot take their titles
        ASSERT_EQ(run.writer.PendingRestores(), 2u);
    }
    EXPECT_EQ(wins_[fine].title, u"Fine");

    // The next start: one window answers again, the other is still hung and is
    // handed to the new writer, whose ticks finish the job once it answers.
    // Until the writer has it, it stays in the record (a start cut short by a
    // crash must not lose it).
    wins_[first].hung = false;
    TitleRecord::AfterCrash outcome = TitleRecord(file_).RestoreAfterCrash(true);
    EXPECT_EQ(outcome.restored, 1u);
    EXPECT_EQ(wins_[first].title, u"First");
    ASSERT_EQ(outcome.waiting.size(), 1u);
    EXPECT_EQ(outcome.waiting[0].window, second);
    outcome = TitleRecord(file_).RestoreAfterCrash(true);
    EXPECT_EQ(outcome.restored, 0u);
    ASSERT_EQ(outcome.waiting.size(), 1u);
    EXPECT_EQ(outcome.waiting[0].window, second);

    {
        RecordedWriter run(file_);
        run.writer.KeepPending(std::move(outcome.waiting));
        run.writer.SetTitle(fine);
        EXPECT_EQ(wins_[second].title, u"ours");
        wins_[second].hung = false;
        run.writer.SetTitle(fine);
        EXPECT_EQ(wins_[second].title, u"Second");
        EXPECT_EQ(run.writer.PendingRestores(), 0u);
    }
    // Settled: nothing is left for a later start, even if our text came back.
    wins_[second].title = u"ours";
    EXPECT_EQ(TitleRecord(file_).RestoreAfterCrash(true).restored, 0u);
    EXPECT_EQ(wins_[second].title, u"ours");
}

TEST_F(TitleRecordTest, AnOddRecordIsReadOnlyAsFarAsItMakesSense) {
    auto editor = wins_.Add(u"ours");
    auto ascii = [](TextView t) { return std::string(t.begin(), t.end()); };
    // A window number that is no number, and a count far beyond what is kept.
    dir_.WriteBytes("TBQ_Restore.ini", "[Decorated]\r\nWindow=zz\r\n[Pending]\r\nCount=100000\r\n"
                                       "Window1=" + std::to_string(editor) + "\r\nOwnTitle1=" +
                                           ascii(HexEncodeText(u"Editor")) + "\r\nShown1=" +
                                           ascii(HexEncodeText(u"ours")) + "\r\n");
    TitleRecord::AfterCrash outcome = TitleRecord(file_).RestoreAfterCrash(true);
    EXPECT_EQ(outcome.restored, 1u);
    EXPECT_EQ(wins_[editor].title, u"Editor");
    EXPECT_TRUE(outcome.waiting.empty());
}

}  // namespace
}  // namespace tbq
