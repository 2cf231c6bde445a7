// SingleInstance.h - one Keytune per user session.
//
// The instance that runs holds a lock file and listens on a local socket, both
// in $XDG_RUNTIME_DIR and named after the instance mutex "RX47P20C". A later
// start finds the lock held and hands a request ("OPEN" or "KILL") to the
// running instance through the socket, then ends. The lock file records the
// owner's process id, so the lock of a crashed instance is taken over.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace app {

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // `folder` holds the lock and the socket; empty = RuntimeFolder().
    explicit SingleInstance(QString folder = {}, QObject* parent = nullptr);
    ~SingleInstance() override;

    // $XDG_RUNTIME_DIR, or a private folder in the temporary folder where it
    // is not set.
    static QString RuntimeFolder();
    QString lockPath() const;
    QString socketPath() const;

    enum class Claim { Owner, AnotherRunning, Failed };
    // Takes the lock (a stale one of a dead process is taken over) and starts
    // listening. AnotherRunning when a live instance holds it; Failed when the
    // lock cannot be written at all (then the program runs without it).
    Claim claim();

    // Sends "OPEN" or "KILL" to the running instance; it retries briefly
    // while that instance is still starting to listen. False when nobody
    // answered.
    bool sendToRunning(const QByteArray& request, int timeoutMs = 3000) const;

    // Stops listening, removes the socket and releases the lock.
    void release();
    bool owner() const { return owner_; }

  signals:
    void openRequested();
    void killRequested();

  private:
    void onConnection();
    void handleRequest(const QByteArray& line);

    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLocalServer> server_;
    bool owner_ = false;
};

}  // namespace app
