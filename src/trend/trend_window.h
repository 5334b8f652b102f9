#pragma once

#include "ui_model/window.h"
#include "history/history_files.h"
#include "sampling/network_types.h"

namespace quorell {

// The CPU and memory pages of the trend window.
enum class UsagePage { Cpu, Memory };

// The trend statistics window's logic on its model window: it fills the charts and labels of the four
// pages from the history files, reading everything afresh on every refresh and writing nothing.
// Bind OnCreated to the window's created event, OnTrafficTimer to "时钟_统计流量" (1000 ms) and
// OnBaseTimer to "时钟_统计基础" (30000 ms). The window must outlive the object.
class TrendStatistics {
public:
    TrendStatistics(Window& window, HistoryFiles files);

    // The two charts of the CPU page ("Cpu.FDB") or of the memory page ("内存.FDB").
    void RefreshUsagePage(UsagePage page);
    // The two charts and eight labels of the receive page ("接收.FDB") or the send page ("发送.FDB").
    void RefreshTrafficPage(Direction direction);

    // Every page, in the order CPU, memory, receive, send.
    void OnCreated();
    // The receive page, then the send page.
    void OnTrafficTimer();
    // The CPU page, then the memory page.
    void OnBaseTimer();

private:
    Window& window_;
    HistoryFiles files_;
};

}  // namespace quorell
