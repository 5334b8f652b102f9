#pragma once

namespace quorell {

// Whether another program has taken over a screen: its window in the foreground (the one with the keyboard)
// covers its whole monitor, as a video, a game or a presentation does. Our own windows never count. Asked
// about once a second on the user-interface thread, so an answer must be quick; one that cannot be known
// (no display) is false.
class FullScreenPort {
public:
    virtual ~FullScreenPort() = default;
    virtual bool OtherProgramFullScreen() = 0;
};

}  // namespace quorell
