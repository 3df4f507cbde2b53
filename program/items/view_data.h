// Display items: vbKerova_ViewData wraps one kind-specific sub-item and adds
// what every kind shares: kind, colour, enabled flag, group parent, and a text
// cache that makes each item compute its text at most once per composition pass.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/text.h"

namespace tbq {

enum ViewKind : std::uint8_t {
    kKindNone = 0, kKindClock = 1, kKindFixed = 2, kKindTitle = 3, kKindCount = 4,
    kKindGroup = 5, kKindAlarm = 6, kKindPlugin = 7,
};

// The composition stamp: set from the system's millisecond tick count whenever
// a pass over a list's text begins. Each item computes its text once per stamp.
std::uint32_t& CompositionStamp();

// Kind code <-> the upper-case name settings files hold.
Text KindName(int code);
std::uint8_t KindCode(TextView name);

// What every kind of sub-item offers the display item. (Inside classes derived
// from it, `Text` names the member function: spell the type tbq::Text there.)
class ViewSubItem {
public:
    virtual ~ViewSubItem() = default;
    // The current text, computed afresh on every call.
    virtual tbq::Text Text() = 0;
    virtual std::uint8_t ViewDataType() const = 0;
    virtual void SaveSetting(const tbq::Text& file, const tbq::Text& section) = 0;
    virtual void LoadSetting(const tbq::Text& file, const tbq::Text& section) = 0;
};

class vbKerova_View_Group;
class vbKerova_View_Clock;
class vbKerova_View_Fixed;
class vbKerova_View_Count;
class vbKerova_View_Alarm;

class vbKerova_ViewData {
public:
    // Exactly this value means "no colour of its own".
    static constexpr std::uint32_t kNoColor = 0xFF000000;
    static constexpr std::uint32_t kCaptionTextColor = 0x80000009;

    std::shared_ptr<ViewSubItem> ObjectData() const { return sub_; }
    // The sub-item as its class; null when the item is of another kind.
    vbKerova_View_Group* GroupData() const;
    vbKerova_View_Clock* ClockData() const;
    vbKerova_View_Fixed* FixedData() const;
    vbKerova_View_Count* CountData() const;
    vbKerova_View_Alarm* AlarmData() const;

    void SetData(std::shared_ptr<ViewSubItem> data, std::uint32_t fontColor, bool enable);
    // The text for the current composition pass.
    const Text& TextData();
    std::uint8_t DataType() const { return sub_ ? sub_->ViewDataType() : std::uint8_t{kKindNone}; }

    void Save(const Text& file, const Text& section) const;
    // False (and no sub-item) when the section holds no item.
    bool Load(const Text& file, const Text& section);

    void CopyData(const vbKerova_ViewData& src);
    void SwapData(vbKerova_ViewData& other);

    std::uint32_t FontColor = 0;
    bool Enable = true;
    // The group item that gathered this one; derived, never stored.
    vbKerova_ViewData* Parent = nullptr;

private:
    std::shared_ptr<ViewSubItem> sub_;
    Text cache_;
    std::uint32_t cacheStamp_ = 0;
    bool cacheValid_ = false;
};

using ViewList = std::vector<std::shared_ptr<vbKerova_ViewData>>;

// Makes the sub-item for a kind code; null for "NONE" and unknown codes.
std::shared_ptr<ViewSubItem> MakeSubItem(std::uint8_t kind);

}  // namespace tbq
