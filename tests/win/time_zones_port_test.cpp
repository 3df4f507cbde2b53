// The system's zone records through the Win32 adapter: every zone the shipped
// table names is known, and the records the host tests are written with are
// the ones the system keeps.
#include <gtest/gtest.h>

#include <tuple>

#include "core/program_location.h"
#include "fakes/fake_time_zones.h"
#include "items/clock_fixture.h"
#include "items/summer_time.h"
#include "platform/ports.h"
#include "platform/win32/win32_ports.h"
#include "settings/ini_file.h"

namespace tbq {
namespace {

auto Fields(const SummerYear& y) {
    return std::make_tuple(y.standardMinutes, y.summerMinutes, y.hasSummer, y.begins, y.ends);
}

using SystemZones = test::ClockTest;

TEST_F(SystemZones, EveryZoneOfTheShippedTableIsKnown) {
    platform::Win32TimeZones system;
    const vbIniFile data(ProgramFolder() + u"TBQ_Data.ini");
    int named = 0;
    for (int n = 1; n <= 999; ++n) {
        Text section = u"TimeZone" + Text(n < 10 ? u"00" : n < 100 ? u"0" : u"") + NumberText(n);
        if (data.GetText(section, u"SName", u"").empty()) break;
        const Text key = data.GetText(section, u"WindowsZone", u"");
        if (key.empty()) continue;
        ++named;
        EXPECT_TRUE(system.ForYear(key, 2026).has_value()) << TextToUtf8(key);
    }
    EXPECT_GE(named, 20);
    EXPECT_FALSE(system.ForYear(u"Nowhere Standard Time", 2026).has_value());
}

TEST(SystemZoneRecords, AreTheOnesTheHostTestsUse) {
    platform::Win32TimeZones system;
    test::FakeTimeZones written = test::FakeTimeZones::WindowsRecords();
    for (const auto& [key, records] : written.zones)
        for (int year : {2006, 2007, 2008, 2015, 2016, 2022, 2026, 2027}) {
            SCOPED_TRACE(TextToUtf8(key) + " " + std::to_string(year));
            const auto ours = written.ForYear(key, year);
            if (!ours) continue;
            const auto kept = system.ForYear(key, year);
            ASSERT_TRUE(kept.has_value());
            EXPECT_EQ(Fields(ResolveYear(*kept, year)), Fields(ResolveYear(*ours, year)));
        }
}

}  // namespace
}  // namespace tbq
