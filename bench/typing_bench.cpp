// Types a 183-character mixed text into xev under several keyboard layouts,
// with this program's X11 backend and with `xdotool type`, and prints how many
// characters arrived wrong (edit distance between sent and received text).
// Needs a running X server in DISPLAY (for example: tests/xvfb.sh start :99).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdio>

#include "editdistance.h"
#include "mixedtext.h"
#include "platform/x11/x11inputbackend.h"
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
    return 0;
}
