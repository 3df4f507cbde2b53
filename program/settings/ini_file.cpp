#include "settings/ini_file.h"

#include "settings/ini_document.h"

#include "platform/ports.h"
#include "settings/ini_store.h"

namespace tbq {

namespace {

// A value quoted at both ends is read without the quotes.
TextView Unquote(TextView v) {
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

// The stored value as the profile read hands it over, or nullopt when missing.
std::optional<TextView> StoredValue(const Text& file, TextView section, TextView key) {
    const IniDocument* doc = IniStore::Instance().Read(file);
    if (!doc) return std::nullopt;
    std::optional<TextView> v = doc->Find(section, key);
    if (!v) return std::nullopt;
    return Unquote(*v);
}

// Cuts a text so that it takes at most `maxBytes` bytes in the ANSI code page,
// never splitting a character.
Text CutToAnsiBytes(TextView v, std::size_t maxBytes) {
    const platform::CodePage& cp = platform::codepage();
    // No character takes more than three bytes, so short texts need no look.
    if (v.size() * 3 <= maxBytes) return Text(v);
    // Every character takes at least a byte; a surrogate pair is not split.
    std::size_t take = std::min(v.size(), maxBytes);
    if (take < v.size() && v[take - 1] >= 0xD800 && v[take - 1] < 0xDC00) --take;
    std::string bytes = cp.ToAnsi(v.substr(0, take));
    if (bytes.size() <= maxBytes) return cp.FromAnsi(bytes);
    std::size_t cut = 0;
    while (cut < bytes.size()) {
        const std::size_t len = cp.CharacterLength(static_cast<unsigned char>(bytes[cut]));
        if (cut + len > maxBytes) break;
        cut += len;
    }
    bytes.resize(cut);
    return cp.FromAnsi(bytes);
}

}  // namespace

std::int32_t ParseProfileNumber(TextView s) {
    size_t i = 0;
    while (i < s.size() && s[i] <= u' ') ++i;
    bool minus = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) minus = s[i++] == u'-';
    std::uint32_t base = 10;
    if (i + 1 < s.size() && s[i] == u'0') {
        if (s[i + 1] == u'x') base = 16;
        if (s[i + 1] == u'o') base = 8;
        if (s[i + 1] == u'b') base = 2;
        if (base != 10) i += 2;
    }
    std::uint32_t total = 0;
    for (; i < s.size(); ++i) {
        char16_t c = s[i];
        std::uint32_t digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'A' && c <= u'Z')
            digit = c - u'A' + 10;
        else if (c >= u'a' && c <= u'z')
            digit = c - u'a' + 10;
        else
            break;
        if (digit >= base) break;
        total = total * base + digit;
    }
    return static_cast<std::int32_t>(minus ? 0u - total : total);
}

Text vbIniFile::GetText(TextView section, TextView key, TextView defaultValue) const {
    std::optional<TextView> v = StoredValue(FileName, section, key);
    TextView text = v ? *v : defaultValue;
    // The read hands over its buffer up to the first NUL, as the system's does.
    return CutToAnsiBytes(text.substr(0, text.find(u'\0')), kReadBufferBytes - 1);
}

std::int32_t vbIniFile::GetNumber(TextView section, TextView key, std::int32_t defaultValue) const {
    std::optional<TextView> v = StoredValue(FileName, section, key);
    // The number is read from at most 29 characters; an empty value counts as missing.
    if (!v || v->empty()) return defaultValue;
    return ParseProfileNumber(v->substr(0, 29));
}

bool vbIniFile::GetBool(TextView section, TextView key, bool defaultValue) const {
    return GetNumber(section, key, defaultValue ? 1 : 0) != 0;
}

void vbIniFile::SetText(TextView section, TextView key, TextView value) const {
    // Reads drop the blanks around a value and one pair of enclosing quotes, so
    // a value that begins or ends with a blank or a double quote goes inside
    // quotes of its own; any other value is written as it is, as the system's
    // profile functions would write it.
    // "Blanks" are whatever a read trims: form feeds, vertical tabs and
    // Ctrl-Z as well as spaces and tabs.
    auto edge = [](char16_t c) { return IsIniSpace(c) || c == u'"'; };
    if (!value.empty() && (edge(value.front()) || edge(value.back()))) {
        Text quoted;
        quoted.reserve(value.size() + 2);
        quoted.append(1, u'"').append(value).append(1, u'"');
        IniStore::Instance().Write(FileName, section, key, quoted);
        return;
    }
    IniStore::Instance().Write(FileName, section, key, value);
}

void vbIniFile::SetNumber(TextView section, TextView key, std::int32_t value) const {
    SetText(section, key, NumberText(value));
}

void vbIniFile::SetBool(TextView section, TextView key, bool value) const {
    SetText(section, key, value ? u"1" : u"0");
}

}  // namespace tbq
