#pragma once

#include <QWidget>

#include "gui/qt/control_builder.h"
#include "gui/qt/view_context.h"
#include "ui_model/window.h"

namespace quorell::gui {

// A top-level window that mirrors one model window: its flags, title, icon, size, position and
// visibility (hidden while it steps aside), with a widget for every control. User input becomes the
// model's events: the close box and Esc ask the model whether the window may close, a move by the window
// manager is a position change. The window's timers tick the model from the start, shown or hidden.
class WindowView : public QWidget {
    Q_OBJECT
public:
    WindowView(Window& model, ViewContext& context);

    Window& Model() const { return model_; }
    QWidget* Control(const QString& name) const;
    const std::vector<QTimer*>& Timers() const { return built_.timers; }
    // The outer size less the nominal frame of a bordered window.
    static QSize ClientSizeOf(const Window& model);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    ViewContext& Context() const { return context_; }

private:
    void Apply(const WindowChange& change);
    void ApplyPosition();
    void ApplyVisibility();
    void ApplyState();

    Window& model_;
    ViewContext& context_;
    BuiltControls built_;
    // The window as the model's notifications left it.
    QPoint position_;
    bool visible_;
    bool steppedAside_;
    WindowState state_;
    bool applyingPosition_ = false;
    Subscription subscription_;
};

}  // namespace quorell::gui
