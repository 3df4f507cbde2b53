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

const platform::CodePage& Utf8CodePage() {
#ifdef _WIN32
    static platform::Win32CodePage cp(CP_UTF8);
#else
    static platform::IconvCodePage cp(65001);
#endif
    return cp;
}

}  // namespace tbq::test
