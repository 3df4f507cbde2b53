// The window rule editor and its window information dialog without their
// windows: the choices of the rule editor, the conditions as the information
// dialog's controls hold them, the checks made on OK, the rule then built, a
// live window's values taken into the conditions, and the drag of the target
// icon. The windows only move values between their controls and these.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "base/text.h"
#include "rules/window_rule.h"
#include "uimodel/item_editor_model.h"

namespace tbq::uimodel {

// ---- The rule editor ("ウインドウ個別設定追加" / "ウインドウ個別設定変更").

// "除外" (1) and "許可" (2), in the language in force.
std::vector<Choice> ActionChoices();
// "タイトルバー設定に従う" (0), "表示させない" (1), "表示させる" (3).
std::vector<Choice> MdiChoices();
// The first entry of the painting profile list: no profile of the rule's own.
Text NoDrawBarEntry();

struct RuleDraft {
    // The private copy: its conditions are edited in the information dialog,
    // and what the editor does not show (Enable) goes into the new rule as it is.
    vbKerova_Window rule;
    Text name;
    std::int32_t action = vbKerova_Window::kExclude;
    std::int32_t mdi = vbKerova_Window::kMdiFollow;
    bool useViewData = false, useDrawBar = false;
    Text viewData;
    Text drawBar;  // "" for NoDrawBarEntry()
};

// The editor's values for `rule`; for null a new rule, enabled, excluding.
RuleDraft RuleDraftOf(const vbKerova_Window* rule);
// What OK refuses: a rule without a name.
std::optional<Text> CheckRuleDraft(const RuleDraft& draft);
// The new rule: the copy with the editor's choices; ViewOption is the MDI
// choice ORed with 4 for the display list box and 5 for the profile box.
std::shared_ptr<vbKerova_Window> BuildRule(const RuleDraft& draft);
// The lines of the rule's conditions shown in the editor, one a condition.
std::vector<Text> ConditionLines(const vbKerova_Window& rule);

// ---- The window information dialog ("ウインドウ情報設定").

// The seven conditions, in the order of their check boxes; condition i has
// the Flag bit 1 << i.
enum class Condition { Handle, Title, Class, Style, ExStyle, File, Width };
inline constexpr std::size_t kConditionCount = 7;
// The six typed inputs, indexed by Condition (Handle to File).
inline constexpr std::size_t kTypedCount = 6;
inline constexpr std::int32_t kMaxWidth = vbKerova_Window::kMaxWidth;

// The option buttons and check boxes of the conditions. Each belongs to a
// group of CheckOption bits and is chosen when the group holds its bit (0 for
// the group's "等しい", "フルパス" and "以下").
enum class ConditionOption {
    TitlePart, TitleEqual, TitleCase,
    StyleAll, StyleNotAll, StyleEqual,
    ExStyleAll, ExStyleNotAll, ExStyleEqual,
    FileName, FilePath, FullPath,
    Wider, Narrower,
};
struct OptionRow {
    ConditionOption option;
    std::uint32_t group;
    std::uint32_t bit;
};
std::span<const OptionRow> OptionRows();
// Whether the option is chosen in `options`; of two bits set in one group the
// one the matching tests first (含む before 含まない) is the chosen one.
bool OptionChosen(std::uint32_t options, ConditionOption option);
// `options` with `option` chosen in its group.
std::uint32_t ChooseOption(std::uint32_t options, ConditionOption option);

struct ConditionDraft {
    std::array<bool, kConditionCount> ticked{};
    std::array<Text, kTypedCount> typed;  // as typed: hexadecimal for the handle and styles
    std::int32_t width = 0;
    std::uint32_t options = 0;  // the CheckOption bits of the chosen options

    bool Ticked(Condition c) const { return ticked[static_cast<std::size_t>(c)]; }
    Text& Typed(Condition c) { return typed[static_cast<std::size_t>(c)]; }
    const Text& Typed(Condition c) const { return typed[static_cast<std::size_t>(c)]; }
};

ConditionDraft ConditionsOf(const vbKerova_Window& rule);
// The box shown when the handle or a style input holds no hexadecimal number.
Text HexRefusal(Condition c);

// What OK asks of the program: whether a handle is a window, whether it is a
// window of ours, and the answer to a yes-or-no question (true for yes).
struct ConditionChecks {
    std::function<bool(platform::WindowId)> isWindow;
    std::function<bool(platform::WindowId)> isOwn;
    std::function<bool(const Text&)> confirm;
};
// The field a refusal puts the focus on: a condition's input, or the first
// check box when no condition is ticked.
enum class ConditionField { Boxes, Handle, Title, Class, Style, ExStyle, File };
struct ConditionRefusal {
    ConditionField field;
    Text message;  // "" when the user answered No to a question: no box follows
};
// The checks of OK in their order; the first failure.
std::optional<ConditionRefusal> CheckConditions(const ConditionDraft& draft, const ConditionChecks& checks);
// Stores the conditions into `rule` (the draft passed CheckConditions): every
// field from its input, ticked or not, Flag from the ticked boxes and
// CheckOption from the options. A typed value that is no number stores 0.
void StoreConditions(const ConditionDraft& draft, vbKerova_Window& rule);
// The fixed window rule takes the edited conditions; the window it found is
// searched again unless the handle names it.
void ApplyFixedConditions(const vbKerova_Window& edited, vbKerova_Window& fixed);

// The line of a window in the dialog's lists:
// "0x" + eight digits + ":T=" + title + ":C=" + class + ":P=" + executable.
Text GetWindowInfoText(platform::WindowId w, const RuleContext& context);
// The draft with the values of window `w`: handle, title, class, both styles,
// executable (then compared by full path) and width.
ConditionDraft CaptureWindow(ConditionDraft draft, platform::WindowId w, const RuleContext& context);
// "640 Pix(約80文字)"; `charWidth` is the title font's average character width.
Text WidthLabel(std::int32_t width, std::uint8_t charWidth);
// The average width of "0-9A-Z" measured at `textWidth` pixels: rounded, 8 bits, at least 1.
std::uint8_t AverageCharWidth(std::int32_t textWidth);

// The drag of the target icon. While it lasts the dialog holds the pointer
// and takes the window under it; it ends on button-up (what was taken stays),
// on Escape, when another window takes the pointer away, or with the dialog
// (what was there before the drag comes back). Every end gives the pointer
// back exactly once.
class TargetDrag {
public:
    enum class End { Drop, Escape, CaptureLost, Closed };

    explicit TargetDrag(std::function<void()> releasePointer) : release_(std::move(releasePointer)) {}
    ~TargetDrag() { Finish(End::Closed); }
    TargetDrag(const TargetDrag&) = delete;
    TargetDrag& operator=(const TargetDrag&) = delete;

    bool Active() const { return active_; }
    void Start(const ConditionDraft& before);
    // The pointer is over window `w` (0: none); own windows count as none.
    // The draft to show when it changed.
    std::optional<ConditionDraft> Over(platform::WindowId w, bool own, const ConditionDraft& current,
                                       const RuleContext& context);
    // Ends the drag; the draft to show when the fields must go back.
    std::optional<ConditionDraft> Finish(End how);

private:
    std::function<void()> release_;
    bool active_ = false;
    ConditionDraft before_;
    platform::WindowId last_ = 0;
};

}  // namespace tbq::uimodel
