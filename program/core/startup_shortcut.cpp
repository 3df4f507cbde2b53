#include "core/startup_shortcut.h"

#include <optional>

#include "core/helpers.h"
#include "core/program_location.h"
#include "platform/ports.h"
#include "base/texts.h"

namespace tbq {

namespace {
constexpr int kStartupFolder = 7;
}  // namespace

Text StartupShortcutPath() {
    std::optional<Text> folder = platform::system().SpecialFolderPath(kStartupFolder);
    if (!folder || folder->empty()) return Text();
    if (folder->back() != u'\\') *folder += u'\\';
    return *folder + Text(kProductName) + u".lnk";
}

bool StartupShortcut(vbKerova_Dll& dll, bool queryOnly, bool doRegister) {
    const Text link = StartupShortcutPath();
    if (queryOnly) return !link.empty() && FileExists(link);
    if (!doRegister) {
        if (!link.empty() && FileExists(link)) platform::files().Delete(link);
        return false;
    }
    const Text target = ProgramFilePath();
    // A user without a start-up folder is told it failed like any other failure.
    if (!link.empty() && dll.CreateShortCut(link, target, ProgramFolder(), target, 0,
                                            GetVersionString(u"Comments", u""), u"")) {
        platform::dialogs().Show(0, Text(Tr(TextId::MsgStartupDone)), kProductName, platform::BoxStyle::Information);
    } else {
        platform::dialogs().Show(0, Text(Tr(TextId::MsgStartupFailed)), kProductName,
                                 platform::BoxStyle::Warning);
        if (!link.empty() && FileExists(link)) platform::files().Delete(link);
    }
    return false;
}

}  // namespace tbq
