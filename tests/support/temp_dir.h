#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorell::testing {

// A path from UTF-8 text and back. A plain std::string would be taken in the ANSI code page on Windows.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// A fresh, empty directory for one test, removed with everything in it when the object goes away.
class TempDir {
public:
    TempDir();
    // Under `base` instead of the system's temporary directory.
    explicit TempDir(const std::filesystem::path& base);
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    const std::filesystem::path& Path() const { return path_; }
    // The path of `name` (UTF-8) inside the directory (nothing is created).
    std::filesystem::path File(std::string_view name) const { return path_ / PathFromUtf8(name); }
    // The names of the entries in the directory, sorted, in UTF-8.
    std::string Listing() const;

private:
    std::filesystem::path path_;
};

// A directory held in memory (/dev/shm) when the system has one, else the temporary directory: for tests
// that replace files thousands of times, each replacement flushed to stable storage.
std::filesystem::path FastTempBase();

// The exact bytes of a file; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& file);
// Creates or truncates the file and writes exactly these bytes; fails the test when it cannot.
void WriteFileBytes(const std::filesystem::path& file, std::string_view bytes);

}  // namespace quorell::testing
