#include "rules/window_rule.h"

#include <algorithm>
#include <cstdio>

#include "base/texts.h"
#include "core/title_writer.h"
#include "platform/ports.h"

namespace tbq {

namespace {

// Titles are read through a buffer of this many characters, terminator included.
constexpr std::size_t kTitleBuffer = 10240;

bool StyleMatches(std::uint32_t actual, std::uint32_t wanted, bool all, bool notAll) {
    const bool every = (actual & wanted) == wanted;
    if (all) return every;
    if (notAll) return !every;
    return actual == wanted;
}

Text Hex(std::uint32_t v) {
    char buf[12];
    std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(v));
    return Utf8ToText(buf);
}

}  // namespace

Text GetWindowTitleForMatch(platform::WindowId w, const RuleContext& context) {
    // While we decorate a window its caption shows our text; the rule is about
    // the window, so it sees the title the window gave itself.
    if (context.titleBar && w != 0 && context.titleBar->TargetWindow == w)
        return context.titleBar->OldTitle();
    Text title = platform::windows().GetTitle(w, context.unicode).value_or(Text());
    title.resize(std::min({title.find(u'\0'), title.size(), kTitleBuffer - 1}));
    return title;
}

void WindowFacts::For(platform::WindowId w) {
    if (w == window_) return;
    window_ = w;
    class_.reset();
    exe_.reset();
}

const Text& WindowFacts::ClassName(platform::WindowId w) {
    For(w);
    if (!class_) class_ = platform::windows().ClassName(w);
    return *class_;
}

const Text& WindowFacts::ExePath(platform::WindowId w,
                                 const std::function<Text(platform::WindowId)>& read) {
    For(w);
    if (!exe_) exe_ = read ? read(w) : Text();
    return *exe_;
}

std::uint8_t vbKerova_Window::ViewOption() const {
    return static_cast<std::uint8_t>(MdiChoice | (UseViewData ? kViewDataBox : 0) |
                                     (UseDrawBar ? kDrawBarBox : 0));
}

void vbKerova_Window::SetViewOption(std::uint8_t value) {
    MdiChoice = static_cast<std::uint8_t>((value & 1) ? (value & 3) : 0);
    UseViewData = (value & kViewDataBox) == kViewDataBox;
    UseDrawBar = (value & kDrawBarBox) == kDrawBarBox;
}

std::uint32_t vbKerova_Window::GetWindowStyle(platform::WindowId w) {
    return platform::windows().Style(w);
}

std::uint32_t vbKerova_Window::GetExStyle(platform::WindowId w) {
    return platform::windows().ExStyle(w);
}

bool vbKerova_Window::CheckWindow(platform::WindowId w, const RuleContext& context) const {
    if (IsFlag(kHandle)) return WindowHandle == w;
    if (IsFlag(kTitle)) {
        Text title = GetWindowTitleForMatch(w, context);
        Text want = WindowTitle;
        if (!IsCheckOption(kTitleCase)) {
            title = FoldCase(title);
            want = FoldCase(want);
        }
        if (IsCheckOption(kTitlePart) ? title.find(want) == Text::npos : title != want)
            return false;
    }
    if (IsFlag(kClass) && (context.facts ? context.facts->ClassName(w)
                                         : platform::windows().ClassName(w)) != WindowClass)
        return false;
    if (IsFlag(kFile)) {
        Text path = context.facts ? context.facts->ExePath(w, context.exePath)
                    : context.exePath ? context.exePath(w) : Text();
        if (IsCheckOption(kFileNameOnly) || IsCheckOption(kFolderOnly)) {
            const std::size_t slash = path.rfind(u'\\');
            if (slash == Text::npos) return false;
            path = IsCheckOption(kFileNameOnly) ? path.substr(slash + 1) : path.substr(0, slash + 1);
        }
        if (!EqualsIgnoreCase(path, FileName)) return false;
    }
    if (IsFlag(kStyle) && !StyleMatches(GetWindowStyle(w), WindowStyle, IsCheckOption(kStyleAll),
                                        IsCheckOption(kStyleNotAll)))
        return false;
    if (IsFlag(kExStyle) && !StyleMatches(GetExStyle(w), ExStyle, IsCheckOption(kExStyleAll),
                                          IsCheckOption(kExStyleNotAll)))
        return false;
    if (IsFlag(kWidth)) {
        // Strict both ways: a window exactly WindowWidth wide never matches.
        const std::int32_t width = platform::windows().Width(w);
        if (IsCheckOption(kWider) ? !(width > WindowWidth) : !(width < WindowWidth)) return false;
    }
    return true;
}

Text vbKerova_Window::SummaryText(bool withOptions) const {
    Text line;
    switch (Action) {
        case kExclude: line = Tr(TextId::RuleSummaryExclude); break;
        case kPermit: line = Tr(TextId::RuleSummaryPermit); break;
        case kFixed: line = Tr(TextId::RuleSummaryFixed); break;
        default: line = Tr(TextId::RuleSummaryNone); break;
    }
    // The fixed rule is named in the language in force, not when it was read.
    line += u":" + (Action == kFixed ? Text(Tr(TextId::RuleFixedTitle)) : Title) + u"(";

    Text conditions;
    auto add = [&](const Text& c) {
        if (!conditions.empty()) conditions += u"/";
        conditions += c;
    };
    if (IsFlag(kTitle)) add(u"T=" + WindowTitle + Text(IsCheckOption(kTitlePart) ? Tr(TextId::RuleSummaryPart) : TextView()));
    if (IsFlag(kClass)) add(u"C=" + WindowClass);
    if (IsFlag(kStyle))
        add(Text(IsCheckOption(kStyleAll) ? u"S|=0x" : IsCheckOption(kStyleNotAll) ? u"S^=0x" : u"S=0x") +
            Hex(WindowStyle));
    if (IsFlag(kExStyle))
        add(Text(IsCheckOption(kExStyleAll) ? u"E|=0x" : IsCheckOption(kExStyleNotAll) ? u"E^=0x" : u"E=0x") +
            Hex(ExStyle));
    if (IsFlag(kHandle)) add(u"H=0x" + Hex(WindowHandle));
    if (IsFlag(kFile)) add(u"P=" + FileName);
    if (IsFlag(kWidth)) add(Text(IsCheckOption(kWider) ? u"W>" : u"W<") + NumberText(WindowWidth));
    line += (conditions.empty() ? Text(Tr(TextId::RuleSummaryNoCondition)) : conditions) + u") ";

    if (withOptions && Action == kPermit) {
        if (DecidesMdi()) line += Text(u" MDIChild:") + (MdiOn() ? u"ON" : u"OFF");
        if (UseViewData) line += Text(Tr(TextId::RuleSummaryViewData)) + ViewData;
        if (UseDrawBar)
            line += Text(Tr(TextId::RuleSummaryDrawBar)) + (DrawBar.empty() ? Text(Tr(TextId::RuleSummaryNone)) : DrawBar);
    }
    return line;
}

}  // namespace tbq
