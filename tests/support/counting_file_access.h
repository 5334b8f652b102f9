#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "platform/system_files.h"
#include "runtime/file_access.h"

namespace quorell::testing {

// The real file access, counting how often a file is read whole and how often its identity is looked up.
//
// Its file identities are faked so that a test never sleeps for timestamps to age: a version of a file
// (its inode and its bytes) is stamped with the time of a fake clock at which it was first seen, and that
// clock moves only when the test calls LetSettle. So a file stays unsettled until the test lets time
// pass, and every edit, however quick, shows as a new identity. The file system's own timestamps are the
// real back end's concern and are tested with it.
class CountingFileAccess final : public FileAccess {
public:
    int reads = 0;
    int identifies = 0;

    // Lets enough time pass for `files` as they are now (and every version seen so far) to be settled.
    void LetSettle(std::initializer_list<std::filesystem::path> files) {
        for (const std::filesystem::path& file : files) {
            if (const std::optional<FileIdentity> real = real_->Identify(file)) {
                Faked(*real, real_->Read(file).bytes);
            }
        }
        fakeNowNs_ += kFileSettleNs;
    }

    FileSnapshot Read(const std::filesystem::path& file) override {
        ++reads;
        FileSnapshot snapshot = real_->Read(file);
        if (snapshot.status == FileReadStatus::kRead) {
            snapshot.identity = Faked(snapshot.identity, snapshot.bytes);
            snapshot.settled = Settled(snapshot.identity);
        }
        return snapshot;
    }
    std::optional<FileIdentity> Identify(const std::filesystem::path& file) override {
        ++identifies;
        const std::optional<FileIdentity> real = real_->Identify(file);
        if (!real) {
            return std::nullopt;
        }
        return Faked(*real, real_->Read(file).bytes);
    }
    bool Settled(const FileIdentity& identity) override {
        return fakeNowNs_ - std::max(identity.modifiedNs, identity.changedNs) >= kFileSettleNs;
    }
    bool Replace(const std::filesystem::path& file, std::string_view bytes) override {
        return real_->Replace(file, bytes);
    }

private:
    FileIdentity Faked(FileIdentity identity, const std::string& bytes) {
        const auto version = std::make_tuple(identity.device, identity.inode, bytes);
        const auto [seen, added] = firstSeenNs_.try_emplace(version, fakeNowNs_);
        identity.size = bytes.size();
        identity.modifiedNs = identity.changedNs = seen->second;
        // Two versions first seen at the same fake moment still differ by what they hold.
        identity.device = std::hash<std::string>{}(bytes);
        return identity;
    }

    std::unique_ptr<FileAccess> real_ = MakeSystemFileAccess();
    std::int64_t fakeNowNs_ = 1'000'000'000'000;
    std::map<std::tuple<std::uint64_t, std::uint64_t, std::string>, std::int64_t> firstSeenNs_;
};

}  // namespace quorell::testing
