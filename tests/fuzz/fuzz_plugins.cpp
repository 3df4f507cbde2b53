// clang-format off
// fuzz-sources: program/plugin/*.cpp program/core/*.cpp program/base/*.cpp program/settings/*.cpp program/platform/*.cpp program/platform/host/*.cpp tests/fakes/fake_library.cpp
// clang-format on
//
// What a plug-in hands back, as random bytes.
// Input: the first byte's bit 0 picks the form.
//   0: an information record (956 bytes) and a function record (300 bytes),
//      zero-padded when short; both are read, then a plug-in whose bridge
//      returns that information record is loaded and asked every question.
//   1: the length GetText answers (32-bit little-endian), a flag byte (bit 0:
//      UTF-16), then the bytes it writes into the buffer, never more than the
//      size it is told; the text request must stay inside its buffer and give
//      no more characters than it told the plug-in to write.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fakes/fake_library.h"
#include "plugin/plugin.h"
#include "plugin/plugin_record.h"

namespace {

using namespace tbq;

void Check(bool ok) {
    if (!ok) std::abort();
}

void Records(const std::uint8_t* data, std::size_t size) {
    platform::PluginInfoBytes info{};
    platform::PluginFuncBytes func{};
    std::memcpy(info.data(), data, std::min(size, info.size()));
    if (size > info.size()) std::memcpy(func.data(), data + info.size(), std::min(size - info.size(), func.size()));

    const PluginInformation i = ReadPluginInformation(info);
    Check(i.name.size() <= 32 && i.version.size() <= 16 && i.comment.size() <= 256 &&
          i.copyright.size() <= 128 && i.url.size() <= 256 && i.mail.size() <= 256);
    Check(i.funcNum >= 0 && i.funcNum <= kMaxPluginFunctions);
    const PluginFunction f = ReadPluginFunction(func);
    Check(f.name.size() <= 32 && f.comment.size() <= 256);
    Check(f.settingNum >= 0 && f.settingNum <= kMaxFunctionSettings);

    test::FakeLibrary library;
    test::FakeLibrary::FakePlugin& p = library.plugins["C:\\P\\x.tbqp"];
    p.rawInfo = info;
    vbKerova_Plugin plugin(library);
    Check(plugin.init(u"C:\\P\\", u"x.tbqp", true));
    Check(plugin.FuncNum() == i.funcNum);
    for (std::int32_t n = -1; n <= plugin.FuncNum() + 1; ++n) {
        (void)plugin.PluginFuncInfoStr(n, 0);
        (void)plugin.PluginFuncSettingName(n, 1);
        Check(plugin.FuncSettingNum(n) == 0);  // the fake offers no functions behind the record
        Check(plugin.PluginGetText(0, n, 1).empty());
    }
    for (int t = -1; t <= 6; ++t) (void)plugin.PluginInfoStr(t);
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
    if (size == 0) return 0;
    if (data[0] & 1)
        TextLength(data + 1, size - 1);
    else
        Records(data + 1, size - 1);
    return 0;
}
