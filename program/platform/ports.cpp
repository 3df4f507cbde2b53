#include "platform/ports.h"

namespace tbq::platform {

namespace {
Ports& Slot() {
    static Ports ports = DefaultPorts();
    return ports;
}
}  // namespace

const Ports& Current() { return Slot(); }

ScopedPorts::ScopedPorts(const Ports& replacement) : saved_(Slot()) {
    Ports& p = Slot();
    if (replacement.files) p.files = replacement.files;
    if (replacement.codepage) p.codepage = replacement.codepage;
    if (replacement.clock) p.clock = replacement.clock;
    if (replacement.colors) p.colors = replacement.colors;
}

ScopedPorts::~ScopedPorts() { Slot() = saved_; }

}  // namespace tbq::platform
