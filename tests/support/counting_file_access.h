#pragma once

#include "runtime/file_access.h"

namespace quorell::testing {

// The real file access, counting how often a file is read whole and how often its identity is looked up.
class CountingFileAccess final : public FileAccess {
public:
    int reads = 0;
    int identifies = 0;

    FileSnapshot Read(const std::filesystem::path& file) override {
        ++reads;
        return real_->Read(file);
    }
    std::optional<FileIdentity> Identify(const std::filesystem::path& file) override {
        ++identifies;
        return real_->Identify(file);
    }
    bool Replace(const std::filesystem::path& file, std::string_view bytes) override {
        return real_->Replace(file, bytes);
    }

private:
    std::unique_ptr<FileAccess> real_ = MakeSystemFileAccess();
};

}  // namespace quorell::testing
