#include "SingleInstance.h"

#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

namespace app {

namespace {
constexpr const char* kInstanceName = "RX47P20C";
constexpr int kMaxRequestLength = 64;
}  // namespace

SingleInstance::SingleInstance(QString folder, QObject* parent)
    : QObject(parent), folder_(folder.isEmpty() ? RuntimeFolder() : std::move(folder)) {}

SingleInstance::~SingleInstance() {
    release();
}

QString SingleInstance::RuntimeFolder() {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder)) {
        folder = QDir::tempPath() + "/keytune-" + QString::number(getuid());
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return folder;
}

QString SingleInstance::lockPath() const {
    return folder_ + "/" + kInstanceName + ".lock";
}

QString SingleInstance::socketPath() const {
    return folder_ + "/" + kInstanceName + ".sock";
}

SingleInstance::Claim SingleInstance::claim() {
    lock_ = std::make_unique<QLockFile>(lockPath());
    // Never stale by age: the instance may run for weeks. A lock whose process
    // is gone is still recognised as stale and removed by tryLock.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        const bool held = lock_->error() == QLockFile::LockFailedError;
        lock_.reset();
        return held ? Claim::AnotherRunning : Claim::Failed;
    }
    owner_ = true;
    // A socket file left by a crashed instance would make listen fail; we
    // hold the lock, so whatever is there is not in use.
    QLocalServer::removeServer(socketPath());
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::onConnection);
    server_->listen(socketPath());
    return Claim::Owner;
}

bool SingleInstance::sendToRunning(const QByteArray& request, int timeoutMs) const {
    QDeadlineTimer deadline(timeoutMs);
    while (true) {
        QLocalSocket socket;
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(
                static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1)))) {
            socket.write(request + "\n");
            const bool sent = socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return sent;
        }
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
}

void SingleInstance::onConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine())
                handleRequest(socket->readLine(kMaxRequestLength).trimmed());
            // Whatever does not end in a line within the limit is not a request.
            if (socket->bytesAvailable() > kMaxRequestLength)
                socket->abort();
        });
    }
}

void SingleInstance::handleRequest(const QByteArray& line) {
    // Handled after the socket's own handler has returned: a KILL ends the
    // instance, which deletes the server and this very socket.
    if (line == "OPEN")
        QMetaObject::invokeMethod(this, &SingleInstance::openRequested, Qt::QueuedConnection);
    else if (line == "KILL")
        QMetaObject::invokeMethod(this, &SingleInstance::killRequested, Qt::QueuedConnection);
}

void SingleInstance::release() {
    if (server_) {
        server_->close();
        server_.reset();
        QLocalServer::removeServer(socketPath());
    }
    if (lock_) {
        lock_->unlock();
        lock_.reset();
    }
    owner_ = false;
}

}  // namespace app
