#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorell {

// UTF-8, the encoding of every text inside the program, read by one rule everywhere: a byte starts a
// character only when it and the bytes after it form a complete, shortest encoding of a Unicode scalar
// value (U+0000..U+10FFFF less the surrogates U+D800..U+DFFF). Every other byte is a bad byte and a
// character of its own that reads as U+FFFD: a stray continuation byte, a byte that never leads
// (C0, C1, F5..FF), an overlong form, an encoded surrogate, a code point past U+10FFFF, or a
// sequence cut short. So a bad byte never swallows the good ones after it.

inline constexpr char32_t kReplacementCharacter = U'\uFFFD';
inline constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// One character of a text: where it starts, how many bytes it takes, and what it reads as.
struct Utf8Character {
    std::size_t offset = 0;
    std::size_t length = 0;  // 1..4; 1 for a bad byte
    char32_t codePoint = 0;  // kReplacementCharacter for a bad byte
    bool valid = false;      // false for a bad byte
};

// The character that starts at byte `at` of `text` (`at` must lie inside the text).
Utf8Character DecodeUtf8(std::string_view text, std::size_t at = 0);

// The characters of a text in order: for (const Utf8Character& c : Utf8Characters(text)).
class Utf8Characters {
public:
    class Iterator {
    public:
        using value_type = Utf8Character;
        using difference_type = std::ptrdiff_t;

        Iterator() = default;
        Iterator(std::string_view text, std::size_t at) : text_(text), current_{at, 0, 0, false} { Load(); }
        const Utf8Character& operator*() const { return current_; }
        const Utf8Character* operator->() const { return &current_; }
        Iterator& operator++() {
            current_.offset += current_.length;
            Load();
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const Iterator& other) const { return current_.offset == other.current_.offset; }

    private:
        void Load() {
            if (current_.offset >= text_.size()) {
                return;
            }
            const auto lead = static_cast<unsigned char>(text_[current_.offset]);
            current_ = lead < 0x80 ? Utf8Character{current_.offset, 1, lead, true}  // most texts are ASCII
                                   : DecodeUtf8(text_, current_.offset);
        }
        std::string_view text_;
        Utf8Character current_;
    };

    explicit Utf8Characters(std::string_view text) : text_(text) {}
    Iterator begin() const { return Iterator(text_, 0); }
    Iterator end() const { return Iterator(text_, text_.size()); }

private:
    std::string_view text_;
};

// Whether `codePoint` is a Unicode scalar value, the only values UTF-8 may hold.
constexpr bool IsUnicodeScalarValue(char32_t codePoint) {
    return codePoint < 0xD800 || (codePoint > 0xDFFF && codePoint <= 0x10FFFF);
}

// Appends the UTF-8 form of `codePoint`; a value that is not a scalar value is appended as U+FFFD.
void AppendUtf8(std::string& text, char32_t codePoint);

// Whether the text holds no bad byte.
bool IsValidUtf8(std::string_view text);

// The text with each bad byte replaced by U+FFFD: always valid UTF-8, the same text when it was.
std::string RepairUtf8(std::string_view text);

// Where the character that holds byte `pos` starts: `pos` itself when a character starts there (or
// `pos` is the end of the text), otherwise the start of the valid character it continues.
std::size_t Utf8CharacterStart(std::string_view text, std::size_t pos);

// The longest prefix of at most `maxBytes` bytes that does not end inside a character.
std::string_view LimitUtf8(std::string_view text, std::size_t maxBytes);

}  // namespace quorell
