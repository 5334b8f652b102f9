#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "runtime/file_access.h"
#include "runtime/ini_document.h"

namespace quorell {

// The INI files of the program, read and written one key at a time (see ini_file.h for the rules).
// Keeps the parsed copy of each file it has read and uses it again only while the file's identity is
// unchanged, so an edit made by hand or by another process is seen at the next call.
class IniStore {
public:
    // Longest value returned, in bytes: a read fills at most 10240 bytes, the last being the terminating NUL.
    static constexpr std::size_t kMaxValueBytes = 10239;

    IniStore();  // the platform's file access
    explicit IniStore(std::unique_ptr<FileAccess> files);

    std::string Read(const std::filesystem::path& file, std::string_view section, std::string_view key,
                     std::string_view defaultValue = {});
    bool Write(const std::filesystem::path& file, std::string_view section, std::optional<std::string_view> key,
               std::optional<std::string_view> value);

    // Drops every parsed copy.
    void Forget();

private:
    struct Cached {
        FileIdentity identity;
        std::shared_ptr<const IniDocument> document;
    };
    struct Loaded {
        FileReadStatus status = FileReadStatus::kMissing;
        std::shared_ptr<const IniDocument> document;  // set when status is kRead
    };

    Loaded Load(const std::filesystem::path& file);
    // A section or key name in the file's encoding; nullopt when the encoding has no form for it.
    std::optional<std::string> StoredName(std::string_view name, IniEncoding encoding);

    std::unique_ptr<FileAccess> files_;
    std::mutex mutex_;
    std::unordered_map<std::string, Cached> cache_;
    // The same few dozen names are looked up on every tick; converting each once saves most of a read.
    std::unordered_map<std::string, std::optional<std::string>> gbkNames_;
};

// The store behind ReadIni and WriteIni: one per process, so that every caller shares its parsed copies.
IniStore& DefaultIniStore();

}  // namespace quorell
