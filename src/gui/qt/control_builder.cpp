#include "gui/qt/control_builder.h"

#include <stdexcept>

#include "gui/qt/draw_panel_view.h"
#include "gui/qt/input_views.h"
#include "gui/qt/label_view.h"
#include "gui/qt/line_chart_view.h"
#include "gui/qt/qt_text.h"
#include "gui/qt/static_views.h"
#include "gui/qt/tab_view.h"
#include "ui_model/draw_panel.h"
#include "ui_model/line_chart_control.h"

namespace quorell::gui {

namespace {

QWidget* MakeWidget(Control& control, ViewContext& context, QWidget* parent) {
    switch (control.Kind()) {
        case ControlKind::Label:
            return new LabelView(static_cast<Label&>(control), parent);
        case ControlKind::ShapeBox:
            return new ShapeBoxView(static_cast<ShapeBox&>(control), parent);
        case ControlKind::GroupBox:
            return new GroupBoxView(static_cast<GroupBox&>(control), parent);
        case ControlKind::PictureBox:
            return new PictureBoxView(static_cast<PictureBox&>(control), context, parent);
        case ControlKind::Button:
            return new ButtonView(static_cast<Button&>(control), context, parent);
        case ControlKind::CheckBox:
            return new CheckBoxView(static_cast<CheckBox&>(control), context, parent);
        case ControlKind::EditBox:
            return new EditBoxView(static_cast<EditBox&>(control), context, parent);
        case ControlKind::TabControl:
            return new TabView(static_cast<TabControl&>(control), context, parent);
        case ControlKind::DrawPanel:
            return new DrawPanelView(static_cast<DrawPanel&>(control), parent);
        case ControlKind::LineChart:
            return new LineChartView(static_cast<LineChart&>(control), parent);
        case ControlKind::Timer:
        case ControlKind::Menu:
            return nullptr;
    }
    return nullptr;
}

QTimer* MakeTimer(Timer& timer, ViewContext& context, QWidget* owner) {
    auto* qtimer = new QTimer(owner);
    qtimer->setObjectName(ToQString(timer.Name()));
    qtimer->setInterval(timer.IntervalMs());
    qtimer->setTimerType(Qt::CoarseTimer);
    QObject::connect(qtimer, &QTimer::timeout, owner, [&timer, &context] { context.RunTick([&] { timer.Tick(); }); });
    return qtimer;
}

// Whether another child of `parent` than `except` covers part of `area` (in `parent`'s coordinates).
bool OtherChildOverlaps(const QWidget* parent, const QWidget* except, const QRect& area) {
    for (const QObject* object : parent->children()) {
        const auto* child = qobject_cast<const QWidget*>(object);
        if (child != nullptr && child != except && !child->isWindow() && child->geometry().intersects(area)) {
            return true;
        }
    }
    return false;
}

// The one colour behind `widget` when nothing but plain colour lies there: the fill of the shape boxes
// it sits in (inside their outlines), or the face of the window. Nothing when anything else (a group
// box, a tab page, a neighbouring control) could show behind it.
std::optional<QColor> PlainBackdrop(const QWidget* widget) {
    QRect area = widget->geometry();
    const QWidget* child = widget;
    for (const QWidget* parent = widget->parentWidget(); parent != nullptr; parent = parent->parentWidget()) {
        if (OtherChildOverlaps(parent, child, area)) {
            return std::nullopt;
        }
        if (parent->isWindow()) {
            if (!parent->autoFillBackground())
                return std::nullopt;
            return parent->palette().color(QPalette::Window);
        }
        const auto* box = qobject_cast<const ShapeBoxView*>(parent);
        if (box == nullptr || !parent->rect().adjusted(1, 1, -1, -1).contains(area)) {
            return std::nullopt;
        }
        if (const auto fill = box->Fill()) {
            return ToQColor(*fill);
        }
        area.translate(parent->pos());
        child = parent;
    }
    return std::nullopt;
}

}  // namespace

BuiltControls BuildControls(const Window& window, ViewContext& context, QWidget* client) {
    BuiltControls built;
    for (const auto& control : window.Controls()) {
        if (control->Kind() == ControlKind::Timer) {
            built.timers.push_back(MakeTimer(static_cast<Timer&>(*control), context, client));
            continue;
        }
        QWidget* parent = client;
        if (!control->Container().empty()) {
            const auto found = built.widgets.find(ToQString(control->Container()));
            if (found == built.widgets.end()) {
                // The designs list containers before their contents; anything else is a fault of the design.
                throw std::invalid_argument("control " + control->Name() + " comes before its container " +
                                            control->Container());
            }
            parent = found->second;
        }
        QWidget* widget = MakeWidget(*control, context, parent);
        if (widget == nullptr) {
            continue;
        }
        if (control->Page()) {
            if (auto* tab = qobject_cast<TabView*>(parent)) {
                tab->AddToPage(*control->Page(), widget);
            }
        }
        built.widgets.emplace(widget->objectName(), widget);
    }
    // Once every control is in place, labels learn what lies behind them.
    for (const auto& [name, widget] : built.widgets) {
        if (auto* label = qobject_cast<LabelView*>(widget)) {
            label->SetBackdrop(PlainBackdrop(label));
        }
    }
    return built;
}

}  // namespace quorell::gui
