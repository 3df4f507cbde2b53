#include "format/format_test_env.h"

#include <algorithm>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#include <cstring>
#endif

namespace tbq::format::test {

#ifdef _WIN32

// The system's own conversions: the code page is the run's ANSI code page.
struct FormatTestEnv::Converter {
    static bool Available(TestCodePage codePage) {
        return GetACP() == (codePage == TestCodePage::Japanese ? 932u : 1252u);
    }

    bool IsLead(unsigned char byte) const { return IsDBCSLeadByteEx(CP_ACP, byte) != 0; }

    std::string ToAnsi(std::u16string_view text) const {
        if (text.empty()) return {};
        const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
        const int length = static_cast<int>(text.size());
        const int n = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
        std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
        if (n > 0) WideCharToMultiByte(CP_ACP, 0, wide, length, out.data(), n, nullptr, nullptr);
        return out;
    }

    std::u16string FromAnsi(std::string_view text) const {
        if (text.empty()) return {};
        const int length = static_cast<int>(text.size());
        const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
        std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
        if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), n);
        return std::u16string(wide.begin(), wide.end());
    }
};

#else

// iconv's tables; a character the code page lacks becomes '?', as the
// system's conversion gives it.
struct FormatTestEnv::Converter {
    explicit Converter(TestCodePage codePage)
        : japanese(codePage == TestCodePage::Japanese),
          toAnsi(iconv_open(japanese ? "CP932" : "CP1252", "UTF-16LE")),
          fromAnsi(iconv_open("UTF-16LE", japanese ? "CP932" : "CP1252")) {}
    ~Converter() {
        if (toAnsi != reinterpret_cast<iconv_t>(-1)) iconv_close(toAnsi);
        if (fromAnsi != reinterpret_cast<iconv_t>(-1)) iconv_close(fromAnsi);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    static bool Available(TestCodePage) { return true; }

    bool IsLead(unsigned char byte) const {
        return japanese && ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC));
    }

    // Runs iconv over `in`; an unconvertible unit of `skip` bytes becomes
    // `replacement`.
    static std::string Run(iconv_t cd, std::string_view in, size_t skip,
                           std::string_view replacement) {
        std::string out;
        char buffer[256];
        char* src = const_cast<char*>(in.data());
        size_t left = in.size();
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        while (left > 0) {
            char* dst = buffer;
            size_t room = sizeof buffer;
            const size_t rc = iconv(cd, &src, &left, &dst, &room);
            out.append(buffer, static_cast<size_t>(dst - buffer));
            if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
                const size_t n = std::min(skip, left);
                src += n;
                left -= n;
                out.append(replacement);
            }
        }
        return out;
    }

    std::string ToAnsi(std::u16string_view text) const {
        const std::string_view bytes(reinterpret_cast<const char*>(text.data()), text.size() * 2);
        return Run(toAnsi, bytes, 2, "?");
    }

    std::u16string FromAnsi(std::string_view text) const {
        const std::string bytes = Run(fromAnsi, text, 1, std::string_view("\xFD\xFF", 2));
        std::u16string out(bytes.size() / 2, u'\0');
        std::memcpy(out.data(), bytes.data(), out.size() * 2);
        return out;
    }

    bool japanese;
    iconv_t toAnsi;
    iconv_t fromAnsi;
};

#endif

namespace {

std::u16string Number(unsigned value, int width = 1) {
    std::u16string text;
    do {
        text.insert(text.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    while (static_cast<int>(text.size()) < width) text.insert(text.begin(), u'0');
    return text;
}

}  // namespace

std::unique_ptr<FormatTestEnv> FormatTestEnv::Create(TestCodePage codePage) {
    if (!Converter::Available(codePage)) return nullptr;
#ifdef _WIN32
    auto converter = std::make_unique<Converter>();
#else
    auto converter = std::make_unique<Converter>(codePage);
#endif
    return std::unique_ptr<FormatTestEnv>(new FormatTestEnv(std::move(converter)));
}

FormatTestEnv::FormatTestEnv(std::unique_ptr<Converter> converter)
    : converter_(std::move(converter)) {}

FormatTestEnv::~FormatTestEnv() = default;

bool FormatTestEnv::IsLeadByte(unsigned char byte) const { return converter_->IsLead(byte); }

std::string FormatTestEnv::ToAnsi(std::u16string_view text) const {
    return converter_->ToAnsi(text);
}

std::u16string FormatTestEnv::FromAnsi(std::string_view text) const {
    return converter_->FromAnsi(text);
}

std::string FormatTestEnv::LongDate(const TimeRecord& t) const {
    ++localeCalls;
    if (longDate) return *longDate;
    return ToAnsi(Number(t.year) + u"年" + Number(t.month) + u"月" + Number(t.day) + u"日");
}

std::string FormatTestEnv::ShortDate(const TimeRecord& t) const {
    ++localeCalls;
    if (shortDate) return *shortDate;
    return ToAnsi(Number(t.year, 4) + u"/" + Number(t.month, 2) + u"/" + Number(t.day, 2));
}

std::string FormatTestEnv::Time(const TimeRecord& t) const {
    ++localeCalls;
    if (time) return *time;
    return ToAnsi(Number(t.hour) + u":" + Number(t.minute, 2) + u":" + Number(t.second, 2));
}

TimeRecord FormatTestEnv::LocalNow() const {
    ++nowCalls;
    return now;
}

}  // namespace tbq::format::test
