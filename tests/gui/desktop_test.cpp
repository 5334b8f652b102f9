// The desktop services: the tray menu, the exit question, the see-through monitor windows and the choice
// of the X11 platform.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "app/interface_menu.h"
#include "app/main_window.h"
#include "gui/qt/desktop_look.h"
#include "gui/qt/draw_panel_view.h"
#include "gui/qt/monitor_window_view.h"
#include "gui/qt/transparency_mask.h"
#include "gui_rig.h"
#include "runtime/ini_file.h"
#include "ui_model/controls.h"
#include "ui_model/menu.h"

using namespace quorell;
using quorell::testing::GuiRig;

namespace {

// The captions of the open menu, "-" for a separator, "[x] " before a checked item.
QStringList Captions(const QMenu& menu) {
    QStringList captions;
    for (const QAction* action : menu.actions()) {
        const QString mark = action->isChecked() ? QStringLiteral("[x] ") : QString();
        captions << (action->isSeparator() ? QStringLiteral("-") : mark + action->text());
    }
    return captions;
}

// While the next popup menu is open: records its captions and chooses the item at `position`
// (0: closes it without a choice).
void ChooseFromNextMenu(gui::QtDesktop& desktop, int position, QStringList* captions) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, &desktop, position, captions] {
        QMenu* menu = desktop.OpenMenu();
        if (menu == nullptr || !menu->isVisible()) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        if (captions != nullptr) {
            *captions = Captions(*menu);
        }
        if (position == 0) {
            menu->close();
            return;
        }
        menu->setActiveAction(menu->actions().at(position - 1));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    poll->start();
}

// Restores an environment variable when the test ends.
class EnvironmentGuard {
public:
    explicit EnvironmentGuard(const char* name)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), value_(qgetenv(name)) {}
    ~EnvironmentGuard() { had_ ? qputenv(name_, value_) : qunsetenv(name_); }

private:
    const char* name_;
    bool had_;
    QByteArray value_;
};

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT
    std::unique_ptr<GuiRig> rig;

