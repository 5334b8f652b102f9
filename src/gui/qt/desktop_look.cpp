#include "gui/qt/desktop_look.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QStringList>
#include <QStyleFactory>
#include <QTranslator>

namespace quorell::gui {

void PreferX11Platform() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("DISPLAY")) {
        return;
    }
    // Fall back to Wayland when the X display cannot be opened (a stale DISPLAY in a Wayland session).
    const QByteArray platforms = qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? "xcb" : "xcb;wayland";
    qputenv("QT_QPA_PLATFORM", platforms);
}

void PreferSocketImageTransfer() {
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", "1");
    }
}

void ApplyDesktopLook(QApplication& application) {
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(style);
    }
    QFont font = application.font();
    font.setFamilies({QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Source Han Sans SC"), QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun"),
                      font.family()});
    // At 11 pixels the longest texts fit their labels: the 240-pixel legend lines and "100 %" in a
    // 32-pixel value label.
    font.setPixelSize(11);
    QApplication::setFont(font);
}

bool InstallQtChineseTexts(QTranslator& translator) {
    if (!translator.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    return QApplication::installTranslator(&translator);
}

}  // namespace quorell::gui
