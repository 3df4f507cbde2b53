// The stored form of a window rule and of the rule list.
//
// Older versions keep the three choices of a permitting rule in one value,
// "ViewOption", where MDI choice 1 plus the display-list box (4) gives 5, the
// value of the painting-profile box. "ViewOption" is still written that way
// for them, and the choices are also written apart under keys of our own;
// those decide when they are all there and agree with "ViewOption" (a file
// saved since by an older version changes "ViewOption" and leaves them stale).
#include <algorithm>
#include <cstdio>

#include "rules/window_rule.h"
#include "base/texts.h"
#include "settings/ini_file.h"
#include "settings/ini_store.h"

namespace tbq {

namespace {

// Keys of our own that keep the permitting choices apart.
constexpr char16_t kDrawBarOptionKey[] = u"DrawBarOption";
constexpr char16_t kViewDataOptionKey[] = u"ViewDataOption";
constexpr char16_t kMdiOptionKey[] = u"MDIOption";

// The fields stored as 8-bit values; anything else did not come from us.
bool FitsByte(std::int32_t v) { return v >= 0 && v <= 255; }

class Record {
public:
    Record(const Text& file, TextView section, bool fixed)
        : ini_(file), section_(section), prefix_(fixed ? u"Fixed_" : u"") {}

    Text Key(TextView name) const { return prefix_ + Text(name); }
    Text GetText(TextView key) const { return ini_.GetText(section_, Key(key), u""); }
    std::int32_t GetNumber(TextView key, std::int32_t def = 0) const {
        return ini_.GetNumber(section_, Key(key), def);
    }
    bool GetBool(TextView key) const { return ini_.GetBool(section_, Key(key), false); }
    void SetText(TextView key, TextView v) const { ini_.SetText(section_, Key(key), v); }
    void SetNumber(TextView key, std::int32_t v) const { ini_.SetNumber(section_, Key(key), v); }
    void SetBool(TextView key, bool v) const { ini_.SetBool(section_, Key(key), v); }

private:
    vbIniFile ini_;
    Text section_;
    Text prefix_;
};

std::int32_t Signed(std::uint32_t v) { return static_cast<std::int32_t>(v); }

}  // namespace

Text WindowRuleSection(int position) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "WindowData%04d", position);
    return Utf8ToText(buf);
}

void vbKerova_Window::SaveSetting(const Text& file, TextView section, bool fixed) const {
    Record r(file, section, fixed);
    if (!fixed) {
        r.SetText(u"Title", Title);
        r.SetNumber(u"Action", Action);
    }
    r.SetText(u"WindowTitle", WindowTitle);
    r.SetText(u"WindowClass", WindowClass);
    r.SetNumber(u"WindowStyle", Signed(WindowStyle));
    r.SetNumber(u"ExStyle", Signed(ExStyle));
    r.SetText(u"FileName", FileName);
    r.SetNumber(u"WindowWidth", WindowWidth);
    // A handle means nothing after a restart, so it is never stored.
    r.SetNumber(u"Flag", Flag & ~kHandle);
    r.SetNumber(u"CheckOption", Signed(CheckOption));
    r.SetNumber(u"ViewOption", ViewOption());
    r.SetText(u"ViewData", ViewData);
    r.SetText(u"DrawBar", DrawBar);
    r.SetBool(u"Enable", Enable);
    r.SetBool(kDrawBarOptionKey, UseDrawBar);
    r.SetBool(kViewDataOptionKey, UseViewData);
    r.SetNumber(kMdiOptionKey, MdiChoice);
}

bool vbKerova_Window::LoadSetting(const Text& file, TextView section, bool fixed) {
    Record r(file, section, fixed);
    // A stored value that does not fit its field is not masked into some other
    // meaning: the field is cleared and the rule comes back switched off.
    bool fits = true;
    auto byte = [&](TextView key) -> std::uint8_t {
        const std::int32_t v = r.GetNumber(key);
        if (FitsByte(v)) return static_cast<std::uint8_t>(v);
        fits = false;
        return 0;
    };
    if (fixed) {
        Title = Text(Tr(TextId::RuleFixedTitle));
        Action = kFixed;
    } else {
        Title = r.GetText(u"Title");
        if (Title.empty()) return false;
        Action = byte(u"Action");
    }
    WindowTitle = r.GetText(u"WindowTitle");
    WindowClass = r.GetText(u"WindowClass");
    WindowStyle = static_cast<std::uint32_t>(r.GetNumber(u"WindowStyle"));
    ExStyle = static_cast<std::uint32_t>(r.GetNumber(u"ExStyle"));
    FileName = r.GetText(u"FileName");
    WindowWidth = std::clamp(r.GetNumber(u"WindowWidth"), 0, kMaxWidth);
    // A handle condition cannot survive a restart (no handle is stored).
    Flag = static_cast<std::uint8_t>(byte(u"Flag") & ~kHandle);
    CheckOption = static_cast<std::uint32_t>(r.GetNumber(u"CheckOption"));
    const std::uint8_t viewOption = byte(u"ViewOption");
    ViewData = r.GetText(u"ViewData");
    DrawBar = r.GetText(u"DrawBar");
    Enable = r.GetBool(u"Enable");

    SetViewOption(viewOption);
    const std::int32_t drawBar = r.GetNumber(kDrawBarOptionKey, -1);
    const std::int32_t viewData = r.GetNumber(kViewDataOptionKey, -1);
    const std::int32_t mdi = r.GetNumber(kMdiOptionKey, -1);
    if ((drawBar == 0 || drawBar == 1) && (viewData == 0 || viewData == 1) &&
        (mdi == kMdiFollow || mdi == kMdiOff || mdi == kMdiOn)) {
        vbKerova_Window apart;
        apart.UseDrawBar = drawBar == 1;
        apart.UseViewData = viewData == 1;
        apart.MdiChoice = static_cast<std::uint8_t>(mdi);
        if (apart.ViewOption() == viewOption) {
            UseDrawBar = apart.UseDrawBar;
            UseViewData = apart.UseViewData;
            MdiChoice = apart.MdiChoice;
        }
    }

    // A rule whose only condition was a window handle is stored without any:
    // it would match every window, so it comes back switched off.
    if (!fits || !IsSetting()) Enable = false;
    return true;
}

WindowRuleList LoadWindowRuleList(const Text& path) {
    WindowRuleList rules;
    for (int i = 1;; ++i) {
        auto rule = std::make_shared<vbKerova_Window>();
        if (!rule->LoadSetting(path, WindowRuleSection(i), false)) break;
        rules.push_back(std::move(rule));
    }
    return rules;
}

bool SaveWindowRuleList(const Text& path, const WindowRuleList& rules) {
    IniWriteBatch batch;
    int n = 0;
    for (const auto& rule : rules)
        if (rule && rule->IsSetting()) rule->SaveSetting(path, WindowRuleSection(++n), false);
    vbIniFile(path).SetText(WindowRuleSection(n + 1), u"Title", u"");
    return IniStore::Instance().Flush(path);
}

}  // namespace tbq
