#include "support/sampled_table.h"

#include <gtest/gtest.h>

#include "sampling/network_sampler.h"
#include "support/fake_counters.h"

namespace quorell {

std::vector<NetworkInterface> RowsAfterOneRefresh(InterfaceTablePort& interfaces) {
    FakePlatformVersion version;
    NetworkSampler sampler(interfaces, version);
    sampler.RefreshInterfaceTable();
    const std::vector<NetworkInterface>& rows = sampler.Table().rows;
    EXPECT_FALSE(rows.empty());
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_LT(rows[i - 1].index, rows[i].index);
    }
    return rows;
}

}  // namespace quorell
