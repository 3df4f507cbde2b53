// The system colours a colour value can name by index (bit 31 set).
#pragma once

#include <cstdint>

namespace tbq::platform {

class SystemColors {
public:
    virtual ~SystemColors() = default;
    virtual std::uint32_t SysColor(int index) = 0;  // 0x00BBGGRR
};

}  // namespace tbq::platform
