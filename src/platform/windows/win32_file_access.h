#pragma once

#include <cstdint>
#include <functional>
#include <random>

#include "runtime/file_access.h"

namespace quorell {

// The calls that can fail while a file is replaced, so that a test can make them fail the way a full
// disk, a virus scanner holding the file open or a broken rename does. Each returns 0 or the Win32
// error code.
struct Win32WriteCalls {
    std::function<std::uint32_t(void* file, const void* data, std::uint32_t size, std::uint32_t& written)> write;
    std::function<std::uint32_t(void* file)> flush;
    // Puts `from` in the place of `to` (MoveFileExW, replacing, written through to the disk).
    std::function<std::uint32_t(const wchar_t* from, const wchar_t* to)> move;
    std::function<void(std::uint32_t milliseconds)> sleep;

    static Win32WriteCalls System();
};

// Whole-file reads and atomic replacement with wide paths: the bytes go to a temporary file in the
// same folder (written, flushed to the disk with FlushFileBuffers), which then takes the file's place
// by MoveFileExW. Virus scanners and indexers open files for a moment, sometimes without letting
// others share them, so a read or a move that meets such a sharing conflict is retried briefly.
class Win32FileAccess final : public FileAccess {
public:
    explicit Win32FileAccess(Win32WriteCalls calls = Win32WriteCalls::System());

    FileSnapshot Read(const std::filesystem::path& file) override;
    std::optional<FileIdentity> Identify(const std::filesystem::path& file) override;
    bool Replace(const std::filesystem::path& file, std::string_view bytes) override;

    // The waits between attempts after a sharing conflict, in milliseconds (about a third of a second in all).
    static constexpr std::uint32_t kRetryWaitsMs[] = {10, 20, 40, 80, 150};

private:
    Win32WriteCalls calls_;
    std::mt19937_64 tempNames_;
};

}  // namespace quorell
