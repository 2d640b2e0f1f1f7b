#pragma once

#include <functional>

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalSocket;

// One window program per user, so that two windows never overwrite each
// other's settings file. The first start holds a lock file and listens on a
// local socket; a later start hands it the project file it was given (or
// nothing, which only brings the window forward) and ends.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Role {
        First,      // this process holds the lock and takes the requests
        Forwarded,  // the running instance took the request
        Unanswered, // an instance runs but did not take the request in time
                    // (the caller may then run on its own, unguarded)
        Unguarded,  // no lock could be made: this process runs on its own
    };

    // `folder` holds the lock file and, on Unix, the socket; without one
    // (empty) the start is unguarded.
    explicit SingleInstance(const QString& folder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Becomes the first instance, or hands `file` (empty for none) to it.
    Role start(const QString& file, int timeoutMilliseconds = 5000);

    // Requests that came before a receiver was set are handed to it first.
    void setReceiver(std::function<void(const QString&)> receiver);

    // The user's own folder for it: the runtime folder on Unix (else a
    // private folder of ours in the temporary folder; empty when there is
    // none), the local application data folder on Windows.
    static QString defaultFolder();

private:
    bool lockIsStale();
    bool takeOverStaleLock();
    void listen();
    bool forward(const QString& file, int timeoutMilliseconds);
    void readRequest(QLocalSocket* socket);
    void deliver(const QString& file);

    QString serverName;
    QLockFile lock;
    QLocalServer server;
    std::function<void(const QString&)> receiver;
    QStringList waiting;
};
