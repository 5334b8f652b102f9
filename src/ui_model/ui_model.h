#pragma once

// The whole window and control model in one include.
#include "ui_model/colour.h"
#include "ui_model/controls.h"
#include "ui_model/draw_panel.h"
#include "ui_model/geometry.h"
#include "ui_model/line_chart_control.h"
#include "ui_model/menu.h"
#include "ui_model/window.h"
#include "ui_model/window_design.h"
