#include "uimodel/preview.h"

#include "app/app_state.h"
#include "uimodel/page_bindings.h"

namespace tbq::uimodel {

PreviewChoice ChoosePreview(const AppSettings& settings, int page, const Text& tickListName,
                            const std::shared_ptr<vbKerova_DrawBar>& tickProfile,
                            const std::shared_ptr<vbKerova_DrawBar>& selectedProfile) {
    PreviewChoice c;
    // On the display-items page the list being edited is shown, text and runs
    // alike; elsewhere what the tick composed.
    const bool editing = page == static_cast<int>(Page::View);
    c.listName = editing ? settings.EditDataName : tickListName;
    c.border = editing && !EqualsIgnoreCase(settings.EditDataName, settings.DefaultViewData);
    // On the painting-profiles page the profile chosen there (none: plain text).
    c.profile = page == static_cast<int>(Page::DrawBar) ? selectedProfile : tickProfile;
    if (!settings.UseDrawBar) c.profile = nullptr;
    return c;
}

std::vector<PreviewRun> PreviewRuns(ViewList& list) {
    std::vector<PreviewRun> runs;
    ColoredRuns(list, [&](const Text& text, std::uint32_t color) {
        runs.push_back({text, color});
        return 0;
    });
    return runs;
}

}  // namespace tbq::uimodel
