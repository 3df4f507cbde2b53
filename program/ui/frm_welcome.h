// frmWelcome: the first start's window. The user begins with a sample, takes
// over the earlier version's settings file, or starts with nothing shown; and
// may have the program start with Windows. Start-up waits while it is open.
#pragma once

#include <windows.h>

#include <vector>

#include "base/text.h"
#include "core/library_wrapper.h"
#include "ui/resource.h"
#include "ui/kit/dialog.h"
#include "ui/kit/handles.h"

namespace tbq::ui {

class FrmWelcome final : public Dialog {
public:
    // "Lunetta - ようこそ！", by which other processes find the window.
    static Text WindowCaption();
    explicit FrmWelcome(vbKerova_Dll& dll);

    // Opens the window modelessly; false when it cannot be made.
    bool Show() { return OpenModeless(nullptr, IDD_WELCOME); }

private:
    void OnInit() override;
    // Escape and the close box end the window without a choice.
    void OnCancel() override { Finish(false); }
    void SelectMode(int mode);
    void ShowComment();
    void ShowBackupNote();
    void Browse();
    void OnOk();
    // Ends the window; `finished` tells start-up to go on.
    void Finish(bool finished);
    int SelectedSample() const;
    void PaintFrame();

    vbKerova_Dll& dll_;
    int mode_ = 0;
    bool foundLegacy_ = false;
    std::vector<int> sampleNumbers_;
    std::vector<Text> comments_;
    UniqueBrush brush_;
    COLORREF color_ = 0;
};

}  // namespace tbq::ui
