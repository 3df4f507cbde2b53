// TBQ.dll as tests see it: records what the program hands over and answers
// with texts a test can recognise.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/library.h"

namespace tbq::test {

class FakeLibrary final : public platform::Library {
public:
    struct ConvertCall {
        std::array<std::uint16_t, 8> time{};
        std::string format;
    };

    // Every ExFormatConvert call, in order; the answer is "EX(" + format + ")".
    std::vector<ConvertCall> convertCalls;
    // The rows ExFormatGetInfo serves, token and help text.
    std::vector<std::pair<std::string, std::string>> formatInfo = {{"yetet", "help 0"},
                                                                   {"ms", "help 1"}};
    bool initialised = false;

    bool Available() override { return true; }
    platform::WindowId Init(EventHandler) override;
    void Quit() override { initialised = false; }
    platform::LibraryInformation GetInformation() override;
    void ShowAbout(platform::WindowId) override {}
    void ShowMainProgramWindow() override {}
    std::string GetExeFileName(platform::WindowId) override { return {}; }
    bool CreateShortCut(const std::string&, const std::string&, const std::string&,
                        const std::string&, std::int32_t, const std::string&,
                        const std::string&) override {
        return false;
    }
    // Every tray icon call: "add", "remove", "title <text>", "text <text>",
    // "tip <text>" (texts as the ANSI bytes handed over), or "<mode> <value 1>".
    std::vector<std::string> trayCalls;
    void NotifyIconControl(std::int32_t mode, std::intptr_t value1, std::intptr_t value2) override;
    // The balloon texts handed over so far, in order.
    std::vector<Text> BalloonTexts() const;
    std::string ExFormatConvert(const std::array<std::uint16_t, 8>& systemTime,
                                const std::string& ansiFormat) override;
    bool ExFormatGetInfo(std::int32_t index, std::string& name, std::string& help) override;

    // Alarm windows open now, by handle; handles count up and are never reused.
    struct AlarmWindow {
        platform::WindowId owner = 0;
        std::string title, message;
        std::uint32_t tag = 0;
    };
    std::map<platform::WindowId, AlarmWindow> alarmWindows;
    // When set, every alarm window call is written here too: "show <handle> tag=<tag>
    // <title>" and "close <handle>" (only for a window that was open).
    std::vector<std::string>* log = nullptr;
    platform::WindowId ShowAlarmWindow(platform::WindowId owner, const std::string& title,
                                       const std::string& message, std::uint32_t tag) override;
    bool CloseAlarmWindow(platform::WindowId window) override;

    // The pseudo title bar: a bar id per target (a new one for each new
    // target), where it was last placed and whether it shows.
    platform::WindowId dummyBar = 0, dummyBarTarget = 0;
    platform::DummyBarPlacement dummyBarPlace;
    bool dummyBarShown = false;
    void SetDummyBarEx(bool show, platform::WindowId target,
                       const platform::DummyBarPlacement& place) override;
    platform::WindowId GetDummyBar() override { return dummyBar; }
    void CloseDummyBar() override { dummyBar = 0; dummyBarShown = false; }
    // Plug-ins the fake bridge "loads", by the full path it is asked for.
    struct FakeFunction {
        std::string name, comment;
        std::int32_t settingNum = 0, flags = 0;
        // The text GetText delivers: ANSI bytes, or UTF-16 units as bytes.
        std::string text;
        // What GetText answers for the length, when not the text's own.
        std::optional<std::int32_t> reportedLength;
        // GetText fails (the plug-in crashed or hung in the host).
        bool fails = false;
    };
    struct FakePlugin {
        std::string name = "Fake", version, comment, copyright, url, mail;
        std::int32_t flags = 0;
        std::optional<std::int32_t> funcNum;  // what the record says; else the functions' count
        std::vector<FakeFunction> functions;
        // The whole record instead, byte for byte.
        std::optional<platform::PluginInfoBytes> rawInfo;
        // Crashes or hangs in its Init, or answering for its records.
        bool initFails = false, infoFails = false;
    };
    std::map<std::string, FakePlugin> plugins;
    // False: plug-ins load into the program's own process (no host process).
    bool contained = true;
    bool PluginsContained() const override { return contained; }
    // Runs inside every load, while the plug-in is loading.
    std::function<void()> duringInit;
    // Every bridge call: "init <path>", "free <file>", "text <file> <f> <s> <size>".
    std::vector<std::string> bridgeCalls;
    // Handles loaded now, by handle (they are above 32 bits, as 64-bit ones are).
    std::map<platform::PluginHandle, std::string> loadedPlugins;

    platform::PluginLoad PluginInit(const std::string& ansiPath) override;
    bool PluginFree(platform::PluginHandle plugin) override;
    bool PluginGetInfo(platform::PluginHandle plugin, platform::PluginInfoBytes& record) override;
    bool PluginGetFuncInfo(platform::PluginHandle plugin, std::int32_t funcNo,
                           platform::PluginFuncBytes& record) override;
    void PluginGetFuncSettingName(platform::PluginHandle plugin, std::int32_t funcNo,
                                  std::int32_t settingNo, char* buffer, std::int32_t size) override;
    platform::PluginProc PluginGetFuncProc(platform::PluginHandle plugin) override;
    std::optional<std::int32_t> PluginGetText(platform::PluginHandle plugin,
                                              platform::PluginProc proc, std::int32_t funcNo,
                                              std::int32_t settingNo, platform::WindowId window,
                                              char* buffer, std::int32_t size,
                                              std::size_t capacity) override;
    void PluginShowAbout(platform::PluginHandle, platform::WindowId) override {}
    void PluginShowSetting(platform::PluginHandle, std::int32_t, std::int32_t,
                           platform::WindowId) override {}

private:
    const FakePlugin* Loaded(platform::PluginHandle plugin, std::string* file = nullptr) const;
    platform::WindowId nextAlarmWindow_ = 0x9000;
    platform::WindowId nextDummyBar_ = 0xB000;
    platform::PluginHandle nextPlugin_ = 0x7FF000010000;
};

}  // namespace tbq::test
