#pragma once

#include "platform/system_files.h"
#include "runtime/file_access.h"

namespace quorell::testing {

// The real file access, with switches that make reads or replacements fail, counting replacements.
class SwitchableFileAccess final : public FileAccess {
public:
    bool failReads = false;
    bool failReplace = false;
    int replacements = 0;

    FileSnapshot Read(const std::filesystem::path& file) override {
        if (failReads)
            return FileSnapshot{FileReadStatus::kFailed, {}, {}, false};
        return real_->Read(file);
    }
    std::optional<FileIdentity> Identify(const std::filesystem::path& file) override { return real_->Identify(file); }
    bool Replace(const std::filesystem::path& file, std::string_view bytes) override {
        ++replacements;
        return !failReplace && real_->Replace(file, bytes);
    }

private:
    std::unique_ptr<FileAccess> real_ = MakeSystemFileAccess();
};

}  // namespace quorell::testing
