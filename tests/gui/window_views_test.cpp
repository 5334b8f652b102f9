// The seven top-level views against their designs, and the user's ways to move, hide and close them.
#include <QDesktopServices>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "app/layouts/layouts.h"
#include "gui/qt/label_view.h"
#include "gui/qt/monitor_window_view.h"
#include "gui/qt/static_views.h"
#include "gui_rig.h"

using namespace quorell;
using quorell::testing::GuiRig;

namespace {

constexpr auto kAll = kAllWindowKinds;
constexpr WindowKind kMonitors[] = {WindowKind::CpuMonitor, WindowKind::MemoryMonitor, WindowKind::ReceiveMonitor,
                                    WindowKind::SendMonitor};

// The column of the rightmost pixel that is not the background, or -1.
int RightmostInk(const QImage& image, QRgb background) {
    for (int x = image.width() - 1; x >= 0; --x) {
        for (int y = 0; y < image.height(); ++y) {
            if ((image.pixel(x, y) & 0xFFFFFFu) != (background & 0xFFFFFFu)) {
                return x;
            }
        }
    }
    return -1;
}

int LeftmostInk(const QImage& image, QRgb background) {
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if ((image.pixel(x, y) & 0xFFFFFFu) != (background & 0xFFFFFFu)) {
                return x;
            }
        }
    }
    return -1;
}

// Receives the addresses the program opens instead of a web browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened.append(url); }
};

}  // namespace

class WindowViewsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<GuiRig> rig;
    UrlCatcher urls;

