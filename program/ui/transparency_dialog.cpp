#include "ui/transparency_dialog.h"

#include "base/texts.h"
#include "core/program_location.h"
#include "ui/editor_support.h"
#include "ui/kit/dialog.h"
#include "ui/resource.h"
#include "ui/window_helpers.h"
#include "uimodel/draw_editor_model.h"

namespace tbq::ui {

namespace {

constexpr int kRows = 2;
constexpr int kList[kRows] = {IDC_TR_LIST0, IDC_TR_LIST1};
constexpr int kScroll[kRows] = {IDC_TR_SCROLL0, IDC_TR_SCROLL1};
constexpr int kPercent[kRows] = {IDC_TR_PERCENT0, IDC_TR_PERCENT1};
// Page Up and Page Down on a scroll bar move a tenth of the way.
constexpr int kPage = 25;

class TransparencyDialog final : public Dialog {
public:
    explicit TransparencyDialog(std::array<std::uint8_t, 2> values) : values_(values) {
        for (int row = 0; row < kRows; ++row) {
            // While typing the value follows a leading number only; leaving the
            // field reads what is there, as 0 when it holds no number.
            OnCommand(kList[row], CBN_EDITCHANGE, [this, row] {
                if (auto v = uimodel::TypedTransparency(FieldText(dlg_, kList[row]))) Show(row, *v, false);
            });
            OnCommand(kList[row], CBN_SELCHANGE, [this, row] {
                const LRESULT i = SendMessageW(Item(kList[row]), CB_GETCURSEL, 0, 0);
                const auto presets = uimodel::TransparencyPresets();
                if (i >= 0 && static_cast<std::size_t>(i) < presets.size())
                    Show(row, uimodel::LeftTransparency(presets[static_cast<std::size_t>(i)]), false);
            });
            OnCommand(kList[row], CBN_KILLFOCUS, [this, row] {
                Show(row, uimodel::LeftTransparency(FieldText(dlg_, kList[row])), true);
            });
        }
        OnMessage(WM_HSCROLL, [this](WPARAM wp, LPARAM lp) -> INT_PTR {
            for (int row = 0; row < kRows; ++row)
                if (reinterpret_cast<HWND>(lp) == Item(kScroll[row])) Scrolled(row, LOWORD(wp), HIWORD(wp));
            return TRUE;
        });
        OnCommand(IDOK, [this] {
            // A value typed just before Enter counts as if the field was left.
            for (int row = 0; row < kRows; ++row)
                values_[row] = uimodel::LeftTransparency(FieldText(dlg_, kList[row]));
            settingOK_ = true;
            Close(IDOK);
        });
    }

    std::uint8_t TransSetting(int row) const { return values_[row == 1 ? 1 : 0]; }
    bool SettingOK() const { return settingOK_; }

private:
    void OnInit() override {
        Text caption = kProductName;
        caption += Tr(TextId::DrawTransparencyCaption);
        const ControlText texts[] = {{0, caption.c_str()},
                                     {IDC_TR_LIMITS, Tr(TextId::DrawTransparencyLimits).data()}};
        ApplyTexts(dlg_, texts);
        std::vector<Text> presets;
        for (const char16_t* p : uimodel::TransparencyPresets()) presets.emplace_back(p);
        for (int row = 0; row < kRows; ++row) {
            FillDropDown(Item(kList[row]), presets, {});
            SetScrollRange(Item(kScroll[row]), SB_CTL, 0, 255, FALSE);
            Show(row, values_[row], true);
        }
    }

    // The row's value in its scroll bar and percentage, and in its list's text
    // when `writeText` (never while the user types there).
    void Show(int row, std::uint8_t value, bool writeText) {
        values_[row] = value;
        SetScrollPos(Item(kScroll[row]), SB_CTL, value, TRUE);
        Text percent = Utf8ToText(std::to_string(uimodel::TransparencyPercent(value)));
        percent += u"%";
        SetField(dlg_, kPercent[row], percent);
        if (writeText) SetField(dlg_, kList[row], uimodel::TransparencyText(value));
    }

    void Scrolled(int row, WORD code, WORD position) {
        int v = values_[row];
        switch (code) {
            case SB_LINELEFT: --v; break;
            case SB_LINERIGHT: ++v; break;
            case SB_PAGELEFT: v -= kPage; break;
            case SB_PAGERIGHT: v += kPage; break;
            case SB_LEFT: v = 0; break;
            case SB_RIGHT: v = 255; break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION: v = position; break;
            default: return;
        }
        Show(row, static_cast<std::uint8_t>(std::clamp(v, 0, 255)), true);
    }

    std::array<std::uint8_t, 2> values_;
    bool settingOK_ = false;
};

}  // namespace

std::optional<std::array<std::uint8_t, 2>> AskTransparency(HWND owner, std::array<std::uint8_t, 2> values) {
    TransparencyDialog dialog(values);
    dialog.RunModal(owner, IDD_TRANSPARENCY);
    if (!dialog.SettingOK()) return std::nullopt;
    return std::array<std::uint8_t, 2>{dialog.TransSetting(0), dialog.TransSetting(1)};
}

}  // namespace tbq::ui
