#include "platform/windows/termination_windows.h"

#include <windows.h>

#include <mutex>
#include <utility>

#include "platform/windows/unique_handle.h"

namespace quorell {
namespace {

// Longer than any grace time Windows gives (5 s for a closing console, 20 s at shutdown): the
// process is ended by then in any case.
constexpr DWORD kEndingWaitMs = 30000;

struct Watcher {
    std::mutex mutex;
    std::function<void()> onRequest;
    UniqueHandle ended;  // set once the program has saved and is ending
};

Watcher& TheWatcher() {
    static Watcher watcher;
    return watcher;
}

bool EndsProcessOnReturn(DWORD event) {
    return event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT;
}

BOOL WINAPI OnConsoleEvent(DWORD event) {
    Watcher& watcher = TheWatcher();
    std::function<void()> onRequest;
    HANDLE ended = nullptr;
    {
        std::lock_guard lock(watcher.mutex);
        onRequest = watcher.onRequest;
        ended = watcher.ended.Get();
    }
    if (!onRequest) {
        return FALSE;  // the default handling: the process ends
    }
    onRequest();
    if (EndsProcessOnReturn(event)) {
        ::WaitForSingleObject(ended, kEndingWaitMs);
    }
    return TRUE;
}

}  // namespace

bool WindowsTermination::Watch(std::function<void()> onRequest) {
    if (watching_) {
        return false;
    }
    Watcher& watcher = TheWatcher();
    {
        std::lock_guard lock(watcher.mutex);
        // The event is made once and kept: a handler of an earlier watch may still be waiting on it.
        if (!watcher.ended.Valid()) {
            watcher.ended = UniqueHandle(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        }
        if (!watcher.ended.Valid() || !::ResetEvent(watcher.ended.Get())) {
            return false;
        }
        watcher.onRequest = std::move(onRequest);
    }
    if (!::SetConsoleCtrlHandler(OnConsoleEvent, TRUE)) {
        std::lock_guard lock(watcher.mutex);
        watcher.onRequest = nullptr;
        return false;
    }
    watching_ = true;
    return true;
}

WindowsTermination::~WindowsTermination() {
    if (!watching_) {
        return;
    }
    ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    Watcher& watcher = TheWatcher();
    std::lock_guard lock(watcher.mutex);
    watcher.onRequest = nullptr;
    // A handler waiting for the end may return now.
    ::SetEvent(watcher.ended.Get());
}

}  // namespace quorell
