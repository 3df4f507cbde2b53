// frmWelcome: the first start's window. The user begins with a sample, takes
// over the earlier version's settings file, or starts with nothing shown; and
// may have the program start with Windows. Start-up waits while it is open.
#pragma once

#include <windows.h>

#include <vector>

#include "base/text.h"
#include "core/library_wrapper.h"
#include "ui/resource.h"
#include "ui/window_base.h"

namespace tbq::ui {

class FrmWelcome final : public DialogBase {
public:
    explicit FrmWelcome(vbKerova_Dll& dll) : dll_(dll) {}
    ~FrmWelcome() override;

    // Opens the window modelessly; false when it cannot be made.
    bool Show() { return Open(IDD_WELCOME); }

private:
    INT_PTR Handle(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnOpen() override;
    void SelectMode(int mode);
    void ShowComment();
    void ShowBackupNote();
    void Browse();
    void OnOk();
    // Ends the window; `finished` tells start-up to go on.
    void Close(bool finished);
    int SelectedSample() const;
    void PaintFrame();

    vbKerova_Dll& dll_;
    int mode_ = 0;
    bool foundLegacy_ = false;
    std::vector<int> sampleNumbers_;
    std::vector<Text> comments_;
    HBRUSH brush_ = nullptr;
    COLORREF color_ = 0;
};

}  // namespace tbq::ui
