#include "plugin/plugin_record.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/ports.h"

namespace tbq {

namespace {

// Field offsets and sizes of the two records.
constexpr std::size_t kNameSize = 32, kVersionSize = 16, kCommentSize = 256, kCopyrightSize = 128,
                      kUrlSize = 256, kMailSize = 256;
constexpr std::size_t kVersionAt = kNameSize, kCommentAt = kVersionAt + kVersionSize,
                      kCopyrightAt = kCommentAt + kCommentSize,
                      kUrlAt = kCopyrightAt + kCopyrightSize, kMailAt = kUrlAt + kUrlSize,
                      kFuncNumAt = kMailAt + kMailSize, kFlagsAt = kFuncNumAt + 4;
static_assert(kFuncNumAt == 944 && kFlagsAt + 8 == platform::kPluginInfoRecordSize);

constexpr std::size_t kFuncNameSize = 32, kFuncCommentSize = 256;
constexpr std::size_t kSettingNumAt = kFuncNameSize + kFuncCommentSize,
                      kFuncFlagsAt = kSettingNumAt + 4;
static_assert(kSettingNumAt == 288 && kFuncFlagsAt + 8 == platform::kPluginFuncRecordSize);

template <std::size_t N>
std::string Field(const std::array<std::uint8_t, N>& r, std::size_t at, std::size_t size) {
    return FieldBytes(reinterpret_cast<const char*>(r.data() + at), size);
}

template <std::size_t N>
std::int32_t Int32At(const std::array<std::uint8_t, N>& r, std::size_t at) {
    // Little-endian, as every processor the plug-ins run on.
    const std::uint32_t v = std::uint32_t{r[at]} | std::uint32_t{r[at + 1]} << 8 |
                            std::uint32_t{r[at + 2]} << 16 | std::uint32_t{r[at + 3]} << 24;
    return static_cast<std::int32_t>(v);
}

std::int32_t Count(std::int32_t n, std::int32_t cap) { return std::clamp(n, 0, cap); }

}  // namespace

std::string FieldBytes(const char* field, std::size_t size) {
    const char* end = static_cast<const char*>(std::memchr(field, 0, size));
    return std::string(field, end ? end : field + size);
}

PluginInformation ReadPluginInformation(const platform::PluginInfoBytes& r) {
    PluginInformation info;
    info.name = Field(r, 0, kNameSize);
    info.version = Field(r, kVersionAt, kVersionSize);
    info.comment = Field(r, kCommentAt, kCommentSize);
    info.copyright = Field(r, kCopyrightAt, kCopyrightSize);
    info.url = Field(r, kUrlAt, kUrlSize);
    info.mail = Field(r, kMailAt, kMailSize);
    info.funcNum = Count(Int32At(r, kFuncNumAt), kMaxPluginFunctions);
    info.flags = Int32At(r, kFlagsAt);
    return info;
}

PluginFunction ReadPluginFunction(const platform::PluginFuncBytes& r) {
    PluginFunction f;
    f.name = Field(r, 0, kFuncNameSize);
    f.comment = Field(r, kFuncNameSize, kFuncCommentSize);
    f.settingNum = Count(Int32At(r, kSettingNumAt), kMaxFunctionSettings);
    f.flags = Int32At(r, kFuncFlagsAt);
    return f;
}

std::optional<Text> RequestPluginText(const TextCall& call, bool utf16) {
    const std::optional<std::int32_t> length = call(nullptr, 0);
    if (!length) return std::nullopt;
    if (*length < 0 || *length > kMaxPluginTextLength) return Text();
    // Characters the buffer holds: what the plug-in is told, and the spare.
    const std::size_t told = static_cast<std::size_t>(*length) + 1;
    const std::size_t units = told + kTextBufferSpare;
    const std::size_t unitBytes = utf16 ? 2 : 1;
    std::vector<char> buffer(units * unitBytes, '\0');
    if (!call(buffer.data(), static_cast<std::int32_t>(told))) return std::nullopt;
    // Whatever the plug-in wrote, the last character is a terminator.
    std::fill(buffer.end() - static_cast<std::ptrdiff_t>(unitBytes), buffer.end(), '\0');
    if (!utf16) return platform::codepage().FromAnsi(FieldBytes(buffer.data(), buffer.size()));
    Text text;
    for (std::size_t i = 0; i + 1 < buffer.size(); i += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(buffer[i]) |
                                                static_cast<unsigned char>(buffer[i + 1]) << 8);
        if (unit == 0) break;
        text += unit;
    }
    return text;
}

}  // namespace tbq
