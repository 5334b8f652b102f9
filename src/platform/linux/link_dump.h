#pragma once

#include <optional>
#include <vector>

#include "platform/linux/link_message.h"

namespace quorell {

// Every interface of the calling thread's network namespace, by one RTM_GETLINK dump over a fresh
// rtnetlink socket, in the order the kernel sent them. Nothing when the socket, the request or the
// answer fails, or when the kernel reports that the dump was interrupted by a change of the table.
std::optional<std::vector<LinkMessage>> DumpLinks();

}  // namespace quorell
