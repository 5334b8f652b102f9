#pragma once

// The whole window and control model in one include.
#include "app/model/colour.h"
#include "app/model/controls.h"
#include "app/model/draw_panel.h"
#include "app/model/geometry.h"
#include "app/model/line_chart_control.h"
#include "app/model/menu.h"
#include "app/model/window.h"
#include "app/model/window_design.h"
