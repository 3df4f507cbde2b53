// vbKerova_Dll: the program's one view of TBQ.dll. Creating it initialises the
// library with the program's event handler; destroying it shuts the library down.
#pragma once

#include <cstdint>

#include "base/text.h"
#include "platform/library.h"

namespace tbq {

class vbKerova_Dll {
public:
    enum TrayMode : std::int32_t {
        kTrayAdd = 1, kTrayRemove = 2, kBalloonTimeout = 3, kBalloonTitle = 4, kBalloonOn = 5,
        kSpareFlag = 6, kBalloonText = 7, kBalloonIcon = 8, kTip = 9, kSpareValue = 10,
        kLoadIcon = 11,
    };

    vbKerova_Dll(platform::Library& library, platform::Library::EventHandler handler);
    ~vbKerova_Dll();
    vbKerova_Dll(const vbKerova_Dll&) = delete;
    vbKerova_Dll& operator=(const vbKerova_Dll&) = delete;

    const Text& Version() const { return version_; }
    const Text& Comment() const { return comment_; }
    const Text& Copyright() const { return copyright_; }
    platform::WindowId MessageWindow() const { return messageWindow_; }

    bool CreateShortCut(const Text& shortCutPath, const Text& targetFile, const Text& workDir,
                        const Text& iconFile, std::int32_t iconIndex, const Text& comment,
                        const Text& commandLine);
    // Modes 4, 7 and 9 take `strValue`, mode 11 both numbers, modes 3, 5, 6, 8
    // and 10 the first number; modes 1 and 2 nothing. Other modes call nothing.
    void NotifyIconControl(std::int32_t mode, const Text& strValue = {},
                           std::intptr_t lngValue1 = 0, std::intptr_t lngValue2 = 0);
    void ShowAbout(platform::WindowId owner) { library_.ShowAbout(owner); }
    void ShowMainWindow() { library_.ShowMainProgramWindow(); }
    Text GetExeFileName(platform::WindowId target);

    // The extended date format of `FormatText` at that moment; `NowDate_Week`
    // is the day of week, 0 = Sunday. At most 1024 bytes of converted text.
    Text FormatConvert(int NowDate_Year, int NowDate_Month, int NowDate_Day, int NowDate_Hour,
                       int NowDate_Minute, int NowDate_Second, int NowDate_Milliseconds,
                       int NowDate_Week, const Text& FormatText);
    // Token and help text of row `FormatNo` of the extended format's list; false
    // past the last row, with both texts left as they were.
    bool GetFormatInfo(std::int32_t FormatNo, Text& FormatBuf, Text& InfoBuf);

    // A new alarm message window owned by `owner`; `tag` comes back in the
    // kind-6 event of its check box. 0 when it could not be made.
    platform::WindowId ShowAlarmWindow(platform::WindowId owner, const Text& title,
                                       const Text& message, std::uint32_t tag);
    // False for anything but an open alarm window of the library.
    bool CloseAlarmWindow(platform::WindowId window) { return library_.CloseAlarmWindow(window); }

    // The pseudo title bar over `target`: shown over the rectangle with its two
    // transparency values, or hidden.
    void ShowDummyBar(bool show, platform::WindowId target, const platform::DummyBarPlacement& place) {
        library_.SetDummyBarEx(show, target, place);
    }
    platform::WindowId GetDummyBar() { return library_.GetDummyBar(); }
    void CloseDummyBar() { library_.CloseDummyBar(); }

private:
    platform::Library& library_;
    platform::WindowId messageWindow_ = 0;
    Text version_, comment_, copyright_;
};

// The program's one wrapper, for code far from start-up (the clock item's
// extended format). Null until start-up sets it, and in tests that set none.
vbKerova_Dll* TheLibrary();
void SetTheLibrary(vbKerova_Dll* library);

}  // namespace tbq
