#include "format/format_environment.h"

namespace tbq::format {

FormatEnvironment::FormatEnvironment() = default;
FormatEnvironment::~FormatEnvironment() = default;

const AnsiTables& FormatEnvironment::Tables() const {
    std::call_once(once_, [this] {
        auto t = std::make_unique<AnsiTables>();
        for (int b = 0; b < 256; ++b) t->leadByte[b] = IsLeadByte(static_cast<unsigned char>(b));
        for (size_t i = 0; i < tables::kWeekdayJaShort.size(); ++i) {
            t->weekdayShort[i] = ToAnsi(tables::kWeekdayJaShort[i]);
            t->weekdayFull[i] = ToAnsi(tables::kWeekdayJaFull[i]);
        }
        t->morning = ToAnsi(tables::kMorning);
        t->afternoon = ToAnsi(tables::kAfternoon);
        for (size_t i = 0; i < tables::kModernEras.size(); ++i) {
            t->modernName[i] = ToAnsi(tables::kModernEras[i].name);
            t->modernInitial[i] = ToAnsi(tables::kModernEras[i].initial);
        }
        for (size_t i = 0; i < tables::kStems.size(); ++i) t->stems[i] = ToAnsi(tables::kStems[i]);
        for (size_t i = 0; i < tables::kBranches.size(); ++i) {
            t->branches[i] = ToAnsi(tables::kBranches[i]);
        }
        const auto eras = tables::FullEras();
        for (size_t i = 0; i < eras.size(); ++i) t->eraNames[i] = ToAnsi(eras[i].name);
        for (size_t i = 0; i < tables::kHelpRows.size(); ++i) {
            t->help[i] = ToAnsi(tables::kHelpRows[i].help);
        }
        tables_ = std::move(t);
    });
    return *tables_;
}

}  // namespace tbq::format
