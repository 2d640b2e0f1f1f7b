// Types a 183-character mixed text into xev under several keyboard layouts,
// with this program's X11 backend and with `xdotool type`, and prints how many
// characters arrived wrong (edit distance between sent and received text).
// Then the wall time and the CPU time of this process to type 10,000
// characters back to back, of plain ASCII and of the mixed text.
// Needs a running X server in DISPLAY (for example: tests/xvfb.sh start :99).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdio>

#include "editdistance.h"
#include "mixedtext.h"
#include "platform/x11/x11inputbackend.h"
#include "processcpu.h"
#include "x11testing.h"
#include "xevwindow.h"

using namespace std::chrono_literals;

namespace {

const QString text = mixedText();

struct Outcome {
    int wrong = -1;
    qint64 milliseconds = 0;
};

// The typist returns how long sending took, set-up and tear-down left out.
template <typename Typist> Outcome measure(Typist type) {
    XevWindow xev;
    if (!xev.isReady())
        return {};
    Outcome outcome;
    outcome.milliseconds = type();
    xev.waitFor("KeyPress", int(text.toUcs4().size()), 20000);
    outcome.wrong = editDistance(text.toUcs4(), xev.typedText().toUcs4());
    return outcome;
}

Outcome withBackend(std::chrono::microseconds interval) {
    return measure([&] {
        X11InputBackend backend;
        QElapsedTimer timer;
        timer.start();
        typeText(backend, text, interval);
        return timer.elapsed();
    });
}

Outcome withXdotool(int delayMs) {
    return measure([&] {
        QElapsedTimer timer;
        timer.start();
        runTool("xdotool", {"type", "--delay", QString::number(delayMs), "--", text});
        return timer.elapsed();
    });
}

void print(const char* layout, const char* typist, Outcome outcome) {
    std::printf("%-6s %-28s %4d wrong of %lld   (%lld ms to send)\n", layout, typist, outcome.wrong,
                static_cast<long long>(text.toUcs4().size()),
                static_cast<long long>(outcome.milliseconds));
    std::fflush(stdout);
}

// The first `count` characters (code points) of `pattern` repeated.
QString charactersOf(const QString& pattern, int count) {
    const QList<uint> points = pattern.toUcs4();
    QString result;
    for (int i = 0; i < count; ++i) {
        const char32_t point = points[i % points.size()];
        result += QString::fromUcs4(&point, 1);
    }
    return result;
}

// Sending time and CPU of this process (the X server's and xev's left out),
// and how many characters xev received wrong.
void printBackToBack(const char* name, const QString& characters) {
    XevWindow xev;
    if (!xev.isReady())
        return;
    qint64 milliseconds = 0;
    double cpu = 0;
    {
        X11InputBackend backend;
        QElapsedTimer timer;
        const double cpuBefore = processCpuSeconds();
        timer.start();
        typeText(backend, characters, 0us);
        milliseconds = timer.elapsed();
        cpu = processCpuSeconds() - cpuBefore;
    }
    const int count = int(characters.toUcs4().size());
    xev.waitFor("KeyPress", count, 120000);
    const int wrong = editDistance(characters.toUcs4(), xev.typedText().toUcs4());
    std::printf("us     %-28s %6lld ms to send (%.1f us a character), %.2f s CPU, %d wrong\n", name,
                static_cast<long long>(milliseconds), 1000.0 * milliseconds / count, cpu, wrong);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ServerView server;
    if (!server.display()) {
        std::fprintf(stderr, "typing_bench: no X display in DISPLAY\n");
        return 1;
    }
    for (const char* layout : {"us", "de", "fr", "ru"}) {
        server.setLayout(layout);
        print(layout, "backend, 1 ms per character", withBackend(1ms));
        print(layout, "backend, back to back", withBackend(0us));
        print(layout, "xdotool type --delay 1", withXdotool(1));
        print(layout, "xdotool type --delay 0", withXdotool(0));
    }
    server.setLayout("us");
    const int bulk = 10000;
    printBackToBack(
        "10,000 ASCII characters",
        charactersOf(QStringLiteral("The quick brown fox jumps over lazy dogs. "), bulk));
    printBackToBack("10,000 mixed characters", charactersOf(text, bulk));
    return 0;
}
