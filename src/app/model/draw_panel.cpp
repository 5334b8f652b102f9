#include "app/model/draw_panel.h"

namespace quorell {

DrawPanel::DrawPanel(Window& owner, const ControlSpec& spec) : Control(owner, spec) {
    canvas_.SetChangeListener([this] { Changed(ControlProperty::Pixels); });
}

}  // namespace quorell
