#include "gui/qt/label_view.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

#include "gui/qt/qt_text.h"
#include "ui_model/label_fit.h"

namespace quorell::gui {

namespace {

QStaticText LaidOut(const QString& text, const QFont& font) {
    QStaticText layout(text);
    layout.setTextFormat(Qt::PlainText);
    layout.prepare(QTransform(), font);
    return layout;
}

// Characters whose glyphs never depend on their neighbours: Latin (with its punctuation and signs),
// CJK punctuation, the unified ideographs and the full-width forms.
bool NeedsNoShaping(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x20 && u < 0x7F) || (u >= 0xA0 && u < 0x250) || (u >= 0x3000 && u < 0x3040) ||
           (u >= 0x4E00 && u < 0xA000) || (u >= 0xFF01 && u < 0xFF5F);
}

// The text placed glyph by glyph in `font`; nothing when a character needs shaping or the face lacks it.
std::optional<QGlyphRun> PlacedGlyphs(const QString& text, const QRawFont& font) {
    if (!font.isValid() || text.isEmpty())
        return std::nullopt;
    for (const QChar c : text) {
        if (!NeedsNoShaping(c) || !font.supportsCharacter(c))
            return std::nullopt;
    }
    const QList<quint32> indexes = font.glyphIndexesForString(text);
    const QList<QPointF> advances = font.advancesForGlyphIndexes(indexes, QRawFont::KernedAdvances);
    if (indexes.size() != text.size() || advances.size() != indexes.size())
        return std::nullopt;
    QList<QPointF> positions;
    positions.reserve(indexes.size());
    QPointF pen(0.0, font.ascent());  // the baseline of a laid-out line
    for (const QPointF& advance : advances) {
        positions.push_back(pen);
        pen += advance;
    }
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    run.setBoundingRect(QRectF(0.0, 0.0, pen.x(), font.ascent() + font.descent()));
    return run;
}

std::optional<QColor> ToOptionalQColor(std::optional<Rgb> colour) {
    return colour ? std::optional<QColor>(ToQColor(*colour)) : std::nullopt;
}

}  // namespace

LabelView::LabelView(Label& model, QWidget* parent)
    : QWidget(parent),
      align_(model.Align()),
      textColour_(ToQColor(model.TextColour())),
      background_(ToOptionalQColor(model.Background())) {
    setObjectName(ToQString(model.Name()));
    setGeometry(ToQRect(model.Geometry()));
    ShowText(model.Text());
    subscription_ = model.Subscribe([this](const LabelChange& change) {
        std::visit(Overloaded{[this](const TextChange& text) { ShowText(text.text); },
                              [this](const TextColourChange& colour) {
                                  textColour_ = ToQColor(colour.colour);
                                  update();
                              },
                              [this](const BackgroundChange& background) {
                                  background_ = ToOptionalQColor(background.colour);
                                  Refresh();
                              }},
                   change);
    });
}

void LabelView::ShowText(std::string_view text) {
    text_ = ToQString(OneLine(text));
    Refresh();
}

void LabelView::Refresh() {
    setAttribute(Qt::WA_OpaquePaintEvent, background_.has_value() || backdrop_.has_value());
    update();
}

void LabelView::SetBackdrop(std::optional<QColor> colour) {
    backdrop_ = colour;
    Refresh();
}

const LabelView::Fitted& LabelView::Fit() const {
    if (fitted_.width == width() && fitted_.text == text_ && fitted_.base == font()) {
        return fitted_;
    }
    if (rawFontOf_ != font() || !rawFont_.isValid()) {
        rawFontOf_ = font();
        rawFont_ = QRawFont::fromFont(font());
        // Centred like a laid-out line of the same font.
        rawLineHeight_ = LaidOut(QStringLiteral("0"), font()).size().height();
    }
    Fitted fitted{text_, width(), font(), font(), std::nullopt, {}, {}, 0.0};
    std::optional<QGlyphRun> glyphs = PlacedGlyphs(text_, rawFont_);
    const LabelFit fit = FitLabel(align_, width(), [&](int percent) {
        if (percent == 100 && glyphs) {
            return glyphs->boundingRect().width();
        }
        fitted.shown = font();
        if (percent < 100) {
            fitted.shown.setStretch(percent);
        }
        fitted.layout = LaidOut(text_, fitted.shown);
        return fitted.layout.size().width();
    });
    if (fit.percent == 100 && glyphs) {
        fitted.size = QSizeF(glyphs->boundingRect().width(), rawLineHeight_);
        fitted.glyphs = std::move(glyphs);
    } else {
        fitted.size = fitted.layout.size();
    }
    fitted.left = fit.left;
    fitted_ = std::move(fitted);
    return fitted_;
}

QFont LabelView::ShownFont() const {
    return Fit().shown;
}

void LabelView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (background_) {
        painter.fillRect(rect(), *background_);
    } else if (backdrop_) {
        painter.fillRect(rect(), *backdrop_);
    }
    const Fitted& fitted = Fit();
    const QPointF topLeft(fitted.left, std::round((height() - fitted.size.height()) / 2.0));
    painter.setPen(textColour_);
    painter.setClipRect(rect());
    if (fitted.glyphs) {
        painter.drawGlyphRun(topLeft, *fitted.glyphs);
    } else {
        painter.setFont(fitted.shown);
        painter.drawStaticText(topLeft, fitted.layout);
    }
}

}  // namespace quorell::gui
