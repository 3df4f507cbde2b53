#include "platform/win32/library_win32.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/texts.h"
#include "win32/wide.h"
#include "tbq_library.h"

namespace tbq::platform {

namespace {
// The library calls back through a plain function; the program's handler waits here.
Library::EventHandler g_handler;

void WINAPI Dispatch(int32_t kind, int32_t a, int32_t b) noexcept {
    try {
        if (g_handler) g_handler(kind, a, b);
    } catch (...) {
        // Nothing may cross back into the library.
    }
}

HWND H(WindowId w) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(w)); }
HMODULE M(PluginHandle p) { return reinterpret_cast<HMODULE>(p); }
WindowId Id(HWND h) { return static_cast<WindowId>(reinterpret_cast<std::uintptr_t>(h)); }

// The library may write its size limit plus a terminator; one spare byte past
// the limit keeps even a terminator-less answer inside our buffer.
std::string UpToZero(const std::vector<char>& buffer) {
    const auto end = std::find(buffer.begin(), buffer.end() - 1, '\0');
    return std::string(buffer.begin(), end);
}
}  // namespace

Win32Library::Win32Library(Text dllPath, const Text& pluginHost) : path_(std::move(dllPath)) {
    if (!pluginHost.empty() && GetFileAttributesW(win32::Wide(pluginHost).c_str()) != INVALID_FILE_ATTRIBUTES)
        hosts_ = std::make_unique<PluginHosts>(win32::Wide(pluginHost));
}

Win32Library::~Win32Library() = default;

FARPROC Win32Library::Export(const char* name) {
    if (!tried_) {
        tried_ = true;
        module_.reset(LoadLibraryW(win32::Wide(path_).c_str()));
    }
    return module_ ? GetProcAddress(module_.get(), name) : nullptr;
}

bool Win32Library::Available() { return Export("Init") != nullptr; }

WindowId Win32Library::Init(EventHandler handler) {
    auto fn = Get<TBQ_InitProc>("Init");
    if (!fn) return 0;
    if (!g_handler) g_handler = std::move(handler);
    return Id(fn(&Dispatch));
}

void Win32Library::Quit() {
    if (auto fn = Get<TBQ_QuitProc>("Quit")) fn();
    g_handler = nullptr;
}

void Win32Library::TellLanguage() {
    if (auto fn = Get<TBQ_SetLanguageProc>("SetLanguage")) fn(CurrentLanguage() == Language::English ? 1 : 0);
}

LibraryInformation Win32Library::GetInformation() {
    TellLanguage();
    LibraryInformation info;
    TBQ_Information record{};
    if (auto fn = Get<TBQ_GetInformationProc>("GetInformation")) fn(&record);
    info.version.assign(record.Version, sizeof record.Version);
    info.comment.assign(record.Comment, sizeof record.Comment);
    info.copyright.assign(record.Copyright, sizeof record.Copyright);
    return info;
}

void Win32Library::ShowAbout(WindowId owner) {
    TellLanguage();
    if (auto fn = Get<TBQ_ShowAboutProc>("ShowAbout")) fn(H(owner));
}

void Win32Library::ShowMainProgramWindow() {
    if (auto fn = Get<TBQ_ShowMainProgramWindowProc>("ShowMainProgramWindow")) fn();
}

std::string Win32Library::GetExeFileName(WindowId w) {
    auto fn = Get<TBQ_GetExeFileNameProc>("GetExeFileName");
    if (!fn) return {};
    std::string buf(10240, '\0');
    int n = fn(H(w), buf.data(), static_cast<int>(buf.size()));
    if (n <= 0) return {};
    return buf.substr(0, buf.find('\0'));
}

bool Win32Library::CreateShortCut(const std::string& link, const std::string& target,
                                  const std::string& workDir, const std::string& iconFile,
                                  std::int32_t iconIndex, const std::string& description,
                                  const std::string& arguments) {
    auto fn = Get<TBQ_CreateShortCutProc>("CreateShortCut");
    return fn && fn(link.c_str(), target.c_str(), workDir.c_str(), iconFile.c_str(), iconIndex,
                    description.c_str(), arguments.c_str()) != 0;
}

