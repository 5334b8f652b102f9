// Quorell: a small desktop monitor of CPU usage, memory load and network traffic.
#include <QApplication>
#include <QTranslator>

#include "app/program.h"
#include "gui/qt/desktop_look.h"
#include "gui/qt/qt_front_end.h"

int main(int argc, char** argv) {
    using namespace quorell;
    gui::PreferX11Platform();
    gui::PreferSocketImageTransfer();
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorell"));
    // Closing a window never ends the program: only the confirmed exit from the tray menu does.
    QApplication::setQuitOnLastWindowClosed(false);
    QTranslator qtTexts;
    gui::InstallQtChineseTexts(qtTexts);

    gui::QtFrontEnd frontEnd(qtApplication);
    return RunProgram(frontEnd);
}
