#pragma once

#include <memory>

#include "platform/system_files.h"
#include "runtime/ini_store.h"

namespace quorell::testing {

// An INI store over this platform's files and GBK codec, as the program's, but writing at once.
class SystemIniStore final : public IniStore {
public:
    SystemIniStore() : IniStore(MakeSystemFileAccess(), MakeSystemGbkCodec()) {}
};

// This platform's GBK conversion, for tests that read or write a file's bytes themselves.
inline const GbkCodec& SystemGbk() {
    static const std::unique_ptr<GbkCodec> codec = MakeSystemGbkCodec();
    return *codec;
}

}  // namespace quorell::testing
