// A table text with its "{0}", "{1}", ... filled in. One pass over the
// pattern: a value that itself holds "{1}" is taken as it stands.
#pragma once

#include <initializer_list>

#include "base/text.h"

namespace tbq {

inline Text Filled(TextView pattern, std::initializer_list<TextView> values) {
    Text out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'{') {
            std::size_t n = 0, j = i + 1;
            while (j < pattern.size() && pattern[j] >= u'0' && pattern[j] <= u'9' && j - i <= 3)
                n = n * 10 + static_cast<std::size_t>(pattern[j++] - u'0');
            if (j > i + 1 && j < pattern.size() && pattern[j] == u'}' && n < values.size()) {
                out += values.begin()[n];
                i = j;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

}  // namespace tbq
