#pragma once

#include <functional>

namespace quorell {

// The system asking the program to end: SIGTERM, SIGINT or SIGHUP on Linux (the session ending,
// Ctrl+C); console close, log off or shutdown on Windows. The program then saves everything and ends
// at once, without asking.
class TerminationPort {
public:
    virtual ~TerminationPort() = default;
    // From now on, calls `onRequest` once per request. It runs on a thread of the back end, never inside
    // a signal handler, so it must only hand the request over to the user-interface thread (a queued call).
    // Returns false when the platform could not install the notification.
    virtual bool Watch(std::function<void()> onRequest) = 0;
};

}  // namespace quorell
