#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace quorell {

class IniStore;

// One INI file of the program, reached through the store that holds every file's parsed copy and unsaved
// changes. The file is in the private-profile format: "[section]" lines and "key=value" lines, GBK bytes
// on disk (UTF-8 when the file starts with a UTF-8 byte-order mark), UTF-8 texts in the program.
// A small value: copies address the same file through the same store, which must outlive them.
class IniFile {
public:
    IniFile(IniStore& store, std::filesystem::path path) : store_(&store), path_(std::move(path)) {}

    const std::filesystem::path& Path() const { return path_; }
    IniStore& Store() const { return *store_; }

    // The value stored under section/key, or `defaultValue` when the file, the section or the key is
    // absent. Leading bytes 1..32 are skipped in the file name, the section and the key; when any of the
    // three is then empty, the result is empty and the file is not read. At most 10239 bytes are returned.
    std::string Read(std::string_view section, std::string_view key, std::string_view defaultValue = {}) const;

    // Stores `value` under section/key. No key (std::nullopt) deletes the whole section; no value deletes
    // the key. The file is replaced atomically (at once, or later by the store's write-behind); on any
    // failure the old file stays byte for byte as it was and false is returned. The first write creates
    // the file, never its directory.
    bool Write(std::string_view section, std::optional<std::string_view> key,
               std::optional<std::string_view> value) const;

private:
    IniStore* store_;
    std::filesystem::path path_;
};

}  // namespace quorell
