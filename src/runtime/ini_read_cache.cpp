#include "runtime/ini_read_cache.h"

#include <utility>

namespace quorell {
namespace {

// Files the program keeps parsed at once (it uses five); beyond this the copies are dropped.
constexpr std::size_t kMaxCachedFiles = 16;

}  // namespace

void IniReadCache::EndEvent() {
    if (eventDepth_ > 0 && --eventDepth_ == 0)
        eventIdentities_.clear();
}

std::optional<FileIdentity> IniReadCache::Identify(const std::filesystem::path& file, IniCheck check) {
    if (eventDepth_ == 0)
        return files_.Identify(file);
    if (check == IniCheck::kOncePerEvent) {
        if (auto it = eventIdentities_.find(file.native()); it != eventIdentities_.end())
            return it->second;
    }
    std::optional<FileIdentity> identity = files_.Identify(file);
    eventIdentities_.insert_or_assign(file.native(), identity);
    return identity;
}

void IniReadCache::ForgetIdentity(const std::filesystem::path& file) {
    eventIdentities_.erase(file.native());
}

void IniReadCache::Keep(const PathKey& name, Cached cached) {
    if (cache_.size() >= kMaxCachedFiles)
        cache_.clear();
    cache_[name] = std::move(cached);
}

void IniReadCache::KeepWritten(const std::filesystem::path& file, std::shared_ptr<const IniDocument> document) {
    cache_.erase(file.native());
    // What we just wrote is what the file holds, unless another hand changed it at once (its size shows).
    const std::optional<FileIdentity> identity = files_.Identify(file);
    if (!identity || identity->size != document->Bytes().size())
        return;
    Keep(file.native(), Cached{*identity, std::move(document), files_.Settled(*identity)});
    if (eventDepth_ > 0)
        eventIdentities_.insert_or_assign(file.native(), identity);
}

void IniReadCache::Forget() {
    cache_.clear();
    eventIdentities_.clear();
}

IniLoaded IniReadCache::Load(const std::filesystem::path& file, IniCheck check) {
    const PathKey& name = file.native();
    if (auto it = cache_.find(name); it != cache_.end()) {
        Cached& cached = it->second;
        // Within the event that wrote the copy, the write was the event's look at the file.
        const bool seenThisEvent = check == IniCheck::kOncePerEvent && eventIdentities_.contains(name);
        const std::optional<FileIdentity> identity = Identify(file, check);
        if (identity && *identity == cached.identity) {
            cached.settled = cached.settled || files_.Settled(*identity);
            if (cached.settled || seenThisEvent)
                return {FileReadStatus::kRead, cached.document};
        }
        cache_.erase(it);
    }
    FileSnapshot snapshot = files_.Read(file);
    // What was just read is what the file is now (a missing or unreadable file is checked again).
    ForgetIdentity(file);
    if (snapshot.status != FileReadStatus::kRead)
        return {snapshot.status, nullptr};
    if (eventDepth_ > 0 && snapshot.settled)
        eventIdentities_.insert_or_assign(name, snapshot.identity);
    auto document = std::make_shared<const IniDocument>(std::move(snapshot.bytes));
    if (snapshot.settled)
        Keep(name, Cached{snapshot.identity, document});
    return {FileReadStatus::kRead, document};
}

}  // namespace quorell
