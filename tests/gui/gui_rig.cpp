#include "gui_rig.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include "gui/qt/desktop_look.h"
#include "runtime/ini_file.h"

namespace quorell::testing {

GuiRig::GuiRig() : desktop([this](WindowKind kind) -> Window& { return app->GetWindow(kind); }, context) {
    interfaces.SetRowCount(3);
    memory.Set(8ull << 30, 6ull << 30, 25);
    // The test program's own event loop must go on after a run has ended.
    desktop.SetLoopExit([](int) {});
}

GuiRig::~GuiRig() {
    desktop.AttachViews(nullptr);
    views.reset();
    context.SetDispatch(nullptr);
}

bool GuiRig::Start() {
    app = std::make_unique<Application>(
        ApplicationPorts{runDirectory, desktop, clock, cpu, memory, interfaces, version, store});
    context.SetDispatch(app.get());
    if (!app->Start()) {
        return false;
    }
    views =
        std::make_unique<gui::ViewSet>([this](WindowKind kind) -> Window& { return app->GetWindow(kind); }, context);
    desktop.AttachViews(views.get());
    return true;
}

std::string GuiRig::Setting(std::string_view section, std::string_view key) {
    return IniFile(store, dir.File("程序配置.Ini")).Read(section, key, "<absent>");
}

void AnswerNextMessageBox(QMessageBox::StandardButton button) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        box->button(button)->click();
    });
    poll->start();
}

void UseProgramLook() {
    gui::ApplyDesktopLook(*qApp);
}

}  // namespace quorell::testing
