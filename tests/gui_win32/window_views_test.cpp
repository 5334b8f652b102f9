// The Win32 views on a whole application with fake counters: the native windows are checked and driven
// as the user drives them (clicks, keys, the close command, moves, timer ticks).

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/app_rig.h"
#include "gui/win32/draw_panel_view.h"
#include "gui/win32/view_set.h"
#include "gui/win32/win32_text.h"
#include "gui/win32/window_view.h"
#include "ui_model/control_names.h"

namespace quorell::gui {
namespace {

class GuiWin32Views : public ::testing::Test {
protected:
    void SetUp() override {
        // Wine makes windows only on a display, which CTest gives these tests; a missing one is a failure of
        // the run, not a reason to pass without looking.
        HWND probe = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        if (probe == nullptr) {
            GTEST_FAIL() << "no window can be made here (under wine: no X display)";
        }
        ::DestroyWindow(probe);
        rig.memory.Set(8ull << 30, 6ull << 30, 25);
        rig.Start();
        context.SetDispatch(rig.app.get());
        views = std::make_unique<ViewSet>([this](WindowKind kind) -> Window& { return rig.Get(kind); }, context);
        Pump();
    }
    void TearDown() override {
        if (views == nullptr) {
            return;
        }
        views.reset();
        context.SetDispatch(nullptr);
    }

