#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/show_request_port.h"

namespace quorell::gui {

// The class of the program's hidden window, the window a later copy looks for.
inline constexpr wchar_t kProgramWindowClass[] = L"Quorell.ProgramWindow";

// What the running copy answers a show request with; a window that merely exists answers 0.
inline constexpr LRESULT kShowRequestAnswer = 0x5155;

// The title of the hidden window of the copy that records into `runDirectory`: copies in two folders
// never find each other, and two spellings of one folder (letter case, slashes, a trailing separator)
// find the same copy, since the run lock already treats them as one.
std::wstring ProgramWindowTitle(std::wstring_view runDirectory);

// The message that asks the running copy to show its main window.
UINT ShowRequestMessage();

// A later copy: asks the copy that records into the same run directory to show its main window and lets
// it come to the foreground. The running copy may still be starting, so it is tried until `waitMs` have
// passed. False when no copy answered.
bool AskRunningCopyToShow(std::wstring_view runDirectory, DWORD waitMs = 5000);

class ProgramWindow;

// A later start's request as a window message to the recording copy's hidden program window, which
// answers it once the main window is shown. A window message stays within the user's session.
class WindowShowRequests final : public ShowRequestPort {
public:
    explicit WindowShowRequests(ProgramWindow& programWindow) : programWindow_(programWindow) {}
    ~WindowShowRequests() override;
    WindowShowRequests(const WindowShowRequests&) = delete;
    WindowShowRequests& operator=(const WindowShowRequests&) = delete;

    // The request comes on the user-interface thread, and is answered when `onRequest` confirmed it
    // before it returned.
    bool Listen(const std::filesystem::path& runDirectory, OnRequest onRequest) override;
    bool AskRunningCopy(const std::filesystem::path& runDirectory, std::chrono::milliseconds wait) override;

private:
    ProgramWindow& programWindow_;
};

}  // namespace quorell::gui
