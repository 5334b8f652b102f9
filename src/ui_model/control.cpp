#include "ui_model/control.h"

#include "ui_model/window.h"

namespace quorell {

Control::Control(Window& owner, const ControlDesign& design)
    : owner_(owner),
      name_(design.name),
      kind_(design.kind),
      container_(design.container),
      page_(design.page),
      rect_(design.rect) {}

void Control::Changed(ControlProperty property) {
    changed_.Emit(property);
    owner_.ControlChanged(*this, property);
}

}  // namespace quorell
