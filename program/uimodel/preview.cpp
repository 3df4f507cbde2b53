#include "uimodel/preview.h"

#include "app/app_state.h"

namespace tbq::uimodel {

PreviewChoice ChoosePreview(const AppSettings&, int, const Text& tickListName,
                            const std::shared_ptr<vbKerova_DrawBar>& tickProfile,
                            const std::shared_ptr<vbKerova_DrawBar>&) {
    return {tickListName, false, tickProfile};
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
