#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <memory>

namespace quorell::gui {

// How a second start reaches the copy that records into the same run directory: the recording copy
// listens on a local socket of the user's, named after the run directory; a later copy asks it to show
// its main window and ends. (Which copy records is decided by the run directory's lock, not here.)
class ShowRequests : public QObject {
    Q_OBJECT
public:
    // `socketDirectory`: the user's runtime directory, or the temporary directory when there is none.
    ShowRequests(const QString& socketDirectory, const QString& runDirectory);
    ~ShowRequests() override;

    // The recording copy: listens from now on.
    void Listen();
    // A later copy: asks the recording copy to show its main window; false when it did not answer within
    // `waitMs` (it may still be starting, so it is tried until then).
    bool AskRunningCopy(int waitMs = 3000);

    QString SocketPath() const { return socketPath_; }

signals:
    // A later copy asked this one to show its main window.
    void ShowRequested();

private:
    QString socketPath_;
    std::unique_ptr<QLocalServer> server_;
};

// The request a later copy sends.
inline constexpr char kShowRequest[] = "show\n";

}  // namespace quorell::gui
