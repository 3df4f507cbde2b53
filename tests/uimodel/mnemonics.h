// Mnemonics of the texts of one window or menu, for the tests that hold the
// English tables to "one each, no two alike".
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "base/texts.h"

namespace tbq::test {

// The letter after "&" in lower case ("&&" is a plain ampersand); 0 for none.
inline char16_t Mnemonic(TextView text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        const char16_t c = text[i + 1];
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    }
    return 0;
}

// Each text has a mnemonic and no two share one; `taken` are used already
// (the menu bar's File and Help beside a page).
inline void ExpectMnemonicsApart(const std::vector<TextView>& texts, std::set<char16_t> taken = {}) {
    for (TextView t : texts) {
        const char16_t m = Mnemonic(t);
        EXPECT_NE(m, 0) << TextToUtf8(t);
        EXPECT_TRUE(taken.insert(m).second) << TextToUtf8(t);
    }
}

// The same for texts by id, in English.
inline void ExpectEnglishMnemonicsApart(const std::vector<TextId>& ids, std::set<char16_t> taken = {}) {
    std::vector<TextView> texts;
    for (TextId id : ids) texts.push_back(TrIn(Language::English, id));
    ExpectMnemonicsApart(texts, std::move(taken));
}

}  // namespace tbq::test
