#include "ui/format_builder.h"

#include "base/texts.h"
#include "core/library_wrapper.h"
#include "core/program_location.h"
#include "ui/resource.h"
#include "ui/window_helpers.h"
#include "win32/wide.h"

namespace tbq::ui {

namespace {
// A format is one line of a settings file: far below this.
constexpr WPARAM kMaxFormat = 1000;
}  // namespace

FormatBuilder::FormatBuilder(Text format, bool extended, Text zone)
    : format_(std::move(format)), zone_(std::move(zone)), extended_(extended) {
    OnCommand(IDC_FB_EXTENDED, [this] { ShowMode(Mode::Extended); });
    OnCommand(IDC_FB_SIMPLE, [this] { ShowMode(Mode::Simple); });
    OnCommand(IDC_FB_DETAIL, [this] { ShowMode(Mode::Detail); });
    OnCommand(IDC_FB_PARTS, LBN_SELCHANGE, [this] { ShowHelp(); });
    OnCommand(IDC_FB_PARTS, LBN_DBLCLK, [this] { Put(false); });
    OnCommand(IDC_FB_ADD, [this] { Put(false); });
    OnCommand(IDC_FB_REPLACE, [this] { Put(true); });
    OnCommand(IDC_FB_CLEAR, [this] { SetFormat(u"", 0); });
    OnCommand(IDC_FB_DEFAULT, [this] {
        const Text d = uimodel::kDefaultClockFormat;
        SetFormat(d, d.size());
    });
    OnCommand(IDC_FB_FORMAT, EN_CHANGE, [this] { UpdateSample(); });
    OnCommand(IDOK, [this] {
        format_ = FieldText(dlg_, IDC_FB_FORMAT);
        Close(IDOK);
    });
}

std::optional<FormatBuilder::Result> FormatBuilder::Ask(HWND owner) {
    if (RunModal(owner, IDD_FORMAT_BUILDER) != IDOK) return std::nullopt;
    return Result{format_, extended_};
}

void FormatBuilder::OnInit() {
    const Text caption = Text(kProductName) + u" - " + Text(Tr(TextId::ItemFbCaption));
    const ControlText texts[] = {{0, caption.c_str()}, {IDC_FB_FORMAT, format_.c_str()}};
    ApplyTexts(dlg_, texts);
    SendMessageW(Item(IDC_FB_FORMAT), EM_LIMITTEXT, kMaxFormat, 0);
    const std::pair<int, TextId> tips[] = {
        {IDC_FB_FORMAT, TextId::ItemFbFormatTip}, {IDC_FB_EXTENDED, TextId::ItemFbExtendedTip},
        {IDC_FB_SIMPLE, TextId::ItemFbSimpleTip}, {IDC_FB_DETAIL, TextId::ItemFbDetailTip},
        {IDC_FB_HELP, TextId::ItemFbHelpTip},
    };
    for (const auto& [id, tip] : tips) tips_.Add(dlg_, Item(id), Text(Tr(tip)));
    const Mode first = extended_ ? Mode::Extended : Mode::Simple;
    CheckRadioButton(dlg_, IDC_FB_EXTENDED, IDC_FB_DETAIL, first == Mode::Extended ? IDC_FB_EXTENDED : IDC_FB_SIMPLE);
    ShowMode(first);
    UpdateSample();
    // The caret waits at the end of the format, where parts are added.
    SetFocus(Item(IDC_FB_FORMAT));
    SendMessageW(Item(IDC_FB_FORMAT), EM_SETSEL, format_.size(), format_.size());
}

void FormatBuilder::ShowMode(Mode mode) {
    mode_ = mode;
    switch (mode) {
        case Mode::Extended: {
            vbKerova_Dll* dll = TheLibrary();
            parts_ = uimodel::ExtendedParts(
                dll ? std::function<bool(std::int32_t, Text&, Text&)>(
                          [dll](std::int32_t i, Text& code, Text& help) { return dll->GetFormatInfo(i, code, help); })
                    : nullptr);
            break;
        }
        case Mode::Simple: parts_ = uimodel::PresetParts(ProgramFolder() + u"TBQ_Data.ini"); break;
        case Mode::Detail: parts_ = uimodel::DateCodeParts(); break;
    }
    HWND list = Item(IDC_FB_PARTS);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const auto& p : parts_)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(p.code).c_str()));
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    ShowHelp();
}

const uimodel::FormatPart* FormatBuilder::Selected() const {
    const LRESULT i = SendMessageW(Item(IDC_FB_PARTS), LB_GETCURSEL, 0, 0);
    if (i < 0 || static_cast<std::size_t>(i) >= parts_.size()) return nullptr;
    return &parts_[static_cast<std::size_t>(i)];
}

void FormatBuilder::ShowHelp() {
    const uimodel::FormatPart* p = Selected();
    SetField(dlg_, IDC_FB_HELP, p ? p->help : Text());
}

void FormatBuilder::Put(bool replace) {
    const uimodel::FormatPart* p = Selected();
    if (!p) return;
    // A part of the extended list only works with the extended format.
    if (mode_ == Mode::Extended) extended_ = true;
    if (replace) {
        SetFormat(p->code, p->code.size());
        return;
    }
    DWORD start = 0, end = 0;
    SendMessageW(Item(IDC_FB_FORMAT), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto edited = uimodel::InsertPart(FieldText(dlg_, IDC_FB_FORMAT), start, end, p->code);
    SetFormat(edited.text, edited.caret);
}

void FormatBuilder::SetFormat(const Text& text, std::size_t caret) {
    SetField(dlg_, IDC_FB_FORMAT, text);
    HWND edit = Item(IDC_FB_FORMAT);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, caret, caret);
    UpdateSample();
}

void FormatBuilder::UpdateSample() {
    SetField(dlg_, IDC_FB_SAMPLE,
             Tr(TextId::ItemFbSample, uimodel::FormatSample(FieldText(dlg_, IDC_FB_FORMAT), extended_, zone_)));
}

}  // namespace tbq::ui
