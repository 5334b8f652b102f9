#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "runtime/file_access.h"
#include "runtime/ini_coding.h"
#include "runtime/ini_document.h"
#include "runtime/ini_read_cache.h"

namespace quorell {

// What replaces the INI files: at once, or held back. Held back (a delay above zero), a write's edits are
// kept and the file is replaced by SaveDue once the oldest unsaved change is `delay` old, by Save or by
// Flush; never inside a write, so the caller decides that a save falls between two of its events and every
// saved file holds whole events. The unsaved changes are kept as edits, one per key (the last value wins;
// deleting a section absorbs the edits of that section before it), so however long a disk refuses, they
// take no more memory than the file's keys. When the file changes on disk meanwhile (an edit by hand), it
// is read again and the edits are applied to it anew, so nothing of either is lost.
//
// A file that cannot be saved (it cannot be read, or its replacement fails) is tried again at most once per
// delay; the first failure of a streak is reported through the failure report with the reason.
class IniWriteBehind {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    using FailureReport = std::function<void(const std::filesystem::path& file, const std::string& reason)>;
    using SaveCheck = std::function<bool()>;
    using RecoveryReport = std::function<void()>;

    IniWriteBehind(FileAccess& files, IniReadCache& cache, IniCoding& coding, Clock clock);

    void SetDelay(std::chrono::milliseconds delay) { delay_ = delay; }
    bool HoldsBack() const { return delay_.count() > 0; }
    void SetFailureReport(FailureReport report) { report_ = std::move(report); }
    void SetSaveCheck(SaveCheck check) { saveCheck_ = std::move(check); }
    // Called when the last file that failed is saved: every streak of failures has ended.
    void SetRecoveryReport(RecoveryReport report) { recovered_ = std::move(report); }

    // The file with its unsaved edits applied, brought up to date with the file on disk; nullopt when
    // nothing of it is unsaved.
    std::optional<IniLoaded> LoadUnsaved(const std::filesystem::path& file, IniCheck check);
    // Holds `edit` back; `updated` is the file's content with it applied.
    void Hold(const std::filesystem::path& file, IniEdit edit, std::shared_ptr<const IniDocument> updated);
    // Replaces `file` with `updated` now; false (the file as it was) when that failed or was not allowed.
    bool WriteThrough(const std::filesystem::path& file, std::shared_ptr<const IniDocument> updated);
    // A write was refused because `file` could not be read.
    void NoteUnreadable(const std::filesystem::path& file);

    bool SaveDue();
    bool Save(const std::filesystem::path& file);
    bool Flush();
    bool HasUnsavedChanges() const { return !unsaved_.empty(); }
    std::size_t UnsavedEditCount() const;

private:
    using PathKey = std::filesystem::path::string_type;

    struct Unsaved {
        std::optional<FileIdentity> base;             // the file on disk that the edits were applied to (none: missing)
        std::shared_ptr<const IniDocument> document;  // base with the edits applied
        std::vector<IniEdit> edits;                   // at most one per key and one deletion per section
        std::chrono::steady_clock::time_point since;  // when the oldest edit was made
        std::optional<std::chrono::steady_clock::time_point> failedAt;  // the last save that failed
    };

    // Asked once before every run that would replace a file; false keeps everything as it is.
    bool MaySave() const { return !saveCheck_ || saveCheck_(); }
    // Saves the files for which `due(name, unsaved)` holds.
    template <typename Due>
    bool SaveWhere(Due due);
    bool SaveFile(const std::filesystem::path& file, Unsaved& unsaved);
    IniLoaded Refreshed(const std::filesystem::path& file, Unsaved& unsaved, IniCheck check);
    // Notes how an attempt to change `file` ended; reports the first failure of a streak.
    void NoteOutcome(const std::filesystem::path& file, bool saved, const std::string& reason);

    FileAccess& files_;
    IniReadCache& cache_;
    IniCoding& coding_;
    Clock clock_;
    std::chrono::milliseconds delay_{0};
    FailureReport report_;
    RecoveryReport recovered_;
    SaveCheck saveCheck_;
    std::unordered_map<PathKey, Unsaved> unsaved_;
    std::unordered_set<PathKey> failing_;  // files whose last change or save failed
};

}  // namespace quorell
