// The extended date format's exports: the caller's arguments and the system's
// code page, locale pictures and clock handed to the portable conversion.
#include <windows.h>

#include <cstdint>
#include <string>

#include "format/ex_format.h"
#include "frame/ansi_text.h"
#include "frame/library_state.h"
#include "tbq_library.h"

namespace {

using tbq::format::TimeRecord;

SYSTEMTIME ToSystemTime(const TimeRecord& t) {
    SYSTEMTIME st{};
    st.wYear = t.year;
    st.wMonth = t.month;
    st.wDayOfWeek = t.dayOfWeek;
    st.wDay = t.day;
    st.wHour = t.hour;
    st.wMinute = t.minute;
    st.wSecond = t.second;
    st.wMilliseconds = t.milliseconds;
    return st;
}

// The user's picture for `type`, applied to `t` by the system's own date or time
// formatting; "" when the system refuses (a date it cannot show, for one).
std::string Picture(LCTYPE type, const TimeRecord& t, bool time) {
    char picture[256] = {};
    if (!GetLocaleInfoA(LOCALE_USER_DEFAULT, type, picture, sizeof picture)) return {};
    const SYSTEMTIME st = ToSystemTime(t);
    char out[1025] = {};
    int n = time ? GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, picture, out, 1024)
                 : GetDateFormatA(LOCALE_USER_DEFAULT, 0, &st, picture, out, 1024);
    return n > 0 ? std::string(out) : std::string();
}

class Win32FormatEnvironment final : public tbq::format::FormatEnvironment {
public:
    bool IsLeadByte(unsigned char byte) const override { return IsDBCSLeadByteEx(0, byte) != 0; }
    std::string ToAnsi(std::u16string_view text) const override {
        return tbq::library::WideToAnsi(
            std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
    }
    std::string LongDate(const TimeRecord& t) const override { return Picture(LOCALE_SLONGDATE, t, false); }
    std::string ShortDate(const TimeRecord& t) const override {
        return Picture(LOCALE_SSHORTDATE, t, false);
    }
    std::string Time(const TimeRecord& t) const override { return Picture(LOCALE_STIMEFORMAT, t, true); }
    TimeRecord LocalNow() const override {
        SYSTEMTIME st;
        GetLocalTime(&st);
        return TimeRecord{st.wYear,   st.wMonth,  st.wDayOfWeek, st.wDay,
                          st.wHour,   st.wMinute, st.wSecond,    st.wMilliseconds};
    }
};

const Win32FormatEnvironment& Environment() {
    static Win32FormatEnvironment env;
    return env;
}

}  // namespace

extern "C" {

int32_t WINAPI ExFormatConvert(const SYSTEMTIME* time, const char* format, char* out,
                               int32_t size) noexcept {
    static_assert(sizeof(SYSTEMTIME) == sizeof(TimeRecord));
    TimeRecord record{};
    if (time) {
        record = TimeRecord{time->wYear,   time->wMonth,  time->wDayOfWeek, time->wDay,
                            time->wHour,   time->wMinute, time->wSecond,    time->wMilliseconds};
    }
    return tbq::format::ExFormatConvertCore(time ? &record : nullptr, format, out, size,
                                            Environment());
}

int32_t WINAPI ExFormatGetInfo(int32_t index, char* name, int32_t nameSize, char* help,
                               int32_t helpSize) noexcept {
    return tbq::format::ExFormatGetInfoCore(index, name, nameSize, help, helpSize, Environment(),
                                            tbq::library::State().english);
}

}  // extern "C"
