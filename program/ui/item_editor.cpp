#include "ui/item_editor.h"

#include <array>
#include <vector>

#include "app/app_state.h"
#include "base/texts.h"
#include "core/program_location.h"
#include "plugin/plugin_registry.h"
#include "platform/ports.h"
#include "ui/colour_menu.h"
#include "ui/date_dialog.h"
#include "ui/editor_support.h"
#include "ui/format_builder.h"
#include "ui/kit/accessible.h"
#include "ui/kit/dialog.h"
#include "ui/kit/sizer.h"
#include "ui/kit/tooltips.h"
#include "ui/resource.h"
#include "ui/window_helpers.h"
#include "uimodel/colours.h"
#include "uimodel/data_tables.h"
#include "uimodel/item_editor_model.h"
#include "win32/wide.h"

namespace tbq::ui {

namespace {
using uimodel::ChoiceList;
using uimodel::ItemField;

using PluginPtr = PluginRegistry::PluginPtr;

// One kind's page: a child dialog whose controls the editor binds.
class KindPage final : public Dialog {
public:
    using Dialog::Checked;
    using Dialog::Item;
    using Dialog::OnCheck;
    using Dialog::OnCommand;
    using Dialog::SetChecked;
};

// The kinds in the order of their pages, with their templates.
constexpr std::array<std::pair<std::uint8_t, int>, 7> kPages{{
    {kKindClock, IDD_ITEM_CLOCK}, {kKindFixed, IDD_ITEM_FIXED}, {kKindTitle, IDD_ITEM_TITLE},
    {kKindCount, IDD_ITEM_COUNT}, {kKindGroup, IDD_ITEM_GROUP}, {kKindAlarm, IDD_ITEM_ALARM},
    {kKindPlugin, IDD_ITEM_PLUGIN},
}};

std::size_t PageOf(std::uint8_t kind) {
    for (std::size_t i = 0; i < kPages.size(); ++i)
        if (kPages[i].first == kind) return i;
    return 2;  // the window title's page
}

// A drop-down of a choice list, and the value of its chosen entry.
void FillChoices(HWND combo, ChoiceList list, std::int32_t value) {
    std::vector<Text> entries;
    for (const auto& c : uimodel::Choices(list)) entries.emplace_back(c.name);
    FillComboBox(combo, entries, uimodel::ChoiceIndex(list, value));
}
std::int32_t ChoiceValue(HWND combo, ChoiceList list) {
    const auto c = uimodel::Choices(list);
    const LRESULT i = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return i >= 0 && static_cast<std::size_t>(i) < c.size() ? c[static_cast<std::size_t>(i)].value : c[0].value;
}
std::size_t Chosen(HWND combo) {
    const LRESULT i = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return i < 0 ? 0 : static_cast<std::size_t>(i);
}

// The plug-in of that file while it is loaded and working; null otherwise.
// Asked afresh every time: a plug-in can be unloaded while the editor is open.
PluginPtr LoadedPlugin(const Text& file) {
    PluginRegistry* registry = ThePluginRegistry();
    PluginPtr p = registry && !file.empty() ? registry->Find(file) : nullptr;
    return p && p->Enable() && !p->Failed() ? p : nullptr;
}

class ItemEditor final : public Dialog {
public:
    explicit ItemEditor(const vbKerova_ViewData* item) : editing_(item != nullptr), values_(uimodel::ValuesOf(item)) {
        OnCommand(IDC_IE_CATEGORY, CBN_SELCHANGE, [this] { ChangeKind(); });
        OnCommand(IDC_IE_COLOR, [this] { ChooseColour(); });
        OnMessage(WM_DRAWITEM, [this](WPARAM, LPARAM lp) -> INT_PTR {
            const auto& d = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            if (d.CtlID != IDC_IE_COLOR) return FALSE;
            DrawColourButton(d, values_.color);
            return TRUE;
        });
        OnCommand(IDOK, [this] { Accept(); });
    }

    std::shared_ptr<vbKerova_ViewData> Run(HWND owner) {
        if (RunModal(owner, IDD_ITEM_EDITOR) != IDOK) return nullptr;
        return result_;
    }

private:
    KindPage& P(std::uint8_t kind) { return *pages_[PageOf(kind)]; }
    HWND C(std::uint8_t kind, int id) { return P(kind).Item(id); }

