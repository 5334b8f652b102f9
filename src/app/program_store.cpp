#include "app/program_store.h"

#include <cstdio>

namespace quorell {

namespace {

void TellSaveFailure(const std::filesystem::path& file, const std::string& reason) {
    const std::u8string name = file.u8string();
    std::fprintf(stderr, "quorell: cannot save %.*s (%s)\n", static_cast<int>(name.size()),
                 reinterpret_cast<const char*>(name.data()), reason.c_str());
    std::fflush(stderr);
}

}  // namespace

std::unique_ptr<IniStore> MakeProgramStore(std::unique_ptr<FileAccess> files, std::unique_ptr<GbkCodec> gbk,
                                           IniStore::Clock clock) {
    auto store = std::make_unique<IniStore>(std::move(files), std::move(gbk), std::move(clock));
    store->SetWriteBehind(kHistoryWriteBehind);
    // A file that stops being saved is told on standard error, once per streak, so whoever looks (a
    // terminal, the session's log) learns which file and why.
    store->SetFailureReport(TellSaveFailure);
    return store;
}

void ReportSavesTo(IniStore& store, RecordingStatus& status) {
    store.SetFailureReport([&status](const std::filesystem::path& file, const std::string& reason) {
        TellSaveFailure(file, reason);
        status.Stop(RecordingStatus::Cause::kSaving, SaveFailedNotice(file, reason));
    });
    store.SetRecoveryReport([&status] { status.Resume(RecordingStatus::Cause::kSaving); });
}

}  // namespace quorell
