#include "ui_model/draw_panel.h"

namespace quorell {

DrawPanel::DrawPanel(Window& owner, const ControlDesign& design) : Control(owner, design) {
    canvas_.SetChangeListener([this] { Changed(ControlProperty::Pixels); });
}

}  // namespace quorell
