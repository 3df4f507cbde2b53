#include "settings/ini_document.h"

#include <cstring>

namespace tbq {

bool IsIniSpace(char16_t c) { return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A; }

char16_t FoldIniCase(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

TextView TrimIni(TextView s) {
    size_t b = 0, e = s.size();
    while (b < e && IsIniSpace(s[b])) ++b;
    while (e > b && IsIniSpace(s[e - 1])) --e;
    return s.substr(b, e - b);
}

namespace {

// A name as it is looked up: trimmed, folded, and cut at a NUL as the
// narrow-string platform functions would.
void LookupKey(TextView name, Text& out) {
    name = name.substr(0, name.find(u'\0'));
    name = TrimIni(name);
    out.assign(name);
    for (auto& c : out) c = FoldIniCase(c);
}

// Names and values are single-line: a line break inside them would split the
// line and could forge keys or sections, so breaks and NULs become blanks.
Text OneLine(TextView s) {
    Text out(s);
    for (auto& c : out)
        if (c == u'\r' || c == u'\n' || c == u'\0') c = u' ';
    return out;
}

Text Utf16FromBytes(std::string_view b) {
    Text t(b.size() / 2, u'\0');
    for (size_t i = 0; i < t.size(); ++i)
        t[i] = static_cast<char16_t>(static_cast<unsigned char>(b[2 * i]) |
                                     (static_cast<unsigned char>(b[2 * i + 1]) << 8));
    return t;
}

}  // namespace

IniDocument::IniDocument() {
    sections_.emplace_back();
    sections_[0].preamble = true;
}

void IniDocument::IndexLine(Section& s, std::size_t index) {
    Line& line = s.lines[index];
    TextView t = TrimIni(line.text);
    line.key.clear();
    line.hasValue = false;
    if (t.empty()) return;
    size_t eq = t.find(u'=');
    TextView name = t;
    if (eq != TextView::npos) {
        name = TrimIni(t.substr(0, eq));
        line.hasValue = true;
        size_t v = eq + 1;
        while (v < t.size() && IsIniSpace(t[v])) ++v;
        line.valueStart = static_cast<size_t>(t.data() - line.text.data()) + v;
    }
    LookupKey(name, line.key);
    s.keys.try_emplace(line.key, index);
}

IniDocument::Line IniDocument::MakeLine(std::string raw, std::string eol, Text text) {
    Line line;
    line.raw = std::move(raw);
    line.eol = std::move(eol);
    line.text = std::move(text);
    return line;
}

void IniDocument::AddLine(std::string raw, std::string eol, Text text) {
    TextView t = TrimIni(text);
    if (t.size() >= 2 && t[0] == u'[') {
        size_t close = t.rfind(u']');
        if (close != TextView::npos && close > 0) {
            Section s;
            s.name.assign(TrimIni(t.substr(1, close - 1)));
            s.lines.push_back(MakeLine(std::move(raw), std::move(eol), std::move(text)));
            Text folded;
            LookupKey(s.name, folded);
            sectionIndex_.try_emplace(std::move(folded), sections_.size());
            sections_.push_back(std::move(s));
            return;
        }
    }
    Section& s = sections_.back();
    s.lines.push_back(MakeLine(std::move(raw), std::move(eol), std::move(text)));
    IndexLine(s, s.lines.size() - 1);
}

IniDocument IniDocument::Parse(std::string_view bytes, const platform::CodePage& cp) {
    IniDocument doc;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        doc.encoding_ = Encoding::Utf16Le;
        Text all = Utf16FromBytes(bytes.substr(2));
        size_t pos = 0;
        while (pos < all.size()) {
            size_t end = all.find_first_of(u"\r\n", pos);
            if (end == Text::npos) end = all.size();
            size_t next = end;
            if (next < all.size() && all[next] == u'\r') ++next;
            if (next < all.size() && all[next] == u'\n' && (next == end || all[end] == u'\r')) ++next;
            std::string eol = (next - end == 2) ? "\r\n" : (next == end ? "" : all[end] == u'\r' ? "\r" : "\n");
            doc.AddLine({}, std::move(eol), all.substr(pos, end - pos));
            pos = next;
        }
        return doc;
    }
    if (bytes.size() >= 3 && std::memcmp(bytes.data(), "\xEF\xBB\xBF", 3) == 0) {
        doc.encoding_ = Encoding::Utf8;
        bytes.remove_prefix(3);
    }
    // Line breaks are plain ASCII and never the second byte of a two-byte
    // character, so the bytes can be split before they are decoded.
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = bytes.size();
        size_t next = end;
        if (next < bytes.size() && bytes[next] == '\r') ++next;
        if (next < bytes.size() && bytes[next] == '\n') ++next;
        std::string_view raw = bytes.substr(pos, end - pos);
        Text text = doc.encoding_ == Encoding::Utf8 ? Utf8ToText(raw) : cp.FromAnsi(raw);
        doc.AddLine(std::string(raw), std::string(bytes.substr(end, next - end)), std::move(text));
        pos = next;
    }
    return doc;
}

