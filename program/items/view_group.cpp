#include "items/view_group.h"

#include <algorithm>

#include "core/helpers.h"
#include "settings/ini_file.h"

namespace tbq {

namespace {

enum class Mode { None, FirstValid, ShowAll, Scroll, Switch };

// The mode a style shows in; the bits are tested in this order, so a style
// with more than one of them (the editor never writes one) still has one mode.
Mode ModeOf(std::uint8_t style) {
    using G = vbKerova_View_Group;
    if (style & G::kFirstValid) return Mode::FirstValid;
    if (style & G::kShowAll) return Mode::ShowAll;
    if (style & G::kScroll) return Mode::Scroll;
    if (style & G::kSwitch) return Mode::Switch;
    return Mode::None;
}

// A group whose width is not known yet (never shown) still keeps its
// position far from the end of its 32-bit range.
constexpr std::int32_t kUnknownWidthLimit = 1 << 30;

// Nesting depth of the group calls running now (everything runs on one thread).
int g_depth = 0;

std::uint32_t ColorOf(const vbKerova_ViewData& child, std::uint32_t groupColor) {
    return child.FontColor == vbKerova_ViewData::kNoColor ? groupColor : child.FontColor;
}

// One element: eight colour digits, the text, U+0000. A NUL inside the text
// would end the element early and make the rest of it read as the next
// element's colour, so it is shown as a blank.
void AppendElement(tbq::Text& out, std::uint32_t color, TextView text) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    for (int shift = 28; shift >= 0; shift -= 4) out.push_back(kDigits[(color >> shift) & 0xF]);
    const std::size_t at = out.size();
    out.append(text);
    std::replace(out.begin() + static_cast<std::ptrdiff_t>(at), out.end(), u'\0', u' ');
    out.push_back(u'\0');
}

std::int16_t ToInt16(std::int32_t v) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(v, INT16_MIN, INT16_MAX));
}
std::uint8_t ToByte(std::int32_t v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

std::vector<std::shared_ptr<vbKerova_ViewData>> Kids(
    const std::vector<std::weak_ptr<vbKerova_ViewData>>& children) {
    std::vector<std::shared_ptr<vbKerova_ViewData>> kids;
    kids.reserve(children.size());
    for (const auto& c : children) kids.push_back(c.lock());
    return kids;
}

bool IsEnabled(const std::shared_ptr<vbKerova_ViewData>& item) { return item && item->Enable; }

// Adds one piece of the scroll window. No cut splits a pair, so a high
// surrogate closing the last piece and a low one opening this piece are both
// lone halves, each one character of width 2; joined they would read as one
// character and leave the window short. The high half becomes U+FFFD, which
// has the same width, so the pieces join to exactly what was measured.
void AddPiece(std::vector<std::pair<std::size_t, tbq::Text>>& pieces, std::size_t index,
              tbq::Text text) {
    const auto high = [](char16_t c) { return c >= 0xD800 && c <= 0xDBFF; };
    const auto low = [](char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; };
    if (!pieces.empty() && !pieces.back().second.empty() && !text.empty() &&
        high(pieces.back().second.back()) && low(text.front()))
        pieces.back().second.back() = u'\uFFFD';
    pieces.emplace_back(index, std::move(text));
}

}  // namespace

struct vbKerova_View_Group::Part {
    std::shared_ptr<vbKerova_ViewData> item;
    tbq::Text text;
    long long width;
    std::uint32_t color;
};

// Refuses a group that is already being composed further up (a group that
// became its own descendant) and nesting beyond kMaxDepth.
class vbKerova_View_Group::Guard {
public:
    explicit Guard(vbKerova_View_Group& g) : g_(g), ok_(!g.busy_ && g_depth < kMaxDepth) {
        if (!ok_) return;
        g_.busy_ = true;
        ++g_depth;
    }
    ~Guard() {
        if (!ok_) return;
        g_.busy_ = false;
        --g_depth;
    }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;
    explicit operator bool() const { return ok_; }

private:
    vbKerova_View_Group& g_;
    bool ok_;
};

void vbKerova_View_Group::Relink(const std::shared_ptr<vbKerova_ViewData>& owner) {
    const auto previous = linkedBy_.lock();
    for (const auto& c : Children)
        if (auto child = c.lock(); child && previous && child->Parent == previous.get())
            child->Parent = nullptr;
    Children.clear();
    linkedBy_ = owner;
}

