#include "xevwindow.h"

#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTest>

XevWindow::XevWindow(QRect geometry, const QString& name) : geometry(geometry) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // XLookupString then gives UTF-8, whatever the character.
    environment.insert("LANG", "C.UTF-8");
    environment.remove("LC_ALL");
    process.setProcessEnvironment(environment);
    if (!output.open())
        return;
    process.setStandardOutputFile(output.fileName());
    const QString where = QString("%1x%2+%3+%4")
                              .arg(geometry.width())
                              .arg(geometry.height())
                              .arg(geometry.x())
                              .arg(geometry.y());
    // xev buffers its output when it goes to a pipe; each line is wanted now.
    QStringList arguments{"-oL",    "xev",      "-geometry", where,
                          "-event", "keyboard", "-event",    "button"};
    if (!name.isEmpty())
        arguments << "-name" << name;
    process.start("stdbuf", arguments);
    if (!process.waitForStarted(5000))
        return;
    const bool announced = QTest::qWaitFor(
        [&] {
            readOutput();
            const QRegularExpressionMatch match =
                QRegularExpression("Outer window is (0x[0-9a-f]+)").match(QString(pending));
            if (match.hasMatch())
                windowId = match.captured(1);
            return !windowId.isEmpty();
        },
        5000);
    if (!announced)
        return;
    runTool("xdotool", {"windowfocus", "--sync", windowId});
    runTool("xdotool", {"mousemove", QString::number(center().x()), QString::number(center().y())});
    QTest::qWait(100);
    clear();
    ready = true;
}

XevWindow::~XevWindow() {
    process.kill();
    process.waitForFinished(5000);
}

bool XevWindow::waitFor(const QByteArray& type, int count, int timeoutMs) {
    const bool reached = QTest::qWaitFor([&] { return this->count(type) >= count; }, timeoutMs);
    QTest::qWait(200);
    parse();
    return reached;
}

std::vector<XevWindow::Event> XevWindow::events() {
    parse();
    return parsed;
}

int XevWindow::count(const QByteArray& type) {
    parse();
    int n = 0;
    for (const Event& event : parsed)
        n += event.type == type;
    return n;
}

QString XevWindow::typedText() {
    parse();
    QString text;
    for (const Event& event : parsed)
        if (event.type == "KeyPress")
            text += event.text;
    return text;
}

void XevWindow::clear() {
    parse();
    parsed.clear();
}

void XevWindow::parse() {
    readOutput();
    static const QRegularExpression keycodeLine("keycode (\\d+) \\(keysym 0x([0-9a-f]+)");
    static const QRegularExpression buttonLine("button (\\d+)");
    static const QRegularExpression timeAndPlace(
        "time (\\d+), \\(-?\\d+,-?\\d+\\), root:\\((-?\\d+),(-?\\d+)\\)");
    static const QRegularExpression stringLine(
        "XLookupString gives \\d+ bytes: \\(([0-9a-f ]*)\\)");
    // xev starts each event with a blank line; the last block is complete
    // once its final line (XFilterEvent for keys, same_screen for
    // buttons) is.
    for (;;) {
        while (pending.startsWith('\n'))
            pending.remove(0, 1);
        qsizetype end = pending.indexOf("\n\n");
        if (end < 0) {
            const bool keyDone = pending.contains("XFilterEvent returns") && pending.endsWith('\n');
            const bool buttonDone = pending.contains("same_screen") && pending.endsWith('\n');
            if (!keyDone && !buttonDone)
                break;
            end = pending.size();
        }
        const QByteArray block = pending.left(end);
        pending.remove(0, end);
        const QByteArray type = block.left(block.indexOf(" event"));
        if (type != "KeyPress" && type != "KeyRelease" && type != "ButtonPress" &&
            type != "ButtonRelease")
            continue;
        Event event;
        event.type = type;
        const QString lines = QString::fromLatin1(block);
        if (auto match = keycodeLine.match(lines); match.hasMatch()) {
            event.keycode = match.captured(1).toInt();
            event.keysym = match.captured(2).toULong(nullptr, 16);
        } else if (auto button = buttonLine.match(lines); button.hasMatch()) {
            event.button = button.captured(1).toInt();
        }
        if (auto match = timeAndPlace.match(lines); match.hasMatch()) {
            event.timeMs = match.captured(1).toLongLong();
            event.root = {match.captured(2).toInt(), match.captured(3).toInt()};
        }
        if (auto match = stringLine.match(lines); match.hasMatch()) {
            QByteArray bytes = QByteArray::fromHex(match.captured(1).remove(' ').toLatin1());
            event.text = QString::fromUtf8(bytes).replace('\r', '\n');
        }
        parsed.push_back(event);
    }
}

void XevWindow::readOutput() {
    QFile file(output.fileName());
    if (!file.open(QIODevice::ReadOnly) || !file.seek(readUpTo))
        return;
    const QByteArray added = file.readAll();
    readUpTo += added.size();
    pending += added;
}

QByteArray runTool(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.start(program, arguments);
    tool.waitForFinished(10000);
    return tool.readAllStandardOutput();
}
