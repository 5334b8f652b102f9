#include "runtime/ini_document.h"

#include <utility>

namespace quorell {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::uint32_t Offset(std::size_t offset) {
    return static_cast<std::uint32_t>(offset);
}

// `bytes` with [begin, end) replaced by `insert`.
std::string Splice(const std::string& bytes, std::size_t begin, std::size_t end, std::string_view insert) {
    std::string out;
    out.reserve(bytes.size() - (end - begin) + insert.size());
    out.append(bytes, 0, begin);
    out.append(insert);
    out.append(bytes, end, std::string::npos);
    return out;
}

struct Range {
    std::size_t begin;
    std::size_t end;
};

// `bytes` without the given ranges, which are in ascending order and do not overlap.
std::string RemoveRanges(const std::string& bytes, const std::vector<Range>& ranges) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t kept = 0;
    for (const Range& range : ranges) {
        out.append(bytes, kept, range.begin - kept);
        kept = range.end;
    }
    out.append(bytes, kept, std::string::npos);
    return out;
}

}  // namespace

IniDocument::IniDocument(std::string bytes) : bytes_(std::move(bytes)) {
    if (std::string_view(bytes_).starts_with(kUtf8ByteOrderMark))
        encoding_ = IniEncoding::kUtf8;
    Parse();
}

void IniDocument::Parse() {
    const std::string_view all(bytes_);
    const std::size_t size = all.size();
    Section* current = nullptr;
    auto closeCurrent = [&](std::size_t end) {
        if (current == nullptr)
            return;
        current->bodyEnd = Offset(end);
        current->endKey = Offset(keys_.size());
    };

    std::size_t pos = encoding_ == IniEncoding::kUtf8 ? kUtf8ByteOrderMark.size() : 0;
    while (pos < size) {
        const std::size_t lineBegin = pos;
        const std::size_t newline = all.find('\n', pos);
        const std::size_t contentEnd = newline == std::string_view::npos ? size : newline;
        const std::size_t lineEnd = newline == std::string_view::npos ? size : newline + 1;
        pos = lineEnd;

        const std::string_view line = TrimIniBlanks(all.substr(lineBegin, contentEnd - lineBegin));
        if (line.empty())
            continue;
        const auto offsetOf = [&](std::string_view part) { return Offset(part.data() - all.data()); };

        if (line.front() == '[') {
            const std::size_t close = line.rfind(']');
            if (close != std::string_view::npos && close > 0) {
                closeCurrent(lineBegin);
                const std::string_view name = TrimIniBlanks(line.substr(1, close - 1));
                Section section;
                section.headerBegin = Offset(lineBegin);
                section.bodyBegin = Offset(lineEnd);
                section.insertAt = Offset(lineEnd);
                section.name = {offsetOf(name), Offset(name.size())};
                section.firstKey = Offset(keys_.size());
                sections_.push_back(section);
                current = &sections_.back();
                continue;
            }
        }
        if (current == nullptr)
            continue;  // before the first section: kept, never looked up
        current->insertAt = Offset(lineEnd);
        if (line.front() == ';' || line.front() == '[')
            continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view name = TrimIniBlanks(line.substr(0, equals));
        const std::string_view value = TrimIniBlanks(line.substr(equals + 1));
        Key key;
        key.lineBegin = Offset(lineBegin);
        key.lineEnd = Offset(lineEnd);
        key.name = {offsetOf(name), Offset(name.size())};
        key.value = {offsetOf(value), Offset(value.size())};
        keys_.push_back(key);
    }
    closeCurrent(size);
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    for (const Section& section : sections_) {
        if (SameIniName(name, View(section.name), encoding_))
            return &section;
    }
    return nullptr;
}

const IniDocument::Key* IniDocument::FindKey(const Section& section, std::string_view name) const {
    for (std::uint32_t i = section.firstKey; i < section.endKey; ++i) {
        if (keys_[i].name.size == name.size() && SameIniName(name, View(keys_[i].name), encoding_))
            return &keys_[i];
    }
    return nullptr;
}

std::optional<std::string_view> IniDocument::FindValue(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    if (found == nullptr)
        return std::nullopt;
    const Key* entry = FindKey(*found, key);
    if (entry == nullptr)
        return std::nullopt;
    return StripQuotes(View(entry->value));
}

std::string IniDocument::WithValue(std::string_view section, std::string_view key, std::string_view value) const {
    std::string line;
    if (const Section* found = FindSection(section)) {
        if (const Key* entry = FindKey(*found, key)) {
            line.append(View(entry->name)).append("=").append(value).append(kLineEnd);
            return Splice(bytes_, entry->lineBegin, entry->lineEnd, line);
        }
        // The section's last line may be the file's last one, without a line end of its own.
        if (found->insertAt > 0 && bytes_[found->insertAt - 1] != '\n')
            line.append(kLineEnd);
        line.append(key).append("=").append(value).append(kLineEnd);
        return Splice(bytes_, found->insertAt, found->insertAt, line);
    }
    const std::size_t contentBegin = encoding_ == IniEncoding::kUtf8 ? kUtf8ByteOrderMark.size() : 0;
    if (bytes_.size() > contentBegin && bytes_.back() != '\n')
        line.append(kLineEnd);
    line.append("[").append(section).append("]").append(kLineEnd);
    line.append(key).append("=").append(value).append(kLineEnd);
    return bytes_ + line;
}

std::string IniDocument::WithoutKey(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    if (found == nullptr)
        return bytes_;
    std::vector<Range> lines;
    for (std::uint32_t i = found->firstKey; i < found->endKey; ++i) {
        if (SameIniName(key, View(keys_[i].name), encoding_))
            lines.push_back({keys_[i].lineBegin, keys_[i].lineEnd});
    }
    return RemoveRanges(bytes_, lines);
}

std::string IniDocument::WithoutSection(std::string_view section) const {
    std::vector<Range> blocks;
    for (const Section& candidate : sections_) {
        if (SameIniName(section, View(candidate.name), encoding_))
            blocks.push_back({candidate.headerBegin, candidate.bodyEnd});
    }
    return RemoveRanges(bytes_, blocks);
}

}  // namespace quorell