std::string IniDocument::Serialize(const platform::CodePage& cp) const {
    std::string out;
    if (encoding_ == Encoding::Utf8) out = "\xEF\xBB\xBF";
    if (encoding_ == Encoding::Utf16Le) out = "\xFF\xFE";
    for (const Section& s : sections_) {
        for (const Line& line : s.lines) {
            if (encoding_ == Encoding::Utf16Le) {
                Text t = line.text;
                for (char c : line.eol) t.push_back(static_cast<char16_t>(c));
                for (char16_t c : t) {
                    out.push_back(static_cast<char>(c & 0xFF));
                    out.push_back(static_cast<char>(c >> 8));
                }
                continue;
            }
            if (!line.edited)
                out += line.raw;
            else if (encoding_ == Encoding::Utf8)
                out += TextToUtf8(line.text);
            else
                out += cp.ToAnsi(line.text);
            out += line.eol;
        }
    }
    return out;
}

const IniDocument::Section* IniDocument::FindSection(TextView name) const {
    LookupKey(name, foldBuffer_);
    auto it = sectionIndex_.find(foldBuffer_);
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

IniDocument::Section* IniDocument::FindSection(TextView name) {
    return const_cast<Section*>(static_cast<const IniDocument*>(this)->FindSection(name));
}

std::optional<TextView> IniDocument::Find(TextView section, TextView key) const {
    const Section* s = FindSection(section);
    if (!s) return std::nullopt;
    LookupKey(key, foldBuffer_);
    auto it = s->keys.find(foldBuffer_);
    if (it == s->keys.end()) return std::nullopt;
    const Line& line = s->lines[it->second];
    if (!line.hasValue) return std::nullopt;
    return TrimIni(TextView(line.text).substr(line.valueStart));
}

bool IniDocument::Set(TextView section, TextView key, TextView value) {
    Text sectionName(TrimIni(OneLine(section)));
    Text keyName(TrimIni(OneLine(key)));
    Text cleanValue = OneLine(value);
    TextView v = cleanValue;
    while (!v.empty() && IsIniSpace(v.front())) v.remove_prefix(1);

    Section* s = FindSection(sectionName);
    if (!s) {
        // A file whose last line has no line break gets one before the new section.
        for (auto it = sections_.rbegin(); it != sections_.rend(); ++it) {
            if (it->lines.empty()) continue;
            if (it->lines.back().eol.empty()) it->lines.back().eol = "\r\n";
            break;
        }
        Section fresh;
        fresh.name = sectionName;
        Line header;
        header.text = u"[" + sectionName + u"]";
        header.eol = "\r\n";
        header.edited = true;
        fresh.lines.push_back(std::move(header));
        Text folded;
        LookupKey(sectionName, folded);
        sectionIndex_.try_emplace(std::move(folded), sections_.size());
        sections_.push_back(std::move(fresh));
        s = &sections_.back();
    }

    LookupKey(keyName, foldBuffer_);
    auto it = s->keys.find(foldBuffer_);
    if (it != s->keys.end()) {
        Line& line = s->lines[it->second];
        // Trailing blanks are not part of a value (reads drop them), so they make no change.
        if (line.hasValue && TrimIni(TextView(line.text).substr(line.valueStart)) == TrimIni(v))
            return false;
        // Keep the key as the file spells it.
        TextView t = TrimIni(line.text);
        size_t eq = t.find(u'=');
        Text name(TrimIni(eq == TextView::npos ? t : t.substr(0, eq)));
        line.text = name + u"=" + Text(v);
        line.edited = true;
        line.raw.clear();
        IndexLine(*s, it->second);
        return true;
    }

    // New keys go after the section's last non-blank line.
    size_t at = s->lines.size();
    while (at > (s->preamble ? 0u : 1u) && TrimIni(s->lines[at - 1].text).empty()) --at;
    if (at > 0 && s->lines[at - 1].eol.empty()) s->lines[at - 1].eol = "\r\n";
    Line line;
    line.text = keyName + u"=" + Text(v);
    line.eol = "\r\n";
    line.edited = true;
    s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    // Lines after the insertion point are blank and hold no keys, so no index moves.
    IndexLine(*s, at);
    return true;
}

}  // namespace tbq
