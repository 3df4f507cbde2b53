// One settings file held in memory: its lines exactly as read, and an index of
// its sections and keys. Untouched lines are written back byte for byte, so
// comments, blank lines and header lines survive every save.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/text.h"
#include "platform/codepage.h"

namespace tbq {

// White space as the profile-file conventions know it: the ASCII blanks and
// Ctrl-Z, which old editors left at the end of files. An ideographic space is
// text, not padding.
bool IsIniSpace(char16_t c);
// Section and key names compare with ASCII letters folded only; a full-width
// "Ａ" and "ａ" are different names, as the system's profile functions see them.
char16_t FoldIniCase(char16_t c);
TextView TrimIni(TextView s);

class IniDocument {
public:
    enum class Encoding { Ansi, Utf8, Utf16Le };

    IniDocument();
    // Never fails: any byte sequence gives a document (binary junk just holds
    // no usable keys).
    static IniDocument Parse(std::string_view bytes, const platform::CodePage& cp);
    std::string Serialize(const platform::CodePage& cp) const;

    // The stored value, still with its quotes; nullptr when the section or key
    // is missing or the key's line has no "=". The first of duplicate sections
    // and the first of duplicate keys is the one that counts.
    // The view stays valid until the document is next changed.
    std::optional<TextView> Find(TextView section, TextView key) const;
    // Creates section and key as needed. Returns false when nothing changed.
    bool Set(TextView section, TextView key, TextView value);

    Encoding encoding() const { return encoding_; }

private:
    struct Line {
        std::string raw;  // bytes as read (ANSI files); empty when `edited`
        std::string eol;  // the line break that followed it
        Text text;        // decoded
        Text key;         // folded key name; empty for blank lines and section headers
        bool hasValue = false;
        bool edited = false;
        std::size_t valueStart = 0;  // where the value begins in `text`
    };
    struct Section {
        Text name;                         // as written between the brackets
        std::vector<Line> lines;           // lines[0] is the header, except in the preamble
        std::unordered_map<Text, std::size_t> keys;  // folded name -> first line holding it
        bool preamble = false;
    };

    static Line MakeLine(std::string raw, std::string eol, Text text);
    void AddLine(std::string raw, std::string eol, Text text);
    static void IndexLine(Section& s, std::size_t index);
    Section* FindSection(TextView name);
    const Section* FindSection(TextView name) const;

    Encoding encoding_ = Encoding::Ansi;
    std::vector<Section> sections_;  // sections_[0] is the preamble (lines before any header)
    std::unordered_map<Text, std::size_t> sectionIndex_;  // folded name -> first section
    mutable Text foldBuffer_;
};

}  // namespace tbq
