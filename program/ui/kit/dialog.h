// The one base of our dialogs, made from dialog templates in three ways:
// modal (its owner disabled while it is open), modeless (owned or not, its
// keyboard navigation done by the one message loop), and as a child page of
// another window. Handlers are bound by control id to member functions or
// lambdas; no exception ever leaves the dialog procedure.
#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <vector>

#include "base/text.h"
#include "base/texts.h"

namespace tbq::ui {

// The windows of ours whose controls take Tab, the arrow keys and mnemonics:
// the one message loop hands every message to PreTranslate first.
// Loads the common controls (6, which the manifest asks for) before the first
// window that uses them: list views, tabs, track bars, up-down controls and
// tool tips. A run that never opens a window of ours never loads them.
void EnsureCommonControls();

namespace navigation {
void Add(HWND w);
void Remove(HWND w);
// True when the message was a navigation key of one of those windows, used up.
bool PreTranslate(MSG& msg);
}  // namespace navigation

// A control's text, for a window's one table of texts.
struct ControlText {
    int id;
    const char16_t* text;
};
// Sets the texts of a window's controls (id 0: the window's own caption).
void ApplyTexts(HWND w, std::span<const ControlText> texts);

class Dialog {
public:
    enum class Kind { Modal, Modeless, Page };

    Dialog() = default;
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    HWND hwnd() const { return dlg_; }
    UINT Dpi() const { return dpi_; }

    // Runs the dialog until it is closed; returns the value Close was given
    // (IDCANCEL for Escape and the close box), or -1 when it cannot be made.
    INT_PTR RunModal(HWND owner, int templateId);
    // Makes the dialog the first time, then shows it in front; false when it
    // cannot be made.
    bool OpenModeless(HWND owner, int templateId);
    // Makes the dialog as a child of `parent` (its template has WS_CHILD and
    // DS_CONTROL), hidden until shown.
    bool CreatePage(HWND parent, int templateId);
    // Ends a modal dialog with `result`; destroys any other.
    void Close(INT_PTR result = IDCANCEL);
    // Shows the template's texts again in the language in force (a page that
    // stays open while the language changes). Texts set by the dialog itself
    // are its own to set again.
    void RetranslateTemplate();

protected:
    // Bindings, made in the constructor or in OnInit.
    void OnCommand(int id, std::function<void()> handler);
    // A control's notification with that code only (CBN_SELCHANGE, EN_CHANGE...).
    void OnCommand(int id, UINT code, std::function<void()> handler);
    // A check box the user clicked: its new state.
    void OnCheck(int id, std::function<void(bool)> handler);
    // A notification; the handler's result goes to DWLP_MSGRESULT.
    void OnNotify(int id, UINT code, std::function<LRESULT(NMHDR&)> handler);
    // Any other message; the handler's result is the dialog procedure's.
    void OnMessage(UINT msg, std::function<INT_PTR(WPARAM, LPARAM)> handler);

    virtual void OnInit() {}
    // The dialog moved to a screen of another DPI; Windows has already scaled
    // the template's controls and font.
    virtual void OnDpiChanged(UINT) {}
    // Escape and the close box; by default the dialog closes with IDCANCEL.
    virtual void OnCancel() { Close(IDCANCEL); }

    HWND Item(int id) const { return GetDlgItem(dlg_, id); }
    bool Checked(int id) const { return IsDlgButtonChecked(dlg_, id) == BST_CHECKED; }
    void SetChecked(int id, bool on) const { CheckDlgButton(dlg_, id, on ? BST_CHECKED : BST_UNCHECKED); }

    HWND dlg_ = nullptr;

private:
    static INT_PTR CALLBACK Proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) noexcept;
    INT_PTR Dispatch(UINT msg, WPARAM wp, LPARAM lp);

    struct Command {
        int id;
        UINT code;
        bool anyCode;
        std::function<void()> run;
    };
    struct Check {
        int id;
        std::function<void(bool)> run;
    };
    struct Notify {
        int id;
        UINT code;
        std::function<LRESULT(NMHDR&)> run;
    };
    struct Message {
        UINT msg;
        std::function<INT_PTR(WPARAM, LPARAM)> run;
    };
    std::vector<Command> commands_;
    std::vector<Check> checks_;
    std::vector<Notify> notifies_;
    std::vector<Message> messages_;
    // The template's texts by control (the dialog itself for its caption),
    // found when the dialog was made.
    std::vector<std::pair<HWND, TextId>> templateTexts_;
    Kind kind_ = Kind::Modeless;
    UINT dpi_ = 96;
};

}  // namespace tbq::ui
