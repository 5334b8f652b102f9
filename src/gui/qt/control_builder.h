#pragma once

#include <QString>
#include <QTimer>
#include <map>
#include <vector>

#include "gui/qt/view_context.h"
#include "ui_model/window.h"

class QWidget;

namespace quorell::gui {

// The widgets and timers made for one window's controls. Widgets are children of the window's client
// widget (or of their container's widget) and are owned by Qt's parent chain.
struct BuiltControls {
    std::map<QString, QWidget*> widgets;  // by control name (timers and the popup menu have none)
    std::vector<QTimer*> timers;
};

// Makes a widget for every visible control of the window at its place in its container, and a QTimer
// for every timer control, which ticks the model timer at its interval (not started yet).
BuiltControls BuildControls(const Window& window, ViewContext& context, QWidget* client);

}  // namespace quorell::gui