    // Delivers what is waiting, as the program's message loop does.
    void Pump() {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!views->PreTranslate(message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
        context.Idle();
    }
    HWND Handle(WindowKind kind) const { return views->Handle(kind); }
    bool Shown(WindowKind kind) const { return ::IsWindowVisible(Handle(kind)) != FALSE; }
    std::wstring TitleOf(HWND window) const {
        wchar_t text[256] = {};
        ::GetWindowTextW(window, text, 256);
        return text;
    }
    void PressEscape(HWND window) {
        ::PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        Pump();
    }

    testing::AppRig rig;
    ViewContext context{::GetModuleHandleW(nullptr)};
    std::unique_ptr<ViewSet> views;
};

TEST_F(GuiWin32Views, WindowsMirrorTheModelAndTheUserDrivesThemThroughIt) {
    // Every window exists with the model's title, place and size; only the main window is shown.
    for (WindowKind kind : kAllWindowKinds) {
        const Window& model = rig.Get(kind);
        HWND window = Handle(kind);
        ASSERT_TRUE(::IsWindow(window));
        EXPECT_EQ(TitleOf(window), Wide(model.Title()));
        RECT outer;
        ::GetWindowRect(window, &outer);
        EXPECT_EQ(outer.left, model.Left());
        EXPECT_EQ(outer.top, model.Top());
        RECT client;
        ::GetClientRect(window, &client);
        const bool bordered = model.Flags().border == BorderStyle::FixedSingle;
        EXPECT_EQ(client.right, model.OuterSize().width - (bordered ? 6 : 0));
        EXPECT_EQ(client.bottom, model.OuterSize().height - (bordered ? 28 : 0));
        EXPECT_EQ(Shown(kind), kind == WindowKind::Main);
    }
    const LONG_PTR monitorStyle = ::GetWindowLongPtrW(Handle(WindowKind::CpuMonitor), GWL_EXSTYLE);
    EXPECT_TRUE(monitorStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(monitorStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(::GetWindowLongPtrW(Handle(WindowKind::Alerts), GWL_EXSTYLE) & WS_EX_TOPMOST);

    // The CPU button shows the CPU window.
    HWND cpu = Handle(WindowKind::CpuMonitor);
    HWND button = views->View(WindowKind::Main).ChildOf(names::kOpenCpuButton);
    ASSERT_NE(button, nullptr);
    ::SendMessageW(button, BM_CLICK, 0, 0);
    Pump();
    EXPECT_TRUE(Shown(WindowKind::CpuMonitor));
    EXPECT_TRUE(rig.Get(WindowKind::CpuMonitor).Visible());

    // The close command and Esc only hide it; the window lives on and comes back.
    ::SendMessageW(cpu, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_FALSE(Shown(WindowKind::CpuMonitor));
    EXPECT_TRUE(::IsWindow(cpu));
    EXPECT_TRUE(rig.Get(WindowKind::CpuMonitor).Exists());
    ::SendMessageW(button, BM_CLICK, 0, 0);
    Pump();
    ASSERT_TRUE(Shown(WindowKind::CpuMonitor));
    // Its strips are a title bar, its graph is not; only a double click on the close mark hides it.
    RECT place;
    ::GetWindowRect(cpu, &place);
    const LPARAM onTitle = MAKELPARAM(place.left + 100, place.top + 10);
    const LPARAM onCloseMark = MAKELPARAM(place.left + 291, place.top + 10);
    EXPECT_EQ(::SendMessageW(cpu, WM_NCHITTEST, 0, onTitle), HTCAPTION);
    EXPECT_EQ(::SendMessageW(cpu, WM_NCHITTEST, 0, onCloseMark), HTCAPTION);
    EXPECT_EQ(::SendMessageW(cpu, WM_NCHITTEST, 0, MAKELPARAM(place.left + 100, place.top + 70)), HTCLIENT);
    ::SendMessageW(cpu, WM_NCLBUTTONDBLCLK, HTCAPTION, onTitle);
    EXPECT_TRUE(Shown(WindowKind::CpuMonitor));
    ::SendMessageW(cpu, WM_NCLBUTTONDBLCLK, HTCAPTION, onCloseMark);
    EXPECT_FALSE(Shown(WindowKind::CpuMonitor));
    ::SendMessageW(button, BM_CLICK, 0, 0);
    Pump();
    ASSERT_TRUE(Shown(WindowKind::CpuMonitor));
    PressEscape(cpu);
    EXPECT_FALSE(Shown(WindowKind::CpuMonitor));
    EXPECT_TRUE(rig.app->Running());

    // A move that the view did not make is the user's: it reaches the model and the settings file.
    ::SetWindowPos(cpu, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    EXPECT_EQ(rig.Get(WindowKind::CpuMonitor).Position(), (Point{10, 20}));
    EXPECT_EQ(rig.Setting("界面设置", "Cpu左边"), "10");
    EXPECT_EQ(rig.Setting("界面设置", "Cpu顶边"), "20");
    // A move by the model moves the window, and is not taken back as the user's.
    rig.Get(WindowKind::CpuMonitor).MoveTo(30, 40);
    RECT moved;
    ::GetWindowRect(cpu, &moved);
    EXPECT_EQ(moved.left, 30);
    EXPECT_EQ(moved.top, 40);

    // A right click on the graph, or on the strips that act as a title bar, is the window's own: the
    // receive window pops up its menu of interfaces (and never the system menu).
    HWND receive = Handle(WindowKind::ReceiveMonitor);
    HWND receiveGraph = views->View(WindowKind::ReceiveMonitor).ChildOf(names::kNetworkMonitor.drawPanel);
    ASSERT_NE(receiveGraph, nullptr);
    const std::size_t popups = rig.desktop.menuPopups.size();
    ::SendMessageW(receiveGraph, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(rig.desktop.menuPopups.size(), popups + 1);
    RECT strip;
    ::GetWindowRect(receive, &strip);
    ::SendMessageW(receive, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(strip.left + 100, strip.top + 10));
    ::SendMessageW(receive, WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(strip.left + 100, strip.top + 10));
    EXPECT_EQ(rig.desktop.menuPopups.size(), popups + 2);

    // The see-through box: the model ticks it on a click, the box shows the model's tick, the monitor
    // windows are asked to follow.
    HWND seeThrough = views->View(WindowKind::Main).ChildOf(names::kTransparencyBox);
    ASSERT_NE(seeThrough, nullptr);
    const bool before = rig.Main().CheckBox(names::kTransparencyBox).Checked();
    ::SendMessageW(seeThrough, BM_CLICK, 0, 0);
    Pump();
    EXPECT_NE(rig.Main().CheckBox(names::kTransparencyBox).Checked(), before);
    EXPECT_EQ(::SendMessageW(seeThrough, BM_GETCHECK, 0, 0), before ? BST_UNCHECKED : BST_CHECKED);
    EXPECT_EQ(rig.desktop.colourKeys[WindowKind::CpuMonitor],
              before ? std::nullopt : std::optional<std::uint32_t>(0xECECEC));

    // The bandwidth box drops what the model refuses and hands on what it takes.
    HWND bandwidth = views->View(WindowKind::Main).ChildOf(names::kBandwidthBox);
    ASSERT_NE(bandwidth, nullptr);
    EditBox& box = rig.Main().EditBox(names::kBandwidthBox);
    ::SendMessageW(bandwidth, EM_SETSEL, 1, 1);
    ::SendMessageW(bandwidth, WM_CHAR, 'x', 0);
    EXPECT_EQ(box.Text(), "2");
    ::SendMessageW(bandwidth, WM_CHAR, '5', 0);
    EXPECT_EQ(box.Text(), "25");
    box.SetText("100");
    EXPECT_EQ(TitleOf(bandwidth), L"100");
}

TEST_F(GuiWin32Views, TrendTabShowsTheModelsPageAndOnlyThatPagesControls) {
    Window& trend = rig.Get(WindowKind::Trend);
    trend.SetVisible(true);
    Pump();
    const WindowView& view = views->View(WindowKind::Trend);
    HWND tab = view.ChildOf("选择夹1");
    ASSERT_NE(tab, nullptr);
    auto shown = [&](std::string_view chart) { return ::IsWindowVisible(view.ChildOf(chart)) != FALSE; };
    EXPECT_TRUE(shown(names::kTrendCpuPage.recentChart));
    EXPECT_FALSE(shown(names::kTrendReceivePage.recentChart));

    // A click on the third tab selects the model's third page.
    RECT third;
    ASSERT_TRUE(::SendMessageW(tab, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&third)));
    const LPARAM at = MAKELPARAM((third.left + third.right) / 2, (third.top + third.bottom) / 2);
    ::SendMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(tab, WM_LBUTTONUP, 0, at);
    Pump();
    EXPECT_EQ(trend.TabControl("选择夹1").CurrentPage(), 3);
    EXPECT_FALSE(shown(names::kTrendCpuPage.recentChart));
    EXPECT_FALSE(shown(names::kTrendCpuPage.allTimeChart));
    EXPECT_TRUE(shown(names::kTrendReceivePage.recentChart));
    EXPECT_TRUE(shown(names::kTrendReceivePage.allTimeChart));

    // A page the model chooses shows on the tab.
    trend.TabControl("选择夹1").SelectPage(2);
    EXPECT_EQ(::SendMessageW(tab, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(shown(names::kTrendMemoryPage.recentChart));
    EXPECT_FALSE(shown(names::kTrendReceivePage.recentChart));
}

// The panel's pixels on the screen, read back through a DIB.
std::vector<std::uint32_t> ScreenPixels(HWND panel) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(Canvas::kWidth) * Canvas::kHeight);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = Canvas::kWidth;
    info.bmiHeader.biHeight = -Canvas::kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = ::GetDC(panel);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, Canvas::kWidth, Canvas::kHeight, screen, 1, 1, SRCCOPY);
    ::GdiFlush();
    const auto* read = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = read[i] & 0xFFFFFF;
    }
    ::SelectObject(memory, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(panel, screen);
    return pixels;
}

// Where two pictures of the drawing area differ: the count and the first place, or "" when they are equal.
std::string Differences(const std::vector<std::uint32_t>& shown, const std::vector<std::uint32_t>& canvas) {
    int count = 0;
    std::string first;
    for (std::size_t i = 0; i < canvas.size() && i < shown.size(); ++i) {
        if (shown[i] != canvas[i]) {
            if (count++ == 0) {
                char text[96];
                std::snprintf(text, sizeof text, " first at (%d, %d): %06X instead of %06X",
                              static_cast<int>(i % Canvas::kWidth), static_cast<int>(i / Canvas::kWidth), shown[i],
                              canvas[i]);
                first = text;
            }
        }
    }
    return count == 0 ? std::string() : std::to_string(count) + " pixels differ," + first;
}

TEST_F(GuiWin32Views, GraphOnTheScreenFollowsTheCanvasPixelForPixel) {
    HWND cpu = Handle(WindowKind::CpuMonitor);
    // On the screen whatever its size: pixels off the screen cannot be read back.
    rig.Get(WindowKind::CpuMonitor).MoveTo(20, 20);
    rig.Get(WindowKind::CpuMonitor).SetVisible(true);
    Pump();
    ASSERT_TRUE(Shown(WindowKind::CpuMonitor));
    const DrawPanel& model = rig.Get(WindowKind::CpuMonitor).DrawPanel(names::kCpuMonitor.drawPanel);
    const DrawPanelView* panel = views->View(WindowKind::CpuMonitor).Panel();
    ASSERT_NE(panel, nullptr);
    HWND panelWindow = views->View(WindowKind::CpuMonitor).ChildOf(names::kCpuMonitor.drawPanel);

    // Loads that climb through every level colour and fall again, for more ticks than the graph is wide,
    // so that it scrolls; the screen is compared before and while it scrolls.
    for (int tick = 0; tick < 330; ++tick) {
        const std::int64_t busy = (tick * 7) % 100;
        rig.cpu.Advance(100 - busy, 100);
        rig.clock.now.second = tick % 60;
        ::SendMessageW(cpu, WM_TIMER, 1, 0);
        if (tick == 150 || tick == 300 || tick == 329) {
            Pump();
            ::UpdateWindow(panelWindow);
            EXPECT_EQ(Differences(ScreenPixels(panelWindow), model.Canvas().Pixels()), "") << "after tick " << tick;
        }
    }
    const std::vector<std::uint32_t> canvas = model.Canvas().Pixels();
    const std::vector<std::uint32_t> dib(panel->Pixels(), panel->Pixels() + canvas.size());
    EXPECT_EQ(Differences(dib, canvas), "");
    EXPECT_NE(std::count(canvas.begin(), canvas.end(), Canvas::kBackground), static_cast<long>(canvas.size()))
        << "the ticks drew nothing";
}

}  // namespace
}  // namespace quorell::gui
