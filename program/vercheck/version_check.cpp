#include "vercheck/version_check.h"

#include <algorithm>
#include <array>
#include <limits>

#include "core/diag_log.h"
#include "core/helpers.h"
#include "core/program_location.h"
#include "platform/ports.h"
#include "base/texts.h"

namespace tbq {

namespace {

constexpr char kProductKey[] = "TBQ";

// What CheckNewVersion answers.
constexpr std::int32_t kNoInformation = 0;
constexpr std::int32_t kNewestInUse = 1;
constexpr std::int32_t kMustEnd = 3;

Text Title() { return Text(kProductName) + Text(Tr(TextId::MsgVerCheckCaption)); }

// Blanks, a sign, then decimal digits; a value past 32 bits stays at the limit.
std::int32_t LeadingNumber(TextView s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
    constexpr long long kLimit = std::numeric_limits<std::int32_t>::max();
    long long value = 0;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i)
        value = std::min(value * 10 + (s[i] - u'0'), kLimit + 1);
    if (negative) return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min(value, kLimit));
}

}  // namespace

std::int32_t BuildNumberOf(TextView productVersion) {
    std::size_t start = 0;
    for (int dots = 0; dots < 3; ++dots) {
        const std::size_t dot = productVersion.find(u'.', start);
        if (dot == TextView::npos) return 0;
        start = dot + 1;
    }
    TextView field = productVersion.substr(start);
    return LeadingNumber(field.substr(0, field.find(u'.')));
}

bool RunVersionCheck(platform::VersionCheckLibrary& library, platform::WindowId owner,
                     bool interactive) {
    const std::int32_t build = BuildNumberOf(GetVersionString(u"ProductVersion", Text()));

    // The title always fits: a short fixed text, two or three bytes a character.
    std::array<char, platform::kVersionCheckTitleSize> title{};
    const std::string ansi = platform::codepage().ToAnsi(Title());
    std::copy_n(ansi.begin(), std::min(ansi.size(), title.size() - 1), title.begin());

    const std::int32_t answer =
        library.CheckNewVersion(owner, kProductKey, build, title).value_or(kNoInformation);
    Text event = u"バージョンチェックの答え: ";
    event += NumberText(answer);
    event += answer == kNoInformation ? u" (情報なし)"
             : answer == kNewestInUse ? u" (最新版を使用中)"
             : answer == kMustEnd     ? u" (終了する)"
                                      : u"";
    LogEvent(event);
    switch (answer) {
        case kNoInformation:
            if (interactive)
                platform::dialogs().Show(
                    owner, Text(Tr(TextId::MsgVerCheckOffline)), Title(), platform::BoxStyle::Warning);
            return false;
        case kNewestInUse:
            if (interactive)
                platform::dialogs().Show(owner, Text(Tr(TextId::MsgVerCheckNewest)), Title(),
                                         platform::BoxStyle::Information);
            return false;
        case kMustEnd:
            return true;
        default:
            return false;
    }
}

}  // namespace tbq
