#include "app/program_store.h"

#include <cstdio>

namespace quorell {

std::unique_ptr<IniStore> MakeProgramStore(std::unique_ptr<FileAccess> files, std::unique_ptr<GbkCodec> gbk,
                                           IniStore::Clock clock) {
    auto store = std::make_unique<IniStore>(std::move(files), std::move(gbk), std::move(clock));
    store->SetWriteBehind(kHistoryWriteBehind);
    // The program has no window for this: a file that stops being saved is told on standard error,
    // once per streak, so whoever looks (a terminal, the session's log) learns which file and why.
    store->SetFailureReport([](const std::filesystem::path& file, const std::string& reason) {
        const std::u8string name = file.u8string();
        std::fprintf(stderr, "quorell: cannot save %.*s (%s)\n", static_cast<int>(name.size()),
                     reinterpret_cast<const char*>(name.data()), reason.c_str());
        std::fflush(stderr);
    });
    return store;
}

}  // namespace quorell
