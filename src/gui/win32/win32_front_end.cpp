#include "gui/win32/win32_front_end.h"

#include "gui/win32/show_requests_win32.h"

namespace quorell::gui {

Win32FrontEnd::Win32FrontEnd(HINSTANCE instance)
    : uiThread_(::GetCurrentThreadId()),
      context_(instance),
      // Untitled, so that no later start finds it before this copy records into its run directory.
      programWindow_(instance, L""),
      desktop_([this](WindowKind kind) -> Window& { return windows_(kind); }, context_, programWindow_) {
    programWindow_.SetRequests({.end = {}, .endSession = {}, .runPosted = [this] { RunPosted(); }});
}

Win32FrontEnd::~Win32FrontEnd() {
    Detach();
}

std::unique_ptr<ShowRequestPort> Win32FrontEnd::OwnShowRequests() {
    return std::make_unique<WindowShowRequests>(programWindow_);
}

void Win32FrontEnd::Attach(EventDispatch& dispatch, WindowLookup windows) {
    windows_ = std::move(windows);
    context_.SetDispatch(&dispatch);
    attached_ = true;
}

void Win32FrontEnd::MakeViews() {
    views_ = std::make_unique<ViewSet>(windows_, context_);
    desktop_.AttachViews(views_.get());
}

void Win32FrontEnd::WatchSystemRequests(SystemRequests requests) {
    requests_ = requests;
    programWindow_.SetRequests({
        .end = std::move(requests.end),
        .endSession = std::move(requests.endSession),
        .runPosted = [this] { RunPosted(); },
    });
}

// Each message is offered to the views first; before the loop waits, whatever batch of timer ticks is
// still open ends. Returns the code that WM_QUIT carries, or the run's exit code once it is set.
// A WM_CLOSE taken from the queue was posted by another program (taskkill, a task manager's "end task"),
// which posts it to every top-level window of the program in an order of its own: it ends the run at
// once, saved, so that no window handles it as the user's close first. The user's own close (the close
// box, Alt+F4, the system menu) sends WM_CLOSE through WM_SYSCOMMAND and never passes through here.
int Win32FrontEnd::RunLoop() {
    MSG message{};
    for (;;) {
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                return static_cast<int>(message.wParam);
            }
            if (message.message == WM_CLOSE) {
                if (requests_.end) {
                    requests_.end();
                }
                continue;
            }
            if (views_ == nullptr || !views_->PreTranslate(message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
            // A run ended inside a modal loop whose end took the quit message with it.
            if (desktop_.ExitCode()) {
                return *desktop_.ExitCode();
            }
        }
        context_.Idle();
        ::WaitMessage();
    }
}

void Win32FrontEnd::RunOnUiThread(std::function<void()> work) {
    if (::GetCurrentThreadId() == uiThread_) {
        if (attached_) {
            work();
        }
        return;
    }
    {
        std::lock_guard lock(postedMutex_);
        posted_.push_back(std::move(work));
    }
    // A message to a window that is gone by then is dropped, and the work with it.
    ::PostMessageW(programWindow_.Handle(), kRunPostedMessage, 0, 0);
}

void Win32FrontEnd::RunPosted() {
    std::vector<std::function<void()>> waiting;
    {
        std::lock_guard lock(postedMutex_);
        waiting.swap(posted_);
    }
    for (const auto& work : waiting) {
        if (attached_) {
            work();
        }
    }
}

void Win32FrontEnd::RaiseMainWindow() {
    if (views_) {
        const HWND main = views_->Handle(WindowKind::Main);
        if (::IsIconic(main)) {
            ::ShowWindow(main, SW_RESTORE);
        }
        ::SetForegroundWindow(main);
    }
}

void Win32FrontEnd::Detach() {
    attached_ = false;
    requests_ = {};
    programWindow_.SetRequests({.end = {}, .endSession = {}, .runPosted = [this] { RunPosted(); }});
    desktop_.AttachViews(nullptr);
    views_.reset();
    context_.SetDispatch(nullptr);
}

}  // namespace quorell::gui
