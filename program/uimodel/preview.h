// What the settings window's preview box shows after a tick: which list's
// text and coloured runs, whether the box gets a border, and which painting
// profile lends its background, font, shadow colour and font flag. The runs
// are the painter's own (ColoredRuns), so the preview never paints otherwise
// than the caption painter.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/text.h"
#include "draw/draw_bar.h"
#include "items/view_list.h"

namespace tbq {
struct AppSettings;
}

namespace tbq::uimodel {

struct PreviewChoice {
    // The list whose plain text is shown (and whose runs are painted when a
    // profile is used).
    Text listName;
    // The list edited on the display-items page is not the default one.
    bool border = false;
    // The profile to paint with; null: plain text in the caption colours.
    std::shared_ptr<vbKerova_DrawBar> profile;
};

// `page` the window's page, `tickListName` and `tickProfile` what the last
// tick used, `selectedProfile` the line chosen on the painting-profiles page.
PreviewChoice ChoosePreview(const AppSettings& settings, int page, const Text& tickListName,
                            const std::shared_ptr<vbKerova_DrawBar>& tickProfile,
                            const std::shared_ptr<vbKerova_DrawBar>& selectedProfile);

struct PreviewRun {
    Text text;
    std::uint32_t color = 0;  // as the item holds it: a system colour keeps its top bit
};
// The runs of `list` in painting order, as the painter gets them.
std::vector<PreviewRun> PreviewRuns(ViewList& list);

}  // namespace tbq::uimodel
