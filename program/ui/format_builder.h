// The format builder ("日時形式選択"): a clock's format written with the help
// of three lists of parts (extended codes, presets, date codes), with a sample
// of what the clock shows for it.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "base/text.h"
#include "ui/kit/dialog.h"
#include "ui/kit/tooltips.h"
#include "uimodel/format_parts.h"

namespace tbq::ui {

class FormatBuilder final : public Dialog {
public:
    struct Result {
        Text format;
        bool extended;  // the extended format is needed (an extended part was used, or it was on)
    };
    // `extended`: the clock's extended-format box; `zone`: its zone code.
    FormatBuilder(Text format, bool extended, Text zone);
    std::optional<Result> Ask(HWND owner);

private:
    enum class Mode { Extended, Simple, Detail };
    void OnInit() override;
    void ShowMode(Mode mode);
    void ShowHelp();
    const uimodel::FormatPart* Selected() const;
    void Put(bool replace);
    void SetFormat(const Text& text, std::size_t caret);
    void UpdateSample();

    Text format_, zone_;
    bool extended_;
    Mode mode_ = Mode::Simple;
    std::vector<uimodel::FormatPart> parts_;
    Tooltips tips_;
};

}  // namespace tbq::ui