private slots:
    void initTestCase() { testing::UseProgramLook(); }
    void init() {
        rig = std::make_unique<GuiRig>();
        QVERIFY(rig->Start());
    }
    void cleanup() { rig.reset(); }

    void trayMenuShowsTheModelsCaptionsAndReportsTheChoice() {
        QStringList captions;
        ChooseFromNextMenu(rig->desktop, 4, &captions);
        const auto chosen = rig->desktop.PopUpMenu(WindowKind::Main, kTrayMenuName, {40, 50});
        QCOMPARE(chosen, std::optional<std::size_t>(4));
        QCOMPARE(captions, (QStringList{"隐藏软件界面", "-", "显示 Cpu 监控", "显示 内存 监控", "显示 接收 监控",
                                        "显示 发送 监控", "-", "显示趋势统计窗口", "开机自动启动", "[x] 全屏时隐藏监控",
                                        "提醒设置...", "-", "退出Velkor资源监控器"}));
        // A check mark the model sets is shown the next time the menu pops up.
        rig->Model(WindowKind::Main).Menu(kTrayMenuName).Item(kAutostartItem).SetChecked(true);
        ChooseFromNextMenu(rig->desktop, 0, &captions);
        QCOMPARE(rig->desktop.PopUpMenu(WindowKind::Main, kTrayMenuName, {40, 50}), std::nullopt);
        QCOMPARE(captions.at(static_cast<qsizetype>(kAutostartItem) - 1), QStringLiteral("[x] 开机自动启动"));
        QCOMPARE(captions.at(static_cast<qsizetype>(kFullScreenItem) - 1), QStringLiteral("[x] 全屏时隐藏监控"));
    }

    void aRightClickOnANetworkWindowChoosesTheInterfaceForBothAndStoresIt() {
        auto row = [](std::int32_t index, const char* name, bool loopback, std::uint64_t in, std::uint64_t out) {
            return NetworkInterface{index, name, true, loopback, in, out, CounterWidth::Bits64, name};
        };
        rig->interfaces.rows = {row(1, "lo", true, 2048, 2048), row(2, "eth0", false, 5 << 20, 1024),
                                row(3, "wlan0", false, 0, 0)};
        rig->interfaces.defaultRoute = 2;
        auto tick = [this](WindowKind window) { rig->Model(window).Timer(names::kNetworkMonitor.timer).Tick(); };
        auto rightClick = [this](WindowKind window) {
            QWidget& view = rig->View(window);
            QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 60), view.mapToGlobal(QPoint(20, 60)));
            QApplication::sendEvent(&view, &click);
        };
        tick(WindowKind::ReceiveMonitor);
        QCOMPARE(rig->View(WindowKind::ReceiveMonitor).toolTip(), QStringLiteral("监控网卡: eth0 (自动选择)"));

        QStringList captions;
        ChooseFromNextMenu(rig->desktop, 4, &captions);
        rightClick(WindowKind::ReceiveMonitor);
        QCOMPARE(captions, (QStringList{"[x] 自动选择", "-", "[x] eth0 (5.0 MB / 1.0 KB)", "wlan0 (0 B / 0 B)",
                                        "lo (2.0 KB / 2.0 KB)"}));
        QCOMPARE(rig->Setting(kBasicSection, kInterfaceKey), "wlan0");
        tick(WindowKind::SendMonitor);
        QCOMPARE(rig->View(WindowKind::SendMonitor).toolTip(), QStringLiteral("监控网卡: wlan0 (手动选择)"));

        ChooseFromNextMenu(rig->desktop, 1, &captions);
        rightClick(WindowKind::SendMonitor);
        QCOMPARE(captions.mid(0, 4), (QStringList{"自动选择", "-", "eth0 (5.0 MB / 1.0 KB)", "[x] wlan0 (0 B / 0 B)"}));
        QCOMPARE(rig->Setting(kBasicSection, kInterfaceKey), "");
        tick(WindowKind::ReceiveMonitor);
        QCOMPARE(rig->View(WindowKind::ReceiveMonitor).toolTip(), QStringLiteral("监控网卡: eth0 (自动选择)"));
    }

    void aRightClickOnTheTrayTogglesThroughTheMenu() {
        QStringList captions;
        ChooseFromNextMenu(rig->desktop, 3, nullptr);
        rig->Model(WindowKind::Main).RaiseTrayEvent(TrayClick::RightUp);
        QVERIFY(rig->View(WindowKind::CpuMonitor).isVisible());
        ChooseFromNextMenu(rig->desktop, 3, &captions);
        rig->Model(WindowKind::Main).RaiseTrayEvent(TrayClick::RightUp);
        QCOMPARE(captions.at(2), QStringLiteral("隐藏 Cpu 监控"));
        QVERIFY(!rig->View(WindowKind::CpuMonitor).isVisible());
    }

    void trayClicksReachTheMainWindow() {
        QSystemTrayIcon* tray = rig->desktop.TrayIcon();
        QVERIFY(tray != nullptr);
        QVERIFY(tray->toolTip().startsWith(QStringLiteral("Velkor - Quorell\n")));
        emit tray->activated(QSystemTrayIcon::Trigger);
        // A single click changes nothing. The click is handled through the event queue: once a call
        // queued after it has run, so has the click.
        bool handled = false;
        QTimer::singleShot(0, &rig->desktop, [&handled] { handled = true; });
        QTRY_VERIFY(handled);
        QVERIFY(rig->View(WindowKind::Main).isVisible());
        emit tray->activated(QSystemTrayIcon::DoubleClick);
        QTRY_VERIFY(!rig->View(WindowKind::Main).isVisible());
        emit tray->activated(QSystemTrayIcon::DoubleClick);
        QTRY_VERIFY(rig->View(WindowKind::Main).isVisible());
        // A tray that reports only activations: two quick ones are the double-click.
        emit tray->activated(QSystemTrayIcon::Trigger);
        emit tray->activated(QSystemTrayIcon::Trigger);
        QTRY_VERIFY(!rig->View(WindowKind::Main).isVisible());
    }

    void withoutATrayHostTheProgramRunsOnItsMainWindow() {
        // The offscreen desktop has no notification area.
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        QVERIFY(!rig->app->MainLogic().TrayIconInstalled());
        QVERIFY(rig->app->Running());
        QVERIFY(rig->View(WindowKind::Main).isVisible());

        // A right click on a control without a menu of its own reaches the window: the tray menu opens.
        QStringList captions;
        ChooseFromNextMenu(rig->desktop, 0, &captions);
        QWidget* label = rig->View(WindowKind::Main).Control(QStringLiteral("标签1"));
        QVERIFY(label != nullptr);
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), label->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(label, &click);
        QCOMPARE(static_cast<std::size_t>(captions.size()), rig->Model(WindowKind::Main).Menu(kTrayMenuName).ItemCount());

        // Closing minimizes it to the task bar; the model keeps it shown.
        rig->View(WindowKind::Main).close();
        QTRY_VERIFY(rig->View(WindowKind::Main).isMinimized());
        QVERIFY(rig->Model(WindowKind::Main).Visible());
    }

    void exitAsksAndEndsOnlyOnYes() {
        testing::AnswerNextMessageBox(QMessageBox::No);
        ChooseFromNextMenu(rig->desktop, static_cast<int>(kExitItem), nullptr);
        rig->Model(WindowKind::Main).RaiseTrayEvent(TrayClick::RightUp);
        QVERIFY(rig->app->Running());
        QVERIFY(rig->desktop.TrayIcon() != nullptr);
        QCOMPARE(rig->desktop.ExitCode(), std::nullopt);

        testing::AnswerNextMessageBox(QMessageBox::Yes);
        ChooseFromNextMenu(rig->desktop, static_cast<int>(kExitItem), nullptr);
        rig->Model(WindowKind::Main).RaiseTrayEvent(TrayClick::RightUp);
        QCOMPARE(rig->desktop.ExitCode(), std::optional<int>(0));
        QVERIFY(rig->desktop.TrayIcon() == nullptr || !rig->desktop.TrayIcon()->isVisible());
    }

    void qtsOwnButtonsSpeakChinese() {
        QTranslator texts;
        if (!gui::InstallQtChineseTexts(texts)) {
            QSKIP("Qt's Chinese translation (qt6-translations-l10n) is not installed");
        }
        QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("t"),
                        QMessageBox::Yes | QMessageBox::No);
        QVERIFY2(box.button(QMessageBox::Yes)->text().startsWith(QStringLiteral("是")),
                 qPrintable(box.button(QMessageBox::Yes)->text()));
        QVERIFY2(box.button(QMessageBox::No)->text().startsWith(QStringLiteral("否")),
                 qPrintable(box.button(QMessageBox::No)->text()));
        QApplication::removeTranslator(&texts);
    }

    void theExitQuestionHasItsTitleTextAndIcon() {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            QTRY_VERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr);
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(rig->desktop.AskYesNo("退出警告", "第一行\r\n第二行", MessageIcon::Question), MessageAnswer::No);
        QCOMPARE(title, QStringLiteral("退出警告"));
        QCOMPARE(text, QStringLiteral("第一行\n第二行"));
        QCOMPARE(icon, QMessageBox::Question);
    }

    void seeThroughCutsExactlyTheKeyColourOutOfTheGraph() {
        auto* cpu = dynamic_cast<gui::MonitorWindowView*>(&rig->View(WindowKind::CpuMonitor));
        rig->Model(WindowKind::CpuMonitor).SetVisible(true);
        Canvas& canvas = rig->Model(WindowKind::CpuMonitor).DrawPanel("画板_Cpu").Canvas();
        canvas.SetPenColour(0x008000);
        canvas.DrawLine(10, 99, 10, 59);  // one graph column, 40 pixels high
        rig->desktop.SetColourKeyTransparency(WindowKind::CpuMonitor, 0xECECEC);
        // The drawing area starts one pixel inside the panel at (0, 21).
        const QPoint graph(1, 22);
        const QRegion shape = cpu->mask();
        QVERIFY(shape.contains(QPoint(150, 10)));          // title strip
        QVERIFY(shape.contains(QPoint(150, 130)));         // status strip
        QVERIFY(shape.contains(QPoint(0, 50)));            // panel border
        QVERIFY(shape.contains(graph + QPoint(10, 80)));   // the column
        QVERIFY(!shape.contains(graph + QPoint(10, 50)));  // above it: background
        QVERIFY(!shape.contains(graph + QPoint(11, 80)));
        QCOMPARE(QRegion(cpu->rect()).subtracted(shape).rectCount() > 0, true);
        // The shape follows the graph.
        canvas.DrawLine(20, 99, 20, 0);
        QTRY_VERIFY(cpu->mask().contains(graph + QPoint(20, 5)));
        // Off: fully opaque again.
        rig->desktop.SetColourKeyTransparency(WindowKind::CpuMonitor, std::nullopt);
        QVERIFY(cpu->mask().isEmpty());
    }

    void transparencyStoredAsOnIsAppliedWhenTheViewsAppear() {
        // The start asks for see-through before the views exist; they take it up when they come.
        GuiRig stored;
        QVERIFY(IniFile(stored.store, stored.dir.File("程序配置.Ini")).Write("基础设置", "是否透明", "是"));
        QVERIFY(stored.Start());
        for (WindowKind kind :
             {WindowKind::CpuMonitor, WindowKind::MemoryMonitor, WindowKind::ReceiveMonitor, WindowKind::SendMonitor}) {
            auto* monitor = dynamic_cast<gui::MonitorWindowView*>(&stored.View(kind));
            QCOMPARE(monitor->SeeThrough(), std::optional<QRgb>(0xECECEC));
        }
    }

    void opaqueRegionKeepsEveryColourButTheKey() {
        QImage drawing(4, 2, QImage::Format_RGB32);
        drawing.fill(QColor(0xEC, 0xEC, 0xEC));
        drawing.setPixel(1, 0, qRgb(0xEC, 0xEC, 0xED));  // one step off the key stays
        drawing.setPixel(3, 1, qRgb(0, 0, 0));
        const QRegion region = gui::OpaqueRegion(QSize(10, 5), drawing, QPoint(2, 1), 0xECECEC);
        QVERIFY(region.contains(QPoint(0, 0)));
        QVERIFY(region.contains(QPoint(9, 4)));
        QVERIFY(region.contains(QPoint(3, 1)));
        QVERIFY(region.contains(QPoint(5, 2)));
        QVERIFY(!region.contains(QPoint(2, 1)));
        QVERIFY(!region.contains(QPoint(4, 2)));
        QCOMPARE(QRegion(QRect(0, 0, 10, 5)).subtracted(region),
                 QRegion(QRect(2, 1, 4, 2)).subtracted(QRegion(QRect(3, 1, 1, 1)) + QRegion(QRect(5, 2, 1, 1))));
    }

    void x11IsPreferredOnlyWhenTheUserChoseNothing() {
        EnvironmentGuard platform("QT_QPA_PLATFORM");
        EnvironmentGuard display("DISPLAY");
        EnvironmentGuard wayland("WAYLAND_DISPLAY");
        qunsetenv("QT_QPA_PLATFORM");
        qputenv("DISPLAY", ":5");
        qunsetenv("WAYLAND_DISPLAY");
        gui::PreferX11Platform();
        QCOMPARE(qgetenv("QT_QPA_PLATFORM"), QByteArray("xcb"));
        qunsetenv("QT_QPA_PLATFORM");
        qputenv("WAYLAND_DISPLAY", "wayland-0");
        gui::PreferX11Platform();
        QCOMPARE(qgetenv("QT_QPA_PLATFORM"), QByteArray("xcb;wayland"));
        qputenv("QT_QPA_PLATFORM", "wayland");
        gui::PreferX11Platform();
        QCOMPARE(qgetenv("QT_QPA_PLATFORM"), QByteArray("wayland"));
        qunsetenv("QT_QPA_PLATFORM");
        qunsetenv("DISPLAY");
        gui::PreferX11Platform();
        QVERIFY(!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"));
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
