#pragma once

#include <filesystem>
#include <optional>

namespace quorell {

// Whether `folder` is a directory (not a link to one) that only this user may enter: owned by the
// effective user, mode 0700.
bool IsPrivateFolder(const std::filesystem::path& folder);

// The folder for the user's private sockets: `runtimeFolder` ($XDG_RUNTIME_DIR) when it is private;
// else "quorell-<uid>" in `sharedBase` (the temporary directory), made with mode 0700. An entry of
// ours there that is not private (a wider mode, a link, a file) is replaced; one of another user's is
// refused: nothing when no private folder can be had.
std::optional<std::filesystem::path> PrivateSocketFolder(const std::filesystem::path& runtimeFolder,
                                                         const std::filesystem::path& sharedBase);

}  // namespace quorell
