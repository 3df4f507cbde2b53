// The group item: gathers the TargetNum items after it in its list and shows
// them side by side, only the first one with a text, one at a time in turn, or
// as a marquee that scrolls their combined text from right to left inside a
// window of CharLen characters (or byte-width units). Groups nest.
#pragma once

#include <memory>
#include <vector>

#include "items/view_data.h"

namespace tbq {

class vbKerova_View_Group final : public ViewSubItem {
public:
    // ViewStyle bits. The editor sets one of kShowAll, kSwitch, kScroll and
    // kFirstValid, and kByteMode and kCheckLength only with kScroll.
    static constexpr std::uint8_t kShowAll = 1;
    static constexpr std::uint8_t kSwitch = 2;
    static constexpr std::uint8_t kScroll = 4;
    static constexpr std::uint8_t kByteMode = 8;  // scroll widths in byte width
    static constexpr std::uint8_t kFirstValid = 16;
    static constexpr std::uint8_t kCheckLength = 32;  // a text that fits is not scrolled

    // Deeper nesting than this shows nothing: lists are short, and a cycle
    // (which linking never makes) must still end.
    static constexpr int kMaxDepth = 64;

    tbq::Text Text() override;
    std::uint8_t ViewDataType() const override { return kKindGroup; }
    void SaveSetting(const tbq::Text& file, const tbq::Text& section) override;
    void LoadSetting(const tbq::Text& file, const tbq::Text& section) override;

    // `parent` followed by this group's coloured elements: eight upper-case
    // hexadecimal colour digits, the text, U+0000. A child without a colour of
    // its own takes `fontColor`.
    tbq::Text GetTextElement(const tbq::Text& parent, std::uint32_t fontColor);

    // One update step: a switching or scrolling group moves on every
    // (Timing + 1)-th step; other groups never move.
    void UpdatePosition();

    std::uint8_t TargetNum = 1;
    std::int16_t Timing = 1;
    std::int16_t Step = 1;
    std::int16_t CharLen = 10;
    std::uint8_t ViewStyle = kShowAll;
    // The gathered items, in list order. The list owns them; an item the list
    // has dropped is passed over.
    std::vector<std::weak_ptr<vbKerova_ViewData>> Children;

    // Update steps since the last move.
    std::int32_t NowTiming() const { return nowTiming_; }
    // Switch: the 1-based index of the child shown. Scroll: the 1-based start
    // of the window within the combined text.
    std::int32_t NowPosition() const { return nowPosition_; }

    // The display item whose list linked this group object, so that a list
    // sharing the object (after CopyData) never takes its children away.
    std::shared_ptr<vbKerova_ViewData> LinkedBy() const { return linkedBy_.lock(); }
    // Drops the children (their Parent links to `owner` with them) and records
    // `owner` (none to free the object).
    void Relink(const std::shared_ptr<vbKerova_ViewData>& owner);

private:
    struct Part;
    class Guard;

    std::vector<Part> EnabledParts(std::uint32_t fontColor) const;
    long long WidthOf(TextView s) const;
    bool Scrolls() const { return Step > 0 && CharLen > 0; }
    void CheckPosition(long long width);
    // The pieces of the scroll window: (index into `parts`, text).
    std::vector<std::pair<std::size_t, tbq::Text>> Window(const std::vector<Part>& parts,
                                                          long long width) const;
    // The index (0-based) of the child a switching group shows; -1 for none.
    // `skipEmpty` goes on past an enabled child with an empty text, as the
    // plain text does.
    long long SwitchChild(const std::vector<std::shared_ptr<vbKerova_ViewData>>& kids,
                          bool skipEmpty, tbq::Text* text);

    std::int32_t nowTiming_ = 0;
    std::int32_t nowPosition_ = 1;
    // The combined width at the last composition; 0 while unknown.
    long long lastWidth_ = 0;
    bool busy_ = false;
    std::weak_ptr<vbKerova_ViewData> linkedBy_;
};

}  // namespace tbq
