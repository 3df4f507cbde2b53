// The pages of the settings window: child dialogs inside its tab control. A
// page shows the check boxes its table gives, bound to the settings, and what
// the page manages (a list of objects, the update interval, the modules). A
// guard keeps the handlers quiet while a page is being filled.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

#include "rules/window_rule.h"
#include "ui/kit/dialog.h"
#include "ui/kit/handles.h"
#include "ui/kit/list_view.h"
#include "ui/kit/sizer.h"
#include "uimodel/interval.h"
#include "uimodel/menus.h"
#include "uimodel/page_bindings.h"

namespace tbq::ui {

// What the pages ask of the window that holds them.
class PageHost {
public:
    virtual ~PageHost() = default;
    virtual HWND OwnerWindow() const = 0;
    virtual uimodel::SettingEffects& Effects() = 0;
    virtual void OpenTimeSync() = 0;
    // Shows the pop-up menu of list commands (edit, delete, insert) at the cursor.
    virtual void ShowListPopup(int page, const void* key) = 0;
    // A page changed what the preview or the other pages show.
    virtual void PageChanged(int page) = 0;
    // What window rules are matched with: the title writer and the library's
    // executable paths, for the window information dialog.
    virtual RuleContext WindowRuleContext() = 0;
};

// The objects of a list page: lines by object, and the commands on them. No
// position is ever kept: every command names the object it acts on.
class ListSource {
public:
    virtual ~ListSource() = default;
    virtual std::vector<ListView::Line> Lines() = 0;
    virtual void SetChecked(const void* key, bool checked) = 0;
    // Asks first when the page's delete confirmation is on; true when removed.
    virtual bool Delete(const void* key, HWND owner) = 0;
    // Exchanges the object with its neighbour (-1 up, +1 down).
    virtual void Move(const void* key, int delta) = 0;
    // The object itself, held across a deferred command; null when gone.
    virtual std::shared_ptr<const void> Hold(const void* key) = 0;
    // What the line after a deleted one is, to select it.
    virtual const void* Next(const void* key) = 0;
    // Add and edit need the page's editor: without one their buttons are off.
    virtual bool HasEditor() const { return false; }
    // Opens the editor on a new object and puts it before `before` (Shift+add
    // and the pop-up's insert) or at the end (`before` null or gone). The new
    // object's key, or null when the editor was cancelled.
    virtual const void* Add(const void* /*before*/, HWND /*owner*/) { return nullptr; }
    // Opens the editor on the object; the edited object takes its place (or the
    // end, when the object left the list while the editor was open). The new
    // key, or null when cancelled or the object is gone.
    virtual const void* Edit(const void* /*key*/, HWND /*owner*/) { return nullptr; }
};

class SettingsPage : public Dialog {
public:
    SettingsPage(int index, PageHost& host);
    // A page whose check boxes have ids of their own.
    SettingsPage(int index, PageHost& host, std::span<const int> checkIds);
    bool Make(HWND parent);
    int Index() const { return index_; }
    // Shows the settings and objects as they are now.
    void Refill();
    // Shows the page's texts in the language in force.
    void ApplyTexts();
    // The page's list, when it has one.
    virtual ListView* List() { return nullptr; }
    // The page was given a new size: its anchored controls follow.
    void Resized() {
        sizer_.Layout(dlg_);
        if (ListView* l = List()) l->FitColumn();
    }

protected:
    void OnInit() override;
    virtual int TemplateId() const;
    // Fills the page's own controls (the check boxes are done by the base).
    virtual void FillOwn() {}
    // Sets the page's own controls' texts (the check boxes are done by the base).
    virtual void ApplyOwnTexts() {}
    bool Filling() const { return filling_; }
    // Anchors a page's list and the buttons beside it to the page's sides.
    void AnchorList(std::initializer_list<int> buttons, std::initializer_list<int> row);

    Sizer sizer_;

    int index_;
    PageHost& host_;
    const uimodel::PageModel& model_;

private:
    std::span<const int> checkIds_;
    bool filling_ = false;
};

class BasicPage final : public SettingsPage {
public:
    explicit BasicPage(PageHost& host);

private:
    int TemplateId() const override;
    void FillOwn() override;
    void ApplyOwnTexts() override;
    void ToggleStartup();
    void OnLanguage();
};

class TitleBarPage final : public SettingsPage {
public:
    explicit TitleBarPage(PageHost& host);

private:
    int TemplateId() const override;
    void OnInit() override;
    void FillOwn() override;
    void ApplyOwnTexts() override;
    void OnScroll(WPARAM wp);
    void ShowInterval(std::int32_t timing);
    void OnPreset();
    void OnDefaultList();
    // "設定(&7)": the fixed window rule's conditions.
    void OnFixedWindow();

    std::vector<uimodel::IntervalPreset> presets_;
};

class ListPage final : public SettingsPage {
public:
    ListPage(int index, PageHost& host, std::unique_ptr<ListSource> source);
    ListView* List() override { return &list_; }
    ListSource& Source() { return *source_; }
    // The list command of the pop-up or a button, on the object it names.
    void RunDelete(const void* key);
    void RunMove(const void* key, int delta);
    // Add (before `before` when not null) and edit through the page's editor.
    void RunAdd(const void* before);
    void RunEdit(const void* key);

private:
    void OnInit() override;
    void FillOwn() override;
    void ApplyOwnTexts() override;
    void UpdateButtons();
    // The list after an editor changed `changed` (null: nothing changed).
    void ShowChanged(const void* changed);
    // Page 3: another display list chosen to be edited.
    void OnListName();
    void OnDpiChanged(UINT) override { list_.FitColumn(); }

    std::unique_ptr<ListSource> source_;
    ListView list_;
};

// Page 6: the program, the library and the plug-ins, with their information,
// settings, web sites and mail addresses.
class InfoPage final : public SettingsPage {
public:
    explicit InfoPage(PageHost& host);
    ListView* List() override { return &list_; }

private:
    int TemplateId() const override;
    void OnInit() override;
    void FillOwn() override;
    void ApplyOwnTexts() override;
    const uimodel::ModuleRow* SelectedRow() const;
    void UpdateButtons();
    void OnSettings();
    void OpenAddress(bool mail);
    void ShowMenu();

    ListView list_;
    std::vector<uimodel::ModuleRow> rows_;
    UniqueIcon icon_;
};

}  // namespace tbq::ui
