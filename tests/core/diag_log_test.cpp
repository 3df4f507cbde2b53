// The diagnostic log: its switch, its bound on disk, and the once-per-window
// lines of the tick, over a file kept in memory that can be made to fail.
#include "core/diag_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "fakes/fake_clock.h"
#include "fakes/fake_windows.h"
#include "platform/ports.h"

namespace tbq {
namespace {

struct MemoryLogFile final : platform::LogFile {
    std::map<Text, std::string> files;
    bool appendFails = false, renameFails = false;
    int sizeQuestions = 0;

    std::optional<std::int64_t> Size(const Text& path) override {
        ++sizeQuestions;
        auto it = files.find(path);
        return it == files.end() ? 0 : static_cast<std::int64_t>(it->second.size());
    }
    bool Append(const Text& path, std::string_view bytes) override {
        if (appendFails) return false;
        files[path] += bytes;
        return true;
    }
    bool Rename(const Text& from, const Text& to) override {
        if (renameFails || !files.count(from)) return false;
        files[to] = std::move(files[from]);
        files.erase(from);
        return true;
    }
    std::size_t Lines(const Text& path) const {
        auto it = files.find(path);
        return it == files.end() ? 0 : static_cast<std::size_t>(std::count(it->second.begin(), it->second.end(), '\n'));
    }
};

class DiagLogTest : public ::testing::Test {
protected:
    DiagLogTest() { clock_.local = platform::ClockTime{2026, 12, 9, 3, 14, 5, 9, 42}; }

    const Text kNew = u"C:\\p\\TBQ_Log.txt", kOld = u"C:\\p\\TBQ_Log.old.txt";
    test::FakeClock clock_;
    test::FakeWindows windows_;
    platform::ScopedPorts ports_{platform::Ports{.clock = &clock_, .windows = &windows_}};
    MemoryLogFile file_;
    bool on_ = true;
    DiagLog log_{file_, u"C:\\p\\", on_};
};

// Lines that come before the settings wait for the switch; with it off no file
// is ever made, and switching it on in the settings window starts writing.
TEST_F(DiagLogTest, EarlyLinesWaitForTheSwitchAndNothingIsWrittenWhileItIsOff) {
    on_ = false;
    log_.Write(u"起動");
    log_.SwitchKnown();
    log_.Write(u"読み込み");
    EXPECT_TRUE(file_.files.empty());

    on_ = true;
    log_.Write(u"一行目\r\n二行目");
    EXPECT_EQ(file_.files[kNew], "2026-12-09 14:05:09.042 一行目  二行目\r\n");

    bool later = true;
    DiagLog early(file_, u"C:\\q\\", later);
    early.Write(u"起動");
    EXPECT_FALSE(file_.files.count(u"C:\\q\\TBQ_Log.txt")) << "not before the switch is known";
    early.SwitchKnown();
    EXPECT_EQ(file_.files[u"C:\\q\\TBQ_Log.txt"], "2026-12-09 14:05:09.042 起動\r\n");
}

// A long run of events: the file never passes its bound, one older file is
// kept, no line is split between them, and failures of the file are swallowed.
TEST_F(DiagLogTest, TheFileStaysWithinItsBoundAndKeepsOneOlderFile) {
    log_.SwitchKnown();
    const Text event(200, u'x');
    const std::size_t lineBytes = 24 + 200 + 2;
    const std::size_t perFile = DiagLog::kLimit / lineBytes;
    for (std::size_t i = 0; i < 3 * perFile + 10; ++i) log_.Write(event);
    EXPECT_LE(file_.files[kNew].size(), static_cast<std::size_t>(DiagLog::kLimit));
    EXPECT_EQ(file_.Lines(kOld), perFile) << "the older file was full";
    EXPECT_EQ(file_.Lines(kNew), 10u);
    EXPECT_EQ(file_.sizeQuestions, 1) << "the size is asked once, then counted";

    // A file that cannot be appended to is asked its size again; one that
    // cannot be renamed is not written past its bound; nothing fails the caller.
    file_.appendFails = true;
    log_.Write(event);
    file_.appendFails = false;
    file_.files[kNew] = std::string(DiagLog::kLimit - 10, '.');
    file_.renameFails = true;
    log_.Write(event);
    EXPECT_EQ(file_.files[kNew].size(), static_cast<std::size_t>(DiagLog::kLimit - 10));
    file_.renameFails = false;
    log_.Write(event);
    EXPECT_EQ(file_.files[kOld].size(), static_cast<std::size_t>(DiagLog::kLimit - 10));
    EXPECT_EQ(file_.Lines(kNew), 1u);
}

// The tick reports the window in front that it did not decorate: once per
// window and reason, however many ticks it stays in front.
TEST_F(DiagLogTest, AWindowIsReportedOncePerReason) {
    log_.SwitchKnown();
    const platform::WindowId a = windows_.Add(u"パスワード入力"), b = windows_.Add(u"メモ帳");
    struct Step {
        platform::WindowId w;
        SkipReason why;
        bool written;
    };
    const Step steps[] = {
        {a, SkipReason::Excluded, true},   // news
        {a, SkipReason::Excluded, false},  // the next tick
        {b, SkipReason::NotPermitted, true},
        {a, SkipReason::Excluded, false},  // back in front: written before
        {a, SkipReason::Hung, true},       // a new reason
        {a, SkipReason::Excluded, false},
        {b, SkipReason::NotPermitted, false},
    };
    std::size_t lines = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(&s - steps);
        log_.NotDecorated(s.w, s.why, u"パスワード");
        lines += s.written;
        EXPECT_EQ(file_.Lines(kNew), lines);
    }
    const std::string& text = file_.files[kNew];
    EXPECT_NE(text.find("「パスワード入力」 (TestWindow): 除外ルール「パスワード」に一致"), std::string::npos) << text;
    EXPECT_NE(text.find("許可ウインドウのみ"), std::string::npos);

    // Off, nothing is looked at or written.
    on_ = false;
    log_.NotDecorated(windows_.Add(u"c"), SkipReason::OwnWindow);
    EXPECT_EQ(file_.Lines(kNew), lines);
}

}  // namespace
}  // namespace tbq