long long vbKerova_View_Group::WidthOf(TextView s) const {
    return (ViewStyle & kByteMode) ? ByteWidth(s) : CharLength(s);
}

std::vector<vbKerova_View_Group::Part> vbKerova_View_Group::EnabledParts(
    std::uint32_t fontColor) const {
    std::vector<Part> parts;
    for (auto& kid : Kids(Children)) {
        if (!IsEnabled(kid)) continue;
        tbq::Text text = kid->TextData();
        const long long width = WidthOf(text);
        parts.push_back({kid, std::move(text), width, ColorOf(*kid, fontColor)});
    }
    return parts;
}

void vbKerova_View_Group::CheckPosition(long long width) {
    lastWidth_ = width;
    if (nowPosition_ <= 0) {
        nowPosition_ = 1;
    } else if (nowPosition_ > width) {
        // Past the end the marquee starts again one step in; a step wider than
        // the text is taken round the text, so the window never starts beyond it.
        nowPosition_ = static_cast<std::int32_t>(Step <= width ? Step : (Step - 1) % width + 1);
    }
}

std::vector<std::pair<std::size_t, tbq::Text>> vbKerova_View_Group::Window(
    const std::vector<Part>& parts, long long width) const {
    // The combined text repeats without end; the window runs from the position
    // for CharLen units and is cut into the pieces of the children it covers.
    std::vector<std::pair<std::size_t, tbq::Text>> pieces;
    const long long first = nowPosition_;
    const long long last = first + CharLen - 1;
    const bool bytes = (ViewStyle & kByteMode) != 0;
    for (long long base = 0; base < last; base += width) {
        long long start = base + 1;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const Part& part = parts[i];
            if (part.width == 0) continue;
            const long long s = start, e = start + part.width - 1;
            start += part.width;
            if (e < first) continue;
            const long long from = std::max(s, first), to = std::min(e, last);
            // Byte mode: a full-width character cut at either edge becomes a
            // blank, so the window keeps its width.
            const long long offset = from - s + 1, count = to - from + 1;
            AddPiece(
                pieces, i,
                bytes ? MidByWidth(part.text, offset, count) : MidChars(part.text, offset, count));
            if (e >= last) return pieces;
        }
    }
    return pieces;
}

long long vbKerova_View_Group::SwitchChild(
    const std::vector<std::shared_ptr<vbKerova_ViewData>>& kids, bool skipEmpty, tbq::Text* text) {
    const auto count = static_cast<std::int32_t>(kids.size());
    if (nowPosition_ <= 0 || nowPosition_ > count) nowPosition_ = 1;
    const auto take = [&](std::int32_t index) {
        nowPosition_ = index + 1;
        *text = kids[static_cast<std::size_t>(index)]->TextData();
        return index;
    };
    const std::int32_t at = nowPosition_ - 1;
    if (IsEnabled(kids[static_cast<std::size_t>(at)])) return take(at);
    for (std::int32_t i = at + 1; i < count; ++i) {
        if (!IsEnabled(kids[static_cast<std::size_t>(i)])) continue;
        take(i);
        if (!(skipEmpty && text->empty())) return i;
        break;
    }
    // Round from the first child up to the position reached.
    for (std::int32_t i = 0; i < nowPosition_; ++i)
        if (IsEnabled(kids[static_cast<std::size_t>(i)])) return take(i);
    return -1;
}

tbq::Text vbKerova_View_Group::Text() {
    Guard guard(*this);
    if (!guard || Children.empty()) return {};
    switch (ModeOf(ViewStyle)) {
        case Mode::FirstValid:
            for (auto& kid : Kids(Children))
                if (IsEnabled(kid) && !kid->TextData().empty()) return kid->TextData();
            return {};
        case Mode::ShowAll: {
            tbq::Text out;
            for (auto& kid : Kids(Children))
                if (IsEnabled(kid)) out += kid->TextData();
            return out;
        }
        case Mode::Scroll: {
            const std::vector<Part> parts = EnabledParts(0);
            tbq::Text combined;
            long long width = 0;
            for (const Part& p : parts) {
                combined += p.text;
                width += p.width;
            }
            if (combined.empty()) return {};
            if (!Scrolls() || width == 0) return combined;
            lastWidth_ = width;
            if ((ViewStyle & kCheckLength) && CharLen >= width) return combined;
            CheckPosition(width);
            tbq::Text out;
            for (auto& piece : Window(parts, width)) out += piece.second;
            return out;
        }
        case Mode::Switch: {
            tbq::Text text;
            SwitchChild(Kids(Children), true, &text);
            return text;
        }
        case Mode::None:
            break;
    }
    return {};
}

