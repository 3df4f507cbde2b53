#include "core/title_record.h"

#include "core/helpers.h"
#include "platform/ports.h"
#include "settings/ini_file.h"
#include "settings/ini_store.h"

namespace tbq {

namespace {
constexpr char16_t kSection[] = u"Decorated";
// Titles travel hex-encoded, so blanks, quotes and any character survive the
// settings file; a title of more than this many characters is not recorded whole.
constexpr std::size_t kMaxTitle = (vbIniFile::kReadBufferBytes - 1) / 4;
}  // namespace

void TitleRecord::Save(const vbKerova_TitleBar& writer) {
    vbIniFile ini(file_);
    IniWriteBatch batch;
    ini.SetNumber(kSection, u"Window", static_cast<std::int32_t>(writer.TargetWindow));
    ini.SetText(kSection, u"OwnTitle",
                HexEncodeText(TextView(writer.OriginalTitle).substr(0, kMaxTitle)));
    ini.SetText(kSection, u"Shown", HexEncodeText(TextView(writer.ShownTitle).substr(0, kMaxTitle)));
}

bool TitleRecord::RestoreAfterCrash(bool unicode) {
    vbIniFile ini(file_);
    const auto w = static_cast<platform::WindowId>(ini.GetNumber(kSection, u"Window", 0));
    if (w == 0) return false;
    const Text own = HexDecodeText(ini.GetText(kSection, u"OwnTitle", u""));
    const Text shown = HexDecodeText(ini.GetText(kSection, u"Shown", u""));
    bool restored = false;
    platform::Windows& win = platform::windows();
    if (std::optional<Text> now = win.GetTitle(w, unicode)) {
        // Ours when it is the recorded text, or the text whose mark the window
        // still carries (a clock has moved on since the record was written).
        const std::uint32_t mark = win.GetMark(w);
        const bool ours = (!shown.empty() && *now == shown) ||
                          (mark != 0 && mark == vbKerova_TitleBar::TextMark(*now));
        if (ours && win.SetTitle(w, own, unicode) == platform::WriteResult::Written) {
            win.SetMark(w, 0);
            restored = true;
        }
    }
    IniWriteBatch batch;
    ini.SetNumber(kSection, u"Window", 0);
    ini.SetText(kSection, u"OwnTitle", u"");
    ini.SetText(kSection, u"Shown", u"");
    return restored;
}

}  // namespace tbq
