#include "plugin/plugin.h"

#include <algorithm>

#include "platform/ports.h"
#include "base/texts.h"

namespace tbq {

namespace {
constexpr std::int32_t kSettingNameBuffer = 256;

Text FromAnsi(const std::string& bytes) { return platform::codepage().FromAnsi(bytes); }
}  // namespace

bool vbKerova_Plugin::init(const Text& path, const Text& FileName, bool Enable) {
    fileName_ = FileName;
    enabled_ = Enable;
    Free();
    if (!Enable) return true;
    const platform::PluginLoad load = library_.PluginInit(platform::codepage().ToAnsi(path + FileName));
    handle_ = load.handle;
    if (handle_ == 0) {
        enabled_ = false;
        if (!load.failed) return false;
        // Crashed or hung while loading: the same as in a text call, so the
        // switched-off state is kept and saved and the next start leaves it.
        Fail();
        return true;
    }
    textProc_ = library_.PluginGetFuncProc(handle_);
    platform::PluginInfoBytes record{};
    bool answered = library_.PluginGetInfo(handle_, record);
    info_ = ReadPluginInformation(record);
    funcs_.resize(answered ? static_cast<std::size_t>(info_.funcNum) : 0);
    for (std::int32_t n = 1; answered && n <= info_.funcNum; ++n) {
        platform::PluginFuncBytes func{};
        answered = library_.PluginGetFuncInfo(handle_, n, func);
        funcs_[static_cast<std::size_t>(n - 1)] = ReadPluginFunction(func);
    }
    if (!answered) Fail();
    return true;
}

void vbKerova_Plugin::Free() {
    if (handle_ != 0) library_.PluginFree(handle_);
    handle_ = 0;
    // The text function's address goes with the file: it is never called again.
    textProc_ = 0;
    info_ = PluginInformation{};
    funcs_.clear();
    asked_.clear();
}

Text vbKerova_Plugin::PluginInfoStr(int type) const {
    if (!loaded()) {
        if (type == 0) return fileName_;
        if (type == 2) return Text(Tr(TextId::PluginNotLoaded));
        return {};
    }
    switch (type) {
        case 0: return FromAnsi(info_.name);
        case 1: return FromAnsi(info_.version);
        case 2: return FromAnsi(info_.comment);
        case 3: return FromAnsi(info_.copyright);
        case 4: return FromAnsi(info_.url);
        case 5: return FromAnsi(info_.mail);
        default: return {};
    }
}

Text vbKerova_Plugin::PluginFuncInfoStr(std::int32_t FuncNo, int type) const {
    if (!loaded()) return fileName_ + u"-" + NumberText(FuncNo);
    if (!ValidFunc(FuncNo)) return {};
    const PluginFunction& f = funcs_[static_cast<std::size_t>(FuncNo - 1)];
    if (type == 0) return FromAnsi(f.name);
    if (type == 1) return FromAnsi(f.comment);
    return {};
}

bool vbKerova_Plugin::PluginIsFlag(std::int32_t iFlag) const {
    return loaded() && (info_.flags & iFlag) == iFlag;
}

bool vbKerova_Plugin::PluginFuncIsFlag(std::int32_t FuncNo, std::int32_t iFlag) const {
    return ValidFunc(FuncNo) &&
           (funcs_[static_cast<std::size_t>(FuncNo - 1)].flags & iFlag) == iFlag;
}

std::int32_t vbKerova_Plugin::FuncSettingNum(std::int32_t FuncNo) const {
    return ValidFunc(FuncNo) ? funcs_[static_cast<std::size_t>(FuncNo - 1)].settingNum : 0;
}

Text vbKerova_Plugin::PluginFuncSettingName(std::int32_t FuncNo, std::int32_t SettingNo) {
    if (!loaded())
        return fileName_ + u"-" + NumberText(FuncNo) + u"-" + NumberText(SettingNo);
    if (SettingNo < 1 || SettingNo > FuncSettingNum(FuncNo)) return {};
    // One spare byte past what the plug-in is told keeps the name terminated.
    std::string buffer(kSettingNameBuffer + 1, '\0');
    library_.PluginGetFuncSettingName(handle_, FuncNo, SettingNo, buffer.data(), kSettingNameBuffer);
    return FromAnsi(FieldBytes(buffer.data(), buffer.size()));
}

void vbKerova_Plugin::AskTexts(platform::WindowId hWnd,
                               const std::vector<std::pair<std::int32_t, std::int32_t>>& texts) {
    asked_.clear();
    if (!loaded() || textProc_ == 0 || texts.empty()) return;
    std::vector<platform::PluginTextAsk> asks;
    for (const auto& [func, setting] : texts)
        asks.push_back({func, setting, PluginFuncIsFlag(func, kFuncUtf16)});
    std::optional<std::vector<platform::PluginTextAnswer>> answers =
        library_.PluginGetTexts(handle_, hWnd, asks, kMaxPluginTextLength, kTextBufferSpare);
    if (!answers) {
        Fail();
        return;
    }
    for (std::size_t i = 0; i < answers->size() && i < texts.size(); ++i)
        asked_.push_back({texts[i].first, texts[i].second, hWnd, std::move((*answers)[i])});
}

Text vbKerova_Plugin::PluginGetText(platform::WindowId hWnd, std::int32_t FuncNo,
                                    std::int32_t SettingNo) {
    if (!loaded() || textProc_ == 0) return {};
    const bool utf16 = PluginFuncIsFlag(FuncNo, kFuncUtf16);
    auto asked = std::find_if(asked_.begin(), asked_.end(), [&](const Asked& a) {
        return a.funcNo == FuncNo && a.settingNo == SettingNo && a.window == hWnd;
    });
    if (asked != asked_.end()) {
        // Answered already: the same two questions, from what came back.
        const platform::PluginTextAnswer answer = std::move(asked->answer);
        asked_.erase(asked);
        return RequestPluginText(
                   [&](char* buffer, std::int32_t size) -> std::optional<std::int32_t> {
                       if (!buffer) return answer.length;
                       const auto capacity = static_cast<std::size_t>(size + kTextBufferSpare) * (utf16 ? 2 : 1);
                       std::copy_n(answer.bytes.begin(), std::min(capacity, answer.bytes.size()), buffer);
                       return answer.written;
                   },
                   utf16)
            .value_or(Text());
    }
    const platform::PluginHandle handle = handle_;
    const platform::PluginProc proc = textProc_;
    std::optional<Text> text = RequestPluginText(
        [&](char* buffer, std::int32_t size) {
            const std::size_t capacity =
                buffer ? static_cast<std::size_t>(size + kTextBufferSpare) * (utf16 ? 2 : 1) : 0;
            return library_.PluginGetText(handle, proc, FuncNo, SettingNo, hWnd, buffer, size,
                                          capacity);
        },
        utf16);
    if (!text) {
        Fail();
        return {};
    }
    return std::move(*text);
}

void vbKerova_Plugin::ShowAbout(platform::WindowId hWnd) {
    if (loaded()) library_.PluginShowAbout(handle_, hWnd);
}

void vbKerova_Plugin::ShowSetting(platform::WindowId hWnd, std::int32_t FuncNo,
                                  std::int32_t SettingNo) {
    if (loaded()) library_.PluginShowSetting(handle_, FuncNo, SettingNo, hWnd);
}

void vbKerova_Plugin::SetEnable(bool vNewValue) {
    if (vNewValue && !enabled_) {
        failed_ = false;
        // init leaves it switched off when the file is refused or fails.
        init(PluginsFolder, fileName_, true);
    } else if (!vNewValue && enabled_) {
        Free();
        enabled_ = false;
    }
}

void vbKerova_Plugin::Fail() {
    Free();
    enabled_ = false;
    failed_ = true;
    if (OnFailure) OnFailure(*this);
}

}  // namespace tbq
