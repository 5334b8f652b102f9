#include <gtest/gtest.h>

#include <filesystem>

#include "platform/linux/link_dump.h"

namespace quorell {
namespace {

int OpenDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

std::vector<std::int32_t> Indexes(const std::vector<NetworkInterface>& links) {
    std::vector<std::int32_t> indexes;
    for (const NetworkInterface& link : links)
        indexes.push_back(link.index);
    return indexes;
}

// One socket serves every dump, of links and of routes in between: each is whole (the same interfaces as a dump over a fresh socket),
// none mixes in parts of another, counters only grow, and no descriptor is left behind.
TEST(LinkDumper, DumpsOverOneSocketMatchFreshDumpsAndLeakNothing) {
    const auto fresh = DumpLinks();
    ASSERT_TRUE(fresh);
    LinkDumper dumper;
    auto previous = dumper.Dump();
    ASSERT_TRUE(previous);
    const int descriptors = OpenDescriptors();
    for (int i = 0; i < 200; ++i) {
        const auto links = dumper.Dump();
        ASSERT_TRUE(links) << i;
        ASSERT_EQ(Indexes(*links), Indexes(*fresh)) << i;
        for (std::size_t k = 0; k < links->size(); ++k) {
            EXPECT_EQ((*links)[k].name, (*fresh)[k].name);
            EXPECT_GE((*links)[k].receivedBytes, (*previous)[k].receivedBytes);
            EXPECT_GE((*links)[k].sentBytes, (*previous)[k].sentBytes);
        }
        previous = links;
        if (i % 10 == 0) {
            ASSERT_TRUE(dumper.DumpDefaultRoutes()) << i;
        }
    }
    EXPECT_EQ(OpenDescriptors(), descriptors);
}

}  // namespace
}  // namespace quorell
