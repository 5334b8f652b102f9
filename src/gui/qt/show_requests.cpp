#include "gui/qt/show_requests.h"

#include <algorithm>

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

namespace quorell::gui {

namespace {
// One socket per user and run directory; a short name, since socket paths are limited to about 100 bytes.
QString SocketName(const QString& runDirectory) {
    // The home folder keeps two users of one shared folder apart in a shared temporary directory.
    const QByteArray key = (runDirectory + QLatin1Char('\n') + QDir::homePath()).toUtf8();
    const QByteArray digest = QCryptographicHash::hash(key, QCryptographicHash::Sha256);
    return QStringLiteral("quorell-%1.socket").arg(QString::fromLatin1(digest.toHex().left(16)));
}
}  // namespace

ShowRequests::ShowRequests(const QString& socketDirectory, const QString& runDirectory)
    : socketPath_(socketDirectory + QLatin1Char('/') + SocketName(runDirectory)) {}

ShowRequests::~ShowRequests() {
    if (server_) {
        server_->close();
    }
}

void ShowRequests::Listen() {
    // This copy holds the run directory's lock, so a socket file left here belongs to a copy that has ended.
    QLocalServer::removeServer(socketPath_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = server_->nextPendingConnection()) {
            // The request may have arrived, and the client gone, before this connection is seen.
            const auto readRequest = [this, client] {
                // Only the one known request is understood; anything else is read and dropped.
                const QByteArray request = client->read(64);
                if (request.startsWith(QByteArray(kShowRequest, sizeof kShowRequest - 1))) {
                    emit ShowRequested();
                }
                if (!request.isEmpty()) {
                    client->disconnectFromServer();
                }
            };
            connect(client, &QLocalSocket::readyRead, this, readRequest);
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            if (client->bytesAvailable() > 0) {
                readRequest();
            }
        }
    });
    server_->listen(socketPath_);
}

bool ShowRequests::AskRunningCopy(int waitMs) {
    // The running copy may still be starting; try until it listens or the time is up.
    const QDeadlineTimer deadline(waitMs);
    do {
        QLocalSocket socket;
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())))) {
            socket.write(kShowRequest, sizeof kShowRequest - 1);
            const bool sent = socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return sent;
        }
        QThread::msleep(100);
    } while (!deadline.hasExpired());
    return false;
}

}  // namespace quorell::gui
