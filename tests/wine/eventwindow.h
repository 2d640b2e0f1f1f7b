#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QTemporaryDir>
#include <optional>
#include <vector>

// The winevents window, started for one test: it shows what a real Win32
// client receives. The test synthesises input and reads the messages back.
class EventWindow {
public:
    struct Event {
        QByteArray type;      // "keydown", "char", "lbuttonup", "foreground", ...
        QList<qint64> values; // the numbers of the line, in order
        QByteArray text;      // the rest of a "foreground" line: the window class
    };

    // With keepForeground the window takes the foreground back whenever
    // another window takes it, and notes who did.
    // A title replaces the window's own ("winevents"). A picture seed makes
    // it paint that test picture (testpicture.h) at its client area's top left.
    explicit EventWindow(bool keepForeground = true, QRect geometry = QRect(100, 100, 400, 300),
                         const QString& title = {},
                         std::optional<unsigned> pictureSeed = std::nullopt);
    ~EventWindow();

    // Whether the window came up and has the foreground.
    bool isReady() const { return ready; }
    QPoint center() const { return geometry.center(); }
    // The HWND the window announced, 0 before it was ready.
    quintptr handle() const { return windowHandle; }

    // Waits until that many messages of the type have arrived (or timeout)
    // and then a little longer, so that surplus messages show up too.
    bool waitFor(const QByteArray& type, int count, int timeoutMs = 10000);
    std::vector<Event> events();
    std::vector<Event> events(const QByteArray& type);
    int count(const QByteArray& type);
    // The WM_CHAR code units, in order.
    QString typedText();
    void clear();

private:
    void readOutput();

    QRect geometry;
    QTemporaryDir folder;
    QString outputPath;
    QProcess process;
    qint64 readUpTo = 0;
    QByteArray pending;
    std::vector<Event> parsed;
    bool ready = false;
    quintptr windowHandle = 0;
};
