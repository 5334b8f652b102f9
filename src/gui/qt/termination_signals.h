#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace quorell::gui {

// Turns SIGTERM, SIGINT and SIGHUP (the session ending, Ctrl+C) into an orderly end of the event loop,
// so that the program saves its unsaved history and removes its tray icon instead of dying mid-write.
class TerminationSignals final : public QObject {
    Q_OBJECT
public:
    TerminationSignals();
    ~TerminationSignals() override;

signals:
    void Received();

private:
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace quorell::gui