tbq::Text vbKerova_View_Group::GetTextElement(const tbq::Text& parent, std::uint32_t fontColor) {
    Guard guard(*this);
    if (!guard || Children.empty()) return parent;
    tbq::Text out = parent;
    // A nested group is broken into its own elements, its children without a
    // colour of their own taking the nested group's colour.
    const auto addChild = [&](const std::shared_ptr<vbKerova_ViewData>& kid,
                              const tbq::Text& text) {
        if (auto* group = kid->GroupData())
            out = group->GetTextElement(out, ColorOf(*kid, fontColor));
        else
            AppendElement(out, ColorOf(*kid, fontColor), text);
    };
    switch (ModeOf(ViewStyle)) {
        case Mode::FirstValid:
            for (auto& kid : Kids(Children)) {
                if (!IsEnabled(kid) || kid->TextData().empty()) continue;
                AppendElement(out, ColorOf(*kid, fontColor), kid->TextData());
                break;
            }
            return out;
        case Mode::ShowAll:
            for (auto& kid : Kids(Children))
                if (IsEnabled(kid)) addChild(kid, kid->TextData());
            return out;
        case Mode::Scroll: {
            const std::vector<Part> parts = EnabledParts(fontColor);
            long long width = 0;
            bool empty = true;
            for (const Part& p : parts) {
                width += p.width;
                empty = empty && p.text.empty();
            }
            if (empty) return out;
            if (width > 0 && Scrolls()) lastWidth_ = width;
            if (width == 0 || !Scrolls() || ((ViewStyle & kCheckLength) && CharLen >= width)) {
                for (const Part& p : parts) AppendElement(out, p.color, p.text);
                return out;
            }
            CheckPosition(width);
            for (auto& [index, text] : Window(parts, width))
                AppendElement(out, parts[index].color, text);
            return out;
        }
        case Mode::Switch: {
            const auto kids = Kids(Children);
            tbq::Text text;
            const long long index = SwitchChild(kids, false, &text);
            if (index >= 0) addChild(kids[static_cast<std::size_t>(index)], text);
            return out;
        }
        case Mode::None:
            break;
    }
    return out;
}

void vbKerova_View_Group::UpdatePosition() {
    const Mode mode = ModeOf(ViewStyle);
    if (mode != Mode::Switch && mode != Mode::Scroll) return;
    if (mode == Mode::Scroll && !Scrolls()) return;
    if (++nowTiming_ <= Timing) return;
    nowTiming_ = 0;
    // The position is first brought back inside what the last composition saw,
    // exactly as the next composition would, so a group nobody shows keeps
    // going round instead of counting up for ever.
    if (mode == Mode::Switch) {
        if (nowPosition_ <= 0 || nowPosition_ > static_cast<std::int32_t>(Children.size()))
            nowPosition_ = 1;
    } else if (lastWidth_ > 0) {
        CheckPosition(lastWidth_);
    } else if (nowPosition_ > kUnknownWidthLimit) {
        nowPosition_ = 1;
    }
    nowPosition_ += (ViewStyle & kSwitch) ? 1 : Step;
}

void vbKerova_View_Group::SaveSetting(const tbq::Text& file, const tbq::Text& section) {
    const vbIniFile ini(file);
    ini.SetNumber(section, u"TargetNum", TargetNum);
    ini.SetNumber(section, u"Timing", Timing);
    ini.SetNumber(section, u"Step", Step);
    ini.SetNumber(section, u"CharLen", CharLen);
    ini.SetNumber(section, u"Style", ViewStyle);
}

void vbKerova_View_Group::LoadSetting(const tbq::Text& file, const tbq::Text& section) {
    const vbIniFile ini(file);
    TargetNum = ToByte(ini.GetNumber(section, u"TargetNum", 1));
    Timing = ToInt16(ini.GetNumber(section, u"Timing", 1));
    Step = ToInt16(ini.GetNumber(section, u"Step", 1));
    CharLen = ToInt16(ini.GetNumber(section, u"CharLen", 10));
    ViewStyle = ToByte(ini.GetNumber(section, u"Style", kShowAll));
    // A loaded group starts at its first child or the start of its marquee.
    nowTiming_ = 0;
    nowPosition_ = 1;
    lastWidth_ = 0;
}

}  // namespace tbq
