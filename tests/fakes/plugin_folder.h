// A program folder with a "Plugins" folder, a fake bridge and a registry
// over them, for the tests of the registry and of the plug-in text item.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fakes/fake_library.h"
#include "fakes/temp_folder.h"
#include "plugin/plugin_registry.h"
#include "settings/ini_file.h"
#include "settings/ini_store.h"

namespace tbq::test {

class PluginFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(dir_.Native("Plugins"));
        SetThePluginRegistry(&registry_);
    }
    void TearDown() override { SetThePluginRegistry(nullptr); }

    // A file in the plug-ins folder; `loadable` gives it a fake plug-in behind it.
    FakeLibrary::FakePlugin& AddFile(const std::string& name, bool loadable = true) {
        std::ofstream(dir_.Native("Plugins/" + name)) << "x";
        static FakeLibrary::FakePlugin none;
        if (!loadable) return none;
        FakeLibrary::FakePlugin& p = library_.plugins[PathOf(name)];
        p.name = "Name of " + name;
        p.functions = {{"clock", "the time", 2, 0, "text of " + name, {}, false}};
        return p;
    }
    void RemoveFile(const std::string& name) { std::filesystem::remove(dir_.Native("Plugins/" + name)); }
    std::string PathOf(const std::string& name) const {
        return TextToUtf8(Folder()) + "Plugins\\" + name;
    }
    Text Folder() const { return dir_.Path() + u"/"; }
    Text SettingFile() const { return dir_.Path("TBQ_Setting.ini"); }
    void Scan(bool rescan) { registry_.Scan(Folder(), SettingFile(), rescan); }
    // Saves the enabled states and reads back, for each file, "file=value" as
    // the settings file holds it ("?" for none).
    std::vector<std::string> SavedStates(std::initializer_list<const char*> files) const {
        registry_.SaveEnableStates(SettingFile());
        IniStore::Instance().Flush(SettingFile());
        const vbIniFile ini(SettingFile());
        std::vector<std::string> states;
        for (const char* f : files)
            states.push_back(std::string(f) + "=" +
                             TextToUtf8(ini.GetText(kPluginEnableSection, Utf8ToText(f), u"?")));
        return states;
    }
    std::vector<std::string> Listed() const {
        std::vector<std::string> names;
        for (const auto& p : registry_.Plugins())
            names.push_back(TextToUtf8(p->PluginFileName()) + (p->Enable() ? "" : " (off)"));
        return names;
    }

    TempFolder dir_;
    FakeLibrary library_;
    PluginRegistry registry_{library_};
};

}  // namespace tbq::test
