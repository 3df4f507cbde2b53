// A fresh folder for one test, removed with everything in it at the end.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "base/text.h"

namespace tbq::test {

class TempFolder {
public:
    TempFolder() {
        std::random_device rd;
        auto base = std::filesystem::temp_directory_path();
        for (;;) {
            dir_ = base / ("tbq-test-" + std::to_string(rd()));
            if (std::filesystem::create_directory(dir_)) break;
        }
    }
    ~TempFolder() {
        std::error_code ec;
        // Read-only files left by a test must not keep the folder alive.
        for (auto& e : std::filesystem::recursive_directory_iterator(dir_, ec))
            std::filesystem::permissions(e.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(dir_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path Native(const std::string& name = "") const { return dir_ / name; }
    // The path as the program spells it: a Text.
    Text Path(const std::string& name = "") const {
        auto p = (dir_ / name).u16string();
        return Text(p.begin(), p.end());
    }

    void WriteBytes(const std::string& name, const std::string& bytes) const {
        std::ofstream(Native(name), std::ios::binary | std::ios::trunc) << bytes;
    }
    std::string ReadBytes(const std::string& name) const {
        std::ifstream in(Native(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path dir_;
};

}  // namespace tbq::test
