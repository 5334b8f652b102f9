#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace quorell::gui {

// One running copy per user. The first copy holds a lock file and listens on a local socket, both in
// the user's own runtime directory; a later copy finds the lock taken, asks the running copy to show
// its main window and ends, so that two copies never add the same seconds to the history files.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `directory`: where the lock and the socket live (the user's runtime directory).
    explicit SingleInstance(const QString& directory);
    ~SingleInstance() override;

    enum class Claim { First, AnotherRuns, Unchecked };
    // First: this copy runs and listens. AnotherRuns: a copy runs (it was asked to show its main window,
    // if it answered within `waitMs`). Unchecked: the lock could not be made; this copy runs alone.
    Claim ClaimOrNotify(int waitMs = 3000);

    QString SocketPath() const { return socketPath_; }

signals:
    // A later copy asked this one to show its main window.
    void ShowRequested();

private:
    void Listen();
    bool NotifyRunningCopy(int waitMs);

    QString socketPath_;
    QLockFile lock_;
    std::unique_ptr<QLocalServer> server_;
};

// The request a later copy sends.
inline constexpr char kShowRequest[] = "show\n";

}  // namespace quorell::gui
