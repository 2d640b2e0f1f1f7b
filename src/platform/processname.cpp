#include "platform/processname.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include "platform/win32/windowsapi.h"
#endif

QString runningProgramName(qint64 pid) {
#ifdef Q_OS_WIN
    // The limited right is granted for other users' and elevated processes
    // too.
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return {};
    QString name;
    DWORD exitCode = 0;
    wchar_t path[MAX_PATH * 4];
    DWORD length = MAX_PATH * 4;
    if (GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE &&
        QueryFullProcessImageNameW(process, 0, path, &length))
        name = QFileInfo(QString::fromWCharArray(path, int(length))).completeBaseName();
    CloseHandle(process);
    return name.toLower();
#else
    // Readable for every process, unlike its executable's link; the kernel
    // cuts it to 15 bytes, alike for every process compared.
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (pid <= 0 || !comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(comm.readAll().trimmed());
#endif
}
