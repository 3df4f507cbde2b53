// clang-format off
// fuzz-sources: program/items/*.cpp program/alarm/*.cpp program/core/*.cpp program/base/*.cpp program/settings/*.cpp program/platform/*.cpp program/platform/host/*.cpp
// clang-format on
//
// Display lists from any settings file, and groups with any settings over any
// child texts.
// Input: the first byte's bit 0 picks the form.
//   0: the rest is a display-list file (ANSI code page 932), loaded, composed
//      as plain text and as coloured runs, and advanced, three times over.
//   1: style, nesting, rounds, an enabled mask (one byte each), Timing, Step
//      and CharLen (16-bit little-endian), then UTF-16LE child texts split at
//      U+0001; the group is composed and advanced round after round, and its
//      runs and window are checked against its plain text.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/helpers.h"
#include "items/view_fixed.h"
#include "items/view_group.h"
#include "items/view_list.h"
#include "platform/ports.h"
#include "settings/ini_store.h"

namespace {

using namespace tbq;
using G = vbKerova_View_Group;

void Require(bool condition) {
    if (!condition) std::abort();
}

// One file, served from memory.
class MemoryFiles final : public platform::Files {
public:
    std::string bytes;
    std::int64_t generation = 0;
    platform::ReadResult ReadAll(const Text&, std::size_t) override {
        return {platform::ReadStatus::Ok, bytes};
    }
    std::optional<platform::FileStamp> Stamp(const Text&) override {
        return platform::FileStamp{static_cast<std::int64_t>(bytes.size()), generation, 1};
    }
    bool ReplaceAtomically(const Text&, std::string_view) override { return false; }
    std::optional<std::vector<Text>> ListFolder(const Text&) override { return std::nullopt; }
    std::optional<bool> IsReadOnly(const Text&) override { return false; }
    bool SetReadOnly(const Text&, bool) override { return false; }
    bool Copy(const Text&, const Text&, bool) override { return false; }
    bool Delete(const Text&) override { return false; }
    Text CurrentDirectory() override { return Text(); }
    platform::VersionValue ReadVersionString(const Text&, const Text&) override { return {}; }
};

class FixedClock final : public platform::Clock {
public:
    platform::ClockTime UtcNow() override { return {2026, 12, 31, 4, 14, 59, 30, 0}; }
    platform::ClockTime LocalNow() override { return {2026, 12, 31, 4, 23, 59, 30, 0}; }
    std::uint32_t TickCount() override { return 0; }
};

void CheckPositions(const ViewList& list) {
    for (const auto& item : list)
        if (auto* g = item->GroupData())
            Require(g->NowPosition() >= 1 && g->NowPosition() <= (1 << 30) + 32767);
}

// The element texts of a run string, joined.
Text JoinElements(const Text& elements) {
    Text joined;
    std::size_t pos = 0;
    while (pos < elements.size()) {
        std::size_t end = elements.find(u'\0', pos);
        Require(end != Text::npos && end - pos >= 8);
        for (std::size_t i = pos; i < pos + 8; ++i)
            Require((elements[i] >= u'0' && elements[i] <= u'9') ||
                    (elements[i] >= u'A' && elements[i] <= u'F'));
        joined.append(elements, pos + 8, end - pos - 8);
        pos = end + 1;
    }
    return joined;
}

void FuzzListFile(const std::uint8_t* data, std::size_t size, MemoryFiles& files) {
    files.bytes.assign(reinterpret_cast<const char*>(data), size);
    ++files.generation;
    IniStore::Instance().Reset();
    ViewListRegistry& registry = ViewListRegistry::Instance();
    registry.Clear();
    LoadViewList(u"C:\\fuzz\\list.ini", u"fuzz.ini");
    ViewListPtr list = registry.GetViewList(u"fuzz.ini", false);
    Require(list != nullptr);
    for (int round = 0; round < 3; ++round) {
        ++CompositionStamp();
        ComposeListText(*list, round == 1);
        ColoredRuns(*list, [](const Text&, std::uint32_t) { return 0; });
        // Every group's elements are whole: eight colour digits, text, NUL.
        for (const auto& item : *list)
            if (auto* g = item->GroupData(); g && !item->Parent)
                JoinElements(g->GetTextElement(Text(), item->FontColor));
        Require(AdvanceGroups(registry));
        CheckPositions(*list);
    }
    LinkGroupChildren(*list);
    registry.Clear();
}

class StaticItem final : public ViewSubItem {
public:
    explicit StaticItem(tbq::Text text) : text_(std::move(text)) {}
    tbq::Text Text() override { return text_; }
    std::uint8_t ViewDataType() const override { return kKindFixed; }
    void SaveSetting(const tbq::Text&, const tbq::Text&) override {}
    void LoadSetting(const tbq::Text&, const tbq::Text&) override {}

private:
    tbq::Text text_;
};

std::shared_ptr<vbKerova_ViewData> Item(std::shared_ptr<ViewSubItem> sub, std::uint32_t color,
                                        bool enable) {
    auto item = std::make_shared<vbKerova_ViewData>();
    item->SetData(std::move(sub), color, enable);
    return item;
}

void FuzzGroup(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kHeader = 10;
    if (size < kHeader) return;
    auto group = std::make_shared<G>();
    group->ViewStyle = data[0];
    const std::uint8_t nest = data[1];
    const int rounds = data[2] % 16;
    const std::uint8_t enabled = data[3];
    std::int16_t numbers[3];
    std::memcpy(numbers, data + 4, sizeof numbers);
    group->Timing = numbers[0];
    group->Step = numbers[1];
    group->CharLen = numbers[2];

    Text all((size - kHeader) / 2, u'\0');
    std::memcpy(all.data(), data + kHeader, all.size() * 2);
    ViewList list{Item(group, vbKerova_ViewData::kNoColor, true)};
    if (nest != 0) {
        auto inner = std::make_shared<G>();
        inner->ViewStyle = nest;
        inner->TargetNum = 2;
        list.push_back(Item(inner, 0x00123456, true));
    }
    std::size_t start = 0;
    for (int i = 0; start <= all.size() && i < 16; ++i) {
        std::size_t end = all.find(u'\x01', start);
        if (end == Text::npos) end = all.size();
        const std::uint32_t color = (i % 2) ? vbKerova_ViewData::kNoColor : 0x000000FFu * i;
        list.push_back(Item(std::make_shared<StaticItem>(all.substr(start, end - start)), color,
                            (enabled >> (i % 8)) & 1));
        start = end + 1;
    }
    group->TargetNum = static_cast<std::uint8_t>(list.size());
    LinkGroupChildren(list);

    const bool scroll = (group->ViewStyle & (G::kFirstValid | G::kShowAll)) == 0 &&
                        (group->ViewStyle & G::kScroll) != 0;
    const bool bytes = (group->ViewStyle & G::kByteMode) != 0;
    for (int round = 0; round <= rounds; ++round) {
        ++CompositionStamp();
        const Text text = list[0]->TextData();
        const Text elements = group->GetTextElement(Text(), 0x80000009);
        const Text joined = JoinElements(elements);
        if (scroll) {
            Text shown = text;
            for (char16_t& c : shown)
                if (c == u'\0') c = u' ';
            Require(joined == shown);
            long long width = 0;
            for (const auto& c : group->Children) {
                const auto child = c.lock();
                if (!child || !child->Enable) continue;
                const Text& t = child->TextData();
                width += bytes ? ByteWidth(t) : CharLength(t);
            }
            const bool fits = (group->ViewStyle & G::kCheckLength) && group->CharLen >= width;
            if (group->Step > 0 && group->CharLen > 0 && width > 0 && !fits)
                Require((bytes ? ByteWidth(text) : CharLength(text)) == group->CharLen);
        }
        group->UpdatePosition();
        CheckPositions(list);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryFiles files;
    static FixedClock clock;
    static platform::ScopedPorts ports(platform::Ports{.files = &files, .clock = &clock});
    static const bool titled = [] {
        SetTitleSource([] { return Text(u"語間ｱ𠮷 - Editor"); });
        return true;
    }();
    (void)titled;
    if (size < 1) return 0;
    if (data[0] & 1)
        FuzzGroup(data + 1, size - 1);
    else
        FuzzListFile(data + 1, size - 1, files);
    return 0;
}
