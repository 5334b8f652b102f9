#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/file_access.h"
#include "runtime/ini_coding.h"
#include "runtime/ini_read_cache.h"
#include "runtime/ini_write_behind.h"
#include "runtime/text_codec.h"

namespace quorell {

// The INI files of the program, read and written one key at a time (see ini_file.h for the rules).
// Reads are served from the parsed copy of each file while its identity is unchanged (ini_read_cache.h);
// writes replace the file at once, or are held back and saved between events (ini_write_behind.h).
// One thread uses a store.
class IniStore {
public:
    using Clock = IniWriteBehind::Clock;
    // Called once at the start of each streak of failures to save or change a file.
    using FailureReport = IniWriteBehind::FailureReport;
    // Asked before every run that would replace files: a due save, a flush, a write that replaces its
    // file at once. False replaces nothing: held-back changes stay unsaved and the call returns false.
    using SaveCheck = IniWriteBehind::SaveCheck;
    // Called when every file that failed to be saved has been saved again.
    using RecoveryReport = IniWriteBehind::RecoveryReport;

    // Longest value returned, in bytes: a read fills at most 10240 bytes, the last being the terminating NUL.
    static constexpr std::size_t kMaxValueBytes = 10239;

    // `clock` (the steady clock when empty) times the write-behind.
    IniStore(std::unique_ptr<FileAccess> files, std::unique_ptr<GbkCodec> gbk, Clock clock = {});
    ~IniStore();

    IniStore(const IniStore&) = delete;
    IniStore& operator=(const IniStore&) = delete;

    std::string Read(const std::filesystem::path& file, std::string_view section, std::string_view key,
                     std::string_view defaultValue = {});
    bool Write(const std::filesystem::path& file, std::string_view section, std::optional<std::string_view> key,
               std::optional<std::string_view> value);

    // Drops every parsed copy (unsaved changes stay).
    void Forget() { cache_.Forget(); }

    // Zero (the default) replaces the file at every write.
    void SetWriteBehind(std::chrono::milliseconds delay);
    void SetFailureReport(FailureReport report) { writeBehind_.SetFailureReport(std::move(report)); }
    void SetSaveCheck(SaveCheck check) { writeBehind_.SetSaveCheck(std::move(check)); }
    void SetRecoveryReport(RecoveryReport report) { writeBehind_.SetRecoveryReport(std::move(report)); }

    // Replaces every file whose oldest unsaved change is at least the delay old (and whose last failed
    // save, if any, is too); false when any of them could not be replaced.
    bool SaveDue() { return writeBehind_.SaveDue(); }
    // Replaces `file` now when it has unsaved changes; false when it could not be replaced.
    bool Save(const std::filesystem::path& file) { return writeBehind_.Save(file); }
    // Replaces every file that has unsaved changes; false when any of them could not be replaced (its
    // changes stay and are tried again later).
    bool Flush() { return writeBehind_.Flush(); }
    bool HasUnsavedChanges() const { return writeBehind_.HasUnsavedChanges(); }
    // How many edits are waiting to be saved, over all files.
    std::size_t UnsavedEditCount() const { return writeBehind_.UnsavedEditCount(); }

    // Marks one event of the program (a timer tick, a click; nested marks count as one). Within an
    // event, reads check each file's identity once, and so do writes held back by write-behind (the
    // save applies them to the file as it then is); a write that replaces the file at once, and every
    // replacement, checks the file afresh, so no edit by hand is ever overwritten.
    void BeginEvent() { cache_.BeginEvent(); }
    void EndEvent() { cache_.EndEvent(); }

private:
    // The file's content with its unsaved changes.
    IniLoaded Load(const std::filesystem::path& file, IniCheck check);

    std::unique_ptr<FileAccess> files_;
    IniCoding coding_;
    IniReadCache cache_;
    IniWriteBehind writeBehind_;
};

// Held for the length of one event of the program (a tick, a click): reads through the store within it
// check each file for changes once, so a file edited by hand is seen from the next event on. Writes
// always check afresh. Scopes may nest.
class IniEventScope {
public:
    explicit IniEventScope(IniStore& store) : store_(store) { store_.BeginEvent(); }
    ~IniEventScope() { store_.EndEvent(); }
    IniEventScope(const IniEventScope&) = delete;
    IniEventScope& operator=(const IniEventScope&) = delete;

private:
    IniStore& store_;
};

}  // namespace quorell
