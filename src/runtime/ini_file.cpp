#include "runtime/ini_file.h"

#include "runtime/ini_store.h"

namespace quorell {

std::string ReadIni(const std::filesystem::path& file, std::string_view section, std::string_view key,
                    std::string_view defaultValue) {
    return DefaultIniStore().Read(file, section, key, defaultValue);
}

bool WriteIni(const std::filesystem::path& file, std::string_view section, std::optional<std::string_view> key,
              std::optional<std::string_view> value) {
    return DefaultIniStore().Write(file, section, key, value);
}

void SetIniWriteBehind(std::chrono::milliseconds delay) {
    DefaultIniStore().SetWriteBehind(delay);
}

bool FlushIniWrites() {
    return DefaultIniStore().Flush();
}

}  // namespace quorell
