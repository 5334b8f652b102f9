#pragma once

#include <QWidget>
#include <vector>

#include "gui/qt/view_context.h"
#include "ui_model/controls.h"

class QTabBar;

namespace quorell::gui {

// A tab control: a row of page captions over a framed area. The controls of a page are children of
// this widget at positions relative to its top-left corner, and are shown only while their page is
// the current one. Choosing a tab selects the model's page; the model's page drives what is shown.
class TabView : public QWidget {
    Q_OBJECT
public:
    TabView(TabControl& model, ViewContext& context, QWidget* parent);

    // Puts a control's widget on a page (1-based).
    void AddToPage(int page, QWidget* widget);
    QTabBar* Bar() const { return bar_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowPage(int page);

    TabControl& model_;
    ViewContext& context_;
    QTabBar* bar_;
    int shownPage_;
    std::vector<std::pair<int, QWidget*>> pageWidgets_;
    Subscription subscription_;
};

}  // namespace quorell::gui
