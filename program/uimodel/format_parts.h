// The format builder without its window: the parts it offers in each of its
// three modes (the extended codes the library lists, the presets of
// "TBQ_Data.ini", the date codes of our own formatting), inserting a part at
// the caret, and the sample the clock would show for a format.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "base/text.h"

namespace tbq::uimodel {

struct FormatPart {
    Text code;
    Text help;
};

inline constexpr char16_t kDefaultClockFormat[] = u"<yyyy/mm/dd(ddd) hh:mm:ss>";

// "#{" and "}" with their help, then every code `info` gives for 0, 1, 2, ...
// until it answers false (the library's list of extended codes).
std::vector<FormatPart> ExtendedParts(const std::function<bool(std::int32_t, Text&, Text&)>& info);
// The presets: "Format" of "ClockFormat001", ... up to the first empty one,
// with "Info" (the two characters \n a line break); without any, the default.
std::vector<FormatPart> PresetParts(const Text& dataFile);
// The date codes of our own formatting, with their help in the language in force.
std::vector<FormatPart> DateCodeParts();

// `text` with `part` put in place of the selection [selStart, selEnd); the
// caret goes after the part.
struct EditedFormat {
    Text text;
    std::size_t caret;
};
EditedFormat InsertPart(TextView text, std::size_t selStart, std::size_t selEnd, TextView part);

// What a clock with this format shows now in zone `zone` (the extended format
// through the library, as the clock does).
Text FormatSample(const Text& format, bool extended, const Text& zone);

}  // namespace tbq::uimodel
