// The controls of the main and trend windows: what the user types, ticks and clicks reaches the model
// and its handlers, and what the model holds is what the widgets show.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include "gui/qt/draw_panel_view.h"
#include "gui/qt/line_chart_view.h"
#include "gui/qt/qt_text.h"
#include "gui/qt/monitor_window_view.h"
#include "gui/qt/tab_view.h"
#include "gui_rig.h"

using namespace quorell;
using quorell::testing::GuiRig;

class ControlsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<GuiRig> rig;

    QLineEdit* Bandwidth() const { return rig->Widget<QLineEdit>(WindowKind::Main, "输入_网络带宽"); }
    std::string StoredBandwidth() const { return rig->Setting("基础设置", "用户带宽"); }

private slots:
    void initTestCase() { testing::UseProgramLook(); }
    void init() {
        rig = std::make_unique<GuiRig>();
        QVERIFY(rig->Start());
        rig->View(WindowKind::Main).show();
    }
    void cleanup() { rig.reset(); }

    void bandwidthBoxTakesDigitsAndMinusOnly() {
        QLineEdit* edit = Bandwidth();
        QCOMPARE(edit->text(), QStringLiteral("2"));
        edit->setFocus();
        edit->end(false);
        QTest::keyClicks(edit, QStringLiteral("a5x-.9 "));
        QCOMPARE(edit->text(), QStringLiteral("25-9"));
        QCOMPARE(rig->Model(WindowKind::Main).EditBox("输入_网络带宽").Text(), std::string("25-9"));
        QCOMPARE(StoredBandwidth(), std::string("25-9"));
        // Chinese typed through an input method is refused like any other character.
        QInputMethodEvent chinese;
        chinese.setCommitString(QStringLiteral("兆"));
        QApplication::sendEvent(edit, &chinese);
        QCOMPARE(edit->text(), QStringLiteral("25-9"));
    }

    void bandwidthBoxLetsControlKeysThrough() {
        QLineEdit* edit = Bandwidth();
        edit->setFocus();
        edit->end(false);
        QTest::keyClicks(edit, QStringLiteral("15"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("21"));
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->text(), QStringLiteral("1"));
        QCOMPARE(StoredBandwidth(), std::string("1"));
        // Emptying the box is a change too.
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(StoredBandwidth(), std::string(""));
    }

    void bandwidthSetByTheProgramIsShown() {
        rig->Model(WindowKind::Main).EditBox("输入_网络带宽").SetText("100");
        QCOMPARE(Bandwidth()->text(), QStringLiteral("100"));
    }

    void transparencyBoxFollowsTheModelAndCutsTheGraphs() {
        auto* box = rig->Widget<QCheckBox>(WindowKind::Main, "选择_是否透明");
        auto* cpu = dynamic_cast<gui::MonitorWindowView*>(&rig->View(WindowKind::CpuMonitor));
        QVERIFY(box != nullptr && cpu != nullptr);
        QVERIFY(!box->isChecked());
        QVERIFY(!cpu->SeeThrough());
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, 8));
        QVERIFY(box->isChecked());
        QVERIFY(rig->Model(WindowKind::Main).CheckBox("选择_是否透明").Checked());
        QCOMPARE(rig->Setting("基础设置", "是否透明"), std::string("是"));
        for (WindowKind kind :
             {WindowKind::CpuMonitor, WindowKind::MemoryMonitor, WindowKind::ReceiveMonitor, WindowKind::SendMonitor}) {
            auto* monitor = dynamic_cast<gui::MonitorWindowView*>(&rig->View(kind));
            QCOMPARE(monitor->SeeThrough(), std::optional<QRgb>(0xECECEC));
            QVERIFY(!monitor->mask().isEmpty());
        }
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, 8));
        QVERIFY(!box->isChecked());
        QCOMPARE(rig->Setting("基础设置", "是否透明"), std::string("否"));
        QVERIFY(cpu->mask().isEmpty());
    }

    void buttonsToggleTheirWindows() {
        auto* cpuButton = rig->Widget<QPushButton>(WindowKind::Main, "功能_打开Cpu使用");
        auto* trendButton = rig->Widget<QPushButton>(WindowKind::Main, "功能_查看统计");
        QTest::mouseClick(cpuButton, Qt::LeftButton);
        QVERIFY(rig->View(WindowKind::CpuMonitor).isVisible());
        QTest::mouseClick(trendButton, Qt::LeftButton);
        QVERIFY(rig->View(WindowKind::Trend).isVisible());
        QTest::mouseClick(cpuButton, Qt::LeftButton);
        QVERIFY(!rig->View(WindowKind::CpuMonitor).isVisible());
    }

    void tabsShowOnlyTheControlsOfTheCurrentPage() {
        rig->Model(WindowKind::Trend).SetVisible(true);
        auto* tab = rig->Widget<gui::TabView>(WindowKind::Trend, "选择夹1");
        QWidget* cpuChart = rig->View(WindowKind::Trend).Control(QStringLiteral("Cpu_最近24小时"));
        QWidget* receiveChart = rig->View(WindowKind::Trend).Control(QStringLiteral("接收_全部时间"));
        QWidget* receiveTotal = rig->View(WindowKind::Trend).Control(QStringLiteral("接收_所有"));
        QWidget* sendTotal = rig->View(WindowKind::Trend).Control(QStringLiteral("发送_所有"));
        QCOMPARE(tab->Bar()->count(), 4);
        QCOMPARE(tab->Bar()->tabText(2), QStringLiteral("接收历史统计"));
        QVERIFY(cpuChart->isVisible());
        QVERIFY(!receiveChart->isVisible());

        QTest::mouseClick(tab->Bar(), Qt::LeftButton, {}, tab->Bar()->tabRect(2).center());
        QCOMPARE(rig->Model(WindowKind::Trend).TabControl("选择夹1").CurrentPage(), 3);
        QVERIFY(!cpuChart->isVisible());
        QVERIFY(receiveChart->isVisible());
        QVERIFY(receiveTotal->isVisible());
        QVERIFY(!sendTotal->isVisible());

        rig->Model(WindowKind::Trend).TabControl("选择夹1").SelectPage(4);
        QCOMPARE(tab->Bar()->currentIndex(), 3);
        QVERIFY(sendTotal->isVisible());
        QVERIFY(!receiveTotal->isVisible());
        // Charts below the tab row are not covered by it.
        QVERIFY(tab->Bar()->geometry().bottom() < cpuChart->geometry().top());
    }

    void chartsPaintTheModelsPointsAxisAndGrid() {
        rig->Model(WindowKind::Trend).SetVisible(true);
        LineChart& model = rig->Model(WindowKind::Trend).LineChart("Cpu_最近24小时");
        auto* view = rig->Widget<gui::LineChartView>(WindowKind::Trend, "Cpu_最近24小时");
        model.Chart().SetCurrentPoint(5);
        model.Chart().SetCurrentValue(42.5);
        model.Chart().SetCurrentPoint(23);
        model.Chart().SetCurrentValue(7);
        model.Chart().SetVerticalMaximum(200);
        const ChartLayout layout = view->Layout();
        std::vector<std::string> valueLabels;
        for (const ChartText& label : layout.valueLabels) {
            valueLabels.push_back(label.text);
        }
        QCOMPARE(valueLabels, (std::vector<std::string>{"0", "40", "80", "120", "160", "200"}));
        QCOMPARE(layout.hourLabels.back().text, std::string("23"));
        const int bottom = layout.valueLines.front();
        QCOMPARE(layout.points[5].y, bottom - qRound(42.5 / 200 * (layout.plot.height - 1)));
        QVERIFY(layout.plot.Right() <= view->width() && layout.plot.Bottom() < view->height());

        const QImage image = view->grab().toImage();
        const QColor red(255, 0, 0);
        for (const std::size_t hour : {0u, 5u, 12u, 23u}) {
            QCOMPARE(image.pixelColor(layout.points[hour].x, layout.points[hour].y), red);
        }
        QCOMPARE(image.pixelColor(layout.hourLines[12], layout.plot.top), QColor(0x64, 0x64, 0x64));
        QCOMPARE(image.pixelColor(image.width() - 1, 0), QColor(Qt::white));
        QCOMPARE(view->Title(), QStringLiteral("最近24小时 Cpu使用率 趋势图 (百分比)"));

        auto* blue = rig->Widget<gui::LineChartView>(WindowKind::Trend, "Cpu_全部时间");
        const ChartLayout blueLayout = blue->Layout();
        QCOMPARE(blue->grab().toImage().pixelColor(blueLayout.points[0].x, blueLayout.points[0].y), QColor(0, 0, 255));
    }

    void aHiddenChartShowsTheModelWhenShown() {
        LineChart& model = rig->Model(WindowKind::Trend).LineChart("接收_最近24小时");
        auto* view = rig->Widget<gui::LineChartView>(WindowKind::Trend, "接收_最近24小时");
        model.Chart().SetCurrentPoint(3);
        model.Chart().SetCurrentValue(9);
        rig->Model(WindowKind::Trend).SetVisible(true);
        rig->Model(WindowKind::Trend).TabControl("选择夹1").SelectPage(3);
        QTRY_VERIFY(view->isVisible());
        const ChartLayout layout = view->Layout();
        QVERIFY(layout.points[3].y < layout.valueLines.front());
        QCOMPARE(view->grab().toImage().pixelColor(layout.points[3].x, layout.points[3].y), gui::ToQColor(model.LineColour()));
    }

    void drawPanelShowsTheCanvasPixelForPixel() {
        rig->Model(WindowKind::MemoryMonitor).SetVisible(true);
        Canvas& canvas = rig->Model(WindowKind::MemoryMonitor).DrawPanel("画板_内存").Canvas();
        canvas.SetPenColour(0x0088FF);
        canvas.DrawLine(0, 99, 299, 0);
        canvas.SetPenColour(0xFF0000);
        canvas.DrawLine(150, 0, 150, 100);
        auto* panel = rig->Widget<gui::DrawPanelView>(WindowKind::MemoryMonitor, "画板_内存");
        const QImage shown = panel->grab().toImage();
        QCOMPARE(shown.size(), QSize(302, 102));
        int differences = 0;
        for (int y = 0; y < Canvas::kHeight; ++y) {
            for (int x = 0; x < Canvas::kWidth; ++x) {
                differences += (shown.pixel(x + 1, y + 1) & 0xFFFFFFu) != canvas.Pixel(x, y);
            }
        }
        QCOMPARE(differences, 0);
        QCOMPARE(shown.pixel(151, 50) & 0xFFFFFFu, 0xFF0000u);
        // The border is not the see-through colour.
        QVERIFY((shown.pixel(0, 50) & 0xFFFFFFu) != 0xECECECu);
    }
};

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
