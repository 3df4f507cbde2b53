// The Win32 adapters where they do more than pass a call through.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <thread>

#include "core/helpers.h"
#include "fakes/temp_folder.h"
#include "platform/ports.h"
#include "win32/wide.h"

namespace tbq {
namespace {

Text OwnExecutable() {
    wchar_t buf[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
    return win32::FromWide(std::wstring_view(buf, n));
}

TEST(Win32PlatformTest, VersionStringsComeFromTheJapaneseStringTable) {
    EXPECT_EQ(GetVersionString(u"ProductVersion", OwnExecutable()), u"1.2.3 テスト");
    EXPECT_EQ(GetVersionString(u"FileDescription", OwnExecutable()), u"TBQ のテスト");
    EXPECT_EQ(GetVersionString(u"Comments", OwnExecutable()), u"");
    test::TempFolder dir;
    dir.WriteBytes("plain.txt", "no resources here");
    EXPECT_EQ(GetVersionString(u"ProductVersion", dir.Path("plain.txt")), u"(N/A)");
    EXPECT_EQ(GetVersionString(u"ProductVersion", dir.Path("missing.exe")), u"(N/A)");
}

TEST(Win32PlatformTest, FilesPortListsAndReplaces) {
    test::TempFolder dir;
    dir.WriteBytes("One.ini", "1");
    platform::Files& files = platform::files();
    auto names = files.ListFolder(dir.Path());
    ASSERT_TRUE(names.has_value());
    EXPECT_EQ(*names, std::vector<Text>{u"One.ini"});
    EXPECT_FALSE(files.ListFolder(dir.Path("nowhere")).has_value());

    // Another program reading the file for a moment (as a virus scanner does,
    // without letting it be deleted) delays the replace instead of failing it,
    // and leaves nothing else in the folder.
    FILE* reader = _wfopen(win32::Wide(dir.Path("One.ini")).c_str(), L"rb");
    ASSERT_NE(reader, nullptr);
    std::thread closer([reader] {
        Sleep(150);
        std::fclose(reader);
    });
    EXPECT_TRUE(files.ReplaceAtomically(dir.Path("One.ini"), "replaced"));
    closer.join();
    EXPECT_EQ(dir.ReadBytes("One.ini"), "replaced");
    EXPECT_EQ(files.ListFolder(dir.Path()), std::optional(std::vector<Text>{u"One.ini"}));
    ASSERT_TRUE(files.SetReadOnly(dir.Path("One.ini"), true));
    EXPECT_FALSE(files.ReplaceAtomically(dir.Path("One.ini"), "refused"));
    EXPECT_EQ(dir.ReadBytes("One.ini"), "replaced");
    EXPECT_EQ(PrepareFileForWrite(dir.Path("ONE.INI")), kFileReady);
    EXPECT_EQ(files.IsReadOnly(dir.Path("One.ini")), std::optional<bool>(false));
    EXPECT_EQ(PrepareFileForWrite(dir.Path("two.ini")), kFileMissing);
}

TEST(Win32PlatformTest, AReplacedFileKeepsItsAttributes) {
    test::TempFolder dir;
    dir.WriteBytes("Kept.ini", "old");
    const std::wstring path = win32::Wide(dir.Path("Kept.ini"));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    // A hidden temporary file left by a replace that was cut short.
    dir.WriteBytes("Kept.ini.tbq~", "half");
    ASSERT_TRUE(SetFileAttributesW(win32::Wide(dir.Path("Kept.ini.tbq~")).c_str(),
                                   FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(platform::files().ReplaceAtomically(dir.Path("Kept.ini"), "new"));
    EXPECT_EQ(dir.ReadBytes("Kept.ini"), "new");
    // (The creation time is kept too, but Wine cannot set it on this file system.)
    EXPECT_EQ(GetFileAttributesW(path.c_str()), DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE});
    // Nothing is left beside it.
    auto names = platform::files().ListFolder(dir.Path());
    ASSERT_TRUE(names.has_value());
    EXPECT_EQ(*names, std::vector<Text>{u"Kept.ini"});
    // A new file is simply moved in.
    ASSERT_TRUE(platform::files().ReplaceAtomically(dir.Path("New.ini"), "fresh"));
    EXPECT_EQ(dir.ReadBytes("New.ini"), "fresh");
}

}  // namespace
}  // namespace tbq
