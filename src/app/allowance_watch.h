#pragma once

#include <cstdint>
#include <string>

#include "app/alert_settings.h"
#include "app/settings_file.h"
#include "runtime/date_time.h"
#include "runtime/ini_file.h"
#include "sampling/network_types.h"

namespace quorell {

class MainWindowLogic;

// "12 MB" below 1024 MB, "2.0 GB" from there on (tenths cut, never rounded up).
std::string AllowanceAmountText(std::int64_t megabytes);
// Whole MB of `k` K (1280 bytes each), cut; a negative amount counts 0.
std::int64_t MegabytesOfK(std::int64_t k);

inline constexpr const char* kAllowanceNoticeTitle = "流量提醒";

// The monthly allowance on the network monitors' ticks: each tick's K goes into its traffic file's
// period ("本期"), whether an allowance is set or not, so that one set mid-month shows the truth. While
// one is set, the tray tip carries "本期已用 <used> / <allowance>", and the user is told once per period
// at 80 % and at 100 % of it; which of them was given is kept in "本期提醒" of "接收.FDB", so a restart in
// the same period does not repeat them.
class AllowanceWatch {
public:
    // The files and the logic must outlive the watch.
    AllowanceWatch(const SettingsFile& settings, IniFile receiveFile, IniFile sendFile, MainWindowLogic& logic)
        : settings_(settings), receiveFile_(std::move(receiveFile)), sendFile_(std::move(sendFile)), logic_(logic) {}

    // Reads the allowance and the settlement day from the settings, at the start and after every store of
    // them; a changed allowance forgets the notices given, so the new one is told about from where it is.
    void Reload();

    // One tick of a network monitor: its K, and the tick's reading of the clock.
    void OnNetworkTick(Direction direction, std::int64_t k, DateTime now);

    // The period's traffic in K: received plus sent, each counted only while its file is in the period
    // that "接收.FDB" is in (the two files start a new period on their own ticks).
    std::int64_t UsedK() const;

private:
    void ShowUsage();
    void NoticeShare(std::int64_t usedK);

    const SettingsFile& settings_;
    IniFile receiveFile_;
    IniFile sendFile_;
    MainWindowLogic& logic_;
    AlertSettings alerts_;
    bool loaded_ = false;
};

}  // namespace quorell
