// The seven pages of the settings window as data: each page's title and its
// check boxes in order, each bound to the global setting it shows (by the
// member, through the settings table) or to the fixed window rule's Enable.
// Writing a value tells the effects that must follow at once (the tray icon,
// the tick interval, the title text, the painting).
#pragma once

#include <cstdint>
#include <span>

#include "base/text.h"
#include "base/texts.h"

namespace tbq {
struct AppSettings;
struct AppState;
struct SettingField;
}  // namespace tbq

namespace tbq::uimodel {

// The pages, by the window's page index.
enum class Page : int {
    Basic = 0,        // 基本動作設定
    TitleBar = 1,     // タイトルバー設定
    DrawBar = 2,      // 独自描画設定: painting profiles
    View = 3,         // 表示項目設定: display items
    Alarm = 4,        // アラーム設定
    Window = 5,       // ウインドウ個別設定: window rules
    Information = 6,  // 各種情報: modules
};
inline constexpr int kPageCount = 7;

// What one check box shows and changes.
struct Binding {
    enum class Kind : std::uint8_t {
        Setting,          // a flag of AppSettings, found in the settings table
        FixedWindowRule,  // the fixed window rule's Enable
    };
    Kind kind = Kind::Setting;
    bool AppSettings::*flag = nullptr;  // for Kind::Setting
};

struct CheckBoxModel {
    TextId caption;  // with its accelerator, "終了時に確認する(&3)"
    Binding binding;
};

struct PageModel {
    Page page;
    TextId title;
    std::span<const CheckBoxModel> checkBoxes;  // in the page's order
};

// All seven pages in index order.
std::span<const PageModel> Pages();
// The page of index 0..6; index out of range gives page 0.
const PageModel& PageAt(int index);

// The settings-table row of a Setting binding; null for the fixed rule's Enable.
const SettingField* FieldOf(const Binding& binding);

// The delete-confirmation flag of the pages with lists (painting profiles,
// display items, alarms, window rules); null for the others.
bool AppSettings::*DelCheckOf(Page page);

// What must happen at once when a setting changes. Every hook does nothing
// unless the window overrides it.
class SettingEffects {
public:
    virtual ~SettingEffects() = default;
    // The notification-area icon appears or goes (SetTaskTray).
    virtual void TaskTrayChanged(bool visible) { (void)visible; }
    // The update timer runs at the new interval from now on.
    virtual void TimingChanged(std::int32_t milliseconds) { (void)milliseconds; }
    // The title text is shown or, off, the decorated window gets its title back.
    virtual void TitleInfoChanged(bool on) { (void)on; }
    // Painting over captions switches on or off; off takes the painting away.
    virtual void DrawingChanged(bool on) { (void)on; }
    // The language changed: every window shows its texts anew.
    virtual void LanguageChanged() {}
};

bool ReadBinding(const Binding& binding, const AppState& app);
// Sets the value; when it changed, tells `effects` (may be null) what follows.
// Returns whether the value changed.
bool WriteBinding(const Binding& binding, bool value, AppState& app, SettingEffects* effects);

// Sets Timing, forced into the range the settings accept, and tells `effects`
// when it changed. Returns the value set.
std::int32_t WriteTiming(std::int32_t milliseconds, AppState& app, SettingEffects* effects);

}  // namespace tbq::uimodel
