// The see-through keys that the core asks for before the front end has made the windows.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "ui_model/pending_colour_keys.h"

namespace quorell {
namespace {

TEST(PendingColourKeys, EachWindowTakesTheLastKeyAskedForItOnce) {
    PendingColourKeys pending;
    pending.Hold(WindowKind::CpuMonitor, 0xECECEC);
    pending.Hold(WindowKind::SendMonitor, 0xECECEC);
    pending.Hold(WindowKind::SendMonitor, std::nullopt);  // opaque again before the window existed
    pending.Hold(WindowKind::MemoryMonitor, 0x123456);
    pending.Drop(WindowKind::MemoryMonitor);  // it took its own key meanwhile
    EXPECT_TRUE(pending.Holds(WindowKind::SendMonitor));
    EXPECT_FALSE(pending.Holds(WindowKind::MemoryMonitor));

    std::vector<std::pair<WindowKind, PendingColourKeys::Key>> applied;
    pending.Release([&](WindowKind window, PendingColourKeys::Key key) {
        applied.emplace_back(window, key);
        // A window still missing holds its key again, for the next release.
        if (window == WindowKind::CpuMonitor) {
            pending.Hold(window, key);
        }
    });
    const std::vector<std::pair<WindowKind, PendingColourKeys::Key>> expected{
        {WindowKind::CpuMonitor, 0xECECEC}, {WindowKind::SendMonitor, std::nullopt}};
    EXPECT_EQ(applied, expected);
    EXPECT_TRUE(pending.Holds(WindowKind::CpuMonitor));
    EXPECT_FALSE(pending.Holds(WindowKind::SendMonitor));
}

}  // namespace
}  // namespace quorell