private slots:
    void initTestCase() {
        testing::UseProgramLook();
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &urls, "Open");
    }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
    void init() {
        rig = std::make_unique<GuiRig>();
        QVERIFY(rig->Start());
        urls.opened.clear();
    }
    void cleanup() { rig.reset(); }

    void windowsHaveTheirTitlesSizesAndFlags() {
        for (WindowKind kind : kAll) {
            const gui::WindowView& view = rig->View(kind);
            QCOMPARE(view.windowTitle().toStdString(), rig->Model(kind).Title());
        }
        QCOMPARE(rig->View(WindowKind::Main).objectName(), QStringLiteral("MainWindow"));
        QCOMPARE(rig->View(WindowKind::ReceiveMonitor).objectName(), QStringLiteral("ReceiveMonitor"));
        QCOMPARE(rig->View(WindowKind::Main).size(), QSize(524, 251));
        QCOMPARE(rig->View(WindowKind::Trend).size(), QSize(494, 272));
        for (WindowKind kind : {WindowKind::Main, WindowKind::Trend, WindowKind::Alerts}) {
            const Qt::WindowFlags flags = rig->View(kind).windowFlags();
            QVERIFY(!(flags & Qt::FramelessWindowHint));
            QVERIFY(flags & Qt::WindowCloseButtonHint);
            QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            QVERIFY(!(flags & Qt::WindowStaysOnTopHint));
            QCOMPARE(flags & Qt::WindowType_Mask, Qt::Window);
            QCOMPARE(rig->View(kind).minimumSize(), rig->View(kind).maximumSize());
        }
        for (WindowKind kind : kMonitors) {
            const gui::WindowView& view = rig->View(kind);
            QCOMPARE(view.size(), QSize(302, 142));
            QVERIFY(view.windowFlags() & Qt::FramelessWindowHint);
            QVERIFY(view.windowFlags() & Qt::WindowStaysOnTopHint);
            QCOMPARE(view.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        }
        const QList<QSize> iconSizes{{16, 16}, {32, 32}, {48, 48}, {64, 64}};
        QCOMPARE(rig->View(WindowKind::Main).windowIcon().availableSizes(), iconSizes);
        QCOMPARE(rig->View(WindowKind::CpuMonitor).windowIcon().availableSizes(), iconSizes);
        QCOMPARE(rig->View(WindowKind::MemoryMonitor).windowIcon().availableSizes(), iconSizes);
        QVERIFY(rig->View(WindowKind::ReceiveMonitor).windowIcon().availableSizes().isEmpty());
        QCOMPARE(rig->context.CloseMark().size(), QSize(16, 16));
    }

    void onlyTheMainWindowShowsAtStart() {
        for (WindowKind kind : kAll) {
            QCOMPARE(rig->View(kind).isVisible(), kind == WindowKind::Main);
        }
    }

    void everyControlSitsInItsContainerAtItsDesignPlace() {
        for (WindowKind kind : kAll) {
            const gui::WindowView& view = rig->View(kind);
            for (const auto& control : rig->Model(kind).Controls()) {
                if (control->Kind() == ControlKind::Timer || control->Kind() == ControlKind::Menu) {
                    continue;
                }
                const QString name = QString::fromStdString(control->Name());
                QWidget* widget = view.Control(name);
                QVERIFY2(widget != nullptr, qPrintable(name));
                QCOMPARE(widget->objectName(), name);
                const Rect& r = control->Geometry();
                QCOMPARE(widget->geometry(), QRect(r.left, r.top, r.width, r.height));
                const QWidget* expectedParent =
                    control->Container().empty() ? &view : view.Control(QString::fromStdString(control->Container()));
                QCOMPARE(widget->parentWidget(), expectedParent);
            }
        }
    }

    void valueLabelsKeepTheirRightEdgeAsTheTextGrows() {
        Label& model = rig->Model(WindowKind::CpuMonitor).Label("显示_平均Cpu使用率");
        auto* label = rig->Widget<gui::LabelView>(WindowKind::CpuMonitor, "显示_平均Cpu使用率");
        QVERIFY(label != nullptr);
        rig->View(WindowKind::CpuMonitor).show();
        const QRgb face = rig->View(WindowKind::CpuMonitor).palette().color(QPalette::Window).rgb();
        model.SetText("7%");
        const QImage narrow = label->grab().toImage();
        model.SetText("100 %");
        const QImage wide = label->grab().toImage();
        QCOMPARE(label->Text(), QStringLiteral("100 %"));
        QCOMPARE(RightmostInk(wide, face), RightmostInk(narrow, face));
        QVERIFY(LeftmostInk(wide, face) < LeftmostInk(narrow, face));
        // A value wider than its label is narrowed, not cut: its first digit stays in sight.
        model.SetText("11417M");
        QVERIFY(QFontMetrics(label->font()).horizontalAdvance(label->Text()) > label->width());
        QVERIFY(QFontMetrics(label->ShownFont()).horizontalAdvance(label->Text()) <= label->width());
        QCOMPARE(RightmostInk(label->grab().toImage(), face), RightmostInk(narrow, face));
        // A text label starts at its left edge.
        auto* caption = rig->Widget<gui::LabelView>(WindowKind::CpuMonitor, "标签3");
        QVERIFY(LeftmostInk(caption->grab().toImage(), face) <= 1);
    }

    void modelPositionAndVisibilityReachTheView() {
        Window& cpu = rig->Model(WindowKind::CpuMonitor);
        cpu.MoveTo(100, 200);
        QCOMPARE(rig->View(WindowKind::CpuMonitor).pos(), QPoint(100, 200));
        cpu.SetVisible(true);
        QVERIFY(rig->View(WindowKind::CpuMonitor).isVisible());
        cpu.SetVisible(false);
        QVERIFY(!rig->View(WindowKind::CpuMonitor).isVisible());
    }

    void aMoveByTheDesktopIsStoredAsTheNewPosition() {
        gui::WindowView& view = rig->View(WindowKind::ReceiveMonitor);
        rig->Model(WindowKind::ReceiveMonitor).SetVisible(true);
        view.move(10, 20);
        QCOMPARE(rig->Model(WindowKind::ReceiveMonitor).Position(), (Point{10, 20}));
        QCOMPARE(rig->Setting("界面设置", "接收左边"), std::string("10"));
        QCOMPARE(rig->Setting("界面设置", "接收顶边"), std::string("20"));
    }

    void escapeAndTheCloseBoxOnlyHide() {
        // The offscreen desktop has no tray host: there the main window is minimized instead of hidden.
        const auto closed = [this](WindowKind kind) {
            const gui::WindowView& view = rig->View(kind);
            return kind == WindowKind::Main ? view.isMinimized() && rig->Model(kind).Visible() : !view.isVisible();
        };
        for (WindowKind kind : kAll) {
            rig->Model(kind).SetVisible(true);
            QTest::keyClick(&rig->View(kind), Qt::Key_Escape);
            QVERIFY2(closed(kind), "Esc");
            QVERIFY(rig->Model(kind).Exists());
            rig->View(kind).showNormal();
            rig->Model(kind).SetVisible(true);
            QVERIFY(!rig->View(kind).close());
            QVERIFY2(closed(kind), "close box");
            QVERIFY(rig->Model(kind).Exists());
        }
        // Closing the main window also opens our web page.
        QCOMPARE(urls.opened.size(), 2);
        QCOMPARE(urls.opened.front().toString().toStdString(), std::string(kMakerWebAddress));
    }

    void escapeInsideTheBandwidthBoxReachesTheWindow() {
        QWidget* edit = rig->View(WindowKind::Main).Control(QStringLiteral("输入_网络带宽"));
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(rig->View(WindowKind::Main).isMinimized());  // no tray host offscreen
    }

    void theCloseMarkHidesOnADoubleClickOnly() {
        rig->Model(WindowKind::SendMonitor).SetVisible(true);
        auto* mark = rig->Widget<gui::PictureBoxView>(WindowKind::SendMonitor, "功能_关闭窗口");
        QVERIFY(mark != nullptr);
        QTest::mouseClick(mark, Qt::LeftButton, {}, QPoint(8, 8));
        QVERIFY(rig->View(WindowKind::SendMonitor).isVisible());
        QTest::mouseDClick(mark, Qt::LeftButton, {}, QPoint(8, 8));
        QVERIFY(!rig->View(WindowKind::SendMonitor).isVisible());
        QVERIFY(rig->Model(WindowKind::SendMonitor).Exists());
    }

    void monitorsAreDraggedByTheirStripsButNotByTheGraph() {
        Window& cpu = rig->Model(WindowKind::CpuMonitor);
        cpu.MoveTo(300, 300);
        cpu.SetVisible(true);
        QWidget* status = rig->View(WindowKind::CpuMonitor).Control(QStringLiteral("显示_当前Cpu使用率"));
        // Points are relative to the label, which travels with the window: after a step of (20, 10)
        // the cursor at the label's (15, 15) is (30, 20) away from where the press was.
        QTest::mousePress(status, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(status, QPoint(25, 15));
        QCOMPARE(cpu.Position(), (Point{320, 310}));
        QTest::mouseMove(status, QPoint(15, 15));
        QTest::mouseRelease(status, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(cpu.Position(), (Point{330, 320}));
        QCOMPARE(rig->View(WindowKind::CpuMonitor).pos(), QPoint(330, 320));
        QCOMPARE(rig->Setting("界面设置", "Cpu左边"), std::string("330"));

        QWidget* graph = rig->View(WindowKind::CpuMonitor).Control(QStringLiteral("画板_Cpu"));
        QTest::mousePress(graph, Qt::LeftButton, {}, QPoint(50, 50));
        QTest::mouseMove(graph, QPoint(90, 80));
        QTest::mouseRelease(graph, Qt::LeftButton, {}, QPoint(90, 80));
        QCOMPARE(cpu.Position(), (Point{330, 320}));
    }

    void timersTickAtTheirIntervalsWhileHidden() {
        const auto interval = [&](WindowKind kind, const char* name) {
            for (QTimer* timer : rig->View(kind).Timers()) {
                if (timer->objectName() == QString::fromUtf8(name)) {
                    return timer->isActive() ? timer->interval() : -1;
                }
            }
            return 0;
        };
        QCOMPARE(interval(WindowKind::CpuMonitor, "时钟_Cpu"), 1000);
        QCOMPARE(interval(WindowKind::MemoryMonitor, "时钟_内存"), 1000);
        QCOMPARE(interval(WindowKind::ReceiveMonitor, "时钟_Lan"), 1000);
        QCOMPARE(interval(WindowKind::SendMonitor, "时钟_Lan"), 1000);
        QCOMPARE(interval(WindowKind::Trend, "时钟_统计流量"), 1000);
        QCOMPARE(interval(WindowKind::Trend, "时钟_统计基础"), 30000);
        const int readsBefore = rig->memory.reads;
        QTRY_VERIFY_WITH_TIMEOUT(rig->memory.reads > readsBefore, 2500);
        QVERIFY(!rig->View(WindowKind::MemoryMonitor).isVisible());
    }
};

QTEST_MAIN(WindowViewsTest)
#include "window_views_test.moc"
