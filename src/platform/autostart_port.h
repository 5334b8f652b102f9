#pragma once

#include <string>

namespace quorell {

// Starting with the user's session: the session's own autostart entry for this program (a desktop entry
// in the user's autostart folder, a shortcut in the user's Startup folder). The entry belongs to the
// user; nothing is kept about it in the program, so every answer is read from the entry itself.
class AutostartPort {
public:
    virtual ~AutostartPort() = default;
    // Whether the session's entry exists, is not turned off, and starts this very program (the running
    // executable, not another copy or another program of the same name).
    virtual bool StartsWithSession() = 0;
    // Makes the entry start this program, or makes the session start it no more. False when that could
    // not be done; Reason then says why.
    virtual bool SetStartsWithSession(bool on) = 0;
    // Why the last SetStartsWithSession failed, in words that name the entry's file.
    virtual std::string Reason() const = 0;
};

}  // namespace quorell
