// What the screen shows after the views repaint only what changed: the graph and the labels as the
// model holds them, however many small repaints it took to get there.
#include <QCheckBox>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QScreen>
#include <QTest>

#include "gui/qt/draw_panel_view.h"
#include "gui/qt/label_view.h"
#include "gui_rig.h"
#include "monitors/live_graph.h"

using namespace quorell;
using quorell::testing::GuiRig;

namespace {

// Records the rectangles a widget is asked to paint.
class PaintLog : public QObject {
public:
    std::vector<QRect> rects;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            rects.push_back(static_cast<QPaintEvent*>(event)->rect());
        }
        return QObject::eventFilter(watched, event);
    }
};

// The window as the screen holds it: what was painted into it, without painting it again.
QImage OnScreen(QWidget& window) {
    return QGuiApplication::primaryScreen()->grabWindow(window.winId()).toImage();
}

}  // namespace

class RepaintTest : public QObject {
    Q_OBJECT
    std::unique_ptr<GuiRig> rig;

private slots:
    void initTestCase() { testing::UseProgramLook(); }
    void init() {
        rig = std::make_unique<GuiRig>();
        QVERIFY(rig->Start());
    }
    void cleanup() { rig.reset(); }

    void theGraphOnScreenMatchesTheCanvasBeforeAndAfterItScrolls() {
        Window& model = rig->Model(WindowKind::MemoryMonitor);
        model.SetVisible(true);
        gui::WindowView& window = rig->View(WindowKind::MemoryMonitor);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* panel = rig->Widget<gui::DrawPanelView>(WindowKind::MemoryMonitor, "画板_内存");
        Canvas& canvas = model.DrawPanel("画板_内存").Canvas();
        PaintLog log;
        panel->installEventFilter(&log);

        const QPoint origin = panel->mapTo(&window, gui::DrawPanelView::DrawingOrigin());
        auto compare = [&](const char* when) {
            QCoreApplication::processEvents();
            const QImage shown = OnScreen(window);
            int differences = 0;
            for (int y = 0; y < Canvas::kHeight; ++y) {
                for (int x = 0; x < Canvas::kWidth; ++x) {
                    differences += (shown.pixel(origin.x() + x, origin.y() + y) & 0xFFFFFFu) != canvas.Pixel(x, y);
                }
            }
            QVERIFY2(differences == 0, when);
            // The frame around the drawing area is still there.
            QCOMPARE(shown.pixel(origin.x() - 1, origin.y() + 50) & 0xFFFFFFu, 0x646464u);
        };

        // Graph steps painted one at a time, some batched between paints; well past the 300 columns at
        // which the graph starts to scroll.
        std::int32_t column = 0;
        for (int step = 0; step < 420; ++step) {
            const std::int32_t percent = (step * 37) % 101;
            ApplyLevelColour(canvas, percent);
            DrawGraphColumn(canvas, percent, column);
            if (step % 3 != 0) {
                QCoreApplication::processEvents();
            }
            if (step == 120) {
                compare("before the graph scrolls");
                // A step before the graph is full repaints one column of the drawing area, nothing else.
                QCoreApplication::processEvents();
                log.rects.clear();
                ApplyLevelColour(canvas, 60);
                DrawGraphColumn(canvas, 60, column);
                QCoreApplication::processEvents();
                QCOMPARE(log.rects.size(), std::size_t{1});
                QCOMPARE(log.rects.front().left(), gui::DrawPanelView::DrawingOrigin().x() + column - 1);
                QCOMPARE(log.rects.front().width(), 1);
            }
        }
        QCoreApplication::processEvents();
        compare("after the graph scrolled");

        // A window covered and shown again repaints everything, frame included.
        model.SetVisible(false);
        model.SetVisible(true);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        compare("after being shown again");
    }

