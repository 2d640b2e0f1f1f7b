#include <cstdio>

#include <QApplication>
#include <QFont>
#include <QMessageBox>
#include <QToolTip>

#include "app/kestrun.h"
#include "app/singleinstance.h"
#include "app/windowcommandline.h"
#include "platform/desktoploss.h"
#include "platform/inputguard.h"
#include "platform/sessionchoice.h"

int main(int argc, char* argv[]) {
    answerHelpOrVersion(argc, argv);
    // Before QApplication starts any thread.
    startInputGuard();
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const bool platformOfTheUser = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    const SessionKind session = applySessionChoice(SessionProgram::Window);
    // Without any display there is no window to open.
    if (session == SessionKind::NoDisplay && !platformOfTheUser) {
        std::fprintf(stderr, "kestrun: %s\n", qPrintable(noInputReason(session, {}, false)));
        return WindowCannotStart;
    }
#endif
    QApplication app(argc, argv);
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Qt falls back to the offscreen platform where it cannot reach the
    // display it was given.
    const QString platform = QGuiApplication::platformName();
    const bool windowless = !platformOfTheUser && platform == QLatin1String("offscreen");
    if (windowless || session == SessionKind::WaylandOnly)
        std::fprintf(stderr, "kestrun: %s\n", qPrintable(noInputReason(session, platform, false)));
    if (windowless)
        return WindowCannotStart;
#endif
    endWhenTheDesktopCloses("kestrun");
    QFont tooltipFont = QToolTip::font();
    tooltipFont.setPixelSize(18);
    QToolTip::setFont(tooltipFont);

    // `kestrun FILE.cmdat`, as a file manager starts it for a project file.
    const WindowCommandLine line = WindowCommandLine::parse(QApplication::arguments());
    if (!line.usable) {
        std::fprintf(stderr, "kestrun: %s\nTry 'kestrun --help'.\n", qPrintable(line.message));
        return WindowBadUsage;
    }
    const QString& file = line.file;

    SingleInstance instance(SingleInstance::defaultFolder());
    switch (instance.start(file)) {
    case SingleInstance::Role::Forwarded:
        return WindowClosed;
    case SingleInstance::Role::Unanswered:
        // It may hang for good: the user may start this one on its own.
        if (QMessageBox::warning(nullptr, QStringLiteral("Kestrun Free"),
                                 QStringLiteral("Kestrun は既に起動していますが、応答しません。\n"
                                                "それでも起動しますか？\n\n"
                                                "Kestrun is already running but does not answer.\n"
                                                "Start anyway?"),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) != QMessageBox::Yes)
            return WindowCannotStart;
        break;
    case SingleInstance::Role::First:
    case SingleInstance::Role::Unguarded:
        break;
    }

    kestrun window;
    window.show();
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (session == SessionKind::XWayland)
        QMetaObject::invokeMethod(
            &window, [&window] { window.showXWaylandNotice(); }, Qt::QueuedConnection);
#endif
    if (!file.isEmpty())
        QMetaObject::invokeMethod(
            &window, [&window, file] { window.openFile(file); }, Qt::QueuedConnection);
    instance.setReceiver([&window](const QString& path) { window.receiveFromAnotherStart(path); });
    return app.exec();
}
