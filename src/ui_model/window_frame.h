#pragma once

#include "ui_model/geometry.h"
#include "ui_model/window_design.h"

namespace quorell {

// The frame that a bordered window's outer size includes, in design pixels: its client area is the outer
// size less this frame, whatever frame the desktop draws, so that every control fits as designed.
struct FrameInsets {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
inline constexpr FrameInsets kNominalFrame{3, 25, 3, 3};

// The client area of a window of this outer size and border: the whole of it for a borderless window.
constexpr Size ClientSize(Size outer, BorderStyle border) {
    if (border == BorderStyle::None) {
        return outer;
    }
    return {outer.width - kNominalFrame.left - kNominalFrame.right,
            outer.height - kNominalFrame.top - kNominalFrame.bottom};
}

}  // namespace quorell
