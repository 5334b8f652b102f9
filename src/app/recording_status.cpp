#include "app/recording_status.h"

#include <utility>

namespace quorell {

namespace {

constexpr const char* kStoppedTitle = "Quorell 停止记录";
constexpr const char* kPausedTitle = "Quorell 暂停记录";

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {reinterpret_cast<const char*>(text.data()), text.size()};
}

}  // namespace

RecordingNotice SaveFailedNotice(const std::filesystem::path& file, const std::string& reason) {
    return {kStoppedTitle, "无法保存 " + Utf8(file) + " (" + reason + ")。能保存时会补存。",
            "未保存: " + Utf8(file.filename())};
}

RecordingNotice LockUnavailableNotice(const std::filesystem::path& directory, const std::string& reason) {
    return {kStoppedTitle, "无法锁定 " + Utf8(directory) + " (" + reason + "),本次运行不保存记录和设置。",
            "未记录: 无法锁定文件夹"};
}

RecordingNotice LockLostNotice(const std::filesystem::path& directory, const std::string& reason) {
    return {kPausedTitle, "失去了 " + Utf8(directory) + " 的锁且无法重新锁定 (" + reason + "),能锁定前不保存。",
            "暂停保存: 文件夹的锁已失去"};
}

RecordingNotice TakenByAnotherNotice(const std::filesystem::path& directory) {
    return {kStoppedTitle, "另一个 Quorell 正在 " + Utf8(directory) + " 记录,本程序停止记录,文件留给它。",
            "未记录: 另一个 Quorell 在记录"};
}

void RecordingStatus::Stop(Cause cause, RecordingNotice notice) {
    // The first stop of a streak stays; only a stop for good replaces a passing one.
    if (current_ && (cause_ == Cause::kForGood || cause != Cause::kForGood)) {
        return;
    }
    current_ = std::move(notice);
    cause_ = cause;
    shown_ = false;
    Changed();
}

void RecordingStatus::Resume(Cause cause) {
    if (!current_ || cause_ != cause || cause == Cause::kForGood) {
        return;
    }
    current_.reset();
    Changed();
}

std::optional<RecordingNotice> RecordingStatus::TakeUnshown() {
    if (!current_ || std::exchange(shown_, true)) {
        return std::nullopt;
    }
    return current_;
}

void RecordingStatus::Changed() const {
    if (listener_) {
        listener_();
    }
}

}  // namespace quorell
