#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/ini_text.h"

namespace quorell {

// The bytes of one INI file and where its sections and keys are. Lookups and edits work on the file's
// own bytes (names and values already in the file's encoding), so an edit changes only the lines it
// must and keeps every other byte, valid in the encoding or not.
//
// Reading rules: lines end at LF (a CR before it is a blank); a line whose first non-blank byte is '['
// and that has a ']' is a section header named by the trimmed text between the '[' and the last ']';
// a line starting with ';' is a comment; any other line with '=' is a key, split at the first '=',
// name and value trimmed. Lines before the first header belong to no section. When a section or a key
// occurs twice, the first one counts.
class IniDocument {
public:
    explicit IniDocument(std::string bytes);

    const std::string& Bytes() const { return bytes_; }
    IniEncoding Encoding() const { return encoding_; }

    // The stored value, trimmed and without one pair of surrounding quotes; nullopt when the section
    // or the key is absent. `section` and `key` are trimmed, non-empty names in the file's encoding.
    std::optional<std::string_view> FindValue(std::string_view section, std::string_view key) const;

    // The file's bytes after an edit. A value replaces the key's line in place ("name=value", the name
    // spelled as in the file); a new key goes after the last non-blank line of its section; a new
    // section goes at the end of the file. Lines written here end in CRLF; the value is stored as given.
    std::string WithValue(std::string_view section, std::string_view key, std::string_view value) const;
    // Without every line of that key in the section (no change when there is none).
    std::string WithoutKey(std::string_view section, std::string_view key) const;
    // Without every section of that name, headers and contents (no change when there is none).
    std::string WithoutSection(std::string_view section) const;

private:
    // Offsets into bytes_; files are far smaller than 4 GiB (see kMaxIniFileBytes).
    struct Span {
        std::uint32_t begin = 0;
        std::uint32_t size = 0;
    };
    struct Key {
        std::uint32_t lineBegin = 0;
        std::uint32_t lineEnd = 0;  // start of the next line
        Span name;
        Span value;
    };
    struct Section {
        std::uint32_t headerBegin = 0;
        std::uint32_t bodyBegin = 0;  // start of the line after the header
        std::uint32_t bodyEnd = 0;    // start of the next header, or the end of the file
        std::uint32_t insertAt = 0;   // just after the last non-blank line of the section
        Span name;
        std::uint32_t firstKey = 0;  // keys_[firstKey, endKey) are this section's keys
        std::uint32_t endKey = 0;
    };

    void Parse();
    std::string_view View(Span span) const { return std::string_view(bytes_).substr(span.begin, span.size); }
    const Section* FindSection(std::string_view name) const;
    const Key* FindKey(const Section& section, std::string_view name) const;

    std::string bytes_;
    IniEncoding encoding_ = IniEncoding::kGbk;
    std::vector<Section> sections_;
    std::vector<Key> keys_;
};

}  // namespace quorell
