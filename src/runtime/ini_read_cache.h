#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <unordered_map>

#include "runtime/file_access.h"
#include "runtime/ini_document.h"

namespace quorell {

// How a look at a file learns whether it changed: afresh, or once per event (reads, and writes held back).
enum class IniCheck { kFresh, kOncePerEvent };

struct IniLoaded {
    FileReadStatus status = FileReadStatus::kMissing;
    std::shared_ptr<const IniDocument> document;  // set when status is kRead
};

// The parsed copy of each INI file read, used again only while the file's identity is unchanged, so an
// edit made by hand or by another process is seen at the next look.
//
// Within one event of the program (BeginEvent to EndEvent; nested marks count as one) each file's
// identity is asked once for reads: a tick reads dozens of keys of the same file in a few microseconds,
// and an edit by hand is seen at the next event. A look with IniCheck::kFresh always asks the file.
class IniReadCache {
public:
    explicit IniReadCache(FileAccess& files) : files_(files) {}

    // The file's parsed content, from the copy when the file is unchanged.
    IniLoaded Load(const std::filesystem::path& file, IniCheck check);
    // The file's identity, as learnt during this event when `check` allows it.
    std::optional<FileIdentity> Identify(const std::filesystem::path& file, IniCheck check);

    // The file at `file` is about to change or has changed by our own hand: its next look asks afresh.
    void ForgetIdentity(const std::filesystem::path& file);
    // Drops the parsed copy of `file`.
    void Drop(const std::filesystem::path& file) { cache_.erase(file.native()); }
    // Keeps what a replacement just wrote as the file's parsed copy.
    void KeepWritten(const std::filesystem::path& file, std::shared_ptr<const IniDocument> document);
    // Drops every parsed copy and every identity learnt.
    void Forget();

    void BeginEvent() { ++eventDepth_; }
    void EndEvent();

private:
    // Files are told apart by their native path text: UTF-8 on Linux, UTF-16 on Windows.
    using PathKey = std::filesystem::path::string_type;

    struct Cached {
        FileIdentity identity;
        std::shared_ptr<const IniDocument> document;
        // False for a copy of what we just wrote: it serves the rest of the event, and later only once
        // the file has settled with the same identity.
        bool settled = true;
    };

    void Keep(const PathKey& name, Cached cached);

    FileAccess& files_;
    std::unordered_map<PathKey, Cached> cache_;
    // Identities learnt during the current event; empty outside events.
    int eventDepth_ = 0;
    std::unordered_map<PathKey, std::optional<FileIdentity>> eventIdentities_;
};

}  // namespace quorell
