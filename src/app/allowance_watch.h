#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "app/alert_settings.h"
#include "history/allowance_period.h"
#include "runtime/date_time.h"
#include "runtime/ini_file.h"
#include "sampling/network_types.h"

namespace quorell {

inline constexpr const char* kAllowanceNoticeTitle = "流量提醒";

// The monthly allowance on the network monitors' ticks: each tick's K goes into its traffic file's
// period ("本期"), whether an allowance is set or not, so that one set mid-month shows the truth. While
// one is set, the tray tip carries "本期已用 <used> / <allowance>", and the user is told once per period
// at 80 % and at 100 % of it; which of them was given is kept in "本期提醒" of "接收.FDB", so a restart in
// the same period does not repeat them.
class AllowanceWatch {
public:
    // Where the watch's findings go; in the program, the main window logic's tip line and alerts.
    struct Outlets {
        // The tip's line (empty: none), given when what it shows may have changed.
        std::function<void(const std::string& line)> showLine;
        std::function<void(const std::string& title, const std::string& text, const std::string& line)> showAlert;
    };

    AllowanceWatch(IniFile receiveFile, IniFile sendFile, Outlets outlets)
        : receiveFile_(std::move(receiveFile)),
          sendFile_(std::move(sendFile)),
          outlets_(std::move(outlets)) {}

    // Takes the allowance and the settlement day as stored, at the start and after every store of them; a
    // changed allowance forgets the notices given, so the new one is told about from where it is.
    void Reload(const AlertSettings& alerts);

    // One tick of a network monitor: its K, and the tick's reading of the clock.
    void OnNetworkTick(Direction direction, std::int64_t k, DateTime now);

    // The period's traffic in K: received plus sent, each counted only while its file is in the period
    // that "接收.FDB" is in (the two files start a new period on their own ticks).
    std::int64_t UsedK() const;

private:
    std::optional<PeriodTraffic>& PeriodOf(Direction direction) { return periods_[direction == Direction::Send]; }
    void ShowUsage();
    void NoticeShare(std::int64_t usedK);

    IniFile receiveFile_;
    IniFile sendFile_;
    Outlets outlets_;
    AlertSettings alerts_;
    bool loaded_ = false;
    // What each file holds of its period after its last tick (receive, send): the watch is their only
    // writer, so a tick needs no read of the other direction's file.
    std::array<std::optional<PeriodTraffic>, 2> periods_;
    // The tip's line is built again only when what it shows changes.
    bool lineCurrent_ = false;
    std::int64_t shownMb_ = 0;
    // "本期提醒" as last read or written; read again after a reload.
    std::optional<std::int64_t> given_;
};

}  // namespace quorell
