#pragma once

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace quorell {

// A directory of its own for one benchmark, removed afterwards. QUORELL_BENCH_DIR chooses where it is
// made (for example /dev/shm, to leave the disk out of the figures).
class BenchDirectory {
public:
    BenchDirectory() {
        const char* base = std::getenv("QUORELL_BENCH_DIR");
        std::mt19937_64 random(std::random_device{}());
        path_ = (base ? std::filesystem::path(base) : std::filesystem::temp_directory_path()) /
                ("quorell-bench-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    BenchDirectory(const BenchDirectory&) = delete;
    BenchDirectory& operator=(const BenchDirectory&) = delete;
    ~BenchDirectory() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path File(const char* name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace quorell
