#pragma once

#include "ui_model/canvas.h"
#include "ui_model/control.h"

namespace quorell {

// A draw panel: a bordered, retained drawing area whose pixels the live graph paints. Observers
// subscribe to its canvas.
class DrawPanel : public Control {
public:
    DrawPanel(Window& owner, const ControlDesign& design) : Control(owner, design) {}
    quorell::Canvas& Canvas() { return canvas_; }
    const quorell::Canvas& Canvas() const { return canvas_; }

private:
    quorell::Canvas canvas_;
};

}  // namespace quorell
