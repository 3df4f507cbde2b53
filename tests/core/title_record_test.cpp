#include <gtest/gtest.h>

#include "core/app_state.h"
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

    // Decorates `w` with `text` the way a program that is then killed leaves it:
    // the record and the window's mark written, no restore run.
    void DecorateAndDie(platform::WindowId w, TextView text) {
        vbKerova_TitleBar writer;
        TitleRecord record(file_);
        writer.OnChange = [&](const vbKerova_TitleBar& tb) { record.Save(tb); };
        ASSERT_TRUE(writer.SetTitle(w));
        writer.ViewTitle(w, text);
        writer.OnChange = nullptr;
        writer.TargetWindow = 0;  // gone without a word: the destructor restores nothing
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
    EXPECT_TRUE(TitleRecord(file_).RestoreAfterCrash(true));
    EXPECT_EQ(wins_[editor].title, u"Editor \"draft\" ");
    EXPECT_EQ(wins_[editor].mark, 0u);
    EXPECT_FALSE(TitleRecord(file_).RestoreAfterCrash(true));  // the record is spent
}

TEST_F(TitleRecordTest, ALaterTextOfOursIsRecognisedByItsMark) {
    auto editor = wins_.Add(u"Editor");
    vbKerova_TitleBar writer;
    TitleRecord record(file_);
    writer.OnChange = [&](const vbKerova_TitleBar& tb) { record.Save(tb); };
    writer.SetTitle(editor);
    writer.ViewTitle(editor, u"12:00:00");
    writer.SetTitle(editor);
    writer.ViewTitle(editor, u"12:00:01");  // the record still says 12:00:00
    writer.OnChange = nullptr;
    writer.TargetWindow = 0;
    EXPECT_TRUE(TitleRecord(file_).RestoreAfterCrash(true));
    EXPECT_EQ(wins_[editor].title, u"Editor");
}

TEST_F(TitleRecordTest, TitlesThatAreNotOursAreLeftAlone) {
    auto retitled = wins_.Add(u"Editor");
    DecorateAndDie(retitled, u"ours");
    wins_[retitled].title = u"Editor - new file";
    EXPECT_FALSE(TitleRecord(file_).RestoreAfterCrash(true));
    EXPECT_EQ(wins_[retitled].title, u"Editor - new file");

    auto closed = wins_.Add(u"Gone");
    DecorateAndDie(closed, u"ours");
    wins_.Close(closed);
    EXPECT_FALSE(TitleRecord(file_).RestoreAfterCrash(true));
}

TEST_F(TitleRecordTest, ANormalRestoreClearsTheRecord) {
    auto editor = wins_.Add(u"Editor");
    {
        vbKerova_TitleBar writer;
        TitleRecord record(file_);
        writer.OnChange = [&](const vbKerova_TitleBar& tb) { record.Save(tb); };
        writer.SetTitle(editor);
        writer.ViewTitle(editor, u"ours");
        writer.ReturnTitle();
        writer.OnChange = nullptr;
    }
    wins_[editor].title = u"ours";  // even if the same text turns up again later
    EXPECT_FALSE(TitleRecord(file_).RestoreAfterCrash(true));
}

}  // namespace
}  // namespace tbq
