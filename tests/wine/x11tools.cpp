#include "x11tools.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString shellQuoted(QString text) {
    text.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + text + u'\'';
}

} // namespace

QByteArray runX11Tool(const QString& program, const QStringList& arguments, bool* ok) {
    if (ok)
        *ok = false;
    // Drive Z: is the host's root, so the host sees these files under /tmp.
    QTemporaryDir folder(QStringLiteral("Z:/tmp/kestrun-x11tool-XXXXXX"));
    if (!folder.isValid())
        return {};
    const QString hostFolder = folder.path().mid(2);
    QString command = shellQuoted(program);
    for (const QString& argument : arguments)
        command += u' ' + shellQuoted(argument);
    const QString script = QStringLiteral("%1 >%2/output 2>&1; echo $? >%2/status.tmp; "
                                          "mv %2/status.tmp %2/status")
                               .arg(command, shellQuoted(hostFolder));
    if (!QProcess::startDetached(QStringLiteral("Z:/bin/sh"), {QStringLiteral("-c"), script}))
        return {};
    QFile status(folder.filePath(QStringLiteral("status")));
    if (!QTest::qWaitFor([&] { return status.exists(); }, 20000))
        return {};
    if (status.open(QIODevice::ReadOnly) && ok)
        *ok = status.readAll().trimmed() == "0";
    QFile output(folder.filePath(QStringLiteral("output")));
    return output.open(QIODevice::ReadOnly) ? output.readAll() : QByteArray();
}

bool xdotool(const QStringList& arguments) {
    bool ok = false;
    runX11Tool(QStringLiteral("xdotool"), arguments, &ok);
    return ok;
}
