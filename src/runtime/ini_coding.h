#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "runtime/ini_document.h"
#include "runtime/ini_text.h"
#include "runtime/text_codec.h"

namespace quorell {

// One write as the caller gave it: UTF-8 names and value. No key deletes the section, no value the key.
struct IniEdit {
    std::string section;
    std::optional<std::string> key;
    std::optional<std::string> value;
};

// The texts of INI files in their file's own encoding (GBK, or UTF-8 after a byte-order mark). The same
// few dozen names are looked up on every tick; converting each once saves most of a read, so converted
// names are kept until there are too many.
class IniCoding {
public:
    explicit IniCoding(std::unique_ptr<GbkCodec> gbk) : gbk_(std::move(gbk)) {}

    // A section or key name in the encoding; nullptr when the encoding has no form for it. Valid until
    // the next TrimNames.
    const std::string* StoredName(std::string_view name, IniEncoding encoding);
    // Forgets the converted names once there are too many; called before a read or write looks any up.
    void TrimNames();

    std::string Decode(std::string_view bytes, IniEncoding encoding) const {
        return DecodeIniText(bytes, encoding, *gbk_);
    }
    // The document's bytes after `edit`, or nullopt when the document's encoding cannot hold its texts.
    std::optional<std::string> Applied(const IniDocument& document, const IniEdit& edit);

private:
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };
    using ConvertedNames = std::unordered_map<std::string, std::optional<std::string>, NameHash, std::equal_to<>>;

    std::unique_ptr<GbkCodec> gbk_;
    ConvertedNames gbkNames_;
    ConvertedNames utf8Names_;
};

}  // namespace quorell
