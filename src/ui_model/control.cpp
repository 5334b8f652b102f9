#include "ui_model/control.h"

namespace quorell {

Control::Control(Window& owner, const ControlDesign& design)
    : owner_(owner),
      name_(design.name),
      kind_(design.kind),
      container_(design.container),
      page_(design.page),
      rect_(design.rect) {}

}  // namespace quorell
