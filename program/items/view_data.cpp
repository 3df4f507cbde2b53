#include "items/view_data.h"

#include <cstdio>

#include "items/view_alarm.h"
#include "items/view_clock.h"
#include "items/view_count.h"
#include "items/view_fixed.h"
#include "items/view_group.h"
#include "items/view_plugin.h"
#include "settings/ini_file.h"

namespace tbq {

namespace {

constexpr const char16_t* kKindNames[] = {u"NONE",  u"CLOCK", u"FIXED",  u"TITLE",
                                          u"COUNT", u"GROUP", u"ALARM", u"PLUGIN"};

}  // namespace

std::uint32_t& CompositionStamp() {
    static std::uint32_t stamp = 0;
    return stamp;
}

Text KindName(int code) {
    return (code >= 0 && code < 8) ? Text(kKindNames[code]) : Text(kKindNames[0]);
}

std::uint8_t KindCode(TextView name) {
    for (std::uint8_t i = 0; i < 8; ++i)
        if (EqualsIgnoreCase(name, kKindNames[i])) return i;
    return kKindNone;
}

std::shared_ptr<ViewSubItem> MakeSubItem(std::uint8_t kind) {
    switch (kind) {
        case kKindClock: return std::make_shared<vbKerova_View_Clock>();
        case kKindGroup: return std::make_shared<vbKerova_View_Group>();
        case kKindCount: return std::make_shared<vbKerova_View_Count>();
        // One class serves both; loading settles which by the record's "Type".
        case kKindFixed:
        case kKindTitle: {
            auto fixed = std::make_shared<vbKerova_View_Fixed>();
            if (kind == kKindTitle) fixed->DataType = vbKerova_View_Fixed::kWindowTitle;
            return fixed;
        }
        case kKindAlarm: return std::make_shared<vbKerova_View_Alarm>();
        case kKindPlugin: return std::make_shared<vbKerova_View_Plugin>();
        default: return nullptr;
    }
}

vbKerova_View_Group* vbKerova_ViewData::GroupData() const {
    return dynamic_cast<vbKerova_View_Group*>(sub_.get());
}

vbKerova_View_Clock* vbKerova_ViewData::ClockData() const {
    return dynamic_cast<vbKerova_View_Clock*>(sub_.get());
}

vbKerova_View_Fixed* vbKerova_ViewData::FixedData() const {
    return dynamic_cast<vbKerova_View_Fixed*>(sub_.get());
}

vbKerova_View_Alarm* vbKerova_ViewData::AlarmData() const {
    return dynamic_cast<vbKerova_View_Alarm*>(sub_.get());
}

vbKerova_View_Count* vbKerova_ViewData::CountData() const {
    return dynamic_cast<vbKerova_View_Count*>(sub_.get());
}

void vbKerova_ViewData::SetData(std::shared_ptr<ViewSubItem> data, std::uint32_t fontColor,
                                bool enable) {
    sub_ = std::move(data);
    FontColor = fontColor;
    Enable = enable;
    cacheValid_ = false;
}

const Text& vbKerova_ViewData::TextData() {
    const std::uint32_t stamp = CompositionStamp();
    if (!cacheValid_ || cacheStamp_ != stamp) {
        cacheStamp_ = stamp;
        cacheValid_ = true;
        // Emptied first: a group that reaches this item again while its text
        // is being made gets nothing rather than the last pass's text.
        cache_.clear();
        cache_ = sub_ ? sub_->Text() : Text();
    }
    return cache_;
}

void vbKerova_ViewData::Save(const Text& file, const Text& section) const {
    vbIniFile ini(file);
    ini.SetText(section, u"DataType", KindName(DataType()));
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%X", static_cast<unsigned>(FontColor));
    ini.SetText(section, u"FontColor", Utf8ToText(hex));
    ini.SetBool(section, u"Enable", Enable);
    if (sub_) sub_->SaveSetting(file, section);
}

bool vbKerova_ViewData::Load(const Text& file, const Text& section) {
    vbIniFile ini(file);
    const std::uint8_t kind = KindCode(ini.GetText(section, u"DataType", u"NONE"));
    std::shared_ptr<ViewSubItem> sub = MakeSubItem(kind);
    if (!sub) return false;
    FontColor = static_cast<std::uint32_t>(
        ini.GetNumber(section, u"FontColor", static_cast<std::int32_t>(kCaptionTextColor)));
    Enable = ini.GetBool(section, u"Enable", true);
    sub->LoadSetting(file, section);
    sub_ = std::move(sub);
    cacheValid_ = false;
    return true;
}

void vbKerova_ViewData::CopyData(const vbKerova_ViewData& src) {
    Enable = src.Enable;
    FontColor = src.FontColor;
    sub_ = src.sub_;
    Parent = src.Parent;
    cacheValid_ = false;
}

void vbKerova_ViewData::SwapData(vbKerova_ViewData& other) {
    vbKerova_ViewData temp;
    temp.CopyData(other);
    other.CopyData(*this);
    CopyData(temp);
}

}  // namespace tbq
