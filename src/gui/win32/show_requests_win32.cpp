#include "gui/win32/show_requests_win32.h"

#include <climits>
#include <memory>

#include "gui/win32/program_window.h"

namespace quorell::gui {

std::wstring ProgramWindowTitle(std::wstring_view runDirectory) {
    std::wstring folder(runDirectory);
    for (wchar_t& c : folder) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    while (folder.size() > 1 && folder.back() == L'\\') {
        folder.pop_back();
    }
    // File names on Windows do not tell letter case apart.
    if (!folder.empty() && folder.size() <= static_cast<std::size_t>(UINT_MAX)) {
        ::CharUpperBuffW(folder.data(), static_cast<DWORD>(folder.size()));
    }
    return L"Quorell " + folder;
}

UINT ShowRequestMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"Quorell.ShowMainWindow");
    return message;
}

bool AskRunningCopyToShow(std::wstring_view runDirectory, DWORD waitMs) {
    const std::wstring title = ProgramWindowTitle(runDirectory);
    const UINT message = ShowRequestMessage();
    if (message == 0) {
        return false;
    }
    const ULONGLONG deadline = ::GetTickCount64() + waitMs;
    for (;;) {
        const HWND running = ::FindWindowW(kProgramWindowClass, title.c_str());
        const ULONGLONG now = ::GetTickCount64();
        if (running != nullptr) {
            // Only a process that has the foreground may hand it on; the running copy brings its main
            // window forward when it handles the request.
            DWORD process = 0;
            ::GetWindowThreadProcessId(running, &process);
            ::AllowSetForegroundWindow(process);
            DWORD_PTR answer = 0;
            const UINT left = now < deadline ? static_cast<UINT>(deadline - now) : 1;
            if (::SendMessageTimeoutW(running, message, 0, 0, SMTO_ABORTIFHUNG, left, &answer) != 0 &&
                answer == static_cast<DWORD_PTR>(kShowRequestAnswer)) {
                return true;
            }
        }
        if (::GetTickCount64() >= deadline) {
            return false;
        }
        ::Sleep(100);
    }
}

WindowShowRequests::~WindowShowRequests() {
    programWindow_.SetShowRequest({});
}

bool WindowShowRequests::Listen(const std::filesystem::path& runDirectory, OnRequest onRequest) {
    programWindow_.SetShowRequest([onRequest = std::move(onRequest)] {
        const auto confirmed = std::make_shared<bool>(false);
        onRequest([confirmed] { *confirmed = true; });
        return *confirmed;
    });
    programWindow_.SetTitle(ProgramWindowTitle(runDirectory.native()));
    return programWindow_.Handle() != nullptr;
}

bool WindowShowRequests::AskRunningCopy(const std::filesystem::path& runDirectory, std::chrono::milliseconds wait) {
    return AskRunningCopyToShow(runDirectory.native(), static_cast<DWORD>(wait.count()));
}

}  // namespace quorell::gui
