// The help rows the item editor lists for the extended tokens.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "format/ex_format.h"

namespace tbq::format {
namespace {

// Copies at most `size` bytes and pads the rest of the bound with zero bytes;
// a text that fills the bound stays unterminated, as the callers expect.
void BoundedCopy(char* buffer, int32_t size, std::string_view text) {
    if (!buffer || size <= 0) return;
    const size_t bound = static_cast<size_t>(size);
    const size_t n = std::min(bound, text.size());
    if (n > 0) std::memcpy(buffer, text.data(), n);
    std::memset(buffer + n, 0, bound - n);
}

}  // namespace

int32_t ExFormatGetInfoCore(int32_t index, char* name, int32_t nameSize, char* help,
                            int32_t helpSize, const FormatEnvironment& env, bool english) noexcept {
    std::string_view token;
    std::string_view text;
    if (index >= 0 && index < tables::kHelpRowCount) {
        token = tables::kHelpRows[static_cast<size_t>(index)].token;
        try {
            text = english ? tables::kHelpEnglish[static_cast<size_t>(index)]
                           : std::string_view(env.Tables().help[static_cast<size_t>(index)]);
        } catch (...) {
            // No memory for the converted texts: the row goes without help.
        }
    }
    BoundedCopy(name, nameSize, token);
    BoundedCopy(help, helpSize, text);
    return static_cast<int32_t>(token.size());
}

}  // namespace tbq::format
