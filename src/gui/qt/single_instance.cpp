#include "gui/qt/single_instance.h"

#include <algorithm>

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

namespace quorell::gui {

SingleInstance::SingleInstance(const QString& directory)
    : socketPath_(directory + QStringLiteral("/quorell.socket")), lock_(directory + QStringLiteral("/quorell.lock")) {
    // A lock left by a copy that died is stale as soon as its process is gone, whatever its age.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() {
    if (server_) {
        server_->close();
    }
}

SingleInstance::Claim SingleInstance::ClaimOrNotify(int waitMs) {
    if (lock_.tryLock(0)) {
        Listen();
        return Claim::First;
    }
    if (lock_.error() != QLockFile::LockFailedError) {
        return Claim::Unchecked;
    }
    NotifyRunningCopy(waitMs);
    return Claim::AnotherRuns;
}

void SingleInstance::Listen() {
    // We hold the lock, so a socket file left here belongs to a copy that has ended.
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

bool SingleInstance::NotifyRunningCopy(int waitMs) {
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
