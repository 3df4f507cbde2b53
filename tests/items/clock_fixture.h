// A clock item's surroundings in tests: the shipped time-zone table in a
// program folder of its own, a fake clock, the fake locale and the system's
// zone records as the test writes them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "core/library_wrapper.h"
#include "core/program_location.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_locale.h"
#include "fakes/fake_time_zones.h"
#include "fakes/temp_folder.h"
#include "platform/ports.h"
#include "settings/ini_store.h"

namespace tbq::test {

inline platform::ClockTime Utc(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
    return {y, mo, d, 0, h, mi, s, ms};
}

// The data file we ship, from the source tree.
inline std::filesystem::path ShippedDataFile() {
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "data" /
           "TBQ_Data.ini";
}

class ClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        IniStore::Instance().Reset();
        savedFolder_ = ProgramFolder();
        SetProgramLocation(dir_.Path() + u"/", u"TBQ");
        std::filesystem::copy_file(ShippedDataFile(), dir_.Native("TBQ_Data.ini"));
    }
    void TearDown() override {
        SetTheLibrary(nullptr);
        IniStore::Instance().Reset();
        SetProgramLocation(savedFolder_, u"TBQ");
    }

    Text Settings() const { return dir_.Path("items.ini"); }
    std::string SettingsBytes() const { return dir_.ReadBytes("items.ini"); }

    TempFolder dir_;
    FakeClock clock_;
    FakeLocale locale_;
    // Knows no zone until a test writes one in.
    FakeTimeZones zones_;
    platform::ScopedPorts ports_{
        platform::Ports{.clock = &clock_, .locale = &locale_, .zones = &zones_}};
    Text savedFolder_;
};

}  // namespace tbq::test
