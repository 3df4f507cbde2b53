#include "platform/ports.h"

namespace tbq::platform {

namespace {
Ports& Slot() {
    static Ports ports = DefaultPorts();
    return ports;
}
}  // namespace

namespace {
std::uint64_t g_fileChanges = 0;
}

std::uint64_t Files::ChangeCount() { return g_fileChanges; }
void Files::NoteChange() { ++g_fileChanges; }

const Ports& Current() { return Slot(); }

ScopedPorts::ScopedPorts(const Ports& replacement) : saved_(Slot()) {
    Ports& p = Slot();
    if (replacement.files) p.files = replacement.files;
    if (replacement.codepage) p.codepage = replacement.codepage;
    if (replacement.clock) p.clock = replacement.clock;
    if (replacement.colors) p.colors = replacement.colors;
    if (replacement.windows) p.windows = replacement.windows;
    if (replacement.dialogs) p.dialogs = replacement.dialogs;
    if (replacement.system) p.system = replacement.system;
    if (replacement.locale) p.locale = replacement.locale;
    if (replacement.sound) p.sound = replacement.sound;
    if (replacement.shell) p.shell = replacement.shell;
    if (replacement.painter) p.painter = replacement.painter;
    if (replacement.zones) p.zones = replacement.zones;
    if (replacement.frames) p.frames = replacement.frames;
}

ScopedPorts::~ScopedPorts() { Slot() = saved_; }

}  // namespace tbq::platform
