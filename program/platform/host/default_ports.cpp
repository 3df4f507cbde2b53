#include "platform/host/host_ports.h"

namespace tbq::platform {

Ports DefaultPorts() {
    static HostFiles files;
    static IconvCodePage codepage(932);
    static HostClock clock;
    static HostSystemColors colors;
    static HostWindows windows;
    return Ports{&files, &codepage, &clock, &colors, &windows};
}

}  // namespace tbq::platform
