#include <cerrno>
#include <cstring>
#include <string>

#include "platform/host/host_ports.h"

namespace tbq::platform {

namespace {
std::string IconvName(unsigned id) {
    switch (id) {
        case 932: return "CP932";
        case 65001: return "UTF-8";
        default: return "CP" + std::to_string(id);
    }
}
}  // namespace

IconvCodePage::IconvCodePage(unsigned id) : id_(id) {
    const std::string name = IconvName(id);
    toAnsi_ = ::iconv_open(name.c_str(), "UTF-16LE");
    fromAnsi_ = ::iconv_open("UTF-16LE", name.c_str());
    if (toAnsi_ == reinterpret_cast<iconv_t>(-1) || fromAnsi_ == reinterpret_cast<iconv_t>(-1)) {
        // An unknown code page falls back to Windows-1252, which every iconv has.
        id_ = 1252;
        if (toAnsi_ != reinterpret_cast<iconv_t>(-1)) ::iconv_close(toAnsi_);
        if (fromAnsi_ != reinterpret_cast<iconv_t>(-1)) ::iconv_close(fromAnsi_);
        toAnsi_ = ::iconv_open("CP1252", "UTF-16LE");
        fromAnsi_ = ::iconv_open("UTF-16LE", "CP1252");
    }
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        char* pin = &in;
        size_t inLeft = 1;
        char out[8];
        char* pout = out;
        size_t outLeft = sizeof out;
        ::iconv(fromAnsi_, nullptr, nullptr, nullptr, nullptr);
        size_t rc = ::iconv(fromAnsi_, &pin, &inLeft, &pout, &outLeft);
        lead_[b] = (rc == static_cast<size_t>(-1) && errno == EINVAL);
    }
}

IconvCodePage::~IconvCodePage() {
    ::iconv_close(toAnsi_);
    ::iconv_close(fromAnsi_);
}

std::string IconvCodePage::ToAnsi(TextView text) const {
    std::string out;
    out.reserve(text.size() * 2);
    const char* in = reinterpret_cast<const char*>(text.data());
    size_t inLeft = text.size() * 2;
    ::iconv(toAnsi_, nullptr, nullptr, nullptr, nullptr);
    char buf[1024];
    while (inLeft > 0) {
        char* pout = buf;
        size_t outLeft = sizeof buf;
        size_t rc = ::iconv(toAnsi_, const_cast<char**>(&in), &inLeft, &pout, &outLeft);
        out.append(buf, static_cast<size_t>(pout - buf));
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
            // Unrepresentable or a lone surrogate: one "?" for the character.
            out.push_back('?');
            char16_t unit;
            std::memcpy(&unit, in, 2);
            size_t skip = (unit >= 0xD800 && unit <= 0xDBFF && inLeft >= 4) ? 4 : 2;
            in += skip;
            inLeft -= skip;
            ::iconv(toAnsi_, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

Text IconvCodePage::FromAnsi(std::string_view bytes) const {
    Text out;
    out.reserve(bytes.size());
    const char* in = bytes.data();
    size_t inLeft = bytes.size();
    ::iconv(fromAnsi_, nullptr, nullptr, nullptr, nullptr);
    char buf[2048];
    while (inLeft > 0) {
        char* pout = buf;
        size_t outLeft = sizeof buf;
        size_t rc = ::iconv(fromAnsi_, const_cast<char**>(&in), &inLeft, &pout, &outLeft);
        size_t n = static_cast<size_t>(pout - buf) / 2;
        size_t old = out.size();
        out.resize(old + n);
        std::memcpy(out.data() + old, buf, n * 2);
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
            out.push_back(id_ == 932 ? u'\u30FB' : u'\uFFFD');
            ++in;
            --inLeft;
            ::iconv(fromAnsi_, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

}  // namespace tbq::platform
