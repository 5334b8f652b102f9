#include "platform/linux/full_screen_x11.h"

#include <unistd.h>
#include <xcb/randr.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace quorell {

namespace {

// xcb's replies and errors are malloc'ed; each is freed once read.
struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

// Takes a reply and drops its error, if any: an error left unread would wait in the event queue, which
// this connection never reads.
template <typename T, typename Fetch, typename Cookie>
Reply<T> Take(xcb_connection_t* connection, Fetch fetch, Cookie cookie) {
    xcb_generic_error_t* error = nullptr;
    Reply<T> reply(fetch(connection, cookie, &error));
    std::free(error);
    return reply;
}

struct Area {
    std::int32_t left, top, right, bottom;
};

bool Covers(const Area& window, const Area& monitor) {
    return window.left <= monitor.left && window.top <= monitor.top && window.right >= monitor.right &&
           window.bottom >= monitor.bottom;
}

xcb_get_property_cookie_t AskProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                                      xcb_atom_t type) {
    // 64 values are more than any window's state or type list holds.
    return xcb_get_property(connection, 0, window, property, type, 0, 64);
}

// The 32-bit values of a property reply of the asked type; empty when the window has none.
template <typename T>
std::vector<T> Values(const xcb_get_property_reply_t* reply) {
    if (reply == nullptr || reply->format != 32) {
        return {};
    }
    const auto* first = static_cast<const T*>(xcb_get_property_value(reply));
    const auto count = static_cast<std::size_t>(xcb_get_property_value_length(reply)) / sizeof(T);
    return std::vector<T>(first, first + count);
}

bool Holds(const std::vector<xcb_atom_t>& atoms, xcb_atom_t atom) {
    return atom != XCB_ATOM_NONE && std::find(atoms.begin(), atoms.end(), atom) != atoms.end();
}

}  // namespace

X11FullScreen::X11FullScreen() = default;
X11FullScreen::~X11FullScreen() = default;

bool X11FullScreen::Connected() {
    if (!triedToConnect_) {
        triedToConnect_ = true;
        int screenNumber = 0;
        connection_.reset(xcb_connect(nullptr, &screenNumber));
        if (xcb_connection_has_error(connection_.get()) != 0) {
            connection_.reset();
            return false;
        }
        xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(connection_.get()));
        for (int i = 0; i < screenNumber && screen.rem > 0; ++i) {
            xcb_screen_next(&screen);
        }
        root_ = screen.rem > 0 ? screen.data->root : xcb_window_t{XCB_WINDOW_NONE};

        const std::pair<const char*, xcb_atom_t*> names[] = {
            {"_NET_ACTIVE_WINDOW", &atoms_.activeWindow},
            {"_NET_WM_STATE", &atoms_.state},
            {"_NET_WM_STATE_FULLSCREEN", &atoms_.fullScreen},
            {"_NET_WM_STATE_HIDDEN", &atoms_.hidden},
            {"_NET_WM_PID", &atoms_.pid},
            {"_NET_WM_WINDOW_TYPE", &atoms_.windowType},
            {"_NET_WM_WINDOW_TYPE_DESKTOP", &atoms_.typeDesktop},
            {"_NET_WM_WINDOW_TYPE_DOCK", &atoms_.typeDock},
        };
        std::vector<xcb_intern_atom_cookie_t> cookies;
        for (const auto& [name, atom] : names) {
            cookies.push_back(
                xcb_intern_atom(connection_.get(), 0, static_cast<std::uint16_t>(std::strlen(name)), name));
        }
        for (std::size_t i = 0; i < cookies.size(); ++i) {
            const auto reply = Take<xcb_intern_atom_reply_t>(connection_.get(), xcb_intern_atom_reply, cookies[i]);
            *names[i].second = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        }
        // The monitor list needs RandR 1.5; a request of an extension the server lacks would end the connection.
        const xcb_query_extension_reply_t* randr = xcb_get_extension_data(connection_.get(), &xcb_randr_id);
        if (randr != nullptr && randr->present != 0) {
            const auto version = Take<xcb_randr_query_version_reply_t>(
                connection_.get(), xcb_randr_query_version_reply, xcb_randr_query_version(connection_.get(), 1, 5));
            monitorsKnown_ = version && (version->major_version > 1 || version->minor_version >= 5);
        }
    }
    // A display that went away stays away for this connection.
    return connection_ && root_ != XCB_WINDOW_NONE && xcb_connection_has_error(connection_.get()) == 0;
}

