// TBQ.dll as the program reaches it: one call per export, arguments as the
// exports take them (ANSI texts, pointer-sized values where a handle or a text
// travels). The program's typed view is vbKerova_Dll on top of this.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>
#include <string>

#include "base/text.h"
#include "platform/windows.h"

namespace tbq::platform {

// The library's information record, its three text fields as bytes.
struct LibraryInformation {
    std::string version;    // 16 bytes in the record
    std::string comment;    // 256
    std::string copyright;  // 128
};

// Where the pseudo title bar goes over its target: pixels from the target
// window's top left corner, and the transparency with the mouse outside and
// over the bar (top byte alpha, 0 for the colour key of the low three bytes).
struct DummyBarPlacement {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    std::uint32_t normal = 0, mouseOver = 0;
};
// The plug-in records as the bridge fills them, byte for byte: the information
// record (six text fields, the number of functions, flags, reserved) and one
// function's record (name, description, number of settings, flags, reserved).
inline constexpr std::size_t kPluginInfoRecordSize = 956;
inline constexpr std::size_t kPluginFuncRecordSize = 300;
using PluginInfoBytes = std::array<std::uint8_t, kPluginInfoRecordSize>;
using PluginFuncBytes = std::array<std::uint8_t, kPluginFuncRecordSize>;
// A loaded plug-in and its text function, pointer-sized; 0 is none.
using PluginHandle = std::intptr_t;
using PluginProc = std::intptr_t;

// What loading a plug-in came to.
struct PluginLoad {
    PluginHandle handle = 0;  // 0 when it is not loaded
    // Not loaded because the plug-in crashed or hung while it loaded, as
    // opposed to a file that is no plug-in (or could not be found or started).
    bool failed = false;
};

// One text asked of a plug-in together with others, and what came back.
struct PluginTextAsk {
    std::int32_t funcNo = 0, settingNo = 0;
    bool utf16 = false;
};
struct PluginTextAnswer {
    std::int32_t length = 0;   // the length question's answer
    std::int32_t written = 0;  // the text call's result
    std::vector<char> bytes;   // the buffer it wrote (empty: the length was out of range)
};

class Library {
public:
    using EventHandler = std::function<void(std::int32_t kind, std::int32_t a, std::int32_t b)>;
    virtual ~Library() = default;

    // False when the library cannot be loaded at all.
    virtual bool Available() = 0;
    // The hidden message window's handle, 0 when the library was initialised before.
    virtual WindowId Init(EventHandler handler) = 0;
    virtual void Quit() = 0;
    virtual LibraryInformation GetInformation() = 0;
    virtual void ShowAbout(WindowId owner) = 0;
    virtual void ShowMainProgramWindow() = 0;
    // The executable of the window's process; "" when it cannot be found.
    virtual std::string GetExeFileName(WindowId w) = 0;
    virtual bool CreateShortCut(const std::string& link, const std::string& target,
                                const std::string& workDir, const std::string& iconFile,
                                std::int32_t iconIndex, const std::string& description,
                                const std::string& arguments) = 0;
    virtual void NotifyIconControl(std::int32_t mode, std::intptr_t value1,
                                   std::intptr_t value2) = 0;
    // The extended date format: `systemTime` is the 16-byte time record (year,
    // month, day of week, day, hour, minute, second, milliseconds); the result
    // is the text up to its first zero byte, at most 1024 bytes.
    virtual std::string ExFormatConvert(const std::array<std::uint16_t, 8>& systemTime,
                                        const std::string& ansiFormat) = 0;
    // Row `index` of the extended format's token list: false (and both texts
    // untouched) past the last row.
    virtual bool ExFormatGetInfo(std::int32_t index, std::string& name, std::string& help) = 0;
    // A new alarm message window owned by `owner`: caption `title`, message text
    // `message` (ANSI, "\r\n" line breaks) and `tag`, which comes back in the
    // kind-6 event of its check box. 0 when it could not be made.
    virtual WindowId ShowAlarmWindow(WindowId owner, const std::string& title,
                                     const std::string& message, std::uint32_t tag) = 0;
    // Destroys a window ShowAlarmWindow made; false (and nothing done) for any
    // other handle, including one whose window has gone.
    virtual bool CloseAlarmWindow(WindowId window) = 0;
    // The library's one pseudo title bar: placed over `target` and shown, or
    // hidden; a call for another target makes a new bar.
    virtual void SetDummyBarEx(bool show, WindowId target, const DummyBarPlacement& place) = 0;
    // The bar's window, 0 for none (or one that went with its target).
    virtual WindowId GetDummyBar() = 0;
    virtual void CloseDummyBar() = 0;

    // The plug-in bridge. `ansiPath` is the plug-in file's full path.
    // True when every plug-in runs in a process of its own, so that none can
    // take the program down; false when they load into the program's process.
    virtual bool PluginsContained() const { return true; }
    virtual PluginLoad PluginInit(const std::string& ansiPath) = 0;
    virtual bool PluginFree(PluginHandle plugin) = 0;
    // The records come back zeroed where the plug-in wrote nothing. False when
    // the plug-in failed (crashed or hung) answering: it must then be freed.
    virtual bool PluginGetInfo(PluginHandle plugin, PluginInfoBytes& record) = 0;
    virtual bool PluginGetFuncInfo(PluginHandle plugin, std::int32_t funcNo,
                                   PluginFuncBytes& record) = 0;
    // The setting's name into `buffer` of `size` bytes, terminated.
    virtual void PluginGetFuncSettingName(PluginHandle plugin, std::int32_t funcNo,
                                          std::int32_t settingNo, char* buffer,
                                          std::int32_t size) = 0;
    virtual PluginProc PluginGetFuncProc(PluginHandle plugin) = 0;
    // One GetText call through the text function `proc` of `plugin`: its result
    // (the length). `buffer` holds `capacity` bytes (null and 0 for the length
    // question); the plug-in is told `size`. nullopt when the plug-in failed: it crashed, or took longer
    // than its time budget; it must then be freed and not be called again.
    virtual std::optional<std::int32_t> PluginGetText(PluginHandle plugin, PluginProc proc,
                                                      std::int32_t funcNo, std::int32_t settingNo,
                                                      WindowId window, char* buffer,
                                                      std::int32_t size, std::size_t capacity) = 0;
    // Several texts of one plug-in in one exchange, each asked exactly as two
    // PluginGetText calls would ask it: its length, then, for a length from 0
    // to `maxLength`, the text into a buffer of length + 1 + `spare` characters
    // (the plug-in told length + 1). Answers come in the order of the asks and
    // may be fewer (the rest are asked one by one); none at all where texts
    // cannot be had together (a plug-in in this process answers at once
    // anyway). nullopt when the plug-in failed, as for PluginGetText.
    virtual std::optional<std::vector<PluginTextAnswer>> PluginGetTexts(
        PluginHandle /*plugin*/, WindowId /*window*/, const std::vector<PluginTextAsk>& /*asks*/,
        std::int32_t /*maxLength*/, std::int32_t /*spare*/) {
        return std::vector<PluginTextAnswer>{};
    }
    virtual void PluginShowAbout(PluginHandle plugin, WindowId owner) = 0;
    virtual void PluginShowSetting(PluginHandle plugin, std::int32_t funcNo, std::int32_t settingNo,
                                   WindowId owner) = 0;
};

}  // namespace tbq::platform
