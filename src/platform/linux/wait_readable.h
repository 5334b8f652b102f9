#pragma once

#include <poll.h>

#include <cerrno>

namespace quorell {

// Waits until `fd` can be read; false once `stop` can be read (the owner wants the waiting thread to
// end) or the wait fails. A signal that interrupts the wait does not end it.
inline bool WaitReadable(int fd, int stop) {
    pollfd fds[2] = {{fd, POLLIN, 0}, {stop, POLLIN, 0}};
    for (;;) {
        if (::poll(fds, 2, -1) >= 0) {
            return fds[1].revents == 0;
        }
        if (errno != EINTR) {
            return false;
        }
    }
}

}  // namespace quorell
