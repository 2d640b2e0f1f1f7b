#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <QFile>
#include <QString>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

// A FIFO that nobody writes to, for readers that must refuse it at once.
// Should a reader wait in open() for a writer all the same, a guard opens
// the write end after `patience` and closes it again: the reader then sees
// an empty file and the test fails on that instead of hanging. Windows has no
// FIFO in its file system: there `available` is false and nothing is made.
class FifoWithoutWriter {
public:
#ifdef Q_OS_WIN
    static constexpr bool available = false;
    explicit FifoWithoutWriter(const QString&) {}
    bool made = false;
};
#else
    static constexpr bool available = true;
    explicit FifoWithoutWriter(const QString& path,
                               std::chrono::milliseconds patience = std::chrono::seconds(3))
        : path(QFile::encodeName(path)) {
        made = ::mkfifo(this->path.constData(), 0600) == 0;
        guard = std::thread([this, patience] {
            std::unique_lock lock(mutex);
            while (!stopping.wait_for(lock, patience, [this] { return stopped; })) {
                const int fd = ::open(this->path.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
            }
        });
    }

    ~FifoWithoutWriter() {
        {
            std::lock_guard lock(mutex);
            stopped = true;
        }
        stopping.notify_one();
        guard.join();
    }

    FifoWithoutWriter(const FifoWithoutWriter&) = delete;
    FifoWithoutWriter& operator=(const FifoWithoutWriter&) = delete;

    bool made = false;

private:
    QByteArray path;
    std::mutex mutex;
    std::condition_variable stopping;
    bool stopped = false;
    std::thread guard;
};
#endif