void Win32Library::NotifyIconControl(std::int32_t mode, std::intptr_t value1,
                                     std::intptr_t value2) {
    if (auto fn = Get<TBQ_NotifyIconControlProc>("NotifyIconControl")) fn(mode, value1, value2);
}

std::string Win32Library::ExFormatConvert(const std::array<std::uint16_t, 8>& systemTime,
                                          const std::string& ansiFormat) {
    auto fn = Get<TBQ_ExFormatConvertProc>("ExFormatConvert");
    if (!fn) return {};
    const SYSTEMTIME time{systemTime[0], systemTime[1], systemTime[2], systemTime[3],
                          systemTime[4], systemTime[5], systemTime[6], systemTime[7]};
    constexpr int32_t kLimit = 1024;
    std::vector<char> out(kLimit + 1, '\0');
    fn(&time, ansiFormat.c_str(), out.data(), kLimit);
    return UpToZero(out);
}

bool Win32Library::ExFormatGetInfo(std::int32_t index, std::string& name, std::string& help) {
    TellLanguage();
    auto fn = Get<TBQ_ExFormatGetInfoProc>("ExFormatGetInfo");
    if (!fn) return false;
    // A text that fills its bound comes back unterminated: the spare byte ends it.
    constexpr int32_t kNameLimit = 256, kHelpLimit = 1024;
    std::vector<char> nameBuf(kNameLimit + 1, '\0'), helpBuf(kHelpLimit + 1, '\0');
    if (fn(index, nameBuf.data(), kNameLimit, helpBuf.data(), kHelpLimit) == 0) return false;
    name = UpToZero(nameBuf);
    help = UpToZero(helpBuf);
    return true;
}

WindowId Win32Library::ShowAlarmWindow(WindowId owner, const std::string& title,
                                       const std::string& message, std::uint32_t tag) {
    TellLanguage();
    auto fn = Get<TBQ_ShowAlarmWindowProc>("ShowAlarmWindow");
    if (!fn) return 0;
    // The export takes the tag's 32 bits as a signed number.
    return Id(fn(H(owner), title.c_str(), message.c_str(), static_cast<std::int32_t>(tag)));
}

bool Win32Library::CloseAlarmWindow(WindowId window) {
    auto fn = Get<TBQ_CloseAlarmWindowProc>("CloseAlarmWindow");
    return fn && fn(H(window)) != 0;
}

void Win32Library::SetDummyBarEx(bool show, WindowId target, const DummyBarPlacement& place) {
    auto fn = Get<TBQ_SetDummyBarExProc>("SetDummyBarEx");
    if (!fn) return;
    const TBQ_DummyBarRect record{0,           place.left,   place.top, place.right,
                                  place.bottom, place.normal, place.mouseOver};
    fn(show ? 1 : 0, H(target), &record);
}

WindowId Win32Library::GetDummyBar() {
    auto fn = Get<TBQ_GetDummyBarProc>("GetDummyBar");
    return fn ? Id(fn()) : 0;
}

void Win32Library::CloseDummyBar() {
    if (auto fn = Get<TBQ_CloseDummyBarProc>("CloseDummyBar")) fn();
}

PluginLoad Win32Library::PluginInit(const std::string& ansiPath) {
    if (hosts_) return hosts_->Init(ansiPath);
    // In this process a plug-in that crashes takes the program with it: there
    // is no failure left to report.
    auto fn = Get<TBQ_PluginInitBridgeProc>("PluginInit");
    return {fn ? reinterpret_cast<PluginHandle>(fn(ansiPath.c_str())) : 0, false};
}

bool Win32Library::PluginFree(PluginHandle plugin) {
    if (hosts_) return hosts_->Free(plugin);
    auto fn = Get<TBQ_PluginFreeBridgeProc>("PluginFree");
    return fn && fn(M(plugin)) != 0;
}

