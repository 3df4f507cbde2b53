// Sound as the alarms make it: multimedia command strings and the system beeps.
#pragma once

#include <cstdint>

#include "base/text.h"

namespace tbq::platform {

class Sound {
public:
    virtual ~Sound() = default;
    // Sends one multimedia command string ("open ...", "play ...", "status ...")
    // with no callback window; the reply text, at most 255 characters, "" when
    // there is none or the command failed. Failures are not reported otherwise.
    virtual Text SendCommand(TextView command) = 0;
    // One of the system's message beeps by its code (0xFFFFFFFF: the simple beep).
    virtual void Beep(std::uint32_t code) = 0;
};

}  // namespace tbq::platform
