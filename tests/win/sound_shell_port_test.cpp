// The sound and shell ports as installed by default, against the real system:
// a reply text cut at its end, a failed command read as no reply, and the
// shell's open handing parameters and folder to the program it starts.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "fakes/temp_folder.h"
#include "platform/ports.h"

namespace tbq {
namespace {

TEST(Win32SoundPortTest, RepliesEndAtTheirTextAndFailuresGiveNone) {
    const Text count = platform::sound().SendCommand(u"sysinfo all quantity");
    EXPECT_FALSE(count.empty());
    EXPECT_EQ(count.find_first_not_of(u"0123456789"), Text::npos) << "not a bare number";
    EXPECT_EQ(platform::sound().SendCommand(u"status tbq_no_such_alias mode"), u"");
}

std::filesystem::path OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path();
}

Text AsText(const std::filesystem::path& path) {
    const std::u16string p = path.u16string();
    return Text(p.begin(), p.end());
}

TEST(Win32ShellPortTest, OpenStartsTheProgramWithItsParametersInItsFolder) {
    // A copy of the recorder of its own, so that its log is this test's alone.
    test::TempFolder dir;
    const std::filesystem::path bin = dir.Native("bin"), log = bin / "argdump.log",
                                start = dir.Native() / std::filesystem::path(u8"始める folder");
    std::filesystem::create_directory(bin);
    std::filesystem::create_directory(start);
    std::filesystem::copy_file(OwnFolder() / "argdump.exe", bin / "argdump.exe");
    const std::u8string cwd = start.u8string();
    const std::string expected = "run\ncwd=" + std::string(cwd.begin(), cwd.end()) +
                                 "\narg=one\narg=two three\narg=\xE5\x9B\x9B\narg=\n";
    for (const char16_t* verb : {u"", u"open"}) {
        std::filesystem::remove(log);
        platform::shell().Open(verb, AsText(bin / "argdump.exe"), u"one \"two three\" 四 \"\"",
                               AsText(start));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (dir.ReadBytes("bin/argdump.log").empty() &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        // The block ends with the time it ran.
        const std::string got = dir.ReadBytes("bin/argdump.log");
        EXPECT_EQ(got.substr(0, got.rfind("at=")), expected) << (*verb ? "open" : "default verb");
    }
}

}  // namespace
}  // namespace tbq
