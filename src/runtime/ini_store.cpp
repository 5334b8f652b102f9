#include "runtime/ini_store.h"

#include <algorithm>
#include <utility>

#include "runtime/ini_text.h"

namespace quorell {
namespace {

// Files the program keeps parsed at once (it uses five); beyond this the copies are dropped.
constexpr std::size_t kMaxCachedFiles = 16;
// Names kept converted (the program uses about a hundred); beyond this they are converted again.
constexpr std::size_t kMaxConvertedNames = 1024;

// A section or key name as the caller gave it: up to its first NUL, without blanks around it.
std::string_view CallerName(std::string_view name) {
    return TrimIniBlanks(SkipLeadingControls(CutAtNul(name)));
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// Names that would not read back as written: a key with '=' in it, or one that starts like a section
// header or a comment. Line breaks anywhere would add lines of their own.
bool IsWritableSection(std::string_view name) {
    return !name.empty() && !HasLineBreak(name);
}
bool IsWritableKey(std::string_view name) {
    return !name.empty() && !HasLineBreak(name) && name.find('=') == std::string_view::npos && name.front() != '[' &&
           name.front() != ';';
}

// The file name as the read call takes it: up to its first NUL, without leading codes 1..32.
std::basic_string_view<std::filesystem::path::value_type> CallerFileName(const std::filesystem::path& file) {
    std::basic_string_view<std::filesystem::path::value_type> name(file.native());
    name = name.substr(0, name.find(std::filesystem::path::value_type{}));
    while (!name.empty() && name.front() >= 1 && name.front() <= 32) {
        name.remove_prefix(1);
    }
    return name;
}

std::string Limited(std::string_view text) {
    return std::string(LimitUtf8(text, IniStore::kMaxValueBytes));
}

// Section and key names match without ASCII case, as the file's own lookups do.
bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

constexpr const char* kUnreadable = "cannot be read: not a regular file, too large, or no permission";
constexpr const char* kNotReplaced = "could not be replaced: no permission, no space, or a read-only disk";

}  // namespace

IniStore::IniStore() : IniStore(MakeSystemFileAccess()) {}

IniStore::IniStore(std::unique_ptr<FileAccess> files, Clock clock)
    : files_(std::move(files)), clock_(clock ? std::move(clock) : Clock(&std::chrono::steady_clock::now)) {}

IniStore::~IniStore() {
    Flush();
}

void IniStore::SetWriteBehind(std::chrono::milliseconds delay) {
    std::lock_guard lock(mutex_);
    writeBehind_ = delay;
    if (delay.count() <= 0)
        FlushLocked();
}

void IniStore::SetFailureReport(FailureReport report) {
    std::lock_guard lock(mutex_);
    report_ = std::move(report);
}

void IniStore::SetSaveGate(SaveGate gate) {
    std::lock_guard lock(mutex_);
    saveGate_ = std::move(gate);
}

bool IniStore::Flush() {
    std::lock_guard lock(mutex_);
    return FlushLocked();
}

bool IniStore::SaveDue() {
    std::lock_guard lock(mutex_);
    const auto now = clock_();
    return SaveWhere([this, now](const PathKey&, const Unsaved& unsaved) {
        return now - unsaved.since >= writeBehind_ && (!unsaved.failedAt || now - *unsaved.failedAt >= writeBehind_);
    });
}

bool IniStore::Save(const std::filesystem::path& file) {
    std::lock_guard lock(mutex_);
    return SaveWhere([&file](const PathKey& name, const Unsaved&) { return name == file.native(); });
}

template <typename Due>
bool IniStore::SaveWhere(Due due) {
    if (!MayReplace())
        return unsaved_.empty();
    bool ok = true;
    for (auto it = unsaved_.begin(); it != unsaved_.end();) {
        if (!due(it->first, it->second)) {
            ++it;
        } else if (!MayReplace()) {
            return false;
        } else if (FlushFile(std::filesystem::path(it->first), it->second)) {
            it = unsaved_.erase(it);
        } else {
            ok = false;
            ++it;
        }
    }
    return ok;
}

bool IniStore::HasUnsavedChanges() {
    std::lock_guard lock(mutex_);
    return !unsaved_.empty();
}

std::size_t IniStore::UnsavedEditCount() {
    std::lock_guard lock(mutex_);
    std::size_t count = 0;
    for (const auto& [name, unsaved] : unsaved_) {
        count += unsaved.edits.size();
    }
    return count;
}

void IniStore::NoteOutcome(const std::filesystem::path& file, bool saved, const std::string& reason) {
    if (saved) {
        failing_.erase(file.native());
        return;
    }
    if (failing_.insert_or_assign(file.native(), true).second && report_) {
        // The back end's own words when it has them ("No space left on device"), else ours.
        const std::string precise = files_->LastFailure();
        report_(file, precise.empty() ? reason : precise);
    }
}

void IniStore::AddEdit(std::vector<Edit>& edits, Edit edit) {
    std::erase_if(edits, [&edit](const Edit& earlier) {
        if (!SameName(earlier.section, edit.section)) {
            return false;
        }
        // Deleting the section makes every earlier edit of it pointless; a key's edit, the key's.
        return !edit.key || (earlier.key && SameName(*earlier.key, *edit.key));
    });
    edits.push_back(std::move(edit));
}

void IniStore::BeginEvent() {
    std::lock_guard lock(mutex_);
    ++eventDepth_;
}

void IniStore::EndEvent() {
    std::lock_guard lock(mutex_);
    if (eventDepth_ > 0 && --eventDepth_ == 0)
        eventIdentities_.clear();
}

std::optional<FileIdentity> IniStore::Identify(const std::filesystem::path& file, Check check) {
    if (eventDepth_ == 0)
        return files_->Identify(file);
    if (check == Check::kOncePerEvent) {
        if (auto it = eventIdentities_.find(file.native()); it != eventIdentities_.end())
            return it->second;
    }
    std::optional<FileIdentity> identity = files_->Identify(file);
    eventIdentities_.insert_or_assign(file.native(), identity);
    return identity;
}

void IniStore::ForgetIdentity(const std::filesystem::path& file) {
    eventIdentities_.erase(file.native());
}

bool IniStore::FlushLocked() {
    return SaveWhere([](const PathKey&, const Unsaved&) { return true; });
}

bool IniStore::FlushFile(const std::filesystem::path& file, Unsaved& unsaved) {
    const Loaded current = LoadUnsaved(file, unsaved, Check::kFresh);
    ForgetIdentity(file);
    const bool readable = current.status != FileReadStatus::kFailed;
    const bool saved = readable && files_->Replace(file, current.document->Bytes());
    NoteOutcome(file, saved, readable ? kNotReplaced : kUnreadable);
    if (!saved) {
        unsaved.failedAt = clock_();  // tried again after another delay
        return false;
    }
    KeepWritten(file, current.document);
    return true;
}

IniStore::Loaded IniStore::LoadUnsaved(const std::filesystem::path& file, Unsaved& unsaved, Check check) {
    const std::optional<FileIdentity> identity = Identify(file, check);
    if (identity == unsaved.base)
        return {FileReadStatus::kRead, unsaved.document};
    // The file changed on disk since the edits were made: apply them again to what it holds now.
    FileSnapshot snapshot = files_->Read(file);
    if (snapshot.status == FileReadStatus::kFailed)
        return {FileReadStatus::kFailed, unsaved.document};
    auto document = std::make_shared<const IniDocument>(std::move(snapshot.bytes));
    for (const Edit& edit : unsaved.edits) {
        if (std::optional<std::string> bytes = Applied(*document, edit)) {
            document = std::make_shared<const IniDocument>(std::move(*bytes));
        }
    }
    unsaved.base = snapshot.status == FileReadStatus::kRead ? std::optional(snapshot.identity) : std::nullopt;
    unsaved.document = document;
    return {FileReadStatus::kRead, document};
}

void IniStore::KeepWritten(const std::filesystem::path& file, std::shared_ptr<const IniDocument> document) {
    cache_.erase(file.native());
    // What we just wrote is what the file holds, unless another hand changed it at once (its size shows).
    const std::optional<FileIdentity> identity = files_->Identify(file);
    if (!identity || identity->size != document->Bytes().size())
        return;
    if (cache_.size() >= kMaxCachedFiles)
        cache_.clear();
    cache_[file.native()] = Cached{*identity, std::move(document), files_->Settled(*identity)};
    if (eventDepth_ > 0)
        eventIdentities_.insert_or_assign(file.native(), identity);
}

void IniStore::Forget() {
    std::lock_guard lock(mutex_);
    cache_.clear();
    eventIdentities_.clear();
}

IniStore::Loaded IniStore::Load(const std::filesystem::path& file, Check check) {
    const PathKey& name = file.native();
    if (auto it = unsaved_.find(name); it != unsaved_.end())
        return LoadUnsaved(file, it->second, check);
    if (auto it = cache_.find(name); it != cache_.end()) {
        Cached& cached = it->second;
        // Within the event that wrote the copy, the write was the event's look at the file.
        const bool seenThisEvent = check == Check::kOncePerEvent && eventIdentities_.contains(name);
        const std::optional<FileIdentity> identity = Identify(file, check);
        if (identity && *identity == cached.identity) {
            cached.settled = cached.settled || files_->Settled(*identity);
            if (cached.settled || seenThisEvent)
                return {FileReadStatus::kRead, cached.document};
        }
        cache_.erase(it);
    }
    FileSnapshot snapshot = files_->Read(file);
    // What was just read is what the file is now (a missing or unreadable file is checked again).
    ForgetIdentity(file);
    if (snapshot.status != FileReadStatus::kRead)
        return {snapshot.status, nullptr};
    if (eventDepth_ > 0 && snapshot.settled)
        eventIdentities_.insert_or_assign(name, snapshot.identity);
    auto document = std::make_shared<const IniDocument>(std::move(snapshot.bytes));
    if (snapshot.settled) {
        if (cache_.size() >= kMaxCachedFiles)
            cache_.clear();
        cache_[name] = Cached{snapshot.identity, document};
    }
    return {FileReadStatus::kRead, document};
}

const std::string* IniStore::StoredName(std::string_view name, IniEncoding encoding) {
    ConvertedNames& names = encoding == IniEncoding::kGbk ? gbkNames_ : utf8Names_;
    auto it = names.find(name);
    if (it == names.end())
        it = names.emplace(std::string(name), EncodeIniText(name, encoding)).first;
    return it->second ? &*it->second : nullptr;
}

void IniStore::TrimNames() {
    if (gbkNames_.size() >= kMaxConvertedNames)
        gbkNames_.clear();
    if (utf8Names_.size() >= kMaxConvertedNames)
        utf8Names_.clear();
}

std::string IniStore::Read(const std::filesystem::path& file, std::string_view section, std::string_view key,
                           std::string_view defaultValue) {
    const auto fileName = CallerFileName(file);
    const std::string_view sectionName = CallerName(section);
    const std::string_view keyName = CallerName(key);
    if (fileName.empty() || sectionName.empty() || keyName.empty())
        return {};
    // Made only when needed: most reads find their key.
    const auto fallback = [defaultValue] { return Limited(CutAtNul(defaultValue)); };

    std::lock_guard lock(mutex_);
    TrimNames();
    // A path is costly to build: the caller's serves unless blanks had to be skipped.
    const Loaded loaded = fileName.size() == file.native().size()
                              ? Load(file, Check::kOncePerEvent)
                              : Load(std::filesystem::path(fileName), Check::kOncePerEvent);
    if (loaded.document == nullptr)
        return fallback();
    const IniEncoding encoding = loaded.document->Encoding();
    const std::string* storedSection = StoredName(sectionName, encoding);
    const std::string* storedKey = StoredName(keyName, encoding);
    if (!storedSection || !storedKey)
        return fallback();  // a name the file cannot hold is not in it
    const std::optional<std::string_view> value = loaded.document->FindValue(*storedSection, *storedKey);
    if (!value)
        return fallback();
    // Every byte decodes to at least one byte of UTF-8, so the limit falls within the first
    // kMaxValueBytes bytes; the few after them complete a character that starts before it.
    const std::string_view stored = CutAtNul(*value).substr(0, kMaxValueBytes + 4);
    return Limited(DecodeIniText(stored, encoding));
}

bool IniStore::Write(const std::filesystem::path& file, std::string_view section, std::optional<std::string_view> key,
                     std::optional<std::string_view> value) {
    // The edit as it will be applied: the names as the caller meant them, the value up to its first NUL.
    Edit edit{std::string(CallerName(section)), std::nullopt, std::nullopt};
    if (key)
        edit.key.emplace(CallerName(*key));
    if (value)
        edit.value.emplace(CutAtNul(*value));
    if (file.empty() || !IsWritableSection(edit.section))
        return false;
    if (edit.key && !IsWritableKey(*edit.key))
        return false;
    if (edit.value && HasLineBreak(*edit.value))
        return false;

    std::lock_guard lock(mutex_);
    TrimNames();
    // A write that replaces the file at once must start from the file as it is now. A write held back
    // is kept as an edit and applied anew at the save to whatever the file then holds, so the event's
    // one look at the file serves it too.
    const Loaded loaded = Load(file, writeBehind_.count() > 0 ? Check::kOncePerEvent : Check::kFresh);
    if (loaded.status == FileReadStatus::kFailed) {
        NoteOutcome(file, false, kUnreadable);
        return false;  // never replace what could not be read
    }
    const bool deleting = !edit.key || !edit.value;
    if (loaded.status == FileReadStatus::kMissing && deleting)
        return true;  // nothing to delete

    const IniDocument empty{std::string()};
    const IniDocument& document = loaded.document ? *loaded.document : empty;
    std::optional<std::string> updated = Applied(document, edit);
    if (!updated)
        return false;
    if (loaded.status == FileReadStatus::kRead && *updated == document.Bytes())
        return true;

    if (writeBehind_.count() <= 0) {
        if (!MayReplace())
            return false;
        cache_.erase(file.native());
        ForgetIdentity(file);
        auto written = std::make_shared<const IniDocument>(std::move(*updated));
        const bool saved = files_->Replace(file, written->Bytes());
        NoteOutcome(file, saved, kNotReplaced);
        if (!saved)
            return false;
        KeepWritten(file, std::move(written));
        return true;
    }
    auto [it, added] = unsaved_.try_emplace(file.native());
    Unsaved& unsaved = it->second;
    if (added) {
        // The base is the file as just loaded; a missing file stays missing until the first flush.
        unsaved.base = Identify(file, Check::kOncePerEvent);  // as checked by the load just above
        unsaved.since = clock_();
        cache_.erase(file.native());
    }
    AddEdit(unsaved.edits, std::move(edit));
    unsaved.document = std::make_shared<const IniDocument>(std::move(*updated));
    return true;
}

std::optional<std::string> IniStore::Applied(const IniDocument& document, const Edit& edit) {
    const IniEncoding encoding = document.Encoding();
    const std::string* storedSection = StoredName(edit.section, encoding);
    const std::string* storedKey = edit.key ? StoredName(*edit.key, encoding) : nullptr;
    const std::optional<std::string> storedValue = edit.value ? EncodeIniText(*edit.value, encoding) : std::nullopt;
    if (!storedSection || (edit.key && !storedKey) || (edit.value && !storedValue))
        return std::nullopt;
    if (!edit.key)
        return document.WithoutSection(*storedSection);
    if (!edit.value)
        return document.WithoutKey(*storedSection, *storedKey);
    return document.WithValue(*storedSection, *storedKey, *storedValue);
}

}  // namespace quorell
