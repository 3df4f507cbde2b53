#include "app/first_run.h"

#include <utility>

#include "app/settings_files.h"
#include "base/texts.h"
#include "core/helpers.h"
#include "core/program_location.h"
#include "platform/ports.h"
#include "settings/ini_file.h"

namespace tbq {

namespace {

constexpr int kMaxSamples = 999;
constexpr int kMaxCopies = 1000;
// A sample that cannot be copied says which of its files and why, as a
// warning: nothing is broken, the sample is.
void TellSampleRefused(TextId why, const Text& file) {
    platform::dialogs().Show(0, Tr(why, file), Text(kProductName) + Text(Tr(TextId::SampleBoxCaptionSuffix)),
                             platform::BoxStyle::Warning);
}

Text SampleSection(int index) { return u"Sample" + FormatNumber(index, u"000"); }
Text CopyKey(int i, TextView end) { return u"Copy" + FormatNumber(i, u"000") + Text(end); }

// A path of a sample's copy names a file inside the program folder: relative,
// without a drive, a root, a stream or a step up ("..", and on Windows also
// "...", "..  " and the like, which the system reads as a step up too).
bool StaysInsideProgramFolder(TextView p) {
    if (p.empty() || p.front() == u'\\' || p.front() == u'/') return false;
    if (p.find(u':') != TextView::npos) return false;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = p.find_first_of(u"\\/", start);
        const TextView part = p.substr(start, end == TextView::npos ? TextView::npos : end - start);
        if (part.empty()) return false;
        if (part.find_first_not_of(u". ") == TextView::npos) return false;
        if (end == TextView::npos) return true;
        start = end + 1;
    }
}

// The folder part of a relative path, with its separator; "" for none.
Text FolderPart(TextView path) {
    const std::size_t slash = path.find_last_of(u"\\/");
    return slash == TextView::npos ? Text() : Text(path.substr(0, slash + 1));
}

struct CopyPair {
    Text from, to;
};

std::vector<CopyPair> SampleCopies(int index) {
    const vbIniFile ini(ProgramFolder() + SampleListFile());
    const Text section = SampleSection(index);
    std::vector<CopyPair> pairs;
    for (int i = 0; i < kMaxCopies; ++i) {
        Text from = ini.GetText(section, CopyKey(i, u"_From"), u"");
        if (from.empty()) break;
        pairs.push_back({std::move(from), ini.GetText(section, CopyKey(i, u"_To"), u"")});
    }
    return pairs;
}

}  // namespace

const char16_t* SampleListFile() {
    return CurrentLanguage() == Language::English ? kEnglishSampleFile : kSampleFile;
}

bool GetSampleInfo(int index, Text& name, Text& comment) {
    if (index < 1 || index > kMaxSamples) return false;
    const vbIniFile ini(ProgramFolder() + SampleListFile());
    const Text section = SampleSection(index);
    const Text n = ini.GetText(section, u"Name", u"");
    if (n.empty()) return false;
    name = n;
    comment = ini.GetText(section, u"Comment", u"");
    return true;
}

bool BackUpSettingFile(const Text& path) {
    if (!FileExists(path)) return true;
    return platform::files().Copy(path, path + u".bak", true);
}

bool ApplySample(int index) {
    const std::vector<CopyPair> pairs = SampleCopies(index);
    // A sample that names a file outside the program folder copies nothing.
    for (const CopyPair& p : pairs) {
        for (const Text* path : {&p.from, &p.to}) {
            if (!StaysInsideProgramFolder(*path)) {
                TellSampleRefused(TextId::SampleRefusedOutside, *path);
                return false;
            }
        }
    }
    const Text& folder = ProgramFolder();
    platform::Files& files = platform::files();
    for (const CopyPair& p : pairs) {
        const Text from = folder + p.from, to = folder + p.to;
        if (!FileExists(from)) {
            TellSampleRefused(TextId::SampleRefusedMissing, from);
            return false;
        }
        const Text targetFolder = FolderPart(p.to);
        if (!targetFolder.empty() &&
            !WithRetry(to, [&] { return files.CreateFolder(folder + targetFolder); }))
            return false;
        if (!WithRetry(to + u".bak", [&] { return BackUpSettingFile(to); })) return false;
        if (!WithRetry(to, [&] { return files.Copy(from, to, true); })) return false;
    }
    return true;
}

std::vector<Text> FilesToBeReplacedBySample(int index) {
    std::vector<Text> names;
    for (const CopyPair& p : SampleCopies(index))
        if (StaysInsideProgramFolder(p.to) && FileExists(ProgramFolder() + p.to)) names.push_back(p.to);
    return names;
}

std::vector<Text> FilesToBeReplacedByImport() {
    std::vector<Text> names;
    for (const char16_t* name : {kSettingFile, kAlarmFile, kViewDataFile, kWindowFile})
        if (FileExists(ProgramFolder() + name)) names.push_back(name);
    return names;
}

Text ResolveLegacyPath(const Text& path) {
    if (path.empty()) return Text();
    const bool absolute = path.front() == u'\\' || path.front() == u'/' ||
                          (path.size() > 1 && path[1] == u':');
    const Text full = absolute ? path : ProgramFolder() + path;
    // A folder is not a settings file.
    if (!FileExists(full) || platform::files().ListFolder(full)) return Text();
    return full;
}

}  // namespace tbq
