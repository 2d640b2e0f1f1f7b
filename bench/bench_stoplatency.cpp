// Time from the exit command (Ctrl+Alt+S) going down to every key and button
// the run synthesised being released, read back from the server, and to the
// end of the kestrun-play process. Trials take turns at five waits: a "時間"
// condition, a click condition, typing, a smooth move and a held key; every
// project first holds Shift+A and the left button, so there is something to
// release. Needs an X display (DISPLAY) with XInput 2. With --load every
// core is kept busy meanwhile, as on a loaded machine.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <QCoreApplication>
#include <QTemporaryDir>

#include "benchstats.h"
#include "busyload.h"
#include "model/project.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
// Xlib's None would stand for the page keyword of that name.
#undef None

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

extern char** environ;

namespace {

constexpr int ctrl = 37, alt = 64, keyS = 39;

struct Wait {
    const char* name;
    QStringList command;
    QStringList condition;
};

// Keys and buttons down on the server, the exit command's own keys aside.
bool anythingHeld(Display* display) {
    char keys[32];
    XQueryKeymap(display, keys);
    for (int keycode = 8; keycode < 256; ++keycode)
        if (((keys[keycode / 8] >> (keycode % 8)) & 1) && keycode != ctrl && keycode != alt &&
            keycode != keyS)
            return true;
    Window root = 0, child = 0;
    int x = 0, y = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &wx, &wy, &mask);
    return mask & (Button1Mask | Button2Mask | Button3Mask);
}

void pressExitCommand(Display* display, bool down) {
    for (int keycode : {ctrl, alt, keyS})
        XTestFakeKeyEvent(display, keycode, down, CurrentTime);
    XFlush(display);
}

double msSince(Clock::time_point start, Clock::time_point end) {
    return std::chrono::duration<double, std::milli>(end - start).count();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int trials = argc > 1 && std::atoi(argv[1]) > 0 ? std::atoi(argv[1]) : 60;
    const BusyLoad load(argc, argv);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "bench_stoplatency: needs an X display in DISPLAY\n");
        return 1;
    }
    const QString player = QCoreApplication::applicationDirPath() + "/kestrun-play";
    const QStringList holdShiftA{keyword::Key, "65,4", "30"};
    const QStringList holdButton{keyword::Click, keyword::Left, "30"};
    const QStringList waitLong{keyword::Time, "30"};
    const Wait waits[] = {
        {"time", {keyword::None}, waitLong},
        {"click condition", {keyword::None}, {keyword::Click, keyword::Right}},
        {"typing", {keyword::EnterText, QString(30000, u'x'), "30"}, waitLong},
        {"smooth move", {keyword::SmoothMove, "1000", "700", "30"}, waitLong},
        {"held key", {keyword::Key, "66,0", "30"}, waitLong},
    };
    std::printf("exit command -> released / -> process exit, %d trials over %zu waits, %s\n",
                trials, std::size(waits), load.description());

    QTemporaryDir folder;
    std::vector<double> released, exited;
    std::vector<std::vector<double>> releasedPerWait(std::size(waits));
    for (int trial = 0; trial < trials; ++trial) {
        const Wait& wait = waits[trial % std::size(waits)];
        const QString path = folder.filePath(QString("bench%1.cmdat").arg(trial));
        writeProjectFile(path, {{holdShiftA, holdButton, wait.command},
                                {{keyword::Immediately}, {keyword::Immediately}, wait.condition}});
        const QByteArray program = player.toLocal8Bit(), file = path.toLocal8Bit();
        char* arguments[] = {const_cast<char*>(program.constData()),
                             const_cast<char*>(file.constData()), nullptr};
        // The player's log lines would drown the figures.
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        posix_spawn(&pid, arguments[0], &quiet, nullptr, arguments, environ);
        posix_spawn_file_actions_destroy(&quiet);
        while (!anythingHeld(display))
            std::this_thread::sleep_for(1ms);
        // A varying phase, and time for the last operation to begin.
        std::this_thread::sleep_for(std::chrono::milliseconds(300 + (trial * 7) % 50));

        const auto pressedAt = Clock::now();
        pressExitCommand(display, true);
        Clock::time_point releasedAt{}, exitedAt{};
        int status = 0;
        while (exitedAt == Clock::time_point{}) {
            if (releasedAt == Clock::time_point{} && !anythingHeld(display))
                releasedAt = Clock::now();
            if (waitpid(pid, &status, WNOHANG) == pid)
                exitedAt = Clock::now();
            std::this_thread::sleep_for(200us);
        }
        pressExitCommand(display, false);
        if (releasedAt == Clock::time_point{})
            releasedAt = exitedAt;
        released.push_back(msSince(pressedAt, releasedAt));
        releasedPerWait[size_t(trial) % std::size(waits)].push_back(released.back());
        exited.push_back(msSince(pressedAt, exitedAt));
        std::this_thread::sleep_for(50ms);
    }
    printFigures("exit command -> all released", released, "ms");
    printFigures("exit command -> process exit", exited, "ms");
    printWithin("exit command -> all released", released, 200);
    for (size_t i = 0; i < std::size(waits); ++i)
        printFigures(qPrintable(QString("  released, in %1").arg(waits[i].name)),
                     releasedPerWait[i], "ms");
    XCloseDisplay(display);
    return 0;
}
