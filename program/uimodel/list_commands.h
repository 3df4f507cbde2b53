// The commands of the settings window's lists (painting profiles, display
// items, alarms, window rules) as operations on the objects themselves: up,
// down, delete with its question, insert before and add at the end. Objects
// are named by identity, never by a remembered line number, because timers go
// on while a box is open: an alarm can delete itself and a list can change
// under the window. A display list's group links are recomputed after every
// change.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

#include "base/text.h"
#include "base/texts.h"
#include "items/view_list.h"
#include "platform/dialogs.h"
#include "uimodel/page_bindings.h"

namespace tbq::uimodel {

template <typename T>
using ObjectList = std::vector<std::shared_ptr<T>>;

// The list changed: a display list links its groups again; other lists need nothing.
void ListChanged(ViewList& list);
template <typename T>
void ListChanged(ObjectList<T>&) {}

// The position of `object` in `list`, nullopt when it is not there.
template <typename T>
std::optional<std::size_t> IndexOf(const ObjectList<T>& list, const std::type_identity_t<T>* object) {
    if (!object) return std::nullopt;
    auto it = std::find_if(list.begin(), list.end(), [&](const auto& p) { return p.get() == object; });
    if (it == list.end()) return std::nullopt;
    return static_cast<std::size_t>(it - list.begin());
}

// The object at `index`, or null; for turning a selected line into an object.
template <typename T>
std::shared_ptr<T> ObjectAt(const ObjectList<T>& list, std::ptrdiff_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return nullptr;
    return list[static_cast<std::size_t>(index)];
}

// Exchanges `object` with the one before (up) or after it; the selection
// follows the object. False when it is not in the list or already at that end.
template <typename T>
bool MoveObject(ObjectList<T>& list, const std::type_identity_t<T>* object, bool up) {
    const auto i = IndexOf(list, object);
    if (!i || (up && *i == 0) || (!up && *i + 1 >= list.size())) return false;
    std::swap(list[*i], list[up ? *i - 1 : *i + 1]);
    ListChanged(list);
    return true;
}

// Puts `object` before `before` (Shift+add), or at the end when `before` is
// null or no longer in the list.
template <typename T>
void InsertObject(ObjectList<T>& list, std::shared_ptr<T> object,
                  const std::type_identity_t<T>* before) {
    const auto i = IndexOf(list, before);
    list.insert(i ? list.begin() + static_cast<std::ptrdiff_t>(*i) : list.end(), std::move(object));
    ListChanged(list);
}
template <typename T>
void AddObject(ObjectList<T>& list, std::shared_ptr<T> object) {
    InsertObject<T>(list, std::move(object), nullptr);
}

// Puts `object` in place of `old` (an edit), or at the end when `old` left
// the list while the editor was open, so that the user's work is kept.
template <typename T>
void ReplaceObject(ObjectList<T>& list, const std::type_identity_t<T>* old, std::shared_ptr<T> object) {
    const auto i = IndexOf(list, old);
    if (i)
        list[*i] = std::move(object);
    else
        list.push_back(std::move(object));
    ListChanged(list);
}

// Removes `object`. The object to select next: the one that took its line,
// else the new last one, else null. `removed` tells whether it was there.
template <typename T>
std::shared_ptr<T> RemoveObject(ObjectList<T>& list, const std::type_identity_t<T>* object,
                                bool* removed = nullptr) {
    const auto i = IndexOf(list, object);
    if (removed) *removed = i.has_value();
    if (!i) return nullptr;
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(*i));
    ListChanged(list);
    if (list.empty()) return nullptr;
    return list[std::min(*i, list.size() - 1)];
}

// ---- Deleting with the question ---------------------------------------------

// The question's caption on a page with a list, in the language in force:
// "独自描画の削除", "表示項目の削除", "アラームの削除", "個別設定の削除"; "" for the others.
TextView DeleteCaption(Page page);

// The page's delete-confirmation setting in `app`; null on pages without a list.
bool* DelCheckFlag(AppState& app, Page page);

// Asks before a delete when `delCheck` is on: the description line, CR LF and
// "この項目を削除しますか？", with the check box that, ticked, turns `delCheck`
// off (whatever the answer). True: delete (also when `delCheck` is off).
bool ConfirmDelete(platform::Dialogs& dialogs, platform::WindowId owner, Page page,
                   const Text& description, bool& delCheck);

struct DeleteResult {
    bool deleted = false;
    bool delCheckTurnedOff = false;  // the page's check box must show it
};

// The page's delete command: asks as ConfirmDelete with the page's DelCheck
// setting, then removes the object if it is still in the list (the object is
// held across the question; one that left meanwhile is not looked for again).
// `select` gets the object to select next (unchanged when nothing was deleted).
template <typename T>
DeleteResult DeleteWithQuestion(ObjectList<T>& list, const std::shared_ptr<T>& object, Page page,
                                const Text& description, AppState& app,
                                platform::Dialogs& dialogs, platform::WindowId owner,
                                std::shared_ptr<T>* select = nullptr);

// ---- The list pop-up's deferred choice ----------------------------------------

// The list pop-up's entries, in menu order: "編集(&E)", "削除(&D)", "挿入(&I)".
enum class PopupCommand : int { Edit = 0, Delete = 1, Insert = 2 };
TextView PopupCaption(PopupCommand command);

// A pop-up choice that runs a tick later (tmrSwitch): it holds the object that
// was selected when the menu opened, and acts on it or on nothing, never on
// whatever line the old index names by then.
class DeferredListCommand {
public:
    DeferredListCommand() = default;
    template <typename T>
    DeferredListCommand(Page page, PopupCommand command, const std::shared_ptr<T>& chosen)
        : page_(page), command_(command), chosen_(chosen), armed_(true) {}

    bool Armed() const { return armed_; }
    Page GetPage() const { return page_; }
    PopupCommand Command() const { return command_; }
    // The chosen object while it still lives and is still in `list`; null
    // otherwise (then the command does nothing).
    template <typename T>
    std::shared_ptr<T> Target(const ObjectList<T>& list) const {
        const auto chosen = chosen_.lock();
        if (!armed_ || !chosen) return nullptr;
        const auto i = IndexOf(list, static_cast<const T*>(chosen.get()));
        return i ? list[*i] : nullptr;
    }
    // Forgets the choice (the timer fired).
    void Disarm() {
        armed_ = false;
        chosen_.reset();
    }

private:
    Page page_ = Page::Basic;
    PopupCommand command_ = PopupCommand::Edit;
    std::weak_ptr<const void> chosen_;
    bool armed_ = false;
};

// ---- Implementation ------------------------------------------------------------

template <typename T>
DeleteResult DeleteWithQuestion(ObjectList<T>& list, const std::shared_ptr<T>& object, Page page,
                                const Text& description, AppState& app,
                                platform::Dialogs& dialogs, platform::WindowId owner,
                                std::shared_ptr<T>* select) {
    DeleteResult r;
    if (!object || !IndexOf(list, object.get())) return r;
    bool noQuestion = false;
    bool* flag = DelCheckFlag(app, page);
    bool& delCheck = flag ? *flag : noQuestion;
    const bool before = delCheck;
    const std::shared_ptr<T> held = object;  // alive across the question
    const bool yes = ConfirmDelete(dialogs, owner, page, description, delCheck);
    r.delCheckTurnedOff = before && !delCheck;
    if (!yes) return r;
    auto next = RemoveObject(list, held.get(), &r.deleted);
    if (r.deleted && select) *select = std::move(next);
    return r;
}

}  // namespace tbq::uimodel
