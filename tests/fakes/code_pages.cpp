#include "fakes/code_pages.h"

#ifdef _WIN32
#include "platform/win32/win32_ports.h"
#include <windows.h>
#else
#include "platform/host/host_ports.h"
#endif

namespace tbq::test {

const platform::CodePage* JapaneseCodePage() {
#ifdef _WIN32
    static platform::Win32CodePage cp;
    return GetACP() == 932 ? &cp : nullptr;
#else
    static platform::IconvCodePage cp(932);
    return &cp;
#endif
}

}  // namespace tbq::test
