#include "items/view_list.h"

#include <algorithm>
#include <cstdio>
#include <unordered_set>

#include "items/view_group.h"
#include "platform/ports.h"

namespace tbq {

Text ViewDataSection(int n) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "ViewData%04d", n);
    return Utf8ToText(buf);
}

namespace {

// Whether `group`'s object is `item`'s own sub-item or sits anywhere below it:
// gathering such an item would make the group its own descendant.
bool HoldsGroup(const vbKerova_ViewData& item, const vbKerova_View_Group* group,
                std::unordered_set<const vbKerova_View_Group*>& seen) {
    const vbKerova_View_Group* g = item.GroupData();
    if (!g) return false;
    if (g == group) return true;
    if (!seen.insert(g).second) return false;
    for (const auto& c : g->Children)
        if (auto child = c.lock(); child && HoldsGroup(*child, group, seen)) return true;
    return false;
}

// Lets the group item at `pos` gather its children. A group object that
// another display item has linked (one of another list that shares it after
// CopyData, or an earlier copy in this list) keeps the children it has, and
// this item gathers none.
void GatherChildren(ViewList& list, std::size_t pos) {
    const std::shared_ptr<vbKerova_ViewData>& item = list[pos];
    auto* g = item->GroupData();
    if (!g) return;
    const auto owner = g->LinkedBy();
    if (owner && owner != item) return;
    g->Relink(item);
    int n = g->TargetNum;
    for (std::size_t i = pos + 1; i < list.size() && n > 0; ++i) {
        vbKerova_ViewData& candidate = *list[i];
        if (candidate.Parent) continue;  // already a child of a nested group
        std::unordered_set<const vbKerova_View_Group*> seen;
        if (HoldsGroup(candidate, g, seen)) continue;
        g->Children.push_back(list[i]);
        candidate.Parent = item.get();
        --n;
    }
}

}  // namespace

void LinkGroupChildren(ViewList& list, vbKerova_ViewData* group) {
    if (!group) {
        std::unordered_set<const vbKerova_ViewData*> members;
        for (const auto& item : list) members.insert(item.get());
        for (auto& item : list) {
            item->Parent = nullptr;
            auto* g = item->GroupData();
            if (!g) continue;
            // Group objects this list linked before (or nobody now) start afresh.
            const auto owner = g->LinkedBy();
            if (!owner || members.count(owner.get())) g->Relink(nullptr);
        }
        // From the end, so that nested groups have their children before the
        // group around them is linked and passes over them.
        for (std::size_t pos = list.size(); pos-- > 0;) {
            list[pos]->Parent = nullptr;
            GatherChildren(list, pos);
        }
        return;
    }
    auto pos = std::find_if(list.begin(), list.end(),
                            [&](const auto& item) { return item.get() == group; });
    if (pos != list.end()) GatherChildren(list, static_cast<std::size_t>(pos - list.begin()));
}

bool AdvanceGroups(ViewListRegistry& registry) {
    ViewListRegistry::Hold hold(registry);
    if (!hold.Owns()) return false;
    // A group object shared by two items (after CopyData) moves once a step.
    std::unordered_set<vbKerova_View_Group*> moved;
    for (const auto& entry : registry.Entries()) {
        if (!entry.list) continue;
        for (const auto& item : *entry.list) {
            auto* g = item->GroupData();
            if (item->Enable && g && moved.insert(g).second) g->UpdatePosition();
        }
    }
    return true;
}

Text ComposeListText(ViewList& list, bool allItems) {
    Text out;
    for (auto& item : list)
        if ((allItems || item->Enable) && !item->Parent) out += item->TextData();
    return out;
}

