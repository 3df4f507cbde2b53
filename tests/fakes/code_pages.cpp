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

#ifdef _WIN32
namespace {
class Win32Utf8 final : public platform::CodePage {
public:
    unsigned Id() const override { return CP_UTF8; }
    std::string ToAnsi(TextView text) const override {
        const auto* w = reinterpret_cast<const wchar_t*>(text.data());
        const int size = static_cast<int>(text.size());
        int n = WideCharToMultiByte(CP_UTF8, 0, w, size, nullptr, 0, nullptr, nullptr);
        std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
        if (n > 0) WideCharToMultiByte(CP_UTF8, 0, w, size, out.data(), n, nullptr, nullptr);
        return out;
    }
    Text FromAnsi(std::string_view bytes) const override {
        const int size = static_cast<int>(bytes.size());
        int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, nullptr, 0);
        Text out(static_cast<std::size_t>(n > 0 ? n : 0), u'\0');
        if (n > 0)
            MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size,
                                reinterpret_cast<wchar_t*>(out.data()), n);
        return out;
    }
    bool IsLeadByte(unsigned char) const override { return false; }
};
}  // namespace
#endif

const platform::CodePage& Utf8CodePage() {
#ifdef _WIN32
    static Win32Utf8 cp;
#else
    static platform::IconvCodePage cp(65001);
#endif
    return cp;
}

}  // namespace tbq::test
