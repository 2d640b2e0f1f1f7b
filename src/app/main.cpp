#include <cstdio>

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QMessageBox>
#include <QToolTip>

#include "app/kestrun.h"
#include "app/singleinstance.h"
#include "platform/desktoploss.h"
#include "platform/inputguard.h"
#include "platform/sessionchoice.h"

int main(int argc, char* argv[]) {
    // Before QApplication starts any thread.
    startInputGuard();
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const SessionKind session = applySessionChoice(SessionProgram::Window);
    // Qt may not even open a window here; the reason comes first.
    if (session == SessionKind::WaylandOnly || session == SessionKind::NoDisplay)
        std::fprintf(stderr, "kestrun: %s\n", qPrintable(noInputReason(session, {}, false)));
#endif
    QApplication app(argc, argv);
    endWhenTheDesktopCloses("kestrun");
    QFont tooltipFont = QToolTip::font();
    tooltipFont.setPixelSize(18);
    QToolTip::setFont(tooltipFont);

    // `kestrun FILE.cmdat`, as a file manager starts it for a project file.
    const QStringList arguments = QApplication::arguments().mid(1);
    const QString file =
        arguments.isEmpty() ? QString() : QFileInfo(arguments.constFirst()).absoluteFilePath();

    SingleInstance instance(SingleInstance::defaultFolder());
    switch (instance.start(file)) {
    case SingleInstance::Role::Forwarded:
        return 0;
    case SingleInstance::Role::Unanswered:
        QMessageBox::critical(nullptr, QStringLiteral("Kestrun Free"),
                              QStringLiteral("Kestrun は既に起動していますが、応答しません。\n"
                                             "Kestrun is already running but does not answer."));
        return 1;
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
