#include "platform/host/host_ports.h"

namespace tbq::platform {

Ports DefaultPorts() {
    static HostFiles files;
    static IconvCodePage codepage(932);
    static HostClock clock;
    static HostSystemColors colors;
    return Ports{&files, &codepage, &clock, &colors};
}

}  // namespace tbq::platform
