#include "ui/list_sources.h"

#include "app/app_state.h"
#include "core/helpers.h"
#include "items/view_list.h"
#include "platform/ports.h"
#include "ui/alarm_editor.h"
#include "ui/editor_support.h"
#include "ui/draw_editor.h"
#include "ui/item_editor.h"
#include "ui/rule_editor.h"
#include "uimodel/descriptions.h"
#include "uimodel/list_commands.h"

namespace tbq::ui {

namespace {
using uimodel::Page;

// A page's list of objects held by shared pointers: the lines, the commands
// by object, and how a line's check box reads and writes.
template <typename T>
class ObjectSource : public ListSource {
public:
    ObjectSource(Page page, bool hasEditor) : page_(page), hasEditor_(hasEditor) {}

    std::vector<ListView::Line> Lines() override {
        std::vector<ListView::Line> lines;
        for (const auto& o : Objects()) lines.push_back({o.get(), uimodel::Description(*o), IsChecked(*o)});
        return lines;
    }
    void SetChecked(const void* key, bool checked) override {
        if (auto o = Find(key)) Check(*o, checked);
    }
    bool Delete(const void* key, HWND owner) override {
        auto o = Find(key);
        if (!o) return false;
        return uimodel::DeleteWithQuestion(Objects(), o, page_, uimodel::Description(*o), App(),
                                           platform::dialogs(), WindowIdOf(owner))
            .deleted;
    }
    void Move(const void* key, int delta) override {
        uimodel::MoveObject(Objects(), static_cast<const T*>(key), delta < 0);
    }
    std::shared_ptr<const void> Hold(const void* key) override { return Find(key); }

    bool HasEditor() const override { return hasEditor_; }
    const void* Add(const void* before, HWND owner) override {
        // The place and the edited object are held by the objects themselves
        // across the editor: timers go on, and an alarm can delete itself.
        const auto place = Find(before);
        auto made = Editor(owner, nullptr);
        if (!made) return nullptr;
        uimodel::InsertObject(Objects(), made, place.get());
        return made.get();
    }
    const void* Edit(const void* key, HWND owner) override {
        const auto old = Find(key);
        if (!old) return nullptr;
        auto made = Editor(owner, old.get());
        if (!made) return nullptr;
        uimodel::ReplaceObject(Objects(), old.get(), made);
        return made.get();
    }
    const void* Next(const void* key) override {
        auto& list = Objects();
        const auto i = uimodel::IndexOf(list, static_cast<const T*>(key));
        if (!i) return nullptr;
        if (*i + 1 < list.size()) return list[*i + 1].get();
        return *i > 0 ? list[*i - 1].get() : nullptr;
    }

protected:
    virtual uimodel::ObjectList<T>& Objects() = 0;
    // The page's editor on `object` (null: a new one); the new object or null.
    virtual std::shared_ptr<T> Editor(HWND, const T*) { return nullptr; }
    virtual bool IsChecked(const T& o) const = 0;
    virtual void Check(T& o, bool checked) = 0;

    std::shared_ptr<T> Find(const void* key) {
        const auto i = uimodel::IndexOf(Objects(), static_cast<const T*>(key));
        return i ? Objects()[*i] : nullptr;
    }

    Page page_;
    bool hasEditor_;
};

// Page 2: the ticked profile is the default one; at most one is ticked.
class DrawBarSource final : public ObjectSource<vbKerova_DrawBar> {
public:
    DrawBarSource() : ObjectSource(Page::DrawBar, true) {}

private:
    std::shared_ptr<vbKerova_DrawBar> Editor(HWND owner, const vbKerova_DrawBar* profile) override {
        auto made = EditDrawBar(owner, profile);
        if (!made) return nullptr;
        made->ResetObject();
        // The ticked profile stays ticked when it is renamed.
        if (profile && IsChecked(*profile)) App().settings.DrawBarDefault = made->DrawBarName;
        return made;
    }
    uimodel::ObjectList<vbKerova_DrawBar>& Objects() override { return App().DrawBarList; }
    bool IsChecked(const vbKerova_DrawBar& o) const override {
        return !App().settings.DrawBarDefault.empty() &&
               FindDrawBar(App().DrawBarList, App().settings.DrawBarDefault).get() == &o;
    }
    void Check(vbKerova_DrawBar& o, bool checked) override {
        if (checked)
            App().settings.DrawBarDefault = o.DrawBarName;
        else if (IsChecked(o))
            App().settings.DrawBarDefault.clear();
    }
};

class AlarmSource final : public ObjectSource<vbKerova_Alarm> {
public:
    AlarmSource() : ObjectSource(Page::Alarm, true) {}

private:
    std::shared_ptr<vbKerova_Alarm> Editor(HWND owner, const vbKerova_Alarm* alarm) override {
        return EditAlarm(owner, alarm);
    }
    uimodel::ObjectList<vbKerova_Alarm>& Objects() override { return App().AlarmList; }
    bool IsChecked(const vbKerova_Alarm& o) const override { return o.Enable(); }
    void Check(vbKerova_Alarm& o, bool checked) override { o.SetEnable(checked); }
};

class WindowRuleSource final : public ObjectSource<vbKerova_Window> {
public:
    explicit WindowRuleSource(std::function<RuleContext()> context)
        : ObjectSource(Page::Window, true), context_(std::move(context)) {}

private:
    std::shared_ptr<vbKerova_Window> Editor(HWND owner, const vbKerova_Window* rule) override {
        return EditWindowRule(owner, rule, context_());
    }
    uimodel::ObjectList<vbKerova_Window>& Objects() override { return App().WindowRuleList; }
    bool IsChecked(const vbKerova_Window& o) const override { return o.Enable; }
    void Check(vbKerova_Window& o, bool checked) override { o.Enable = checked; }

    std::function<RuleContext()> context_;
};

// Page 3: the items of the list named by EditDataName.
class ViewItemSource final : public ObjectSource<vbKerova_ViewData> {
public:
    ViewItemSource() : ObjectSource(Page::View, true) {}

private:
    std::shared_ptr<vbKerova_ViewData> Editor(HWND owner, const vbKerova_ViewData* item) override {
        return EditViewItem(owner, item);
    }
    uimodel::ObjectList<vbKerova_ViewData>& Objects() override {
        list_ = ViewListRegistry::Instance().GetViewList(App().settings.EditDataName, true);
        if (!list_) list_ = std::make_shared<ViewList>();
        return *list_;
    }
    bool IsChecked(const vbKerova_ViewData& o) const override { return o.Enable; }
    void Check(vbKerova_ViewData& o, bool checked) override { o.Enable = checked; }

    ViewListPtr list_;
};
}  // namespace

std::unique_ptr<ListSource> MakeDrawBarSource() { return std::make_unique<DrawBarSource>(); }
std::unique_ptr<ListSource> MakeViewItemSource() { return std::make_unique<ViewItemSource>(); }
std::unique_ptr<ListSource> MakeAlarmSource() { return std::make_unique<AlarmSource>(); }
std::unique_ptr<ListSource> MakeWindowRuleSource(std::function<RuleContext()> context) {
    return std::make_unique<WindowRuleSource>(std::move(context));
}

}  // namespace tbq::ui
