#include "app/model/control.h"

#include "app/model/window.h"

namespace quorell {

Control::Control(Window& owner, const ControlSpec& spec)
    : owner_(owner), name_(spec.name), kind_(spec.kind), container_(spec.container), page_(spec.page),
      rect_(spec.rect) {}

void Control::Changed(ControlProperty property) {
    changed_.Emit(property);
    owner_.ControlChanged(*this, property);
}

}  // namespace quorell
