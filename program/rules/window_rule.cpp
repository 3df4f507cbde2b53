#include "rules/window_rule.h"

#include "platform/ports.h"

namespace tbq {

bool vbKerova_Window::CheckWindow(platform::WindowId w) const {
    if (!IsSetting() || w == 0) return false;
    if (IsFlag(kHandle)) return w == WindowHandle;
    platform::Windows& win = platform::windows();
    if (IsFlag(kTitle)) {
        Text title = win.GetTitle(w, true).value_or(Text());
        Text want = WindowTitle;
        if (!IsCheckOption(kTitleCase)) {
            title = FoldCase(title);
            want = FoldCase(want);
        }
        bool ok = IsCheckOption(kTitlePart) ? title.find(want) != Text::npos : title == want;
        if (!ok) return false;
    }
    if (IsFlag(kClass) && !EqualsIgnoreCase(win.ClassName(w), WindowClass)) return false;
    // Style, executable and width conditions arrive with the rest of the rule
    // matching; until then a rule that asks for them matches nothing.
    if (Flag & (kStyle | kExStyle | kFile | kWidth)) return false;
    return true;
}

}  // namespace tbq