void ColoredRuns(ViewList& list, const std::function<int(const Text&, std::uint32_t)>& paint) {
    auto ownColor = [](std::uint32_t c) {
        return c == vbKerova_ViewData::kNoColor ? vbKerova_ViewData::kCaptionTextColor : c;
    };
    for (auto& item : list) {
        if (!item->Enable || item->Parent) continue;
        if (auto* g = item->GroupData()) {
            const Text elements = g->GetTextElement(Text(), ownColor(item->FontColor));
            size_t pos = 0;
            while (pos < elements.size()) {
                size_t end = elements.find(u'\0', pos);
                if (end == Text::npos) end = elements.size();
                TextView part(elements.data() + pos, end - pos);
                pos = end + 1;
                if (part.empty()) continue;
                std::uint32_t color = 0;
                for (size_t i = 0; i < 8 && i < part.size(); ++i) {
                    char16_t c = part[i];
                    int d = (c >= u'0' && c <= u'9')   ? c - u'0'
                            : (c >= u'A' && c <= u'F') ? c - u'A' + 10
                            : (c >= u'a' && c <= u'f') ? c - u'a' + 10
                                                       : 0;
                    color = (color << 4) | static_cast<std::uint32_t>(d);
                }
                const Text text(part.size() > 8 ? part.substr(8) : TextView());
                if (paint(text, color) == -1) return;
            }
            continue;
        }
        if (paint(item->TextData(), ownColor(item->FontColor)) == -1) return;
    }
}

ViewListPtr ReadViewList(const Text& file) {
    auto list = std::make_shared<ViewList>();
    for (int i = 1;; ++i) {
        auto item = std::make_shared<vbKerova_ViewData>();
        if (!item->Load(file, ViewDataSection(i))) break;
        list->push_back(std::move(item));
    }
    LinkGroupChildren(*list);
    return list;
}

bool LoadViewList(const Text& file, const Text& name) {
    ViewListRegistry::Instance().SetViewList(name, ReadViewList(file));
    return true;
}

void LoadAllViewLists(const Text& programFolder) {
    LoadViewList(programFolder + u"TBQ_ViewData.ini", kDefaultListName);
    LoadFolderViewLists(programFolder, ViewListRegistry::Instance());
}

void LoadFolderViewLists(const Text& programFolder, ViewListRegistry& registry) {
    const Text folder = programFolder + u"ViewData\\";
    auto names = platform::files().ListFolder(folder);
    if (!names) return;
    std::sort(names->begin(), names->end(),
              [](const Text& a, const Text& b) { return FoldCase(a) < FoldCase(b); });
    for (const Text& n : *names) {
        if (n.size() < 4 || !EqualsIgnoreCase(TextView(n).substr(n.size() - 4), u".INI")) continue;
        registry.SetViewList(n, ReadViewList(folder + n));
    }
}

ViewListRegistry::ViewListRegistry() { entries_.push_back({}); }

ViewListRegistry& ViewListRegistry::Instance() {
    static ViewListRegistry registry;
    return registry;
}

ViewListPtr ViewListRegistry::GetViewList(TextView name, bool fallBackToFirst) {
    Hold hold(*this);
    if (!hold.Owns()) return nullptr;
    for (const Entry& e : entries_)
        if (EqualsIgnoreCase(e.name, name)) return e.list;
    return fallBackToFirst ? entries_[0].list : nullptr;
}

void ViewListRegistry::SetViewList(const Text& name, ViewListPtr list) {
    Hold hold(*this);
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (EqualsIgnoreCase(it->name, name)) {
            it->name = name;
            it->list = std::move(list);
            return;
        }
    if (entries_.size() == 1 && entries_[0].name.empty()) {
        entries_[0] = {name, std::move(list)};
        return;
    }
    entries_.push_back({name, std::move(list)});
}

std::vector<Text> ViewListRegistry::ListNames(TextView name, int* selected) const {
    std::vector<Text> names;
    if (selected) *selected = 0;
    for (size_t i = 0; i < entries_.size(); ++i) {
        names.push_back(entries_[i].name);
        if (selected && EqualsIgnoreCase(entries_[i].name, name) && *selected == 0)
            *selected = static_cast<int>(i);
    }
    return names;
}

void ViewListRegistry::KeepOnlyFirst() {
    Hold hold(*this);
    entries_.resize(1);
}

void ViewListRegistry::Clear() {
    entries_.assign(1, Entry{});
    busy_ = false;
}

}  // namespace tbq
