// Every dialog of TBQ.exe, made in Japanese and in English at 96 and at 144
// pixels per inch: no label, button or check box text wider or taller than
// its control. The measuring runs in a program of its own (tbq_layout_probe),
// since Wine gives a program the resolution it had when it started.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "e2e/e2e_support.h"
#include "fakes/temp_folder.h"

namespace tbq::e2e {
namespace {

class LayoutEndToEnd : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { saved_ = SetDpi(static_cast<DWORD>(GetParam())); }
    void TearDown() override { SetDpi(saved_); }

    // The resolution the programs started from now on get; the one before.
    static DWORD SetDpi(DWORD dpi) {
        HKEY key;
        DWORD before = 96, size = sizeof before;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr) != ERROR_SUCCESS)
            return before;
        RegQueryValueExW(key, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&before), &size);
        RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
        RegCloseKey(key);
        return before;
    }

    DWORD saved_ = 96;
};

TEST_P(LayoutEndToEnd, EveryTextFitsItsControlInBothLanguages) {
    test::TempFolder dir;
    const std::wstring folder = OwnFolder();
    const std::wstring report = dir.Native("layout.txt").wstring();
    Process probe(L"\"" + folder + L"tbq_layout_probe.exe\" \"" + folder + L"TBQ.exe\" \"" + report + L"\"", folder);
    ASSERT_TRUE(probe.Started());
    DWORD code = 99;
    ASSERT_TRUE(probe.WaitExit(60000, &code)) << probe.Describe();
    std::ifstream in(std::filesystem::path(report), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(code, 0u) << text.str();
    EXPECT_NE(text.str().find(" at " + std::to_string(GetParam()) + " dpi"), std::string::npos) << text.str();
}

INSTANTIATE_TEST_SUITE_P(Dpi, LayoutEndToEnd, ::testing::Values(96, 144),
                         [](const ::testing::TestParamInfo<int>& p) { return "At" + std::to_string(p.param) + "Dpi"; });

}  // namespace
}  // namespace tbq::e2e
