#pragma once

#include <QPoint>
#include <QRgb>
#include <optional>

#include "gui/qt/window_view.h"

namespace quorell::gui {

class DrawPanelView;

// A monitor window: frameless, on top, out of the task bar. A left press on its surface or on a
// static control (title strip, status strip, labels, close mark) drags the window, every step being a
// position change of the model; a press on the graph does not. With see-through on, exactly the
// graph pixels of the key colour (0xECECEC, the graph's background) are cut out of the window's
// shape, which follows the graph; the title and status strips stay whole.
class MonitorWindowView : public WindowView {
    Q_OBJECT
public:
    MonitorWindowView(Window& model, ViewContext& context);

    // A colour key (0xRRGGBB) makes that colour see-through; none makes the window fully opaque.
    void SetSeeThrough(std::optional<QRgb> colourKey);
    std::optional<QRgb> SeeThrough() const { return colourKey_; }
    DrawPanelView* Panel() const { return panel_; }

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    // A right-click (or the context-menu key) anywhere on the window, the graph included.

private:
    void ScheduleMask();
    void RebuildMask();

    DrawPanelView* panel_ = nullptr;
    std::optional<QRgb> colourKey_;
    bool maskScheduled_ = false;
    bool dragging_ = false;
    QPoint grabOffset_;  // cursor position less window position at the press
};

}  // namespace quorell::gui
