#pragma once

#include <functional>

#include "platform/termination_port.h"

namespace quorell {

// Console control events: Ctrl+C, Ctrl+Break, the console window closing, log off and shutdown. Windows
// runs the handler on a thread of its own, which reports the request. For the last three, Windows ends
// the process as soon as the handler returns, so the handler waits until this object goes away (the
// program has saved and is ending) or Windows' own grace time runs out. One instance per process.
class WindowsTermination final : public TerminationPort {
public:
    WindowsTermination() = default;
    ~WindowsTermination() override;
    WindowsTermination(const WindowsTermination&) = delete;
    WindowsTermination& operator=(const WindowsTermination&) = delete;

    bool Watch(std::function<void()> onRequest) override;

private:
    bool watching_ = false;
};

}  // namespace quorell
