// clang-format off
// fuzz-sources: program/plugin/*.cpp program/core/*.cpp program/base/*.cpp program/settings/*.cpp program/platform/*.cpp program/platform/host/*.cpp
// clang-format on
//
// The text of a plug-in function as random bytes: the length GetText answers
// (32-bit little-endian), a flag byte (bit 0: UTF-16), then the bytes it
// writes into the buffer, never more than the size it is told. The request
// must stay inside its buffer, ask again only for a length it accepts, and
// give no more characters than it told the plug-in to write.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "plugin/plugin_record.h"

namespace {

using namespace tbq;

void Check(bool ok) {
    if (!ok) std::abort();
}

void TextLength(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return;
    std::int32_t length;
    std::memcpy(&length, data, 4);
    const bool utf16 = data[4] & 1;
    const std::uint8_t* written = data + 5;
    const std::size_t n = size - 5;
    std::int32_t told = -1;
    std::optional<Text> text = RequestPluginText(
        [&](char* buffer, std::int32_t bufferSize) -> std::optional<std::int32_t> {
            if (buffer) {
                told = bufferSize;
                const std::size_t room = static_cast<std::size_t>(bufferSize) * (utf16 ? 2 : 1);
                std::memcpy(buffer, written, std::min(room, n));
            }
            return length;
        },
        utf16);
    Check(text.has_value());
    if (length < 0 || length > kMaxPluginTextLength) {
        Check(text->empty() && told == -1);
        return;
    }
    Check(told == length + 1);
    // A code page can turn one byte into one unit at most.
    Check(text->size() <= static_cast<std::size_t>(told));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TextLength(data, size);
    return 0;
}
