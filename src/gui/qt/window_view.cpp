#include "gui/qt/window_view.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMoveEvent>
#include <QPalette>

#include "gui/qt/qt_text.h"
#include "ui_model/window_frame.h"

namespace quorell::gui {

namespace {

QString ObjectNameOf(WindowKind kind) {
    switch (kind) {
        case WindowKind::Main:
            return QStringLiteral("MainWindow");
        case WindowKind::CpuMonitor:
            return QStringLiteral("CpuMonitor");
        case WindowKind::MemoryMonitor:
            return QStringLiteral("MemoryMonitor");
        case WindowKind::ReceiveMonitor:
            return QStringLiteral("ReceiveMonitor");
        case WindowKind::SendMonitor:
            return QStringLiteral("SendMonitor");
        case WindowKind::Trend:
            return QStringLiteral("TrendWindow");
        case WindowKind::Alerts:
            return QStringLiteral("AlertsWindow");
    }
    return QStringLiteral("Window");
}

Qt::WindowFlags FlagsOf(const WindowFlags& flags) {
    Qt::WindowFlags qt = Qt::Window;
    if (flags.border == BorderStyle::None) {
        qt = flags.inTaskBar ? Qt::Window : Qt::Tool;
        qt |= Qt::FramelessWindowHint;
    } else {
        qt |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (flags.minimiseBox) {
            qt |= Qt::WindowMinimizeButtonHint;
        }
        if (flags.maximiseBox) {
            qt |= Qt::WindowMaximizeButtonHint;
        }
        if (!flags.inTaskBar) {
            qt = (qt & ~Qt::WindowType_Mask) | Qt::Tool;
        }
    }
    if (flags.alwaysOnTop) {
        qt |= Qt::WindowStaysOnTopHint;
    }
    return qt;
}

}  // namespace

QSize WindowView::ClientSizeOf(const Window& model) {
    const Size client = ClientSize(model.OuterSize(), model.Flags().border);
    return {client.width, client.height};
}

WindowView::WindowView(Window& model, ViewContext& context)
    : QWidget(nullptr, FlagsOf(model.Flags())),
      model_(model),
      context_(context),
      position_(model.Left(), model.Top()),
      visible_(model.Visible()),
      steppedAside_(model.SteppedAside()),
      state_(model.State()) {
    setObjectName(ObjectNameOf(model.Kind()));
    setWindowTitle(ToQString(model.Title()));
    setToolTip(ToQString(model.ToolTip()));
    if (model.Flags().icon == WindowIcon::Application) {
        setWindowIcon(context.ApplicationIcon());
    }
    setFixedSize(ClientSizeOf(model));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ToQColor(colours::kWindowFace));
    setPalette(colours);
    setAutoFillBackground(true);

    built_ = BuildControls(model, context, this);
    // Placed before the native window exists, so that the place is taken as the frame's top-left
    // corner (the model's position is that of the outer rectangle).
    ApplyPosition();
    // Every window exists on the desktop from its creation on, hidden or shown, as the user's tools
    // (and the desktop's window lists) expect; Qt would otherwise make it only when first shown.
    winId();
    subscription_ = model_.Subscribe([this](const WindowChange& change) { Apply(change); });
    for (QTimer* timer : built_.timers) {
        timer->start();
    }
    ApplyState();
}

void WindowView::Apply(const WindowChange& change) {
    std::visit(Overloaded{[this](const PositionChange& moved) {
                              position_ = QPoint(moved.position.x, moved.position.y);
                              ApplyPosition();
                          },
                          [this](const VisibilityChange& shown) {
                              visible_ = shown.visible;
                              ApplyVisibility();
                          },
                          [this](const TitleChange& title) { setWindowTitle(ToQString(title.title)); },
                          [this](const ToolTipChange& tip) { setToolTip(ToQString(tip.text)); },
                          [this](const StepAsideChange& stepped) {
                              steppedAside_ = stepped.aside;
                              ApplyVisibility();
                          },
                          [this](const StateChange& state) {
                              state_ = state.state;
                              ApplyState();
                          },
                          [this](const ToFrontChange&) {
                              raise();
                              activateWindow();
                          }},
               change);
}

QWidget* WindowView::Control(const QString& name) const {
    const auto found = built_.widgets.find(name);
    return found == built_.widgets.end() ? nullptr : found->second;
}

void WindowView::ApplyPosition() {
    if (pos() == position_) {
        return;
    }
    applyingPosition_ = true;
    move(position_);
    applyingPosition_ = false;
}

void WindowView::ApplyVisibility() {
    const bool onScreen = visible_ && !steppedAside_;
    if (onScreen == isVisible()) {
        return;
    }
    if (onScreen) {
        ApplyPosition();
        show();
    } else {
        hide();
    }
}

void WindowView::ApplyState() {
    if (state_ == WindowState::Destroyed) {
        for (QTimer* timer : built_.timers) {
            timer->stop();
        }
        hide();
        return;
    }
    ApplyVisibility();
}

void WindowView::closeEvent(QCloseEvent* event) {
    // The model decides; a window it lets close is destroyed there, and the view follows its state.
    event->ignore();
    context_.Run([&] { model_.RequestClose(); });
}

void WindowView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        context_.Run([&] { model_.PressEscape(); });
        return;
    }
    QWidget::keyPressEvent(event);
}

// A right click anywhere on the window (a control without a menu of its own passes it on) is the model's.
void WindowView::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    context_.Run([&] { model_.RightClick(); });
}

void WindowView::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (applyingPosition_ || !isWindow()) {
        return;
    }
    const QPoint now = pos();
    if (now.x() != model_.Left() || now.y() != model_.Top()) {
        context_.Run([&] { model_.MoveByUser(now.x(), now.y()); });
    }
}

}  // namespace quorell::gui
