#include "core/title_record.h"

#include <algorithm>

#include "core/helpers.h"
#include "settings/ini_file.h"
#include "settings/ini_store.h"

namespace tbq {

namespace {
constexpr char16_t kSection[] = u"Decorated";
// Windows that were hung when their title was to be given back.
constexpr char16_t kPendingSection[] = u"Pending";
// Titles travel hex-encoded, so blanks, quotes and any character survive the
// settings file; a title of more than this many characters is not recorded whole.
constexpr std::size_t kMaxTitle = (vbIniFile::kReadBufferBytes - 1) / 4;

void WriteEntry(vbIniFile& ini, const char16_t* section, const Text& suffix,
                platform::WindowId w, TextView own, TextView shown) {
    ini.SetNumber(section, u"Window" + suffix, static_cast<std::int32_t>(w));
    ini.SetText(section, u"OwnTitle" + suffix, HexEncodeText(own.substr(0, kMaxTitle)));
    ini.SetText(section, u"Shown" + suffix, HexEncodeText(shown.substr(0, kMaxTitle)));
}

vbKerova_TitleBar::Restore ReadEntry(vbIniFile& ini, const char16_t* section, const Text& suffix) {
    return {static_cast<platform::WindowId>(ini.GetNumber(section, u"Window" + suffix, 0)),
            HexDecodeText(ini.GetText(section, u"OwnTitle" + suffix, u"")),
            HexDecodeText(ini.GetText(section, u"Shown" + suffix, u""))};
}

void WritePending(vbIniFile& ini, const std::vector<vbKerova_TitleBar::Restore>& pending) {
    const std::size_t count = std::min(pending.size(), TitleRecord::kMaxPending);
    // Nothing waiting and nothing recorded as waiting: the file is left alone.
    if (count == 0 && ini.GetNumber(kPendingSection, u"Count", 0) == 0) return;
    ini.SetNumber(kPendingSection, u"Count", static_cast<std::int32_t>(count));
    for (std::size_t i = 0; i < count; ++i)
        WriteEntry(ini, kPendingSection, NumberText(static_cast<long long>(i + 1)), pending[i].window,
                   pending[i].original, pending[i].shown);
}
}  // namespace

void TitleRecord::Save(const vbKerova_TitleBar& writer) {
    vbIniFile ini(file_);
    IniWriteBatch batch;
    WriteEntry(ini, kSection, u"", writer.TargetWindow, writer.OriginalTitle, writer.ShownTitle);
    WritePending(ini, writer.Pending());
}

TitleRecord::AfterCrash TitleRecord::RestoreAfterCrash(bool unicode) {
    vbIniFile ini(file_);
    std::vector<vbKerova_TitleBar::Restore> recorded;
    recorded.push_back(ReadEntry(ini, kSection, u""));
    const auto count = static_cast<std::size_t>(
        std::clamp<std::int32_t>(ini.GetNumber(kPendingSection, u"Count", 0), 0,
                                 static_cast<std::int32_t>(kMaxPending)));
    for (std::size_t i = 0; i < count; ++i)
        recorded.push_back(ReadEntry(ini, kPendingSection, NumberText(static_cast<long long>(i + 1))));

    AfterCrash outcome;
    for (vbKerova_TitleBar::Restore& r : recorded) {
        if (r.window == 0) continue;
        const auto result = vbKerova_TitleBar::GiveBack(r, unicode);
        if (result == platform::WriteResult::Written) {
            ++outcome.restored;
        } else if (result == platform::WriteResult::Hung) {
            // Still hung: the title writer tries again while the program runs.
            outcome.waiting.push_back(std::move(r));
        }
    }
    // What is done is struck off; windows still hung stay recorded until the
    // title writer has taken them over and records them itself.
    IniWriteBatch batch;
    WriteEntry(ini, kSection, u"", 0, u"", u"");
    WritePending(ini, outcome.waiting);
    return outcome;
}

}  // namespace tbq
