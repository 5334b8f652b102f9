#include "runtime/ini_write_behind.h"

#include <algorithm>
#include <utility>

namespace quorell {
namespace {

constexpr const char* kUnreadable = "cannot be read: not a regular file, too large, or no permission";
constexpr const char* kNotReplaced = "could not be replaced: no permission, no space, or a read-only disk";

// Section and key names match without ASCII case, as the file's own lookups do.
bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

// Adds `edit` to the file's edits, dropping those it makes pointless.
void AddEdit(std::vector<IniEdit>& edits, IniEdit edit) {
    std::erase_if(edits, [&edit](const IniEdit& earlier) {
        if (!SameName(earlier.section, edit.section)) {
            return false;
        }
        // Deleting the section makes every earlier edit of it pointless; a key's edit, the key's.
        return !edit.key || (earlier.key && SameName(*earlier.key, *edit.key));
    });
    edits.push_back(std::move(edit));
}

}  // namespace

IniWriteBehind::IniWriteBehind(FileAccess& files, IniReadCache& cache, IniCoding& coding, Clock clock)
    : files_(files),
      cache_(cache),
      coding_(coding),
      clock_(clock ? std::move(clock) : Clock(&std::chrono::steady_clock::now)) {}

std::size_t IniWriteBehind::UnsavedEditCount() const {
    std::size_t count = 0;
    for (const auto& [name, unsaved] : unsaved_) {
        count += unsaved.edits.size();
    }
    return count;
}

bool IniWriteBehind::SaveDue() {
    const auto now = clock_();
    const auto due = [this, now](const PathKey&, const Unsaved& unsaved) {
        return now - unsaved.since >= delay_ && (!unsaved.failedAt || now - *unsaved.failedAt >= delay_);
    };
    // Called between events: the right to write is asked even when nothing is due, so that its loss (a
    // run lock taken away) is noticed, and mended where it can be, within one event rather than one delay.
    if (!MaySave()) {
        return std::none_of(unsaved_.begin(), unsaved_.end(),
                            [&due](const auto& entry) { return due(entry.first, entry.second); });
    }
    return SaveWhere(due);
}

bool IniWriteBehind::Save(const std::filesystem::path& file) {
    return SaveWhere([&file](const PathKey& name, const Unsaved&) { return name == file.native(); });
}

bool IniWriteBehind::Flush() {
    return SaveWhere([](const PathKey&, const Unsaved&) { return true; });
}

template <typename Due>
bool IniWriteBehind::SaveWhere(Due due) {
    bool ok = true;
    for (auto it = unsaved_.begin(); it != unsaved_.end();) {
        if (!due(it->first, it->second)) {
            ++it;
            continue;
        }
        // Asked before each file: the right to write may end in the middle of a run (a lock taken away).
        if (!MaySave())
            return false;  // nothing more replaced; every change left stays for a later run
        if (SaveFile(std::filesystem::path(it->first), it->second)) {
            it = unsaved_.erase(it);
        } else {
            ok = false;
            ++it;
        }
    }
    return ok;
}

bool IniWriteBehind::SaveFile(const std::filesystem::path& file, Unsaved& unsaved) {
    const IniLoaded current = Refreshed(file, unsaved, IniCheck::kFresh);
    cache_.ForgetIdentity(file);
    const bool readable = current.status != FileReadStatus::kFailed;
    const bool saved = readable && files_.Replace(file, current.document->Bytes());
    NoteOutcome(file, saved, readable ? kNotReplaced : kUnreadable);
    if (!saved) {
        unsaved.failedAt = clock_();  // tried again after another delay
        return false;
    }
    cache_.KeepWritten(file, current.document);
    return true;
}

bool IniWriteBehind::WriteThrough(const std::filesystem::path& file, std::shared_ptr<const IniDocument> updated) {
    cache_.Drop(file);
    cache_.ForgetIdentity(file);
    if (!MaySave())
        return false;
    const bool saved = files_.Replace(file, updated->Bytes());
    NoteOutcome(file, saved, kNotReplaced);
    if (!saved)
        return false;
    cache_.KeepWritten(file, std::move(updated));
    return true;
}

void IniWriteBehind::NoteUnreadable(const std::filesystem::path& file) {
    NoteOutcome(file, false, kUnreadable);
}

void IniWriteBehind::Hold(const std::filesystem::path& file, IniEdit edit, std::shared_ptr<const IniDocument> updated) {
    auto [it, added] = unsaved_.try_emplace(file.native());
    Unsaved& unsaved = it->second;
    if (added) {
        // The base is the file as the write just loaded it; a missing file stays missing until the first save.
        unsaved.base = cache_.Identify(file, IniCheck::kOncePerEvent);
        unsaved.since = clock_();
        cache_.Drop(file);
    }
    AddEdit(unsaved.edits, std::move(edit));
    unsaved.document = std::move(updated);
}

std::optional<IniLoaded> IniWriteBehind::LoadUnsaved(const std::filesystem::path& file, IniCheck check) {
    auto it = unsaved_.find(file.native());
    if (it == unsaved_.end())
        return std::nullopt;
    return Refreshed(file, it->second, check);
}

IniLoaded IniWriteBehind::Refreshed(const std::filesystem::path& file, Unsaved& unsaved, IniCheck check) {
    const std::optional<FileIdentity> identity = cache_.Identify(file, check);
    if (identity == unsaved.base)
        return {FileReadStatus::kRead, unsaved.document};
    // The file changed on disk since the edits were made: apply them again to what it holds now.
    FileSnapshot snapshot = files_.Read(file);
    if (snapshot.status == FileReadStatus::kFailed)
        return {FileReadStatus::kFailed, unsaved.document};
    auto document = std::make_shared<const IniDocument>(std::move(snapshot.bytes));
    for (const IniEdit& edit : unsaved.edits) {
        if (std::optional<std::string> bytes = coding_.Applied(*document, edit)) {
            document = std::make_shared<const IniDocument>(std::move(*bytes));
        }
    }
    unsaved.base = snapshot.status == FileReadStatus::kRead ? std::optional(snapshot.identity) : std::nullopt;
    unsaved.document = document;
    return {FileReadStatus::kRead, document};
}

void IniWriteBehind::NoteOutcome(const std::filesystem::path& file, bool saved, const std::string& reason) {
    if (saved) {
        if (failing_.erase(file.native()) != 0 && failing_.empty() && recovered_) {
            recovered_();
        }
        return;
    }
    if (failing_.insert(file.native()).second && report_) {
        // The back end's own words when it has them ("No space left on device"), else ours.
        const std::string precise = files_.LastFailure();
        report_(file, precise.empty() ? reason : precise);
    }
}

}  // namespace quorell
