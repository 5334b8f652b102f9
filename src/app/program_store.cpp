#include "app/program_store.h"

namespace quorell {

std::unique_ptr<IniStore> MakeProgramStore(std::unique_ptr<FileAccess> files) {
    auto store = std::make_unique<IniStore>(std::move(files));
    store->SetWriteBehind(kHistoryWriteBehind);
    return store;
}

}  // namespace quorell
