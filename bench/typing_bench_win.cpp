// Types a 183-character mixed text into the winevents window under several
// keyboard layouts with the Win32 input backend, and prints how many
// characters arrived wrong (edit distance between sent and received text).
// Runs under Wine, in a session that tests/wine/wine-session.sh started.
#include <QApplication>
#include <QElapsedTimer>
#include <chrono>
#include <cstdio>
#include <thread>

#include "editdistance.h"
#include "eventwindow.h"
#include "mixedtext.h"
#include "platform/win32/win32inputbackend.h"
#include "x11tools.h"

using namespace std::chrono_literals;

namespace {

struct Outcome {
    int wrong = -1;
    qint64 milliseconds = 0;
};

Outcome typeInto(const QString& text, std::chrono::microseconds pause) {
    EventWindow window;
    if (!window.isReady())
        return {};
    Win32InputBackend backend;
    QElapsedTimer timer;
    timer.start();
    for (QChar unit : text) {
        backend.sendUnicodeUnit(unit.unicode(), true);
        backend.sendUnicodeUnit(unit.unicode(), false);
        if (pause.count() > 0)
            std::this_thread::sleep_for(pause);
    }
    Outcome outcome;
    outcome.milliseconds = timer.elapsed();
    window.waitFor("char", int(text.size()), 20000);
    outcome.wrong = editDistance(text.toUcs4(), window.typedText().toUcs4());
    return outcome;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString text = mixedText();
    for (const char* layout : {"us", "de", "fr", "ru"}) {
        runX11Tool(QStringLiteral("setxkbmap"), {QString::fromLatin1(layout)});
        for (const auto& [name, pause] :
             {std::pair{"backend, 1 ms per character", 1000us}, {"backend, back to back", 0us}}) {
            const Outcome outcome = typeInto(text, pause);
            std::printf("%-6s %-28s %4d wrong of %lld   (%lld ms to send)\n", layout, name,
                        outcome.wrong, static_cast<long long>(text.toUcs4().size()),
                        static_cast<long long>(outcome.milliseconds));
            std::fflush(stdout);
        }
    }
    runX11Tool(QStringLiteral("setxkbmap"), {QStringLiteral("us")});
    return 0;
}
