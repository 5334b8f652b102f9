#include "runtime/ini_file.h"

#include "runtime/ini_store.h"

namespace quorell {

std::string IniFile::Read(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    return store_->Read(path_, section, key, defaultValue);
}

bool IniFile::Write(std::string_view section, std::optional<std::string_view> key,
                    std::optional<std::string_view> value) const {
    return store_->Write(path_, section, key, value);
}

}  // namespace quorell
