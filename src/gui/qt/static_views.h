#pragma once

#include <QGroupBox>
#include <QPixmap>
#include <QWidget>

#include "gui/qt/view_context.h"
#include "ui_model/controls.h"

namespace quorell::gui {

// A rectangle with a 1-pixel outline, filled or not; it holds labels and picture boxes.
class ShapeBoxView : public QWidget {
    Q_OBJECT
public:
    ShapeBoxView(const ShapeBox& model, QWidget* parent);
    std::optional<Rgb> Fill() const { return model_.Fill(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ShapeBox& model_;
};

// A framed caption that holds other controls at positions relative to its own top-left corner.
class GroupBoxView : public QGroupBox {
    Q_OBJECT
public:
    GroupBoxView(const GroupBox& model, QWidget* parent);
};

// An image. A left double-click raises the model's double-clicked event; a single click does nothing
// and falls through to the window, like a press on any static control.
class PictureBoxView : public QWidget {
    Q_OBJECT
public:
    PictureBoxView(PictureBox& model, ViewContext& context, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    PictureBox& model_;
    ViewContext& context_;
    QPixmap image_;
};

}  // namespace quorell::gui
