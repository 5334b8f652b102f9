#pragma once

#include <QColor>
#include <QWidget>
#include <optional>

#include "app/model/controls.h"

namespace quorell::gui {

// A one-line label: its text vertically centred, left- or right-aligned inside its fixed rectangle, so
// a right-aligned value keeps its right edge where it is as the text grows. Text wider than the rectangle
// would lose its leading characters (a value would read wrong), so it is drawn narrower instead, down
// to half width; only beyond that is it clipped. Presses fall through to the window (which may start
// a drag).
class LabelView : public QWidget {
    Q_OBJECT
public:
    LabelView(Label& model, QWidget* parent);
    ~LabelView() override;
    QString Text() const { return text_; }
    // The font the text is drawn in: the window's, narrowed when the text would not fit.
    QFont ShownFont() const;
    // The plain colour that shows behind the label where it has no background of its own (nothing
    // when what lies behind is not one colour). With it the label paints its whole rectangle itself,
    // so a new text repaints the label alone instead of everything behind it.
    void SetBackdrop(std::optional<QColor> colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Refresh();

    Label& model_;
    Signal<ControlProperty>::Id subscription_;
    QString text_;
    std::optional<QColor> backdrop_;
    // ShownFont measures the text; most repaints show the same text at the same width and font.
    mutable struct {
        QString text;
        int width = -1;
        QFont base;
        QFont shown;
    } fitted_;
};

}  // namespace quorell::gui
