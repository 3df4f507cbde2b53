#include "ui/kit/dialog.h"

#include <algorithm>

#include <commctrl.h>

#include "ui/kit/dpi.h"
#include "ui/window_helpers.h"
#include "win32/wide.h"

namespace tbq::ui {

namespace navigation {
namespace {
std::vector<HWND>& Windows() {
    static std::vector<HWND> windows;
    return windows;
}
}  // namespace

void Add(HWND w) {
    auto& ws = Windows();
    if (w && std::find(ws.begin(), ws.end(), w) == ws.end()) ws.push_back(w);
}

void Remove(HWND w) { std::erase(Windows(), w); }

bool PreTranslate(MSG& msg) {
    if (!msg.hwnd) return false;
    // The window of ours the message is for; a copy, since IsDialogMessage can
    // run handlers that open or close windows.
    const std::vector<HWND> ws = Windows();
    for (HWND w : ws) {
        if ((msg.hwnd == w || IsChild(w, msg.hwnd)) && IsWindow(w)) return IsDialogMessageW(w, &msg) != FALSE;
    }
    return false;
}
}  // namespace navigation

void ApplyTexts(HWND w, std::span<const ControlText> texts) {
    for (const ControlText& t : texts) {
        const std::wstring text = win32::Wide(t.text);
        if (t.id == 0)
            SetWindowTextW(w, text.c_str());
        else
            SetDlgItemTextW(w, t.id, text.c_str());
    }
}

namespace {
// The template's texts in the language in force: each window whose text is one
// of the Japanese table's is shown in the language in force, and remembered.
void TranslateTemplate(HWND dlg, std::vector<std::pair<HWND, TextId>>& found) {
    found.clear();
    auto look = [&](HWND w) {
        wchar_t buffer[512];
        const int n = GetWindowTextW(w, buffer, static_cast<int>(std::size(buffer)));
        if (n <= 0) return;
        if (auto id = JapaneseTextId(win32::FromWide(std::wstring_view(buffer, static_cast<std::size_t>(n)))))
            found.emplace_back(w, *id);
    };
    look(dlg);
    for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) look(child);
}
}  // namespace

void Dialog::RetranslateTemplate() {
    for (const auto& [w, id] : templateTexts_)
        if (IsWindow(w)) SetWindowTextW(w, win32::Wide(Tr(id)).c_str());
}

Dialog::~Dialog() {
    if (dlg_) {
        // The derived object is gone: nothing may reach it while the dialog goes.
        SetWindowLongPtrW(dlg_, DWLP_USER, 0);
        navigation::Remove(dlg_);
        DestroyWindow(dlg_);
    }
}

void EnsureCommonControls() {
    static const bool loaded = [] {
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                            ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES |
                                                ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)loaded;
}

INT_PTR Dialog::RunModal(HWND owner, int templateId) {
    EnsureCommonControls();
    kind_ = Kind::Modal;
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner, Proc,
                           reinterpret_cast<LPARAM>(this));
}

bool Dialog::OpenModeless(HWND owner, int templateId) {
    if (!dlg_) {
        EnsureCommonControls();
        kind_ = Kind::Modeless;
        CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner, Proc,
                           reinterpret_cast<LPARAM>(this));
        if (!dlg_) return false;
    }
    ShowWindow(dlg_, SW_SHOWNORMAL);
    ForceForeground(dlg_);
    return true;
}

bool Dialog::CreatePage(HWND parent, int templateId) {
    EnsureCommonControls();
    kind_ = Kind::Page;
    CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), parent, Proc,
                       reinterpret_cast<LPARAM>(this));
    return dlg_ != nullptr;
}

void Dialog::Close(INT_PTR result) {
    if (!dlg_) return;
    if (kind_ == Kind::Modal)
        EndDialog(dlg_, result);
    else
        DestroyWindow(dlg_);
}

void Dialog::OnCommand(int id, std::function<void()> handler) {
    commands_.push_back({id, 0, true, std::move(handler)});
}
void Dialog::OnCommand(int id, UINT code, std::function<void()> handler) {
    commands_.push_back({id, code, false, std::move(handler)});
}
void Dialog::OnCheck(int id, std::function<void(bool)> handler) {
    checks_.push_back({id, std::move(handler)});
}
void Dialog::OnNotify(int id, UINT code, std::function<LRESULT(NMHDR&)> handler) {
    notifies_.push_back({id, code, std::move(handler)});
}
void Dialog::OnMessage(UINT msg, std::function<INT_PTR(WPARAM, LPARAM)> handler) {
    messages_.push_back({msg, std::move(handler)});
}

INT_PTR Dialog::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND: {
            const int id = LOWORD(wp);
            const UINT code = HIWORD(wp);
            for (const Check& c : checks_) {
                if (c.id == id && code == BN_CLICKED) {
                    c.run(Checked(id));
                    return TRUE;
                }
            }
            bool known = false;
            for (const Command& c : commands_) {
                if (c.id != id) continue;
                known = true;
                if (c.anyCode || c.code == code) {
                    c.run();
                    return TRUE;
                }
            }
            if (known) return TRUE;
            if (id == IDCANCEL && kind_ != Kind::Page) {
                OnCancel();
                return TRUE;
            }
            break;
        }
        case WM_NOTIFY: {
            auto* h = reinterpret_cast<NMHDR*>(lp);
            for (const Notify& n : notifies_) {
                if (static_cast<UINT_PTR>(n.id) == h->idFrom && n.code == h->code) {
                    SetWindowLongPtrW(dlg_, DWLP_MSGRESULT, n.run(*h));
                    return TRUE;
                }
            }
            break;
        }
        case WM_DPICHANGED:
            dpi_ = HIWORD(wp);
            if (kind_ != Kind::Page) ApplySuggestedRect(dlg_, lp);
            OnDpiChanged(dpi_);
            return TRUE;
        case WM_CLOSE:
            if (kind_ != Kind::Page) {
                OnCancel();
                return TRUE;
            }
            break;
    }
    for (const Message& m : messages_) {
        if (m.msg == msg) return m.run(wp, lp);
    }
    return FALSE;
}

INT_PTR CALLBACK Dialog::Proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    try {
        if (msg == WM_INITDIALOG) {
            SetWindowLongPtrW(dlg, DWLP_USER, lp);
            auto* self = reinterpret_cast<Dialog*>(lp);
            self->dlg_ = dlg;
            self->dpi_ = WindowDpi(dlg);
            if (self->kind_ == Kind::Modeless) navigation::Add(dlg);
            TranslateTemplate(dlg, self->templateTexts_);
            if (CurrentLanguage() != Language::Japanese) self->RetranslateTemplate();
            self->OnInit();
            return TRUE;
        }
        auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(dlg, DWLP_USER));
        if (!self) return FALSE;
        if (msg == WM_NCDESTROY) {
            navigation::Remove(dlg);
            SetWindowLongPtrW(dlg, DWLP_USER, 0);
            self->dlg_ = nullptr;
            return FALSE;
        }
        return self->Dispatch(msg, wp, lp);
    } catch (...) {
        return FALSE;
    }
}

}  // namespace tbq::ui
