#pragma once

#include <QColor>
#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QStaticText>
#include <QWidget>
#include <optional>

#include "ui_model/controls.h"

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
    // The text laid out once in the font it is shown in, for as long as the text, the width and the
    // window's font stay the same: a value changes once a second, and laying out text is most of what
    // drawing it costs. Texts of characters that need no shaping (digits, Latin letters, Chinese
    // characters) are placed glyph by glyph from the font's own advances, without a text layout.
    struct Fitted {
        QString text;
        int width = -1;
        QFont base;
        QFont shown;
        std::optional<QGlyphRun> glyphs;  // baseline at the height of the font's ascent
        QStaticText layout;               // when there are no glyphs
        QSizeF size;
        qreal left = 0.0;  // of the text in the label; negative when even the narrowed text is too wide
    };

    void ShowText(std::string_view text);
    void Refresh();
    const Fitted& Fit() const;

    const TextAlign align_;
    QString text_;
    QColor textColour_;
    std::optional<QColor> background_;  // the label's own; none: transparent
    std::optional<QColor> backdrop_;
    mutable Fitted fitted_;
    // The face the window's font resolves to, for placing glyphs; kept while the font stays the same.
    mutable QFont rawFontOf_;
    mutable QRawFont rawFont_;
    mutable qreal rawLineHeight_ = 0.0;
    Subscription subscription_;
};

}  // namespace quorell::gui
