#include "gui/qt/tab_view.h"

#include <algorithm>

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

#include "gui/qt/qt_text.h"

namespace quorell::gui {

namespace {

// Tabs no taller than the row the designs leave above the pages' controls.
class CompactTabBar : public QTabBar {
public:
    static constexpr int kHeight = 21;
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override {
        QSize size = QTabBar::tabSizeHint(index);
        size.setHeight(std::min(size.height(), kHeight));
        return size;
    }
};

}  // namespace

TabView::TabView(TabControl& model, ViewContext& context, QWidget* parent)
    : QWidget(parent),
      model_(model),
      context_(context),
      bar_(new CompactTabBar(this)),
      shownPage_(model.CurrentPage()) {
    setObjectName(ToQString(model.Name()));
    setGeometry(ToQRect(model.Geometry()));
    bar_->setObjectName(objectName() + QStringLiteral("_tabs"));
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    bar_->setFocusPolicy(Qt::TabFocus);
    for (const std::string& caption : model.PageCaptions()) {
        bar_->addTab(ToQString(caption));
    }
    bar_->move(2, 0);
    bar_->resize(bar_->sizeHint().boundedTo(QSize(width() - 4, height())));
    bar_->setCurrentIndex(shownPage_ - 1);

    connect(bar_, &QTabBar::currentChanged, this, [this](int index) {
        if (index + 1 != model_.CurrentPage()) {
            context_.Run([&] { model_.SelectPage(index + 1); });
        }
        // The model may refuse the page; the bar always shows the model's choice.
        if (model_.CurrentPage() - 1 != bar_->currentIndex()) {
            bar_->setCurrentIndex(model_.CurrentPage() - 1);
        }
    });
    subscription_ = model_.Subscribe([this](const PageChange& change) { ShowPage(change.page); });
}

void TabView::AddToPage(int page, QWidget* widget) {
    pageWidgets_.emplace_back(page, widget);
    widget->setVisible(page == shownPage_);
    bar_->raise();
}

void TabView::ShowPage(int current) {
    shownPage_ = current;
    bar_->setCurrentIndex(current - 1);
    // Hide the old page first so two pages never show at once.
    for (auto& [page, widget] : pageWidgets_) {
        if (page != current) {
            widget->hide();
        }
    }
    for (auto& [page, widget] : pageWidgets_) {
        if (page == current) {
            widget->show();
        }
    }
}

void TabView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, bar_->height() - 1, 0, 0);
    frame.tabBarSize = bar_->size();
    frame.tabBarRect = bar_->geometry();
    frame.shape = QTabBar::RoundedNorth;
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

}  // namespace quorell::gui
