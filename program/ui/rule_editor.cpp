#include "ui/rule_editor.h"

#include "app/app_state.h"
#include "base/texts.h"
#include "core/program_location.h"
#include "ui/editor_support.h"
#include "ui/kit/dialog.h"
#include "ui/kit/tooltips.h"
#include "ui/list_management.h"
#include "ui/resource.h"
#include "ui/window_helpers.h"
#include "ui/window_select.h"
#include "uimodel/rule_editor_model.h"
#include "win32/wide.h"

namespace tbq::ui {

namespace {

// A drop-down of choices carrying their values as item data; the entry of
// `value` is selected, the first when none has it.
void FillChoices(HWND combo, std::span<const uimodel::Choice> choices, std::int32_t value) {
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    LRESULT chosen = 0;
    for (const uimodel::Choice& c : choices) {
        const LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(c.name).c_str()));
        SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(c.value));
        if (c.value == value) chosen = at;
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}
std::int32_t ChosenValue(HWND combo) {
    const LRESULT i = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return i < 0 ? 0 : static_cast<std::int32_t>(SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
}

class RuleEditor final : public Dialog {
public:
    RuleEditor(const vbKerova_Window* rule, const RuleContext& context)
        : existing_(rule != nullptr), context_(context), draft_(uimodel::RuleDraftOf(rule)) {
        OnCommand(IDC_RE_ACTION, CBN_SELCHANGE, [this] { UpdateEnabling(); });
        OnCheck(IDC_RE_VIEWDATA_CHECK, [this](bool) { UpdateEnabling(); });
        OnCheck(IDC_RE_DRAWBAR_CHECK, [this](bool) { UpdateEnabling(); });
        OnCommand(IDC_RE_CONDITIONS, [this] {
            if (EditWindowConditions(dlg_, draft_.rule, context_)) ShowConditions();
        });
        OnCommand(IDOK, [this] { Accept(); });
    }

    std::shared_ptr<vbKerova_Window> Run(HWND owner) {
        if (RunModal(owner, IDD_RULE_EDITOR) != IDOK) return nullptr;
        return result_;
    }

private:
    void OnInit() override {
        Text caption = kProductName;
        caption += Tr(existing_ ? TextId::RuleEditCaption : TextId::RuleAddCaption);
        const ControlText texts[] = {{0, caption.c_str()}, {IDC_RE_NAME, draft_.name.c_str()}};
        ApplyTexts(dlg_, texts);
        SendMessageW(Item(IDC_RE_NAME), EM_LIMITTEXT, 200, 0);
        FillChoices(Item(IDC_RE_ACTION), uimodel::ActionChoices(), draft_.action);
        FillChoices(Item(IDC_RE_MDI), uimodel::MdiChoices(), draft_.mdi);
        FillListNames(Item(IDC_RE_VIEWDATA), draft_.viewData);
        // The profiles as they are now; a name no profile has chooses none.
        std::vector<Text> profiles{uimodel::NoDrawBarEntry()};
        std::size_t chosen = 0;
        for (const auto& p : App().DrawBarList) {
            if (!draft_.drawBar.empty() && p->DrawBarName == draft_.drawBar) chosen = profiles.size();
            profiles.push_back(p->DrawBarName);
        }
        FillComboBox(Item(IDC_RE_DRAWBAR), profiles, chosen);
        SetChecked(IDC_RE_VIEWDATA_CHECK, draft_.useViewData);
        SetChecked(IDC_RE_DRAWBAR_CHECK, draft_.useDrawBar);
        ShowConditions();
        UpdateEnabling();
        tips_.Add(dlg_, Item(IDC_RE_ACTION), Text(Tr(TextId::RuleActionTip)));
        tips_.Add(dlg_, Item(IDC_RE_CONDITIONS), Text(Tr(TextId::RuleConditionsTip)));
        AddOkCancelTips(dlg_, tips_);
    }

    void ShowConditions() {
        HWND list = Item(IDC_RE_INFO);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (const Text& line : uimodel::ConditionLines(draft_.rule))
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(line).c_str()));
    }

    // A permitting rule uses the MDI choice, the boxes and the lists of the
    // ticked boxes; an excluding one none of them.
    void UpdateEnabling() {
        const bool permit = ChosenValue(Item(IDC_RE_ACTION)) == vbKerova_Window::kPermit;
        for (int id : {IDC_RE_MDI_LABEL, IDC_RE_MDI, IDC_RE_VIEWDATA_CHECK, IDC_RE_DRAWBAR_CHECK})
            EnableWindow(Item(id), permit);
        EnableWindow(Item(IDC_RE_VIEWDATA), permit && Checked(IDC_RE_VIEWDATA_CHECK));
        EnableWindow(Item(IDC_RE_DRAWBAR), permit && Checked(IDC_RE_DRAWBAR_CHECK));
    }

    void Accept() {
        draft_.name = FieldText(dlg_, IDC_RE_NAME);
        if (const auto refusal = uimodel::CheckRuleDraft(draft_)) {
            RefuseField(dlg_, IDC_RE_NAME, *refusal);
            return;
        }
        draft_.action = ChosenValue(Item(IDC_RE_ACTION));
        draft_.mdi = ChosenValue(Item(IDC_RE_MDI));
        draft_.useViewData = Checked(IDC_RE_VIEWDATA_CHECK);
        draft_.useDrawBar = Checked(IDC_RE_DRAWBAR_CHECK);
        draft_.viewData = ChosenListName(Item(IDC_RE_VIEWDATA));
        const LRESULT profile = SendMessageW(Item(IDC_RE_DRAWBAR), CB_GETCURSEL, 0, 0);
        draft_.drawBar = profile > 0 ? FieldText(dlg_, IDC_RE_DRAWBAR) : Text();
        result_ = uimodel::BuildRule(draft_);
        Close(IDOK);
    }

    bool existing_;
    const RuleContext& context_;
    uimodel::RuleDraft draft_;
    Tooltips tips_;
    std::shared_ptr<vbKerova_Window> result_;
};

}  // namespace

std::shared_ptr<vbKerova_Window> EditWindowRule(HWND owner, const vbKerova_Window* rule, const RuleContext& context) {
    RuleEditor editor(rule, context);
    return editor.Run(owner);
}

}  // namespace tbq::ui
