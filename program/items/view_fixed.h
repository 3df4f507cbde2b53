// The fixed-text and window-title item: one class serves both kinds. A fixed
// text shows what the user typed; a title item shows the target window's own
// title, whole or cut by a number of characters, a byte width or a delimiter.
#pragma once

#include <cstdint>
#include <functional>

#include "items/view_data.h"

namespace tbq {

// Where title items read the target window's own title (the title writer's
// remembered title, as it was before we wrote into it). Start-up sets it;
// until then, and after SetTitleSource({}), every title reads as "".
void SetTitleSource(std::function<tbq::Text()> source);
// The title that title items cut their excerpt from.
tbq::Text CurrentTitle();

class vbKerova_View_Fixed final : public ViewSubItem {
public:
    // DataType values.
    static constexpr std::uint8_t kFixedText = 0;
    static constexpr std::uint8_t kWindowTitle = 1;

    // TitleStyle bits. Without kByCount or kByDelimiter nothing is shown.
    static constexpr std::uint8_t kByCount = 1;
    static constexpr std::uint8_t kByDelimiter = 2;
    static constexpr std::uint8_t kFromEnd = 4;  // last characters / part after the delimiter
    static constexpr std::uint8_t kByWidth = 8;  // with kByCount: count byte width

    // The shown text: the fixed text, or the excerpt of the current title.
    tbq::Text Text() override;
    std::uint8_t ViewDataType() const override {
        return DataType == kFixedText ? std::uint8_t{kKindFixed} : std::uint8_t{kKindTitle};
    }
    void SaveSetting(const tbq::Text& file, const tbq::Text& section) override;
    void LoadSetting(const tbq::Text& file, const tbq::Text& section) override;

    // The fixed text (what Text() shows when DataType is kFixedText).
    const tbq::Text& FixedText() const { return text_; }
    void SetText(tbq::Text text) { text_ = std::move(text); }

    // The excerpt of `title` this item's style asks for.
    tbq::Text TitleExcerpt(TextView title) const;

    std::uint8_t TitleStyle = 0;
    std::int16_t TitleNum = 0;
    tbq::Text TitleChar;
    std::uint8_t DataType = kFixedText;

private:
    tbq::Text text_;
};

}  // namespace tbq
