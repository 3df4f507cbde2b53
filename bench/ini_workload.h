// The settings workload both INI benchmarks measure: 1,000 numbered sections of
// 20 keys, read and written one accessor call per key as loaders and saves do.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/text.h"
#include "settings/ini_file.h"
#include "settings/ini_store.h"

namespace tbq::bench {

constexpr int kSections = 1000;
constexpr int kKeys = 20;

struct Names {
    std::vector<Text> sections, keys;
    Names() {
        for (int s = 1; s <= kSections; ++s) {
            std::string n = std::to_string(s);
            sections.push_back(u"ViewData" + Text(4 - std::min<size_t>(4, n.size()), u'0') +
                               Text(n.begin(), n.end()));
        }
        for (int k = 1; k <= kKeys; ++k) keys.push_back(u"Key" + NumberText(k));
    }
};

// Writes every key as a save does: one call per key, gathered in one batch.
inline void WriteAll(const Text& file, const Names& n) {
    IniWriteBatch batch;
    vbIniFile ini(file);
    for (int s = 0; s < kSections; ++s)
        for (int k = 0; k < kKeys; ++k) {
            if (k % 2)
                ini.SetNumber(n.sections[s], n.keys[k], s * 100 + k);
            else
                ini.SetText(n.sections[s], n.keys[k], u"値 text " + NumberText(k));
        }
}

// Reads every key as a loader does; returns a checksum so nothing is optimised away.
inline std::int64_t ReadAll(const Text& file, const Names& n) {
    vbIniFile ini(file);
    std::int64_t sum = 0;
    for (int s = 0; s < kSections; ++s)
        for (int k = 0; k < kKeys; ++k) {
            if (k % 2)
                sum += ini.GetNumber(n.sections[s], n.keys[k], 0);
            else
                sum += static_cast<std::int64_t>(ini.GetText(n.sections[s], n.keys[k], u"").size());
        }
    return sum;
}

}  // namespace tbq::bench
