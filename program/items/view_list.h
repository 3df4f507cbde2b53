// Display lists and their registry: lists of display items, loaded from and
// saved to settings files, composed into the text of a title.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "items/view_data.h"

namespace tbq {

using ViewListPtr = std::shared_ptr<ViewList>;
class ViewListRegistry;

inline constexpr char16_t kDefaultListName[] = u"*Default";

// Section name of the item at 1-based position `n`: "ViewData0001".
Text ViewDataSection(int n);

// Recomputes every parent link of the list (no group), or lets one group
// gather its children afresh. A group never gathers an item that holds its own
// group object, and a group object shared with another list's item keeps the
// children that list gave it.
void LinkGroupChildren(ViewList& list, vbKerova_ViewData* group = nullptr);

// The plain text of the list: the text of every taking-part top-level item.
Text ComposeListText(ViewList& list, bool allItems);

// The list as coloured runs for painting. `paint` gets each run's text and
// colour and returns the next position; -1 stops the walk.
void ColoredRuns(ViewList& list, const std::function<int(const Text&, std::uint32_t)>& paint);

// Builds a list from its settings file (ViewData0001, ... up to the first
// section without an item), its groups linked; registers nothing.
ViewListPtr ReadViewList(const Text& file);
// Builds a list from its settings file and registers it under `name`.
bool LoadViewList(const Text& file, const Text& name);
// Loads "*Default" from the main list file and every *.ini of the folder
// "ViewData" below the program folder, in case-insensitive name order.
void LoadAllViewLists(const Text& programFolder);
// Only the lists of the folder "ViewData", as LoadAllViewLists loads them,
// into `registry`.
void LoadFolderViewLists(const Text& programFolder, ViewListRegistry& registry);

// The registry of lists by name. Entry 0 always exists. A busy flag keeps one
// walk of the registry from being interleaved with another; since everything
// runs on one thread, a caller that finds it set is running inside the holder
// (a message pumped in the middle of its work), and waiting could never end:
// it gets no list this time instead.
class ViewListRegistry;

// One update step for the groups: every enabled group item of every registered
// list moves on (UpdatePosition), under the registry's busy flag. Returns false,
// moving nothing, when the flag is already held (this step is skipped).
bool AdvanceGroups(ViewListRegistry& registry);

class ViewListRegistry {
public:
    struct Entry {
        Text name;
        ViewListPtr list;
    };

    static ViewListRegistry& Instance();

    ViewListPtr GetViewList(TextView name, bool fallBackToFirst);
    void SetViewList(const Text& name, ViewListPtr list);
    // Names in registry order, and the index of `name` (0 when absent).
    std::vector<Text> ListNames(TextView name, int* selected) const;
    const std::vector<Entry>& Entries() const { return entries_; }
    // Cuts the registry back to entry 0.
    void KeepOnlyFirst();
    void Clear();

    bool Busy() const { return busy_; }
    // Holds the busy flag for a scope; false when it was already held.
    class Hold {
    public:
        explicit Hold(ViewListRegistry& r) : r_(r), owns_(!r.busy_) { r.busy_ = true; }
        ~Hold() {
            if (owns_) r_.busy_ = false;
        }
        bool Owns() const { return owns_; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        ViewListRegistry& r_;
        bool owns_;
    };

private:
    ViewListRegistry();
    std::vector<Entry> entries_;
    bool busy_ = false;
};

}  // namespace tbq