    void OnInit() override {
        const Text caption =
            Text(kProductName) + u" - " + Text(Tr(editing_ ? TextId::ItemEditCaption : TextId::ItemAddCaption));
        const ControlText texts[] = {{0, caption.c_str()}};
        ApplyTexts(dlg_, texts);
        tips_.Add(dlg_, Item(IDC_IE_COLOR), Text(Tr(TextId::ItemColourTip)));
        tips_.Add(dlg_, Item(IDOK), Text(Tr(TextId::ItemOkTip)));
        tips_.Add(dlg_, Item(IDCANCEL), Text(Tr(TextId::ItemCancelTip)));
        FillChoices(Item(IDC_IE_CATEGORY), ChoiceList::Category, values_.kind);
        const RECT area = RectInParent(Item(IDC_IE_PAGEAREA));
        HWND after = Item(IDC_IE_DESCRIPTION);
        for (std::size_t i = 0; i < kPages.size(); ++i) {
            pages_[i] = std::make_unique<KindPage>();
            pages_[i]->CreatePage(dlg_, kPages[i].second);
            // In the tab order the page comes after the description, before OK.
            SetWindowPos(pages_[i]->hwnd(), after, area.left, area.top, area.right - area.left,
                         area.bottom - area.top, SWP_NOACTIVATE);
            after = pages_[i]->hwnd();
        }
        // The "..." buttons say what they do to a screen reader.
        SetAccessibleName(C(kKindClock, IDC_IE_FORMAT_BUILD), Tr(TextId::ItemChooseFormatName));
        SetAccessibleName(C(kKindClock, IDC_IE_OFFSET_SET), Tr(TextId::ItemSetOffsetName));
        SetAccessibleName(C(kKindCount, IDC_IE_TARGET_SET), Tr(TextId::ItemSetTargetName));
        BindPages();
        FillPages();
        ShowKind();
    }

