#include "fakes/fake_library.h"

namespace tbq::test {

platform::WindowId FakeLibrary::Init(EventHandler) {
    initialised = true;
    return 0x1234;
}

platform::LibraryInformation FakeLibrary::GetInformation() { return {"1.00", "fake", "nobody"}; }

std::string FakeLibrary::ExFormatConvert(const std::array<std::uint16_t, 8>& systemTime,
                                         const std::string& ansiFormat) {
    convertCalls.push_back({systemTime, ansiFormat});
    return "EX(" + ansiFormat + ")";
}

bool FakeLibrary::ExFormatGetInfo(std::int32_t index, std::string& name, std::string& help) {
    if (index < 0 || static_cast<std::size_t>(index) >= formatInfo.size()) return false;
    name = formatInfo[static_cast<std::size_t>(index)].first;
    help = formatInfo[static_cast<std::size_t>(index)].second;
    return true;
}

platform::WindowId FakeLibrary::ShowAlarmWindow(platform::WindowId owner, const std::string& title,
                                              const std::string& message, std::uint32_t tag) {
    const platform::WindowId id = nextAlarmWindow_++;
    alarmWindows[id] = {owner, title, message, tag};
    if (log) log->push_back("show " + std::to_string(id) + " tag=" + std::to_string(tag) + " " + title);
    return id;
}

bool FakeLibrary::CloseAlarmWindow(platform::WindowId window) {
    if (alarmWindows.erase(window) == 0) return false;
    if (log) log->push_back("close " + std::to_string(window));
    return true;
}

void FakeLibrary::SetDummyBarEx(bool show, platform::WindowId target,
                                const platform::DummyBarPlacement& place) {
    if (target != dummyBarTarget || dummyBar == 0) {
        dummyBar = nextDummyBar_++;
        dummyBarTarget = target;
    }
    dummyBarPlace = place;
    dummyBarShown = show;
}

}  // namespace tbq::test
