#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "app/program_front_end.h"
#include "gui/win32/program_window.h"
#include "gui/win32/view_context.h"
#include "gui/win32/view_set.h"
#include "gui/win32/win32_desktop.h"

namespace quorell::gui {

// The Win32 front end of a run: the views, the desktop services, the message loop, the hidden program
// window (the system's requests, a later start's request, work handed over from other threads).
class Win32FrontEnd final : public ProgramFrontEnd {
public:
    explicit Win32FrontEnd(HINSTANCE instance);
    ~Win32FrontEnd() override;
    Win32FrontEnd(const Win32FrontEnd&) = delete;
    Win32FrontEnd& operator=(const Win32FrontEnd&) = delete;

    DesktopPort& Desktop() override { return desktop_; }
    std::unique_ptr<ShowRequestPort> OwnShowRequests() override;
    void Attach(EventDispatch& dispatch, WindowLookup windows) override;
    void MakeViews() override;
    void WatchSystemRequests(SystemRequests requests) override;
    int RunLoop() override;
    void RunOnUiThread(std::function<void()> work) override;
    void RaiseMainWindow() override;
    void Detach() override;

private:
    void RunPosted();

    DWORD uiThread_;
    ViewContext context_;
    ProgramWindow programWindow_;
    WindowLookup windows_;
    Win32Desktop desktop_;
    std::unique_ptr<ViewSet> views_;
    SystemRequests requests_;
    std::mutex postedMutex_;
    std::vector<std::function<void()>> posted_;
    bool attached_ = false;
};

}  // namespace quorell::gui
