// Where the logic finds the ports. Each build installs its own adapters as the
// defaults (Win32 on Windows, POSIX/iconv on the host); tests swap in fakes for
// the length of a scope with ScopedPorts.
#pragma once

#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/frames.h"
#include "platform/locale.h"
#include "platform/painter.h"
#include "platform/shell.h"
#include "platform/sound.h"
#include "platform/syscolors.h"
#include "platform/system_settings.h"
#include "platform/time_zones.h"
#include "platform/windows.h"

namespace tbq::platform {

struct Ports {
    Files* files = nullptr;
    CodePage* codepage = nullptr;
    Clock* clock = nullptr;
    SystemColors* colors = nullptr;
    Windows* windows = nullptr;
    Dialogs* dialogs = nullptr;
    SystemSettings* system = nullptr;
    Locale* locale = nullptr;
    Sound* sound = nullptr;
    Shell* shell = nullptr;
    Painter* painter = nullptr;
    TimeZones* zones = nullptr;
    Frames* frames = nullptr;
};

// The ports in force. Never null members: unset ones fall back to the defaults.
const Ports& Current();
Ports DefaultPorts();

inline Files& files() { return *Current().files; }
inline CodePage& codepage() { return *Current().codepage; }
inline Clock& clock() { return *Current().clock; }
inline SystemColors& colors() { return *Current().colors; }
inline Windows& windows() { return *Current().windows; }
inline Dialogs& dialogs() { return *Current().dialogs; }
inline SystemSettings& system() { return *Current().system; }
inline Locale& locale() { return *Current().locale; }
inline Sound& sound() { return *Current().sound; }
inline Shell& shell() { return *Current().shell; }
inline Painter& painter() { return *Current().painter; }
inline TimeZones& zones() { return *Current().zones; }
inline Frames& frames() { return *Current().frames; }

// Replaces the given (non-null) ports until the scope ends.
class ScopedPorts {
public:
    explicit ScopedPorts(const Ports& replacement);
    ~ScopedPorts();
    ScopedPorts(const ScopedPorts&) = delete;
    ScopedPorts& operator=(const ScopedPorts&) = delete;

private:
    Ports saved_;
};

}  // namespace tbq::platform
