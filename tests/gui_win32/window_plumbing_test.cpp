// How a window and the object that handles its messages are tied and let go, and how the owners of the
// system's handles free them.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "gui/win32/base_window.h"
#include "gui/win32/owned_handle.h"

namespace quorell::gui {
namespace {

// A window of a class of its own that notes every message it is handed and the handle it had then.
class Probe : public BaseWindow<Probe> {
public:
    struct Heard {
        UINT message;
        HWND handle;
    };

    Probe(std::vector<Heard>& heard, HWND parent) : heard_(heard) {
        const HINSTANCE instance = ::GetModuleHandleW(nullptr);
        RegisterClassFor(instance, L"Quorell.Test.Probe");
        Create(0, L"Quorell.Test.Probe", L"", parent != nullptr ? WS_CHILD : WS_POPUP, RECT{0, 0, 10, 10}, parent,
               instance);
    }

private:
    friend class BaseWindow<Probe>;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        heard_.push_back({message, Handle()});
        return ::DefWindowProcW(Handle(), message, wParam, lParam);
    }

    std::vector<Heard>& heard_;
};

bool Heard(const std::vector<Probe::Heard>& heard, UINT message) {
    return std::any_of(heard.begin(), heard.end(), [message](const Probe::Heard& h) { return h.message == message; });
}

TEST(BaseWindow, TheObjectHearsItsWindowFromCreationAndNothingOnceItHasEnded) {
    std::vector<Probe::Heard> heard;
    auto probe = std::make_unique<Probe>(heard, nullptr);
    const HWND window = probe->Handle();
    ASSERT_NE(window, nullptr);
    // The first message already finds the handle in place, as the object's code expects.
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.front().message, static_cast<UINT>(WM_NCCREATE));
    EXPECT_EQ(heard.front().handle, window);

    // An object that ends takes its window with it; the destruction's messages never reach the object
    // that is ending.
    heard.clear();
    probe.reset();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_TRUE(heard.empty());
}

TEST(BaseWindow, AWindowDestroyedWithItsParentLetsGoOfItsObject) {
    std::vector<Probe::Heard> parentHeard;
    std::vector<Probe::Heard> childHeard;
    Probe parent(parentHeard, nullptr);
    Probe child(childHeard, parent.Handle());
    const HWND childWindow = child.Handle();
    ASSERT_NE(childWindow, nullptr);

    ::DestroyWindow(parent.Handle());
    EXPECT_EQ(parent.Handle(), nullptr);
    EXPECT_EQ(child.Handle(), nullptr);
    EXPECT_FALSE(::IsWindow(childWindow));
    // The child's object, still alive, heard its window end; both objects end later with nothing to destroy.
    EXPECT_TRUE(Heard(childHeard, WM_DESTROY));
}

TEST(OwnedHandle, EachHandleIsFreedOnceByItsLastOwner) {
    GdiObject<HBRUSH> brush(::CreateSolidBrush(RGB(1, 2, 3)));
    const HBRUSH first = brush.Get();
    ASSERT_EQ(::GetObjectType(first), static_cast<DWORD>(OBJ_BRUSH));

    // A move hands the brush on; only the new owner frees it, when it takes another.
    GdiObject<HBRUSH> taker(std::move(brush));
    EXPECT_FALSE(brush);
    EXPECT_EQ(::GetObjectType(first), static_cast<DWORD>(OBJ_BRUSH));
    taker.Reset(::CreateSolidBrush(RGB(4, 5, 6)));
    EXPECT_EQ(::GetObjectType(first), 0u);
    const HBRUSH second = taker.Get();
    // Taking the handle it holds again keeps it.
    taker.Reset(second);
    EXPECT_EQ(::GetObjectType(second), static_cast<DWORD>(OBJ_BRUSH));

    HMENU menu = nullptr;
    HDC memory = nullptr;
    {
        const OwnedMenu ownedMenu(::CreatePopupMenu());
        const MemoryDc ownedDc(::CreateCompatibleDC(nullptr));
        menu = ownedMenu.Get();
        memory = ownedDc.Get();
        ASSERT_TRUE(::IsMenu(menu));
        ASSERT_EQ(::GetObjectType(memory), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_FALSE(::IsMenu(menu));
    EXPECT_EQ(::GetObjectType(memory), 0u);
}

}  // namespace
}  // namespace quorell::gui