xcb_window_t X11FullScreen::ActiveWindow() const {
    const auto reply =
        Take<xcb_get_property_reply_t>(connection_.get(), xcb_get_property_reply,
                                       AskProperty(connection_.get(), root_, atoms_.activeWindow, XCB_ATOM_WINDOW));
    const std::vector<xcb_window_t> active = Values<xcb_window_t>(reply.get());
    return active.empty() ? xcb_window_t{XCB_WINDOW_NONE} : active.front();
}

bool X11FullScreen::OtherProgramFullScreen() {
    if (!Connected()) {
        return false;
    }
    const xcb_window_t active = ActiveWindow();
    if (active == XCB_WINDOW_NONE || active == root_) {
        return false;
    }
    xcb_connection_t* c = connection_.get();
    // Asked together, answered in one round trip.
    const auto pidCookie = AskProperty(c, active, atoms_.pid, XCB_ATOM_CARDINAL);
    const auto stateCookie = AskProperty(c, active, atoms_.state, XCB_ATOM_ATOM);
    const auto typeCookie = AskProperty(c, active, atoms_.windowType, XCB_ATOM_ATOM);
    const auto pid = Values<std::uint32_t>(Take<xcb_get_property_reply_t>(c, xcb_get_property_reply, pidCookie).get());
    const auto state = Values<xcb_atom_t>(Take<xcb_get_property_reply_t>(c, xcb_get_property_reply, stateCookie).get());
    const auto type = Values<xcb_atom_t>(Take<xcb_get_property_reply_t>(c, xcb_get_property_reply, typeCookie).get());

    if (!pid.empty() && pid.front() == static_cast<std::uint32_t>(::getpid())) {
        return false;
    }
    if (Holds(state, atoms_.hidden) || Holds(type, atoms_.typeDesktop) || Holds(type, atoms_.typeDock)) {
        return false;
    }
    return Holds(state, atoms_.fullScreen) || CoversAMonitor(active);
}

bool X11FullScreen::CoversAMonitor(xcb_window_t window) const {
    xcb_connection_t* c = connection_.get();
    const auto geometryCookie = xcb_get_geometry(c, window);
    const auto placeCookie = xcb_translate_coordinates(c, window, root_, 0, 0);
    std::optional<xcb_randr_get_monitors_cookie_t> monitorsCookie;
    if (monitorsKnown_) {
        monitorsCookie = xcb_randr_get_monitors(c, root_, 1);
    }
    const auto geometry = Take<xcb_get_geometry_reply_t>(c, xcb_get_geometry_reply, geometryCookie);
    const auto place = Take<xcb_translate_coordinates_reply_t>(c, xcb_translate_coordinates_reply, placeCookie);
    const auto monitors = monitorsCookie
                              ? Take<xcb_randr_get_monitors_reply_t>(c, xcb_randr_get_monitors_reply, *monitorsCookie)
                              : nullptr;
    if (!geometry || !place) {
        return false;
    }
    const Area area{place->dst_x, place->dst_y, place->dst_x + geometry->width, place->dst_y + geometry->height};

    std::vector<Area> screens;
    if (monitors) {
        for (auto it = xcb_randr_get_monitors_monitors_iterator(monitors.get()); it.rem > 0;
             xcb_randr_monitor_info_next(&it)) {
            const xcb_randr_monitor_info_t& m = *it.data;
            screens.push_back({m.x, m.y, m.x + m.width, m.y + m.height});
        }
    }
    if (screens.empty()) {
        // No monitor list (an X server without RandR 1.5): the root window is the one screen.
        const auto root = Take<xcb_get_geometry_reply_t>(c, xcb_get_geometry_reply, xcb_get_geometry(c, root_));
        if (root) {
            screens.push_back({0, 0, root->width, root->height});
        }
    }
    return std::any_of(screens.begin(), screens.end(), [&](const Area& screen) { return Covers(area, screen); });
}

}  // namespace quorell
