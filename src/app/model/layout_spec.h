#pragma once

// Older names of the window designs, kept while some tests still use them.
#include "app/model/window_design.h"

namespace quorell {
using WindowSpec = WindowDesign;
using ControlSpec = ControlDesign;
using MenuItemSpec = MenuItemDesign;
}  // namespace quorell