    void OnDpiChanged(UINT) override {
        const RECT area = RectInParent(Item(IDC_IE_PAGEAREA));
        for (auto& p : pages_)
            SetWindowPos(p->hwnd(), nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void BindPages() {
        const auto changed = [this] { Changed(); };
        KindPage& clock = P(kKindClock);
        clock.OnCommand(IDC_IE_FORMAT_BUILD, [this] { BuildFormat(); });
        clock.OnCheck(IDC_IE_AUTO_SUMMER, [this](bool) { Changed(); });
        clock.OnCommand(IDC_IE_OFFSET_SET, [this] {
            if (auto f = EditDate(dlg_, uimodel::DateMode::Offset, values_.offsets)) {
                values_.offsets = *f;
                SetField(P(kKindClock).hwnd(), IDC_IE_OFFSET, uimodel::DateText(*f, uimodel::DateMode::Offset));
            }
        });
        KindPage& title = P(kKindTitle);
        title.OnCommand(IDC_IE_RANGE, CBN_SELCHANGE, [this] { ChangeTitleRange(); });
        title.OnCommand(IDC_IE_HALF, CBN_SELCHANGE, changed);
        KindPage& count = P(kKindCount);
        count.OnCommand(IDC_IE_DIRECTION, CBN_SELCHANGE, changed);
        count.OnCommand(IDC_IE_TARGET_SET, [this] { ChooseTarget(); });
        P(kKindGroup).OnCommand(IDC_IE_MODE, CBN_SELCHANGE, changed);
        P(kKindAlarm).OnCommand(IDC_IE_ATYPE, CBN_SELCHANGE, changed);
        KindPage& plugin = P(kKindPlugin);
        plugin.OnCommand(IDC_IE_PLUGIN, CBN_SELCHANGE, [this] {
            Collect();
            values_.funcNo = 1;
            values_.settingNo = 1;
            FillPlugins();
        });
        plugin.OnCommand(IDC_IE_FUNC, CBN_SELCHANGE, [this] {
            Collect();
            values_.settingNo = 1;
            FillPlugins();
        });
        plugin.OnCommand(IDC_IE_PLUGIN_SETTINGS, [this] {
            Collect();
            if (PluginPtr p = LoadedPlugin(values_.pluginFile))
                p->ShowSetting(WindowIdOf(dlg_), values_.funcNo, values_.settingNo);
            else
                FillPlugins();
        });
    }

    // Every page shows the values it holds; the other kinds' pages keep their
    // defaults until the category is changed to them.
    void FillPages() {
        HWND page = P(kKindClock).hwnd();
        zones_ = uimodel::LoadZones(ProgramFolder() + u"TBQ_Data.ini");
        std::vector<Text> zoneEntries;
        std::size_t zone = 0;
        for (std::size_t i = 0; i < zones_.size(); ++i) {
            zoneEntries.push_back(uimodel::ZoneCaption(zones_[i]));
            if (FoldCase(zones_[i].code) == FoldCase(values_.zone)) zone = i;
        }
        FillComboBox(GetDlgItem(page, IDC_IE_ZONE), zoneEntries, zone);
        SetField(page, IDC_IE_FORMAT, values_.format);
        SendMessageW(GetDlgItem(page, IDC_IE_FORMAT), EM_LIMITTEXT, 1000, 0);
        P(kKindClock).SetChecked(IDC_IE_EXTENDED, values_.extended);
        P(kKindClock).SetChecked(IDC_IE_SUMMER, values_.summerTime);
        P(kKindClock).SetChecked(IDC_IE_AUTO_SUMMER, values_.autoSummerTime);
        SetField(page, IDC_IE_OFFSET, uimodel::DateText(values_.offsets, uimodel::DateMode::Offset));

        SetField(P(kKindFixed).hwnd(), IDC_IE_TEXT, values_.fixedText);

        FillChoices(C(kKindTitle, IDC_IE_RANGE), ChoiceList::TitleRange, values_.titleRange);
        FillChoices(C(kKindTitle, IDC_IE_HALF), ChoiceList::TitleHalf, values_.fromEnd ? 4 : 0);
        P(kKindTitle).SetChecked(IDC_IE_BYTES, values_.byWidth);
        ShowTitleField();

        page = P(kKindCount).hwnd();
        FillChoices(GetDlgItem(page, IDC_IE_DIRECTION), ChoiceList::CountDirection, values_.countDirection);
        SetField(page, IDC_IE_TARGET, values_.targetSet ? uimodel::DateText(values_.target, uimodel::DateMode::Count) : Text());
        units_ = uimodel::LoadCountPresets(ProgramFolder() + u"TBQ_Data.ini");
        std::size_t unit = units_.size();
        for (std::size_t i = 0; i < units_.size() && unit == units_.size(); ++i)
            if (units_[i].mask == values_.countMask) unit = i;
        // A mask no preset has is kept as it is.
        if (unit == units_.size()) units_.push_back({Text(Tr(TextId::ItemCurrentUnits)), values_.countMask});
        std::vector<Text> unitEntries;
        for (const auto& u : units_) unitEntries.push_back(u.name);
        FillComboBox(GetDlgItem(page, IDC_IE_UNITS), unitEntries, unit);

        page = P(kKindGroup).hwnd();
        FillChoices(GetDlgItem(page, IDC_IE_MODE), ChoiceList::GroupMode, values_.groupMode);
        const std::pair<int, const Text*> groupFields[] = {{IDC_IE_TARGETNUM, &values_.targetNum},
                                                           {IDC_IE_TIMING, &values_.timing},
                                                           {IDC_IE_STEP, &values_.step},
                                                           {IDC_IE_CHARLEN, &values_.charLen}};
        for (const auto& [id, text] : groupFields) {
            SetField(page, id, *text);
            SendMessageW(GetDlgItem(page, id), EM_LIMITTEXT, 12, 0);
        }
        SetField(page, IDC_IE_TIMING_LABEL, Text(uimodel::TimingCaption(App().settings.RefreshTiming)));
        P(kKindGroup).SetChecked(IDC_IE_SCROLLBYTES, values_.byteMode);
        P(kKindGroup).SetChecked(IDC_IE_CHECKLEN, values_.checkLength);

        page = P(kKindAlarm).hwnd();
        FillChoices(GetDlgItem(page, IDC_IE_ASTYLE), ChoiceList::AlarmStyle, values_.alarmStyle);
        FillChoices(GetDlgItem(page, IDC_IE_ATYPE), ChoiceList::AlarmType, values_.alarmType);
        // The names as they are now: an alarm may delete itself while the editor is open.
        alarmNames_.clear();
        std::size_t named = 0;
        for (const auto& a : App().AlarmList) {
            if (a->AlarmName == values_.alarmName) named = alarmNames_.size();
            alarmNames_.push_back(a->AlarmName);
        }
        FillComboBox(GetDlgItem(page, IDC_IE_ANAME), alarmNames_, named);

        FillPlugins();
    }

    // The plug-in page from the registry as it is now.
    void FillPlugins() {
        HWND page = P(kKindPlugin).hwnd();
        pluginFiles_.clear();
        std::vector<Text> entries;
        std::size_t chosen = 0;
        if (PluginRegistry* registry = ThePluginRegistry()) {
            for (const auto& p : registry->Plugins()) {
                if (!p->Enable() || p->Failed()) continue;
                if (FoldCase(p->PluginFileName()) == FoldCase(values_.pluginFile)) chosen = entries.size();
                const Text name = p->PluginInfoStr(0);
                entries.push_back(name.empty() ? p->PluginFileName() : name + u" (" + p->PluginFileName() + u")");
                pluginFiles_.push_back(p->PluginFileName());
            }
        }
        // An item's plug-in that is not loaded is still shown; OK refuses it.
        if (!values_.pluginFile.empty() && !LoadedPlugin(values_.pluginFile)) {
            chosen = entries.size();
            entries.push_back(values_.pluginFile);
            pluginFiles_.push_back(values_.pluginFile);
        }
        FillComboBox(GetDlgItem(page, IDC_IE_PLUGIN), entries, chosen);
        values_.pluginFile = pluginFiles_.empty() ? Text() : pluginFiles_[chosen];

        std::vector<Text> funcs, settings;
        const PluginPtr p = LoadedPlugin(values_.pluginFile);
        const std::int32_t funcCount = p ? p->FuncNum() : 0;
        for (std::int32_t f = 1; f <= funcCount; ++f) funcs.push_back(p->PluginFuncInfoStr(f, 0));
        values_.funcNo = std::clamp(values_.funcNo, 1, std::max(funcCount, 1));
        FillComboBox(GetDlgItem(page, IDC_IE_FUNC), funcs, static_cast<std::size_t>(values_.funcNo - 1));
        const std::int32_t settingCount = p && funcCount ? p->FuncSettingNum(values_.funcNo) : 0;
        for (std::int32_t s = 1; s <= settingCount; ++s) settings.push_back(p->PluginFuncSettingName(values_.funcNo, s));
        values_.settingNo = std::clamp(values_.settingNo, 1, std::max(settingCount, 1));
        FillComboBox(GetDlgItem(page, IDC_IE_SETTING), settings, static_cast<std::size_t>(values_.settingNo - 1));
        EnableWindow(GetDlgItem(page, IDC_IE_PLUGIN_SETTINGS), p && funcCount && !p->PluginFuncIsFlag(values_.funcNo, 2));
    }

    // The values of the page shown, read from its controls.
    void Collect() {
        HWND page = P(values_.kind).hwnd();
        switch (values_.kind) {
            case kKindClock: {
                values_.format = FieldText(page, IDC_IE_FORMAT);
                const std::size_t z = Chosen(GetDlgItem(page, IDC_IE_ZONE));
                values_.zone = z < zones_.size() ? zones_[z].code : Text(u"TYO");
                values_.extended = P(kKindClock).Checked(IDC_IE_EXTENDED);
                values_.summerTime = P(kKindClock).Checked(IDC_IE_SUMMER);
                values_.autoSummerTime = P(kKindClock).Checked(IDC_IE_AUTO_SUMMER);
                break;
            }
            case kKindFixed: values_.fixedText = FieldText(page, IDC_IE_TEXT); break;
            case kKindTitle:
                StoreTitleField();
                values_.titleRange = ChoiceValue(GetDlgItem(page, IDC_IE_RANGE), ChoiceList::TitleRange);
                values_.fromEnd = ChoiceValue(GetDlgItem(page, IDC_IE_HALF), ChoiceList::TitleHalf) != 0;
                values_.byWidth = P(kKindTitle).Checked(IDC_IE_BYTES);
                break;
            case kKindCount: {
                values_.countDirection =
                    static_cast<std::uint8_t>(ChoiceValue(GetDlgItem(page, IDC_IE_DIRECTION), ChoiceList::CountDirection));
                const std::size_t u = Chosen(GetDlgItem(page, IDC_IE_UNITS));
                if (u < units_.size()) values_.countMask = units_[u].mask;
                break;
            }
            case kKindGroup:
                values_.groupMode = static_cast<std::uint8_t>(ChoiceValue(GetDlgItem(page, IDC_IE_MODE), ChoiceList::GroupMode));
                values_.targetNum = FieldText(page, IDC_IE_TARGETNUM);
                values_.timing = FieldText(page, IDC_IE_TIMING);
                values_.step = FieldText(page, IDC_IE_STEP);
                values_.charLen = FieldText(page, IDC_IE_CHARLEN);
                values_.byteMode = P(kKindGroup).Checked(IDC_IE_SCROLLBYTES);
                values_.checkLength = P(kKindGroup).Checked(IDC_IE_CHECKLEN);
                break;
            case kKindAlarm: {
                values_.alarmStyle = static_cast<std::uint8_t>(ChoiceValue(GetDlgItem(page, IDC_IE_ASTYLE), ChoiceList::AlarmStyle));
                values_.alarmType = static_cast<std::uint8_t>(ChoiceValue(GetDlgItem(page, IDC_IE_ATYPE), ChoiceList::AlarmType));
                const std::size_t a = Chosen(GetDlgItem(page, IDC_IE_ANAME));
                values_.alarmName = a < alarmNames_.size() ? alarmNames_[a] : Text();
                break;
            }
            case kKindPlugin: {
                const std::size_t i = Chosen(GetDlgItem(page, IDC_IE_PLUGIN));
                values_.pluginFile = i < pluginFiles_.size() ? pluginFiles_[i] : Text();
                values_.funcNo = static_cast<std::int32_t>(Chosen(GetDlgItem(page, IDC_IE_FUNC))) + 1;
                values_.settingNo = static_cast<std::int32_t>(Chosen(GetDlgItem(page, IDC_IE_SETTING))) + 1;
                break;
            }
            default: break;
        }
    }

    // The title page's one field holds the count or the delimiter, by range.
    void StoreTitleField() {
        const Text typed = FieldText(P(kKindTitle).hwnd(), IDC_IE_TITLEFIELD);
        (values_.titleRange == 2 ? values_.titleChar : values_.titleNum) = typed;
    }
    void ShowTitleField() {
        HWND page = P(kKindTitle).hwnd();
        SetField(page, IDC_IE_TITLEFIELD_LABEL, Text(uimodel::TitleFieldCaption(values_.titleRange)));
        SetField(page, IDC_IE_TITLEFIELD, values_.titleRange == 2 ? values_.titleChar : values_.titleNum);
    }
    void ChangeTitleRange() {
        StoreTitleField();
        values_.titleRange = ChoiceValue(C(kKindTitle, IDC_IE_RANGE), ChoiceList::TitleRange);
        ShowTitleField();
        Changed();
    }

    void ChangeKind() {
        Collect();
        values_.kind = static_cast<std::uint8_t>(ChoiceValue(Item(IDC_IE_CATEGORY), ChoiceList::Category));
        // The plug-ins may have changed since the page was filled.
        if (values_.kind == kKindPlugin) FillPlugins();
        ShowKind();
    }

    void ShowKind() {
        for (std::size_t i = 0; i < kPages.size(); ++i)
            ShowWindow(pages_[i]->hwnd(), kPages[i].first == values_.kind ? SW_SHOWNA : SW_HIDE);
        Changed();
    }

    // A choice changed: the description and what can be used follow it.
    void Changed() {
        Collect();
        SetField(dlg_, IDC_IE_DESCRIPTION, uimodel::ItemDescription(values_, App().settings.RefreshTiming));
        // The zone's own rules make the fixed summer-time switch meaningless.
        EnableWindow(C(kKindClock, IDC_IE_SUMMER), !values_.autoSummerTime);
        const bool counted = values_.titleRange != 0;
        EnableWindow(C(kKindTitle, IDC_IE_HALF), counted);
        EnableWindow(C(kKindTitle, IDC_IE_TITLEFIELD), counted);
        EnableWindow(C(kKindTitle, IDC_IE_BYTES), values_.titleRange == 1);
        const bool moves = values_.groupMode == 2 || values_.groupMode == 4, scrolls = values_.groupMode == 4;
        EnableWindow(C(kKindGroup, IDC_IE_TIMING), moves);
        for (int id : {IDC_IE_STEP, IDC_IE_CHARLEN, IDC_IE_SCROLLBYTES, IDC_IE_CHECKLEN})
            EnableWindow(C(kKindGroup, id), scrolls);
        EnableWindow(C(kKindAlarm, IDC_IE_ANAME), values_.alarmType == 2);
    }

    void ChooseColour() {
        if (auto c = ChooseItemColour(dlg_, Item(IDC_IE_COLOR), values_.color, true)) {
            values_.color = *c;
            InvalidateRect(Item(IDC_IE_COLOR), nullptr, TRUE);
        }
    }

    void BuildFormat() {
        Collect();
        FormatBuilder builder(values_.format, values_.extended, values_.zone);
        if (auto r = builder.Ask(dlg_)) {
            values_.format = r->format;
            values_.extended = r->extended;
            SetField(P(kKindClock).hwnd(), IDC_IE_FORMAT, r->format);
            P(kKindClock).SetChecked(IDC_IE_EXTENDED, r->extended);
        }
    }

    void ChooseTarget() {
        // A new count starts at the coming new year.
        const uimodel::DateFields start = values_.targetSet ? values_.target : uimodel::DateFields{-2, 1, 1, 0, 0, 0};
        if (auto f = EditDate(dlg_, uimodel::DateMode::Count, start)) {
            values_.target = *f;
            values_.targetSet = true;
            SetField(P(kKindCount).hwnd(), IDC_IE_TARGET, uimodel::DateText(*f, uimodel::DateMode::Count));
        }
    }

    void Accept() {
        Collect();
        if (values_.kind == kKindPlugin) FillPlugins();
        const auto refusal = uimodel::CheckItem(values_, !alarmNames_.empty() && !App().AlarmList.empty(),
                                                [](const Text& file) { return LoadedPlugin(file) != nullptr; });
        if (refusal) {
            platform::dialogs().Show(WindowIdOf(dlg_), Text(refusal->message), kProductName, platform::BoxStyle::Warning);
            static constexpr std::pair<ItemField, int> kFocus[] = {
                {ItemField::TitleNum, IDC_IE_TITLEFIELD}, {ItemField::CountTarget, IDC_IE_TARGET_SET},
                {ItemField::TargetNum, IDC_IE_TARGETNUM}, {ItemField::Timing, IDC_IE_TIMING},
                {ItemField::Step, IDC_IE_STEP},           {ItemField::AlarmName, IDC_IE_ATYPE},
                {ItemField::Plugin, IDC_IE_PLUGIN}};
            for (const auto& [field, id] : kFocus)
                if (field == refusal->field) SetFocus(C(values_.kind, id));
            return;
        }
        result_ = uimodel::BuildItem(values_);
        Close(IDOK);
    }

    bool editing_;
    uimodel::ItemValues values_;
    std::array<std::unique_ptr<KindPage>, kPages.size()> pages_;
    std::vector<uimodel::ZoneRow> zones_;
    std::vector<uimodel::CountPreset> units_;
    std::vector<Text> pluginFiles_;
    std::vector<Text> alarmNames_;
    Tooltips tips_;
    std::shared_ptr<vbKerova_ViewData> result_;
};
}  // namespace

std::shared_ptr<vbKerova_ViewData> EditViewItem(HWND owner, const vbKerova_ViewData* item) {
    ItemEditor editor(item);
    return editor.Run(owner);
}

}  // namespace tbq::ui
