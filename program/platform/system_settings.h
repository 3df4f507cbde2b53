// Settings of the system the program reads but never writes.
#pragma once

#include <optional>

#include "base/text.h"

namespace tbq::platform {

struct ProxySetting {
    std::optional<Text> server;  // the "ProxyServer" value, when the system has one
    bool enabled = false;        // "ProxyEnable" is 1
};

class SystemSettings {
public:
    virtual ~SystemSettings() = default;
    virtual ProxySetting Proxy() = 0;
    // A folder of the user's shell by its folder number (7: the start-up
    // folder), without a trailing separator; nullopt when the system has none.
    virtual std::optional<Text> SpecialFolderPath(int folder) {
        (void)folder;
        return std::nullopt;
    }
};

}  // namespace tbq::platform
