#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <string>
#include <thread>

#include "gui/win32/program_window.h"
#include "gui/win32/show_requests_win32.h"
#include "gui/win32/web_address.h"

namespace quorell::gui {
namespace {

// A running copy's hidden window for `runDirectory`, on a thread of its own with a message loop, as the
// program's UI thread has. Without `answers`, its run has not reached the message loop yet.
class RunningCopy {
public:
    RunningCopy(std::wstring runDirectory, bool answers) {
        std::promise<HWND> made;
        std::future<HWND> window = made.get_future();
        thread_ = std::thread([this, runDirectory, answers, &made] {
            ProgramWindow programWindow(::GetModuleHandleW(nullptr), L"");
            WindowShowRequests requests(programWindow);
            // A copy still starting hears the request but cannot show its window yet.
            requests.Listen(runDirectory, [this, answers](ShowRequestPort::Confirm confirm) {
                if (answers) {
                    ++shown;
                    confirm();
                }
            });
            if (answers) {
                programWindow.SetRequests({
                    .end = [this] { ++ended; },
                    .endSession = [this] { ++sessionEnded; },
                    .runPosted = [this] { ++posted; },
                });
            }
            threadId_ = ::GetCurrentThreadId();
            made.set_value(programWindow.Handle());
            MSG message;
            while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
                ::DispatchMessageW(&message);
            }
        });
        hwnd = window.get();
    }
    ~RunningCopy() {
        ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }

    HWND hwnd = nullptr;
    std::atomic<int> shown{0};
    std::atomic<int> ended{0};
    std::atomic<int> sessionEnded{0};
    std::atomic<int> posted{0};

private:
    std::thread thread_;
    DWORD threadId_ = 0;
};

TEST(ShowRequests, ALaterStartReachesTheCopyOfItsOwnFolderHoweverTheFolderIsSpelt) {
    RunningCopy running(L"C:\\Runs\\Quorell", true);
    ASSERT_NE(running.hwnd, nullptr);

    EXPECT_TRUE(AskRunningCopyToShow(L"c:/runs/QUORELL/", 2000));
    EXPECT_EQ(running.shown, 1);
    // Another folder, even one whose name begins alike, has no running copy.
    EXPECT_FALSE(AskRunningCopyToShow(L"C:\\Runs\\Quorell2", 300));
    EXPECT_FALSE(AskRunningCopyToShow(L"C:\\Runs", 300));
    EXPECT_EQ(running.shown, 1);
}

TEST(ShowRequests, ACopyThatIsStillStartingIsAskedAgainUntilTheTimeIsUp) {
    RunningCopy starting(L"C:\\Runs\\Starting", false);
    ASSERT_NE(starting.hwnd, nullptr);
    const ULONGLONG before = ::GetTickCount64();
    EXPECT_FALSE(AskRunningCopyToShow(L"C:\\Runs\\Starting", 600));
    EXPECT_GE(::GetTickCount64() - before, 500u);
}

TEST(ProgramWindow, TheSystemsCloseAndSessionEndEndTheRunAndTheWindowStays) {
    RunningCopy running(L"C:\\Runs\\Ending", true);
    ASSERT_NE(running.hwnd, nullptr);

    // Logging off asks first; the program has nothing to ask and agrees. Only a session that really ends
    // ends the run.
    EXPECT_EQ(::SendMessageW(running.hwnd, WM_QUERYENDSESSION, 0, 0), TRUE);
    ::SendMessageW(running.hwnd, WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(running.sessionEnded, 0);
    ::SendMessageW(running.hwnd, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(running.sessionEnded, 1);

    // taskkill's close request ends the run; the window is not destroyed by it.
    ::SendMessageW(running.hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(running.ended, 1);
    EXPECT_TRUE(::IsWindow(running.hwnd));
    EXPECT_EQ(running.shown, 0);
    // Work handed over from another thread is announced to the user-interface thread.
    ::SendMessageW(running.hwnd, kRunPostedMessage, 0, 0);
    EXPECT_EQ(running.posted, 1);
}

TEST(WebAddress, OnlyWellFormedHttpAndHttpsAddressesAreOpened) {
    for (const char* address : {"http://quorell.example.org", "https://quorell.example.org/",
                                "HTTPS://Example.org:8443/path/page.html?q=1&r=2#part", "http://192.168.1.1/",
                                "http://[::1]:8080/", "https://quorell.example.org/%E4%B8%AD"}) {
        EXPECT_TRUE(IsWebAddress(address)) << address;
    }
    // The shell opens files and runs programs for anything else it is given.
    for (const char* address :
         {"", "quorell.example.org", "file:///C:/Windows/System32/calc.exe", "C:\\Windows\\notepad.exe",
          "\\\\server\\share\\setup.exe", "javascript:alert(1)", "mailto:team@quorell.example.org", "http://",
          "https:///path", "http://quorell example.org/", "http://quorell.example.org/\" & calc", "http:/x.org",
          "http://user@other.example.org/", "http://quorell.example.org:/", "http://[::1/", "ftp://quorell.example.org",
          "https://例子.测试/"}) {
        EXPECT_FALSE(IsWebAddress(address)) << address;
    }
}

}  // namespace
}  // namespace quorell::gui
