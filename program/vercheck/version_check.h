// The version check: asks the outside version-check library whether a newer
// release exists, silently at start-up or on the user's request, and says
// whether the program must end.
#pragma once

#include <cstdint>

#include "base/text.h"
#include "platform/version_check.h"

namespace tbq {

// The build number of a product version: the leading number of its fourth
// "."-field ("1.3.0.13" gives 13), 0 when it has fewer than four fields.
std::int32_t BuildNumberOf(TextView productVersion);

// Asks `library` with the program's product key, build number and the check's
// dialog title. When `interactive`, "no information" and "newest version in
// use" are told in a box owned by `owner`; at start-up nothing is shown. A
// missing library or export counts as "no information". True when the library
// answers that the program must end now.
bool RunVersionCheck(platform::VersionCheckLibrary& library, platform::WindowId owner,
                     bool interactive);

}  // namespace tbq
