#pragma once

#include <memory>

#include "runtime/file_access.h"
#include "runtime/text_codec.h"

namespace quorell {

// What the INI store needs of the operating system, made by the back end that is built.

// The file access of this platform, writing through to stable storage before each replacement.
std::unique_ptr<FileAccess> MakeSystemFileAccess();

// The GBK conversion of this platform.
std::unique_ptr<GbkCodec> MakeSystemGbkCodec();

}  // namespace quorell
