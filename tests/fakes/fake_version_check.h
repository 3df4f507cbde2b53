// The version-check library as a test wants it: every call recorded with its
// arguments (the title as the bytes up to its terminator and the size of its
// buffer), and the answer given as told; nullopt stands for a missing library.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "platform/version_check.h"

namespace tbq::test {

class FakeVersionCheckLibrary final : public platform::VersionCheckLibrary {
public:
    struct Call {
        platform::WindowId owner;
        std::string productKey;
        std::int32_t build;
        std::string title;
        std::size_t titleSize;
        bool zeroedAfterTitle;  // every byte past the title's terminator is 0
    };
    std::optional<std::int32_t> answer;
    std::vector<Call> calls;

    std::optional<std::int32_t> CheckNewVersion(platform::WindowId owner,
                                                const std::string& productKey, std::int32_t build,
                                                std::span<char> title) override {
        const auto end = std::find(title.begin(), title.end(), '\0');
        const bool zeroed = std::all_of(end, title.end(), [](char c) { return c == '\0'; });
        calls.push_back({owner, productKey, build, std::string(title.begin(), end), title.size(),
                         end != title.end() && zeroed});
        return answer;
    }
};

}  // namespace tbq::test
