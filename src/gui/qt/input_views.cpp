#include "gui/qt/input_views.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPalette>

#include "gui/qt/qt_text.h"

namespace quorell::gui {

ButtonView::ButtonView(Button& model, ViewContext& context, QWidget* parent)
    : QPushButton(ToQString(model.Caption()), parent) {
    setObjectName(ToQString(model.Name()));
    setGeometry(ToQRect(model.Geometry()));
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [&model, &context] { context.Run([&] { model.Click(); }); });
}

CheckBoxView::CheckBoxView(CheckBox& model, ViewContext& context, QWidget* parent)
    : QCheckBox(ToQString(model.Caption()), parent), model_(model), context_(context) {
    setObjectName(ToQString(model.Name()));
    setGeometry(ToQRect(model.Geometry()));
    setChecked(model.Checked());
    subscription_ = model_.Subscribe([this](const CheckChange& change) { setChecked(change.checked); });
}

void CheckBoxView::nextCheckState() {
    context_.Run([&] { model_.Click(); });
    setChecked(model_.Checked());
}

EditBoxView::EditBoxView(EditBox& model, ViewContext& context, QWidget* parent)
    : QLineEdit(parent), model_(model), context_(context) {
    setObjectName(ToQString(model.Name()));
    setGeometry(ToQRect(model.Geometry()));
    if (const auto background = model.Background()) {
        QPalette colours = palette();
        colours.setColor(QPalette::Base, ToQColor(*background));
        setPalette(colours);
    }
    setTextMargins(0, 0, 0, 0);
    ShowText(model.Text());
    connect(this, &QLineEdit::textEdited, this,
            [this](const QString& text) { context_.Run([&] { model_.SetText(ToUtf8(text)); }); });
    subscription_ = model_.Subscribe([this](const TextChange& change) { ShowText(change.text); });
}

void EditBoxView::ShowText(std::string_view text) {
    const QString shown = ToQString(text);
    if (shown != this->text()) {
        setText(shown);
    }
}

bool EditBoxView::AcceptsAll(const QString& typed) const {
    for (char32_t character : typed.toUcs4()) {
        if (!model_.Accepts(character)) {
            return false;
        }
    }
    return true;
}

void EditBoxView::keyPressEvent(QKeyEvent* event) {
    // Shortcuts (copy, paste, select all) are not typing; the filter applies to typed characters only.
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (!shortcut && !event->text().isEmpty() && !AcceptsAll(event->text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void EditBoxView::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty() && !AcceptsAll(event->commitString())) {
        QInputMethodEvent without(event->preeditString(), event->attributes());
        QLineEdit::inputMethodEvent(&without);
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

}  // namespace quorell::gui
