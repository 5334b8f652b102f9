#include "history/history_files.h"

#include <string>

namespace quorell {

std::filesystem::path HistoryFilePath(const std::filesystem::path& runDirectory, std::string_view fileName) {
    // The names are UTF-8 in the program; char8_t makes the path convert them to the native encoding.
    const std::u8string utf8Name(fileName.begin(), fileName.end());
    return runDirectory / std::filesystem::path(utf8Name);
}

HistoryFiles HistoryFilesIn(const std::filesystem::path& runDirectory) {
    return HistoryFiles{
        HistoryFilePath(runDirectory, kCpuHistoryFileName),
        HistoryFilePath(runDirectory, kMemoryHistoryFileName),
        HistoryFilePath(runDirectory, kReceiveHistoryFileName),
        HistoryFilePath(runDirectory, kSendHistoryFileName),
    };
}

}  // namespace quorell
