// A file system for the helpers that look at listings, attributes and version
// resources: one folder, "C:\d\", holding "a.ini"; the attribute calls can be
// made to fail; version lookups answer `version` and remember the path asked.
#pragma once

#include <map>
#include <optional>
#include <vector>

#include "platform/files.h"

namespace tbq::test {

struct FakeFiles final : platform::Files {
    std::map<Text, std::vector<Text>> folders{{u"C:\\d\\", {u"x", u"a.ini"}}};
    std::optional<bool> readOnly = true;
    bool clearWorks = true;
    std::vector<Text> cleared;
    platform::VersionValue version;
    Text versionPath;

    std::optional<std::vector<Text>> ListFolder(const Text& folder) override {
        auto it = folders.find(folder);
        if (it == folders.end()) return std::nullopt;
        return it->second;
    }
    std::optional<bool> IsReadOnly(const Text&) override { return readOnly; }
    bool SetReadOnly(const Text& path, bool) override {
        cleared.push_back(path);
        return clearWorks;
    }
    platform::VersionValue ReadVersionString(const Text& path, const Text&) override {
        versionPath = path;
        return version;
    }
    platform::ReadResult ReadAll(const Text&, std::size_t) override { return {}; }
    std::optional<platform::FileStamp> Stamp(const Text&) override { return std::nullopt; }
    bool ReplaceAtomically(const Text&, std::string_view) override { return false; }
    bool Copy(const Text&, const Text&, bool) override { return false; }
    bool Delete(const Text&) override { return false; }
    Text CurrentDirectory() override { return Text(); }
};

}  // namespace tbq::test
