#pragma once

#include <QByteArray>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QTemporaryFile>
#include <vector>

// An xev window that shows what a real client receives: the test focuses it,
// synthesises input and reads back the events xev printed.
class XevWindow {
public:
    struct Event {
        QByteArray type; // "KeyPress", "KeyRelease", "ButtonPress", "ButtonRelease"
        int keycode = 0;
        unsigned long keysym = 0;
        int button = 0;
        QString text;      // what XLookupString gave, CR read as a line break
        qint64 timeMs = 0; // the X server's time of the event
        QPoint root;       // the pointer on the screen
    };

    // A name titles the window (xev's own title otherwise).
    explicit XevWindow(QRect geometry = QRect(100, 100, 400, 300), const QString& name = {});
    ~XevWindow();

    // Whether xev came up, and its window has the keyboard focus.
    bool isReady() const { return ready; }
    QPoint center() const { return geometry.center(); }
    // The window id as xdotool takes it ("0x...").
    QString id() const { return windowId; }

    // Waits until xev has printed that many events of the type (or timeout)
    // and then a little longer, so that surplus events show up too.
    bool waitFor(const QByteArray& type, int count, int timeoutMs = 10000);
    std::vector<Event> events();
    int count(const QByteArray& type);
    // The text the key presses typed, in order.
    QString typedText();
    void clear();

private:
    void parse();
    void readOutput();

    QRect geometry;
    QString windowId;
    QProcess process;
    // xev writes to a file, never to a pipe: a full pipe would stall it while
    // the test is busy synthesising, and make it read the keyboard map late.
    QTemporaryFile output;
    qint64 readUpTo = 0;
    QByteArray pending;
    std::vector<Event> parsed;
    bool ready = false;
};

// Runs an X tool (xdotool, setxkbmap) to completion and returns its output.
QByteArray runTool(const QString& program, const QStringList& arguments);
