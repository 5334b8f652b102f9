#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "runtime/file_access.h"
#include "runtime/ini_document.h"

namespace quorell {

// The INI files of the program, read and written one key at a time (see ini_file.h for the rules).
// Keeps the parsed copy of each file it has read and uses it again only while the file's identity is
// unchanged, so an edit made by hand or by another process is seen at the next call.
//
// Write-behind (off unless SetWriteBehind is called): a write then changes the parsed copy at once, so
// every later read sees it, and the file is replaced by SaveDue once the oldest unsaved change is `delay`
// old, by Save or by Flush; never inside a write, so the caller decides that a save falls between two
// of its events and every saved file holds whole events. The program ticks once a second and writes some
// thirty keys a second into its history files; replacing a file durably costs far more than the change.
// The unsaved changes are kept as edits, one per key (the last value wins; deleting a section absorbs
// the edits of that section before it), so however long a disk refuses, they take no more memory than
// the file's keys. When the file changes on disk meanwhile (an edit by hand), it is read again and the
// edits are applied to it anew, so nothing of either is lost.
//
// A file that cannot be saved (it cannot be read, or its replacement fails) is tried again at most once
// per delay; the first failure of a streak is reported through the failure report with the reason.
class IniStore {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    // Called once at the start of each streak of failures to save or change a file.
    using FailureReport = std::function<void(const std::filesystem::path& file, const std::string& reason)>;
    // Whether this process may replace files now; asked before each save run (SaveDue, Save, Flush: so
    // between events too) and before each file is replaced. While it says no nothing is replaced and
    // every change stays held, as for a disk that refuses, but no failure is reported.
    using SaveGate = std::function<bool()>;

    // Longest value returned, in bytes: a read fills at most 10240 bytes, the last being the terminating NUL.
    static constexpr std::size_t kMaxValueBytes = 10239;

    IniStore();  // the platform's file access
    explicit IniStore(std::unique_ptr<FileAccess> files, Clock clock = {});
    ~IniStore();

    IniStore(const IniStore&) = delete;
    IniStore& operator=(const IniStore&) = delete;

    std::string Read(const std::filesystem::path& file, std::string_view section, std::string_view key,
                     std::string_view defaultValue = {});
    bool Write(const std::filesystem::path& file, std::string_view section, std::optional<std::string_view> key,
               std::optional<std::string_view> value);

    // Drops every parsed copy (unsaved changes stay).
    void Forget();

    // Zero (the default) replaces the file at every write.
    void SetWriteBehind(std::chrono::milliseconds delay);
    void SetFailureReport(FailureReport report);
    void SetSaveGate(SaveGate gate);

    // Replaces every file whose oldest unsaved change is at least the delay old (and whose last failed
    // save, if any, is too); false when any of them could not be replaced.
    bool SaveDue();
    // Replaces `file` now when it has unsaved changes; false when it could not be replaced.
    bool Save(const std::filesystem::path& file);
    // Replaces every file that has unsaved changes; false when any of them could not be replaced (its
    // changes stay and are tried again later).
    bool Flush();
    bool HasUnsavedChanges();
    // How many edits are waiting to be saved, over all files.
    std::size_t UnsavedEditCount();

    // Marks one event of the program (a timer tick, a click; nested marks count as one). Within an
    // event, reads check each file's identity once: a tick reads dozens of keys of the same file in
    // a few microseconds, and an edit by hand is seen at the next event. So do writes held back by
    // write-behind (the save applies them to the file as it then is); a write that replaces the file
    // at once, and every replacement, checks the file afresh, so no edit by hand is ever overwritten.
    void BeginEvent();
    void EndEvent();

private:
    // Files are told apart by their native path text: UTF-8 on Linux, UTF-16 on Windows.
    using PathKey = std::filesystem::path::string_type;

    // One write as the caller gave it, kept until its file has been replaced.
    struct Edit {
        std::string section;
        std::optional<std::string> key;
        std::optional<std::string> value;
    };
    struct Unsaved {
        std::optional<FileIdentity> base;             // the file on disk that the edits were applied to (none: missing)
        std::shared_ptr<const IniDocument> document;  // base with the edits applied
        std::vector<Edit> edits;                      // at most one per key and one deletion per section
        std::chrono::steady_clock::time_point since;  // when the oldest edit was made
        std::optional<std::chrono::steady_clock::time_point> failedAt;  // the last save that failed
    };

    struct Cached {
        FileIdentity identity;
        std::shared_ptr<const IniDocument> document;
        // False for a copy of what we just wrote: it serves the rest of the event, and later only once
        // the file has settled with the same identity.
        bool settled = true;
    };
    struct Loaded {
        FileReadStatus status = FileReadStatus::kMissing;
        std::shared_ptr<const IniDocument> document;  // set when status is kRead
    };

    // How a load learns whether the file changed: afresh, or once per event (reads only).
    enum class Check { kFresh, kOncePerEvent };

    Loaded Load(const std::filesystem::path& file, Check check);
    // The document after `edit`, or nullopt when the document's encoding cannot hold its texts.
    std::optional<std::string> Applied(const IniDocument& document, const Edit& edit);
    // The unsaved copy of `file`, brought up to date with the file on disk.
    Loaded LoadUnsaved(const std::filesystem::path& file, Unsaved& unsaved, Check check);
    std::optional<FileIdentity> Identify(const std::filesystem::path& file, Check check);
    // The file at `file` is about to change or has changed by our own hand.
    void ForgetIdentity(const std::filesystem::path& file);
    bool FlushFile(const std::filesystem::path& file, Unsaved& unsaved);
    // Keeps what a replacement just wrote as the file's parsed copy.
    void KeepWritten(const std::filesystem::path& file, std::shared_ptr<const IniDocument> document);
    bool FlushLocked();
    bool MayReplace() const { return !saveGate_ || saveGate_(); }
    // Saves the files for which `due(unsaved)` holds.
    template <typename Due>
    bool SaveWhere(Due due);
    // Notes how an attempt to change `file` ended; reports the first failure of a streak.
    void NoteOutcome(const std::filesystem::path& file, bool saved, const std::string& reason);
    // Adds `edit` to the file's edits, dropping those it makes pointless.
    static void AddEdit(std::vector<Edit>& edits, Edit edit);
    // A section or key name in the file's encoding; nullptr when the encoding has no form for it. Valid
    // until the next TrimNames.
    const std::string* StoredName(std::string_view name, IniEncoding encoding);
    // Forgets the converted names once there are too many; called before a read or write looks any up.
    void TrimNames();

    std::unique_ptr<FileAccess> files_;
    std::mutex mutex_;
    std::unordered_map<PathKey, Cached> cache_;
    std::unordered_map<PathKey, Unsaved> unsaved_;
    std::chrono::milliseconds writeBehind_{0};
    Clock clock_;
    FailureReport report_;
    SaveGate saveGate_;
    std::unordered_map<PathKey, bool> failing_;  // files whose last change or save failed
    // Identities learnt during the current event (see BeginEvent); empty outside events.
    int eventDepth_ = 0;
    std::unordered_map<PathKey, std::optional<FileIdentity>> eventIdentities_;
    // The same few dozen names are looked up on every tick; converting each once saves most of a read.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };
    using ConvertedNames = std::unordered_map<std::string, std::optional<std::string>, NameHash, std::equal_to<>>;
    ConvertedNames gbkNames_;
    ConvertedNames utf8Names_;
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
