#include "core/program_location.h"

#include <utility>

namespace tbq {

namespace {

struct Location {
    Text folder;
    Text exeBaseName;
};

Location& Current() {
    static Location location;
    return location;
}

}  // namespace

void SetProgramLocation(Text folder, Text exeBaseName) {
    if (!folder.empty() && folder.back() != u'\\' && folder.back() != u'/') folder += u'\\';
    Current() = Location{std::move(folder), std::move(exeBaseName)};
}

const Text& ProgramFolder() { return Current().folder; }

Text ProgramFilePath() { return Current().folder + Current().exeBaseName + u".exe"; }

}  // namespace tbq
