#include "core/library_wrapper.h"

#include <array>

#include "platform/ports.h"

namespace tbq {

namespace {
// A record field as text: the bytes up to the first zero, in the code page.
Text FieldText(const std::string& bytes) {
    return platform::codepage().FromAnsi(std::string_view(bytes).substr(0, bytes.find('\0')));
}
std::string Ansi(const Text& t) { return platform::codepage().ToAnsi(t); }
}  // namespace

vbKerova_Dll::vbKerova_Dll(platform::Library& library, platform::Library::EventHandler handler)
    : library_(library) {
    messageWindow_ = library_.Init(std::move(handler));
    platform::LibraryInformation info = library_.GetInformation();
    version_ = FieldText(info.version);
    comment_ = FieldText(info.comment);
    copyright_ = FieldText(info.copyright);
}

vbKerova_Dll::~vbKerova_Dll() { library_.Quit(); }

bool vbKerova_Dll::CreateShortCut(const Text& shortCutPath, const Text& targetFile,
                                  const Text& workDir, const Text& iconFile,
                                  std::int32_t iconIndex, const Text& comment,
                                  const Text& commandLine) {
    return library_.CreateShortCut(Ansi(shortCutPath), Ansi(targetFile), Ansi(workDir),
                                   Ansi(iconFile), iconIndex, Ansi(comment), Ansi(commandLine));
}

void vbKerova_Dll::NotifyIconControl(std::int32_t mode, const Text& strValue,
                                     std::intptr_t lngValue1, std::intptr_t lngValue2) {
    switch (mode) {
        case kTrayAdd:
        case kTrayRemove:
            library_.NotifyIconControl(mode, 0, 0);
            break;
        case kBalloonTitle:
        case kBalloonText:
        case kTip: {
            // The library copies the text during the call.
            std::string text = Ansi(strValue);
            library_.NotifyIconControl(mode, reinterpret_cast<std::intptr_t>(text.c_str()), 0);
            break;
        }
        case kLoadIcon:
            library_.NotifyIconControl(mode, lngValue1, lngValue2);
            break;
        case kBalloonTimeout:
        case kBalloonOn:
        case kSpareFlag:
        case kBalloonIcon:
        case kSpareValue:
            library_.NotifyIconControl(mode, lngValue1, 0);
            break;
        default:
            break;
    }
}

Text vbKerova_Dll::GetExeFileName(platform::WindowId target) {
    return platform::codepage().FromAnsi(library_.GetExeFileName(target));
}

Text vbKerova_Dll::FormatConvert(int NowDate_Year, int NowDate_Month, int NowDate_Day,
                                 int NowDate_Hour, int NowDate_Minute, int NowDate_Second,
                                 int NowDate_Milliseconds, int NowDate_Week,
                                 const Text& FormatText) {
    // The record's field order is the system's, with the day of week before the day.
    const auto u16 = [](int v) { return static_cast<std::uint16_t>(v); };
    const std::array<std::uint16_t, 8> record{
        u16(NowDate_Year),   u16(NowDate_Month),  u16(NowDate_Week),   u16(NowDate_Day),
        u16(NowDate_Hour),   u16(NowDate_Minute), u16(NowDate_Second), u16(NowDate_Milliseconds)};
    return FieldText(library_.ExFormatConvert(record, Ansi(FormatText)));
}

bool vbKerova_Dll::GetFormatInfo(std::int32_t FormatNo, Text& FormatBuf, Text& InfoBuf) {
    std::string name, help;
    if (!library_.ExFormatGetInfo(FormatNo, name, help)) return false;
    FormatBuf = FieldText(name);
    InfoBuf = FieldText(help);
    return true;
}

platform::WindowId vbKerova_Dll::ShowAlarmWindow(platform::WindowId owner, const Text& title,
                                                 const Text& message, std::uint32_t tag) {
    return library_.ShowAlarmWindow(owner, Ansi(title), Ansi(message), tag);
}

namespace {
vbKerova_Dll* g_library = nullptr;
}

vbKerova_Dll* TheLibrary() { return g_library; }
void SetTheLibrary(vbKerova_Dll* library) { g_library = library; }

}  // namespace tbq
