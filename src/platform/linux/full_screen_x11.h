#pragma once

#include <xcb/xcb.h>

#include <memory>

#include "platform/full_screen_port.h"

namespace quorell {

// Full-screen programs on an X11 display (directly or through XWayland), by the window manager's own
// account: the active window (_NET_ACTIVE_WINDOW on the root) is in the full-screen state
// (_NET_WM_STATE_FULLSCREEN), or its area covers a whole monitor. A window of this process, a minimised one,
// the desktop and the panels never count. Uses a connection of its own to the display named by $DISPLAY,
// made when first asked; without a display the answer is always false.
class X11FullScreen final : public FullScreenPort {
public:
    X11FullScreen();
    ~X11FullScreen() override;
    X11FullScreen(const X11FullScreen&) = delete;
    X11FullScreen& operator=(const X11FullScreen&) = delete;

    bool OtherProgramFullScreen() override;

private:
    struct Disconnect {
        void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
    };
    struct Atoms {
        xcb_atom_t activeWindow = XCB_ATOM_NONE;
        xcb_atom_t state = XCB_ATOM_NONE;
        xcb_atom_t fullScreen = XCB_ATOM_NONE;
        xcb_atom_t hidden = XCB_ATOM_NONE;
        xcb_atom_t pid = XCB_ATOM_NONE;
        xcb_atom_t windowType = XCB_ATOM_NONE;
        xcb_atom_t typeDesktop = XCB_ATOM_NONE;
        xcb_atom_t typeDock = XCB_ATOM_NONE;
    };

    bool Connected();
    xcb_window_t ActiveWindow() const;
    bool CoversAMonitor(xcb_window_t window) const;

    std::unique_ptr<xcb_connection_t, Disconnect> connection_;
    bool triedToConnect_ = false;
    xcb_window_t root_ = XCB_WINDOW_NONE;
    Atoms atoms_;
    bool monitorsKnown_ = false;  // the server lists its monitors (RandR 1.5)
};

}  // namespace quorell
