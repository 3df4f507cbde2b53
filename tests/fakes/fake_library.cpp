#include "fakes/fake_library.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "platform/ports.h"

namespace tbq::test {

platform::WindowId FakeLibrary::Init(EventHandler) {
    initialised = true;
    return 0x1234;
}

platform::LibraryInformation FakeLibrary::GetInformation() { return {"1.00", "fake", "nobody"}; }

void FakeLibrary::NotifyIconControl(std::int32_t mode, std::intptr_t value1, std::intptr_t) {
    const auto text = [&] { return std::string(reinterpret_cast<const char*>(value1)); };
    switch (mode) {
        case 1: trayCalls.push_back("add"); break;
        case 2: trayCalls.push_back("remove"); break;
        case 4: trayCalls.push_back("title " + text()); break;
        case 7: trayCalls.push_back("text " + text()); break;
        case 9: trayCalls.push_back("tip " + text()); break;
        default: trayCalls.push_back(std::to_string(mode) + " " + std::to_string(value1)); break;
    }
}

std::vector<Text> FakeLibrary::BalloonTexts() const {
    std::vector<Text> texts;
    for (const std::string& call : trayCalls)
        if (call.rfind("text ", 0) == 0) texts.push_back(platform::codepage().FromAnsi(call.substr(5)));
    return texts;
}

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

namespace {
constexpr platform::PluginProc kProcOffset = 0x100;

std::string FileOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

template <std::size_t N>
void Put(std::array<std::uint8_t, N>& r, std::size_t at, std::size_t size, const std::string& t) {
    for (std::size_t i = 0; i < size && i < t.size(); ++i) r[at + i] = static_cast<std::uint8_t>(t[i]);
}
template <std::size_t N>
void Put32(std::array<std::uint8_t, N>& r, std::size_t at, std::int32_t v) {
    for (int i = 0; i < 4; ++i) r[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}
}  // namespace

const FakeLibrary::FakePlugin* FakeLibrary::Loaded(platform::PluginHandle plugin,
                                                   std::string* file) const {
    auto it = loadedPlugins.find(plugin);
    if (it == loadedPlugins.end()) return nullptr;
    if (file) *file = FileOf(it->second);
    return &plugins.at(it->second);
}

platform::PluginLoad FakeLibrary::PluginInit(const std::string& ansiPath) {
    bridgeCalls.push_back("init " + ansiPath);
    if (duringInit) duringInit();
    auto it = plugins.find(ansiPath);
    if (it == plugins.end()) return {};
    if (it->second.initFails) return {0, true};
    const platform::PluginHandle h = nextPlugin_;
    nextPlugin_ += 0x10000;
    loadedPlugins[h] = ansiPath;
    return {h, false};
}

bool FakeLibrary::PluginFree(platform::PluginHandle plugin) {
    std::string file;
    if (!Loaded(plugin, &file)) return false;
    bridgeCalls.push_back("free " + file);
    loadedPlugins.erase(plugin);
    return true;
}

bool FakeLibrary::PluginGetInfo(platform::PluginHandle plugin, platform::PluginInfoBytes& r) {
    r.fill(0);
    const FakePlugin* p = Loaded(plugin);
    if (!p) return true;
    if (p->infoFails) return false;
    if (p->rawInfo) {
        r = *p->rawInfo;
        return true;
    }
    Put(r, 0, 32, p->name);
    Put(r, 32, 16, p->version);
    Put(r, 48, 256, p->comment);
    Put(r, 304, 128, p->copyright);
    Put(r, 432, 256, p->url);
    Put(r, 688, 256, p->mail);
    Put32(r, 944, p->funcNum.value_or(static_cast<std::int32_t>(p->functions.size())));
    Put32(r, 948, p->flags);
    return true;
}

bool FakeLibrary::PluginGetFuncInfo(platform::PluginHandle plugin, std::int32_t funcNo,
                                    platform::PluginFuncBytes& r) {
    r.fill(0);
    const FakePlugin* p = Loaded(plugin);
    if (!p || funcNo < 1 || static_cast<std::size_t>(funcNo) > p->functions.size()) return true;
    const FakeFunction& f = p->functions[static_cast<std::size_t>(funcNo - 1)];
    Put(r, 0, 32, f.name);
    Put(r, 32, 256, f.comment);
    Put32(r, 288, f.settingNum);
    Put32(r, 292, f.flags);
    return true;
}

void FakeLibrary::PluginGetFuncSettingName(platform::PluginHandle plugin, std::int32_t funcNo,
                                           std::int32_t settingNo, char* buffer,
                                           std::int32_t size) {
    if (!Loaded(plugin) || size <= 0) return;
    const std::string name = "setting " + std::to_string(funcNo) + "-" + std::to_string(settingNo);
    std::snprintf(buffer, static_cast<std::size_t>(size), "%s", name.c_str());
}

platform::PluginProc FakeLibrary::PluginGetFuncProc(platform::PluginHandle plugin) {
    return Loaded(plugin) ? plugin + kProcOffset : 0;
}

std::optional<std::int32_t> FakeLibrary::PluginGetText(platform::PluginHandle plugin,
                                                       platform::PluginProc proc,
                                                       std::int32_t funcNo, std::int32_t settingNo,
                                                       platform::WindowId, char* buffer,
                                                       std::int32_t size, std::size_t) {
    std::string file;
    const FakePlugin* p = Loaded(plugin, &file);
    bridgeCalls.push_back("text " + file + " " + std::to_string(funcNo) + " " +
                          std::to_string(settingNo) + " " + std::to_string(size));
    // A text function kept past its plug-in's unloading must never be called.
    if (!p || proc != plugin + kProcOffset) throw std::logic_error("stale text function " + file);
    if (funcNo < 1 || static_cast<std::size_t>(funcNo) > p->functions.size()) return 0;
    const FakeFunction& f = p->functions[static_cast<std::size_t>(funcNo - 1)];
    if (f.fails) return std::nullopt;
    const bool utf16 = (f.flags & 1) != 0;
    const auto units = static_cast<std::int32_t>(f.text.size() / (utf16 ? 2 : 1));
    if (buffer && size > 0) {
        // Writes at most `size` units, its terminator included.
        const std::size_t bytes = std::min<std::size_t>(f.text.size(), static_cast<std::size_t>(size - 1) * (utf16 ? 2 : 1));
        std::memcpy(buffer, f.text.data(), bytes);
    }
    return f.reportedLength.value_or(units);
}

}  // namespace tbq::test
