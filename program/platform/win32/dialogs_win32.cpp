// The dialogs port's standard dialogs: the common file dialogs, and stand-ins
// for the question with a check box and the input box where no window of ours
// answers them (the program's own windows put their dialogs in front of these).
#include <windows.h>

#include <commdlg.h>

#include "win32/wide.h"
#include "platform/win32/win32_ports.h"

namespace tbq::platform {

namespace {

HWND Hwnd(WindowId w) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(w)); }

// The type list as the file dialog takes it: description NUL pattern NUL ... NUL.
std::wstring FilterText(const std::vector<FileFilter>& filters) {
    std::wstring out;
    for (const FileFilter& f : filters) {
        out += win32::Wide(f.description);
        out += L'\0';
        out += win32::Wide(f.pattern);
        out += L'\0';
    }
    out += L'\0';
    return out;
}

std::optional<Text> AskFileName(WindowId owner, const FileRequest& request, bool save) {
    // Long paths are accepted up to the size the wide API can name.
    std::wstring buffer(32768, L'\0');
    const std::wstring offered = win32::Wide(request.fileName);
    offered.copy(buffer.data(), std::min(offered.size(), buffer.size() - 1));
    const std::wstring filter = FilterText(request.filters);
    const std::wstring title = win32::Wide(request.title);
    const std::wstring folder = win32::Wide(request.folder);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = Hwnd(owner);
    ofn.lpstrFilter = request.filters.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok) return std::nullopt;
    return win32::FromWide(buffer.c_str());
}

}  // namespace

BoxAnswer Win32Dialogs::AskWithCheck(WindowId owner, const Text& text, const Text& caption,
                                     const Text&, bool&) {
    // Without the program's question dialog, a plain Yes/No box that leaves the
    // check box as it was.
    return Show(owner, text, caption, BoxStyle::Question);
}

std::optional<Text> Win32Dialogs::InputBox(WindowId, const Text&, const Text&, const Text&,
                                           const Text&) {
    // Without the program's input box every request counts as cancelled.
    return std::nullopt;
}

std::optional<Text> Win32Dialogs::OpenFileName(WindowId owner, const FileRequest& request) {
    return AskFileName(owner, request, false);
}

std::optional<Text> Win32Dialogs::SaveFileName(WindowId owner, const FileRequest& request) {
    return AskFileName(owner, request, true);
}

}  // namespace tbq::platform