bool Win32Library::PluginGetInfo(PluginHandle plugin, PluginInfoBytes& record) {
    static_assert(sizeof(TBQ_PluginInfo) == kPluginInfoRecordSize);
    if (hosts_) return hosts_->GetInfo(plugin, record);
    record.fill(0);
    auto fn = Get<TBQ_PluginGetInfoBridgeProc>("PluginGetInfo");
    if (!fn) return true;
    TBQ_PluginInfo info{};
    fn(M(plugin), &info);
    std::memcpy(record.data(), &info, sizeof info);
    return true;
}

bool Win32Library::PluginGetFuncInfo(PluginHandle plugin, std::int32_t funcNo,
                                     PluginFuncBytes& record) {
    static_assert(sizeof(TBQ_PluginFuncInfo) == kPluginFuncRecordSize);
    if (hosts_) return hosts_->GetFuncInfo(plugin, funcNo, record);
    record.fill(0);
    auto fn = Get<TBQ_PluginGetFuncInfoBridgeProc>("PluginGetFuncInfo");
    if (!fn) return true;
    TBQ_PluginFuncInfo info{};
    fn(M(plugin), funcNo, &info);
    std::memcpy(record.data(), &info, sizeof info);
    return true;
}

void Win32Library::PluginGetFuncSettingName(PluginHandle plugin, std::int32_t funcNo,
                                            std::int32_t settingNo, char* buffer,
                                            std::int32_t size) {
    if (hosts_) return hosts_->GetFuncSettingName(plugin, funcNo, settingNo, buffer, size);
    if (auto fn = Get<TBQ_PluginGetFuncSettingNameBridgeProc>("PluginGetFuncSettingName"))
        fn(M(plugin), funcNo, settingNo, buffer, size);
}

PluginProc Win32Library::PluginGetFuncProc(PluginHandle plugin) {
    if (hosts_) return hosts_->GetFuncProc(plugin);
    auto fn = Get<TBQ_PluginGetFuncProcBridgeProc>("PluginGetFuncProc");
    return fn ? reinterpret_cast<PluginProc>(fn(M(plugin))) : 0;
}

std::optional<std::int32_t> Win32Library::PluginGetText(PluginHandle plugin, PluginProc proc,
                                                        std::int32_t funcNo,
                                                        std::int32_t settingNo, WindowId window,
                                                        char* buffer, std::int32_t size,
                                                        std::size_t capacity) {
    if (hosts_) return hosts_->GetText(plugin, funcNo, settingNo, window, buffer, size, capacity);
    auto fn = Get<TBQ_PluginGetTextBridgeProc>("PluginGetText");
    if (!fn) return 0;
    return fn(reinterpret_cast<TBQ_PluginGetTextProc>(proc), funcNo, settingNo, H(window), buffer,
              size, 0);
}

std::optional<std::vector<PluginTextAnswer>> Win32Library::PluginGetTexts(
    PluginHandle plugin, WindowId window, const std::vector<PluginTextAsk>& asks, std::int32_t maxLength,
    std::int32_t spare) {
    // In this process each text is a plain call: nothing to gather.
    if (!hosts_) return std::vector<PluginTextAnswer>{};
    return hosts_->GetTexts(plugin, window, asks, maxLength, spare);
}

void Win32Library::PluginShowAbout(PluginHandle plugin, WindowId owner) {
    if (hosts_) return hosts_->ShowAbout(plugin, owner);
    if (auto fn = Get<TBQ_PluginShowAboutBridgeProc>("PluginShowAbout")) fn(M(plugin), H(owner));
}

void Win32Library::PluginShowSetting(PluginHandle plugin, std::int32_t funcNo,
                                     std::int32_t settingNo, WindowId owner) {
    if (hosts_) return hosts_->ShowSetting(plugin, funcNo, settingNo, owner);
    if (auto fn = Get<TBQ_PluginShowSettingBridgeProc>("PluginShowSetting"))
        fn(M(plugin), funcNo, settingNo, H(owner));
}

}  // namespace tbq::platform
