#include "app/allowance_watch.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string>

#include "history/history_files.h"
#include "history/history_keys.h"
#include "runtime/value_text.h"

namespace quorell {
namespace {

constexpr std::int64_t kBytesPerK = 1280;
constexpr std::int64_t kBytesPerMb = 1024 * 1024;
// The shares of the allowance the user is told of, the highest first.
constexpr std::array<int, 2> kNoticeShares = {100, 80};

bool Reached(std::int64_t usedK, std::int64_t allowanceMb, int percent) {
    // In doubles: exact for any amount below some 70 TB, and free of overflow beyond.
    return static_cast<double>(usedK) * kBytesPerK * 100 >= static_cast<double>(allowanceMb) * kBytesPerMb * percent;
}

// Whole MB of `k` K (1280 bytes each), cut; a negative amount counts 0.
std::int64_t MegabytesOfK(std::int64_t k) {
    if (k <= 0) {
        return 0;
    }
    // 1280 / 1048576 = 5 / 4096, split so that no product overflows.
    return k / 4096 * 5 + k % 4096 * 5 / 4096;
}

// "12 MB" below 1024 MB, "2.0 GB" from there on (tenths cut, never rounded up).
std::string AllowanceAmountText(std::int64_t megabytes) {
    char text[48];
    if (megabytes < 1024) {
        std::snprintf(text, sizeof text, "%lld MB", static_cast<long long>(megabytes));
    } else {
        const long long tenths = megabytes / 1024 * 10 + megabytes % 1024 * 10 / 1024;
        std::snprintf(text, sizeof text, "%lld.%lld GB", tenths / 10, tenths % 10);
    }
    return text;
}

}  // namespace

void AllowanceWatch::Reload(const AlertSettings& alerts) {
    if (loaded_ && alerts.allowanceMb != alerts_.allowanceMb) {
        receiveFile_.Write(kOtherSection, kPeriodNoticeKey, "0");
    }
    alerts_ = alerts;
    loaded_ = true;
    periods_ = {ReadPeriodTraffic(receiveFile_), ReadPeriodTraffic(sendFile_)};
    given_.reset();
    lineCurrent_ = false;
    ShowUsage();
}

void AllowanceWatch::OnNetworkTick(Direction direction, std::int64_t k, DateTime now) {
    const PeriodTick tick =
        RecordPeriodTraffic(direction == Direction::Receive ? receiveFile_ : sendFile_, k, now, alerts_.settlementDay);
    PeriodOf(direction) = tick.period;
    if (tick.started && direction == Direction::Receive) {
        receiveFile_.Write(kOtherSection, kPeriodNoticeKey, "0");
        given_ = 0;
    }
    ShowUsage();
}

std::int64_t AllowanceWatch::UsedK() const {
    const std::optional<PeriodTraffic>& received = periods_[0];
    const std::optional<PeriodTraffic>& sent = periods_[1];
    if (!received) {
        return 0;
    }
    const std::int64_t sentK = sent && sent->start == received->start ? sent->k : 0;
    return std::max<std::int64_t>(0, SaturatingAdd(received->k, sentK));
}

void AllowanceWatch::ShowUsage() {
    if (alerts_.allowanceMb <= 0) {
        if (!lineCurrent_) {
            outlets_.showLine({});
            lineCurrent_ = true;
        }
        return;
    }
    const std::int64_t usedK = UsedK();
    const std::int64_t usedMb = MegabytesOfK(usedK);
    if (!lineCurrent_ || usedMb != shownMb_) {
        outlets_.showLine("本期已用 " + AllowanceAmountText(usedMb) + " / " + AllowanceAmountText(alerts_.allowanceMb));
        lineCurrent_ = true;
        shownMb_ = usedMb;
    }
    NoticeShare(usedK);
}

void AllowanceWatch::NoticeShare(std::int64_t usedK) {
    const auto reached = std::find_if(kNoticeShares.begin(), kNoticeShares.end(),
                                      [&](int percent) { return Reached(usedK, alerts_.allowanceMb, percent); });
    if (reached == kNoticeShares.end()) {
        return;
    }
    if (!given_) {
        given_ = ReadStoredInteger(receiveFile_, kOtherSection, kPeriodNoticeKey);
    }
    if (*given_ >= *reached) {
        return;
    }
    // Kept before it is shown: the notice and its record belong to the same event.
    receiveFile_.Write(kOtherSection, kPeriodNoticeKey, ToText(static_cast<std::int32_t>(*reached)));
    given_ = *reached;
    const std::string since = periods_[0] ? ToText(periods_[0]->start) : std::string("?");
    const std::string share = ToText(static_cast<std::int32_t>(*reached)) + "%";
    outlets_.showAlert(kAllowanceNoticeTitle,
                       "本期(自 " + since + "起)已用 " + AllowanceAmountText(MegabytesOfK(usedK)) + ",达到每月流量上限 " +
                           AllowanceAmountText(alerts_.allowanceMb) + " 的 " + share + "。",
                       "本期已用 " + share);
}

}  // namespace quorell
