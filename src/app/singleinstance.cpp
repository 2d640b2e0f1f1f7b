#include "app/singleinstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDebug>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include "platform/foreground.h"
#include "platform/processname.h"
#ifndef Q_OS_WIN
#include "app/privatefolder.h"
#endif

namespace {

constexpr QDataStream::Version streamVersion = QDataStream::Qt_6_4;
const QByteArray accepted = QByteArrayLiteral("ok");
// A request is one path; anything longer is not one of ours.
constexpr qint64 largestRequest = 64 * 1024;

QString serverNameFor(const QString& folder) {
#ifdef Q_OS_WIN
    // Pipe names are machine-wide: the user's folder tells users apart.
    return QStringLiteral("kestrun-") +
           QString::fromLatin1(QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1)
                                   .toHex()
                                   .left(16));
#else
    // A path in the user's private runtime folder, where no one else can
    // listen first.
    return QDir(folder).filePath(QStringLiteral("kestrun.socket"));
#endif
}

} // namespace

SingleInstance::SingleInstance(const QString& folder, QObject* parent)
    : QObject(parent), serverName(serverNameFor(folder)),
      lock(QDir(folder).filePath(QStringLiteral("kestrun.lock"))) {
    QDir().mkpath(folder);
    // A lock is stale only when its process is gone, never merely by its
    // age: the first window may run for days.
    lock.setStaleLockTime(0);
    server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this,
                    [this, socket] { readRequest(socket); });
        }
    });
}

SingleInstance::~SingleInstance() {
    server.close();
}

QString SingleInstance::defaultFolder() {
#ifdef Q_OS_WIN
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
#else
    // Qt gives none where the runtime folder is unset and its own fallback is
    // not private; a relative name would then put the lock in the working
    // folder and the socket in /tmp, where anyone may listen.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? privateFolderIn(QDir::tempPath()) : runtime;
#endif
}

SingleInstance::Role SingleInstance::start(const QString& file, int timeoutMilliseconds) {
    if (QDir::isRelativePath(lock.fileName())) {
        qWarning() << "No private folder for the lock; another window may start.";
        return Role::Unguarded;
    }
    const QDeadlineTimer deadline(timeoutMilliseconds);
    // The first instance may be between taking the lock and listening, or
    // may just have ended: try both until one works.
    for (;;) {
        if (lock.tryLock(0)) {
            listen();
            return Role::First;
        }
        if (lock.error() != QLockFile::LockFailedError) {
            qWarning() << "Cannot lock" << lock.fileName() << "; another window may start.";
            return Role::Unguarded;
        }
        if (takeOverStaleLock()) {
            listen();
            return Role::First;
        }
        if (forward(file, int(deadline.remainingTime())))
            return Role::Forwarded;
        if (deadline.hasExpired())
            return Role::Unanswered;
        QThread::msleep(100);
    }
}

// Qt takes a lock as stale only when its process is gone, or runs another
// program under the name the lock records. After a reboot (or a new Wine
// session) process ids start again from small numbers, and the id a killed
// window wrote may now be this very process, or an unrelated program.
bool SingleInstance::lockIsStale() {
    qint64 pid = 0;
    // No information: the lock went, or its owner is writing it; try again.
    if (!lock.getLockInfo(&pid, nullptr, nullptr))
        return false;
    const qint64 self = QCoreApplication::applicationPid();
    if (pid == self)
        return true;
    // A program that cannot be named may be Kestrun: it is asked instead.
    const QString owner = runningProgramName(pid);
    return !owner.isEmpty() && owner != runningProgramName(self);
}

bool SingleInstance::takeOverStaleLock() {
    // Under the guard Qt uses for its own stale locks, so that two starts
    // never both remove a lock and the second remove the first one's.
    QLockFile removal(lock.fileName() + QStringLiteral(".rmlock"));
    if (!removal.tryLock(0) || !lockIsStale())
        return false;
    qint64 pid = 0;
    lock.getLockInfo(&pid, nullptr, nullptr);
    qInfo() << "Taking over the lock left by process" << pid << "in" << lock.fileName();
    return lock.removeStaleLockFile() && lock.tryLock(0);
}

// Holding the lock, this process is the only one that listens: a socket
// left by an instance that crashed can go.
void SingleInstance::listen() {
    QLocalServer::removeServer(serverName);
    if (!server.listen(serverName))
        qWarning() << "Cannot listen on" << serverName << ":" << server.errorString();
}

bool SingleInstance::forward(const QString& file, int timeoutMilliseconds) {
    const QDeadlineTimer deadline(timeoutMilliseconds);
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return false;
    allowAnotherProcessToComeForward();
    QByteArray request;
    QDataStream out(&request, QIODevice::WriteOnly);
    out.setVersion(streamVersion);
    out << file;
    socket.write(request);
    while (socket.bytesAvailable() < accepted.size())
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    return socket.read(accepted.size()) == accepted;
}

void SingleInstance::readRequest(QLocalSocket* socket) {
    QDataStream in(socket);
    in.setVersion(streamVersion);
    in.startTransaction();
    QString file;
    in >> file;
    if (!in.commitTransaction()) {
        if (socket->bytesAvailable() > largestRequest)
            socket->abort();
        return;
    }
    socket->write(accepted);
    socket->disconnectFromServer();
    deliver(file);
}

// From the event loop, not from inside the socket's signal: the receiver may
// ask the user a question in a modal dialog.
void SingleInstance::deliver(const QString& file) {
    QMetaObject::invokeMethod(
        this,
        [this, file] {
            if (receiver)
                receiver(file);
            else
                waiting.append(file);
        },
        Qt::QueuedConnection);
}

void SingleInstance::setReceiver(std::function<void(const QString&)> receive) {
    receiver = std::move(receive);
    for (const QString& file : std::exchange(waiting, {}))
        receiver(file);
}
