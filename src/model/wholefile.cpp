#include "model/wholefile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

WholeFile failure(WholeFile::Status status, const QString& errorText = QString()) {
    return {status, QByteArray(), errorText};
}

// Opens `file` on `path` when it names a regular file; `expectedSize` is its
// size as the file system reports it.
WholeFile::Status openRegularFile(const QString& path, QFile& file, qint64& expectedSize,
                                  QString& errorText) {
#ifdef Q_OS_UNIX
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never
    // come; the type is then checked on what was opened, not on the path.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        errorText = qt_error_string(errno);
        return WholeFile::Status::CannotOpen;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return WholeFile::Status::NotARegularFile;
    }
    expectedSize = status.st_size;
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        errorText = file.errorString();
        return WholeFile::Status::CannotOpen;
    }
#else
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return WholeFile::Status::NotARegularFile;
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        errorText = file.errorString();
        return WholeFile::Status::CannotOpen;
    }
    expectedSize = file.size();
#endif
    return WholeFile::Status::Read;
}

} // namespace

WholeFile readWholeFile(const QString& path, qint64 limit) {
    QFile file;
    qint64 expectedSize = 0;
    QString errorText;
    const WholeFile::Status opened = openRegularFile(path, file, expectedSize, errorText);
    if (opened != WholeFile::Status::Read)
        return failure(opened, errorText);
    if (expectedSize > limit)
        return failure(WholeFile::Status::TooLarge);

    // One byte more than the limit tells a file that grew past it since its
    // size was taken; files that report no size (under /proc) grow the buffer.
    QByteArray data(std::min<qint64>(std::max<qint64>(expectedSize + 1, 4096), limit + 1),
                    Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        if (total == data.size()) {
            if (total > limit)
                return failure(WholeFile::Status::TooLarge);
            data.resize(std::min<qint64>(data.size() * 2, limit + 1));
        }
        const qint64 got = file.read(data.data() + total, data.size() - total);
        if (got < 0)
            return failure(WholeFile::Status::ReadFailed, file.errorString());
        if (got == 0)
            break;
        total += got;
    }
    data.truncate(total);
    return {WholeFile::Status::Read, data, QString()};
}
