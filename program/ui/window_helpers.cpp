#include "ui/window_helpers.h"

#include <algorithm>
#include <cstdint>

#include "ui/question_dialog.h"
#include "win32/wide.h"
#include "base/texts.h"

namespace tbq::ui {

void ForceForeground(HWND window) {
    HWND fg = GetForegroundWindow();
    DWORD fgThread = fg ? GetWindowThreadProcessId(fg, nullptr) : 0;
    DWORD ownThread = GetCurrentThreadId();
    // Sharing input with a thread that does not answer can stall ours as well,
    // so a hung foreground window is not attached to; the lock time-out alone
    // still lets most requests through.
    const bool attach = fgThread != 0 && fgThread != ownThread && !IsHungAppWindow(fg);
    if (attach) AttachThreadInput(ownThread, fgThread, TRUE);
    DWORD timeout = 0;
    SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0);
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
    SetForegroundWindow(window);
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                          reinterpret_cast<void*>(static_cast<std::uintptr_t>(timeout)), 0);
    if (attach) AttachThreadInput(ownThread, fgThread, FALSE);
}

Text FieldText(HWND dlg, int id) {
    HWND c = GetDlgItem(dlg, id);
    const int n = GetWindowTextLengthW(c);
    std::wstring buf(static_cast<std::size_t>(n) + 1, L'\0');
    GetWindowTextW(c, buf.data(), n + 1);
    buf.resize(static_cast<std::size_t>(n));
    return win32::FromWide(buf);
}

void SetField(HWND dlg, int id, const Text& text) {
    SetDlgItemTextW(dlg, id, win32::Wide(text).c_str());
}

void FillComboBox(HWND combo, const std::vector<Text>& entries, std::size_t selected) {
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const Text& e : entries)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(e).c_str()));
    SendMessageW(combo, CB_SETCURSEL, selected, 0);
}

std::optional<int> ScrollRequest(HWND bar, WPARAM wp, int line, int page) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    if (!GetScrollInfo(bar, SB_CTL, &si)) return std::nullopt;
    int pos = si.nPos;
    switch (LOWORD(wp)) {
        case SB_LINELEFT: pos -= line; break;
        case SB_LINERIGHT: pos += line; break;
        case SB_PAGELEFT: pos -= page; break;
        case SB_PAGERIGHT: pos += page; break;
        case SB_LEFT: pos = si.nMin; break;
        case SB_RIGHT: pos = si.nMax; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = si.nTrackPos; break;
        default: return std::nullopt;
    }
    const int last = si.nMax - std::max(static_cast<int>(si.nPage) - 1, 0);
    return std::clamp(pos, si.nMin, std::max(si.nMin, last));
}

bool AskEndConfirmation(HWND owner, bool allowDontAsk, bool& dontAskAgain) {
    QuestionDialog q(Text(Tr(TextId::MsgQuitCaption)), Text(Tr(TextId::MsgQuitQuestion)), allowDontAsk);
    const bool yes = q.Ask(owner);
    dontAskAgain = q.CheckTicked();
    return yes;
}

}  // namespace tbq::ui
