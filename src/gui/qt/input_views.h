#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "gui/qt/view_context.h"
#include "ui_model/controls.h"

namespace quorell::gui {

// A push button whose click raises the model's clicked event.
class ButtonView : public QPushButton {
    Q_OBJECT
public:
    ButtonView(Button& model, ViewContext& context, QWidget* parent);
};

// A check box that mirrors the model's tick. A click does not flip the widget itself: the model flips
// its tick and raises its clicked event, and the widget follows the model.
class CheckBoxView : public QCheckBox {
    Q_OBJECT
public:
    CheckBoxView(CheckBox& model, ViewContext& context, QWidget* parent);

protected:
    void nextCheckState() override;

private:
    CheckBox& model_;
    ViewContext& context_;
    Subscription subscription_;
};

// A one-line edit box. Typed characters that the model's filter refuses are dropped (control keys such
// as backspace, delete and the arrows pass); every change of the text by the user becomes the model's
// text, and so its content-changed event. Text set by the program is shown as it is.
class EditBoxView : public QLineEdit {
    Q_OBJECT
public:
    EditBoxView(EditBox& model, ViewContext& context, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    bool AcceptsAll(const QString& typed) const;
    void ShowText(std::string_view text);

    EditBox& model_;
    ViewContext& context_;
    Subscription subscription_;
};

}  // namespace quorell::gui
