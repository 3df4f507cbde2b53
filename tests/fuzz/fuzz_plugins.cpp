// clang-format off
// fuzz-sources: program/plugin/*.cpp program/core/*.cpp program/base/*.cpp program/settings/*.cpp program/platform/*.cpp program/platform/host/*.cpp tests/fakes/fake_library.cpp
// clang-format on
//
// The plug-in records as random bytes: an information record (956 bytes) and
// a function record (300 bytes), zero-padded when short. Both are read, then a
// plug-in whose bridge returns that information record is loaded and asked
// every question. (The text lengths have a target of their own: plugintext.)
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Records(data, size);
    return 0;
}
