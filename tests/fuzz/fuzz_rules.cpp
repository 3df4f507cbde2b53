// clang-format off
// fuzz-sources: program/rules/*.cpp program/settings/ini_file.cpp program/settings/ini_store.cpp program/settings/ini_document.cpp program/base/*.cpp program/core/title_writer.cpp program/core/program_location.cpp program/platform/*.cpp program/platform/host/*.cpp tests/fakes/fake_windows.cpp
// clang-format on
//
// Any bytes as a window rule file: the list "WindowData0001"... and the fixed
// rule's "Fixed_" keys in section "TitleBar". Every rule that loads must be
// sound (a name, a width in range, no handle condition, never switched on
// without a condition), describe itself and match windows without fault, and
// what one save writes must load and save again unchanged.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app_state.h"
#include "core/title_writer.h"
#include "fakes/fake_windows.h"
#include "platform/ports.h"
#include "rules/window_rule.h"
#include "settings/ini_store.h"

using namespace tbq;

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

struct World {
    std::string folder;
    test::FakeWindows wins;
    platform::WindowId plain, decorated, child;
    vbKerova_TitleBar titleBar;

    World() {
        char pattern[] = "/tmp/tbq-fuzz-rules-XXXXXX";
        Require(mkdtemp(pattern) != nullptr);
        folder = pattern;
        plain = wins.Add(u"Memo - Editor");
        wins[plain].className = u"EditorClass";
        wins[plain].style = 0x16CF0000;
        wins[plain].exStyle = 0x100;
        wins[plain].width = 800;
        decorated = wins.Add(u"<12:00>");
        wins[decorated].width = 9999;
        wins[decorated].style = 0xFFFFFFFF;
        child = wins.Add(Text(u"Doc\0tail", 8), plain);
        titleBar.TargetWindow = decorated;
        titleBar.OriginalTitle = u"Report - Viewer";
        titleBar.ShownTitle = u"<12:00>";
    }
    ~World() { titleBar.TargetWindow = 0; }

    Text Path(const char* name) const { return Utf8ToText(folder + "/" + name); }
};

World& TheWorld() {
    static World* world = [] {
        auto* w = new World;  // kept for the whole run; its folder goes at exit
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(TheWorld().folder, ec);
        });
        return w;
    }();
    return *world;
}

// Texts as a settings file in the code page holds them: a character the code
// page cannot hold (a U+FFFD read from a UTF-8 file's bad bytes) is written
// as "?" whatever we do, so it is compared as written.
std::string Stored(const Text& t) { return platform::codepage().ToAnsi(t); }

std::string Describe(const vbKerova_Window& r) {
    return Stored(r.Title) + "|" + Stored(r.WindowTitle) + "|" + Stored(r.WindowClass) +
           "|" + Stored(r.FileName) + "|" + std::to_string(r.WindowStyle) + "|" +
           std::to_string(r.ExStyle) + "|" + std::to_string(r.WindowWidth) + "|" +
           std::to_string(r.Flag) + "|" + std::to_string(r.MdiChoice) + std::to_string(r.UseViewData) +
           std::to_string(r.UseDrawBar) + "|" + Stored(r.ViewData) + "|" +
           Stored(r.DrawBar) + "|" + std::to_string(r.CheckOption) + "|" +
           std::to_string(r.Action) + "|" + std::to_string(r.Enable);
}

void CheckRule(const vbKerova_Window& r, World& w, const RuleContext& context) {
    Require(!r.Title.empty());
    Require(r.WindowWidth >= 0 && r.WindowWidth <= vbKerova_Window::kMaxWidth);
    Require((r.Flag & vbKerova_Window::kHandle) == 0);
    Require(!r.Enable || r.IsSetting());
    Require(r.MdiChoice == 0 || r.MdiChoice == 1 || r.MdiChoice == 3);
    for (bool options : {false, true}) {
        const Text line = r.SummaryText(options);
        Require(line.size() >= 2 && line[1] == u':');
    }
    for (platform::WindowId id : {w.plain, w.decorated, w.child, platform::WindowId{0}})
        (void)r.CheckWindow(id, context);
}

std::string Save(const WindowRuleList& rules, const vbKerova_Window& fixed, const Text& path) {
    std::remove(TextToUtf8(path).c_str());
    IniStore::Instance().Reset();
    {
        IniWriteBatch batch;
        Require(SaveWindowRuleList(path, rules));
        fixed.SaveSetting(path, u"TitleBar", true);
    }
    IniStore::Instance().Reset();
    std::string all;
    for (const auto& r : LoadWindowRuleList(path)) all += Describe(*r) + "\n";
    vbKerova_Window again;
    Require(again.LoadSetting(path, u"TitleBar", true));
    return all + Describe(again);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    World& w = TheWorld();
    platform::ScopedPorts ports(platform::Ports{.windows = &w.wins});
    const Text input = w.Path("TBQ_Window.ini");
    std::ofstream(TextToUtf8(input), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    IniStore::Instance().Reset();

    const WindowRuleList rules = LoadWindowRuleList(input);
    vbKerova_Window fixed;
    Require(fixed.LoadSetting(input, u"TitleBar", true));
    Require(fixed.Title == u"固定設定" && fixed.Action == vbKerova_Window::kFixed);

    RuleContext context;
    context.titleBar = &w.titleBar;
    context.unicode = size % 2 == 0;
    context.exePath = [&](platform::WindowId id) -> Text {
        return id == w.plain ? Text(u"C:\\Apps\\Editor.exe") : Text(u"Editor.exe");
    };
    for (const auto& r : rules) CheckRule(*r, w, context);
    CheckRule(fixed, w, context);

    // What loaded is what a save writes and a load reads back.
    std::string loaded;
    for (const auto& r : rules)
        if (r->IsSetting()) loaded += Describe(*r) + "\n";
    loaded += Describe(fixed);
    WindowRuleList once = LoadWindowRuleList(input);
    const std::string first = Save(once, fixed, w.Path("once.ini"));
    if (loaded != first) {
        std::fprintf(stderr, "loaded:\n%s\nsaved and loaded:\n%s\n", loaded.c_str(), first.c_str());
        std::abort();
    }
    IniStore::Instance().Reset();
    WindowRuleList twice = LoadWindowRuleList(w.Path("once.ini"));
    vbKerova_Window fixedTwice;
    Require(fixedTwice.LoadSetting(w.Path("once.ini"), u"TitleBar", true));
    const std::string second = Save(twice, fixedTwice, w.Path("twice.ini"));
    if (first != second) {
        std::fprintf(stderr, "first save:\n%s\nsecond save:\n%s\n", first.c_str(), second.c_str());
        std::abort();
    }
    return 0;
}