    void aNewValueRepaintsItsLabelAloneWhereOnlyPlainColourLiesBehindIt() {
        Window& model = rig->Model(WindowKind::CpuMonitor);
        model.SetVisible(true);
        gui::WindowView& window = rig->View(WindowKind::CpuMonitor);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* value = rig->Widget<gui::LabelView>(WindowKind::CpuMonitor, "显示_当前Cpu使用率");
        QWidget* strip = rig->Widget<QWidget>(WindowKind::CpuMonitor, "外形框1");
        QWidget* caption = rig->Widget<QWidget>(WindowKind::CpuMonitor, "标签1");
        QCoreApplication::processEvents();
        PaintLog valuePaints, stripPaints, captionPaints;
        value->installEventFilter(&valuePaints);
        strip->installEventFilter(&stripPaints);
        caption->installEventFilter(&captionPaints);

        model.Label("显示_当前Cpu使用率").SetText("57%");
        QCoreApplication::processEvents();
        QCOMPARE(valuePaints.rects.size(), std::size_t{1});
        QVERIFY(stripPaints.rects.empty());
        QVERIFY(captionPaints.rects.empty());
        // Behind the text the window's face, as before, and the strip's outline untouched around it.
        const QImage shown = OnScreen(window);
        const QPoint corner = value->mapTo(&window, QPoint(0, 0));
        QCOMPARE(shown.pixel(corner) & 0xFFFFFFu, 0xF0F0F0u);
        const QPoint stripCorner = strip->mapTo(&window, QPoint(0, 0));
        QCOMPARE(shown.pixel(stripCorner + QPoint(50, 0)) & 0xFFFFFFu, colours::kFrameGrey);

        // Labels in a group box keep drawing over whatever lies behind them.
        QVERIFY(!rig->Widget<QWidget>(WindowKind::Main, "标签1")->testAttribute(Qt::WA_OpaquePaintEvent));
    }

    void aLabelRefitsItsTextWheneverTheTextOrItsWidthChanges() {
        Label& model = rig->Model(WindowKind::ReceiveMonitor).Label("显示_当前流量");
        auto* label = rig->Widget<gui::LabelView>(WindowKind::ReceiveMonitor, "显示_当前流量");
        rig->View(WindowKind::ReceiveMonitor).show();
        auto fits = [&] { return QFontMetrics(label->ShownFont()).horizontalAdvance(label->Text()) <= label->width(); };
        auto narrowed = [&] { return label->ShownFont().stretch() != label->font().stretch(); };

        model.SetText("1K");
        QVERIFY(fits());
        QVERIFY(!narrowed());
        model.SetText("1234567K");
        QVERIFY(fits());
        QVERIFY(narrowed());
        model.SetText("2K");
        QVERIFY(!narrowed());
        model.SetText("1234567K");
        QVERIFY(narrowed());
        // Wide enough again: the text is shown at its normal width.
        const QSize designed = label->size();
        label->resize(designed.width() * 4, designed.height());
        QVERIFY(!narrowed());
        label->resize(designed);
        QVERIFY(narrowed());
        QFont bigger = label->font();
        bigger.setPixelSize(bigger.pixelSize() > 0 ? bigger.pixelSize() * 2 : 24);
        label->setFont(bigger);
        QCOMPARE(label->ShownFont().pixelSize(), bigger.pixelSize());
        QVERIFY(narrowed());
    }

    // The alert settings hold the longest Chinese captions of a settings form: each one shows whole, at the
    // program's font and normal width, beside its box.
    void everyTextOfTheAlertSettingsShowsWhole() {
        const gui::WindowView& view = rig->View(WindowKind::Alerts);
        rig->Model(WindowKind::Alerts).SetVisible(true);
        for (const auto& control : rig->Model(WindowKind::Alerts).Controls()) {
            QWidget* widget = view.Control(QString::fromStdString(control->Name()));
            if (auto* label = qobject_cast<gui::LabelView*>(widget)) {
                QVERIFY2(label->ShownFont().stretch() == label->font().stretch(), control->Name().c_str());
            } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
                QVERIFY2(box->sizeHint().width() <= box->width(), control->Name().c_str());
            }
        }
    }
};

QTEST_MAIN(RepaintTest)
#include "repaint_test.moc"
