// The shell's open: a file, program or address, as if the user had opened it.
#pragma once

#include "base/text.h"

namespace tbq::platform {

class Shell {
public:
    virtual ~Shell() = default;
    // Opens `file` with `verb` (empty: the default one), passing `parameters` and
    // `folder` on their own, never joined into one command line; shown normally,
    // with no owner window. The result is not examined.
    virtual void Open(TextView verb, TextView file, TextView parameters, TextView folder) = 0;
};

}  // namespace tbq::platform
