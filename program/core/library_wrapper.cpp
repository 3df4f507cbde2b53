#include "core/library_wrapper.h"

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

}  // namespace tbq
