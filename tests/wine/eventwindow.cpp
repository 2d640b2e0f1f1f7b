#include "eventwindow.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

EventWindow::EventWindow(bool keepForeground, QRect geometry, const QString& title,
                         std::optional<unsigned> pictureSeed)
    : geometry(geometry), outputPath(folder.filePath(QStringLiteral("events.txt"))) {
    QStringList arguments{outputPath};
    if (keepForeground)
        arguments << QStringLiteral("--keep-foreground");
    if (!title.isEmpty())
        arguments << QStringLiteral("--title") << title;
    if (pictureSeed)
        arguments << QStringLiteral("--picture") << QString::number(*pictureSeed);
    arguments << QString::number(geometry.x()) << QString::number(geometry.y())
              << QString::number(geometry.width()) << QString::number(geometry.height());
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/winevents.exe"),
                  arguments);
    if (!process.waitForStarted(10000))
        return;
    ready = QTest::qWaitFor([&] { return count("ready") == 1; }, 20000);
    if (ready)
        windowHandle = static_cast<quintptr>(events("ready").front().values.value(0));
    clear();
}

EventWindow::~EventWindow() {
    process.kill();
    process.waitForFinished(5000);
}

bool EventWindow::waitFor(const QByteArray& type, int count, int timeoutMs) {
    const bool reached = QTest::qWaitFor([&] { return this->count(type) >= count; }, timeoutMs);
    QTest::qWait(200);
    readOutput();
    return reached;
}

std::vector<EventWindow::Event> EventWindow::events() {
    readOutput();
    return parsed;
}

std::vector<EventWindow::Event> EventWindow::events(const QByteArray& type) {
    std::vector<Event> matching;
    for (const Event& event : events())
        if (event.type == type)
            matching.push_back(event);
    return matching;
}

int EventWindow::count(const QByteArray& type) {
    return static_cast<int>(events(type).size());
}

QString EventWindow::typedText() {
    QString text;
    for (const Event& event : events("char"))
        text += QChar(static_cast<char16_t>(event.values.value(0)));
    return text;
}

void EventWindow::clear() {
    readOutput();
    parsed.clear();
}

void EventWindow::readOutput() {
    QFile file(outputPath);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(readUpTo))
        return;
    const QByteArray bytes = file.readAll();
    readUpTo += bytes.size();
    pending += bytes;
    qsizetype end;
    while ((end = pending.indexOf('\n')) >= 0) {
        const QList<QByteArray> words = pending.left(end).split(' ');
        pending.remove(0, end + 1);
        Event event;
        event.type = words.value(0);
        for (qsizetype i = 1; i < words.size(); ++i) {
            bool number = false;
            const qint64 value = words[i].toLongLong(&number);
            if (number)
                event.values.append(value);
            else
                event.text = words[i];
        }
        parsed.push_back(event);
    }
}
