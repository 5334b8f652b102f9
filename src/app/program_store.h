#pragma once

#include <chrono>
#include <memory>

#include "app/recording_status.h"
#include "runtime/file_access.h"
#include "runtime/ini_store.h"
#include "runtime/text_codec.h"

namespace quorell {

// The monitors write some thirty keys a second into their history files; each file is replaced at most
// this often, between two events. A crash loses at most these last seconds of samples, never a file.
// The settings file is saved at every change.
inline constexpr std::chrono::seconds kHistoryWriteBehind{15};

// The INI store of a running program over the platform's file access and GBK codec, with the program's
// save policy. `clock` (the steady clock when empty) times the write-behind.
std::unique_ptr<IniStore> MakeProgramStore(std::unique_ptr<FileAccess> files, std::unique_ptr<GbkCodec> gbk,
                                           IniStore::Clock clock = {});

}  // namespace quorell

namespace quorell {

// Besides standard error, the first failed save of a streak stops recording in `status` until every file
// is saved again. `status` must outlive the store.
void ReportSavesTo(IniStore& store, RecordingStatus& status);

}  // namespace quorell
