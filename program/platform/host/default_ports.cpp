#include "platform/host/host_ports.h"

namespace tbq::platform {

Ports DefaultPorts() {
    static HostFiles files;
    static IconvCodePage codepage(932);
    static HostClock clock;
    static HostSystemColors colors;
    static HostWindows windows;
    static HostDialogs dialogs;
    static HostSystemSettings system;
    static HostSound sound;
    static HostShell shell;
    static HostPainter painter;
    static HostTimeZones zones;
    static HostFrames frames;
    Ports p{&files, &codepage, &clock, &colors, &windows};
    p.dialogs = &dialogs;
    p.system = &system;
    p.locale = &SystemLocale();
    p.sound = &sound;
    p.shell = &shell;
    p.painter = &painter;
    p.zones = &zones;
    p.frames = &frames;
    return p;
}

}  // namespace tbq::platform
