#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/run_lock_port.h"
#include "platform/show_request_port.h"
#include "platform/termination_port.h"

namespace quorell::testing {

// A run lock whose outcome the test sets.
class FakeRunLock final : public RunLockPort {
public:
    explicit FakeRunLock(Outcome outcome) : outcome_(outcome) {}
    Outcome TryLock(const std::filesystem::path&) override { return outcome_; }
    std::string Reason() const override { return "no locks here"; }
    bool StillHeld() override { return outcome_ == Outcome::kHeld; }

private:
    Outcome outcome_;
};

// The system's termination request, kept where the test raises it (the port itself ends with the run).
class FakeTermination final : public TerminationPort {
public:
    explicit FakeTermination(std::function<void()>& request) : request_(request) {}
    bool Watch(std::function<void()> onRequest) override {
        request_ = std::move(onRequest);
        return true;
    }

private:
    std::function<void()>& request_;
};

// What a later start's channel saw, kept by the test beyond the run.
struct ShowRequestRecord {
    bool runningCopyAnswers = false;  // the running copy's answer to a later start
    std::optional<std::filesystem::path> listenedIn;
    std::optional<std::filesystem::path> askedIn;
    ShowRequestPort::OnRequest request;  // the listener's
};

class FakeShowRequests final : public ShowRequestPort {
public:
    explicit FakeShowRequests(ShowRequestRecord& record) : record_(record) {}
    bool Listen(const std::filesystem::path& runDirectory, OnRequest onRequest) override {
        record_.listenedIn = runDirectory;
        record_.request = std::move(onRequest);
        return true;
    }
    bool AskRunningCopy(const std::filesystem::path& runDirectory, std::chrono::milliseconds) override {
        record_.askedIn = runDirectory;
        return record_.runningCopyAnswers;
    }

private:
    ShowRequestRecord& record_;
};

}  // namespace quorell::testing
