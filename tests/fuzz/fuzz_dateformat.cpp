// clang-format off
// fuzz-sources: program/items/date_format.cpp program/base/*.cpp program/platform/*.cpp program/platform/host/*.cpp
// clang-format on
//
// The clock item's date formatting with any value, any format and any
// regional settings.
// Input: six 16-bit signed fields (year, month, day, hour, minute, second),
// one control byte, then UTF-16LE text. Without control bit 0 the whole text
// is the format; with it the text is split at U+0001 into the format, short
// date, long date and time pictures, morning and afternoon strings and the
// date and time separators, in that order.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fakes/fake_locale.h"
#include "items/date_format.h"
#include "platform/ports.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// Text without anything the formatting reads as a code comes out unchanged.
bool IsPlainText(tbq::TextView t) {
    for (char16_t c : t)
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'\\' || c == u':' ||
            c == u'/')
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 13) return 0;
    std::int16_t fields[6];
    std::memcpy(fields, data, sizeof fields);
    const tbq::DateTime value{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
    const bool fuzzLocale = (data[12] & 1) != 0;

    tbq::Text text((size - 13) / 2, u'\0');
    std::memcpy(text.data(), data + 13, text.size() * 2);

    tbq::test::FakeLocale locale;
    tbq::Text format = text;
    if (fuzzLocale) {
        tbq::Text* parts[] = {
            &format,    &locale.shortDate, &locale.longDate,      &locale.time,
            &locale.am, &locale.pm,        &locale.dateSeparator, &locale.timeSeparator};
        std::size_t start = 0, i = 0;
        for (; i < std::size(parts); ++i) {
            const std::size_t end = text.find(u'\x01', start);
            *parts[i] = text.substr(start, end == tbq::Text::npos ? tbq::Text::npos : end - start);
            if (end == tbq::Text::npos) break;
            start = end + 1;
        }
        for (++i; i < std::size(parts); ++i) parts[i]->clear();
    }
    tbq::platform::ScopedPorts ports(tbq::platform::Ports{.locale = &locale});

    const tbq::Text out = tbq::FormatDate(value, format);
    Require(out.size() <= tbq::kMaxFormattedUnits);
    // Fields out of place are clamped, never read past a table: same text.
    Require(out == tbq::FormatDate(tbq::Clamped(value), format));
    if (IsPlainText(format)) {
        const tbq::Text expected = format.substr(0, tbq::kMaxFormattedUnits);
        Require(out == expected ||
                (out.size() + 1 == expected.size() && expected.compare(0, out.size(), out) == 0));
    }
    return 0;
}
