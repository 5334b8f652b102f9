#include "history/history_files.h"

#include <string>

namespace quorell {

std::filesystem::path HistoryFilePath(const std::filesystem::path& runDirectory, std::string_view fileName) {
    // The names are UTF-8 in the program; char8_t makes the path convert them to the native encoding.
    const std::u8string utf8Name(fileName.begin(), fileName.end());
    return runDirectory / std::filesystem::path(utf8Name);
}

HistoryFiles HistoryFilesIn(IniStore& store, const std::filesystem::path& runDirectory) {
    return HistoryFiles{
        IniFile(store, HistoryFilePath(runDirectory, kCpuHistoryFileName)),
        IniFile(store, HistoryFilePath(runDirectory, kMemoryHistoryFileName)),
        IniFile(store, HistoryFilePath(runDirectory, kReceiveHistoryFileName)),
        IniFile(store, HistoryFilePath(runDirectory, kSendHistoryFileName)),
    };
}

}  // namespace quorell
