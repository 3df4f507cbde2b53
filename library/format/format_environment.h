// What the extended format needs from the system: the ANSI code page, the
// user's locale pictures and the local clock. The library implements it with
// the Win32 calls, the tests with fixed answers.
#pragma once

#include <array>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "format/tables.h"
#include "format/time_record.h"

namespace tbq::format {

// The Japanese table texts in the environment's code page, and which bytes
// start a two-byte character there. Built on first use and kept with the
// environment, so a conversion never converts a table text again.
struct AnsiTables {
    std::array<bool, 256> leadByte{};
    std::array<std::string, 7> weekdayShort;
    std::array<std::string, 7> weekdayFull;
    std::string morning;
    std::string afternoon;
    std::array<std::string, tables::kModernEras.size()> modernName;
    std::array<std::string, tables::kModernEras.size()> modernInitial;
    std::array<std::string, tables::kStems.size()> stems;
    std::array<std::string, tables::kBranches.size()> branches;
    std::array<std::string, tables::kEraCount + 1> eraNames;
    std::array<std::string, tables::kHelpRowCount> help;
};

class FormatEnvironment {
public:
    FormatEnvironment();
    virtual ~FormatEnvironment();
    FormatEnvironment(const FormatEnvironment&) = delete;
    FormatEnvironment& operator=(const FormatEnvironment&) = delete;

    // Whether the byte starts a two-byte character of the ANSI code page.
    virtual bool IsLeadByte(unsigned char byte) const = 0;
    // UTF-16 to the ANSI code page; characters it lacks become its default one.
    virtual std::string ToAnsi(std::u16string_view text) const = 0;
    // The record as the user's long date, short date and time pictures show
    // it. The caller cuts each result to 1024 bytes.
    virtual std::string LongDate(const TimeRecord& time) const = 0;
    virtual std::string ShortDate(const TimeRecord& time) const = 0;
    virtual std::string Time(const TimeRecord& time) const = 0;
    virtual TimeRecord LocalNow() const = 0;

    // Converted on the first call (thread-safe); may throw std::bad_alloc.
    const AnsiTables& Tables() const;

private:
    mutable std::once_flag once_;
    mutable std::unique_ptr<AnsiTables> tables_;
};

}  // namespace tbq::format
