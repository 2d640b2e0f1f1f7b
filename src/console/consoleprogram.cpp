#include "console/consoleprogram.h"

#include <cstdio>

#include <QApplication>
#include <QLoggingCategory>

#include "console/commandlinerequest.h"
#include "console/consoleoutput.h"
#include "console/exitstatus.h"
#include "platform/desktoploss.h"

void printLine(FILE* stream, const QString& text) {
    writeText(stream, text + u'\n');
}

int answerRequest(const char* program, const CommandLineRequest& request) {
    const QString name = QString::fromLatin1(program);
    switch (request.action) {
    case CommandLineRequest::Action::ShowHelp:
        writeText(stdout, request.message);
        return exitstatus::Ended;
    case CommandLineRequest::Action::ShowVersion:
        printLine(stdout, name + u' ' + QCoreApplication::applicationVersion());
        return exitstatus::Ended;
    case CommandLineRequest::Action::Work:
    case CommandLineRequest::Action::BadUsage:
        break;
    }
    printLine(stderr, QStringLiteral("%1: %2\nTry '%1 --help'.").arg(name, request.message));
    return exitstatus::BadUsage;
}

ConsoleSession::ConsoleSession() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    kind = applySessionChoice(SessionProgram::Player);
#endif
#ifdef Q_OS_WIN
    // The manifest makes the process per-monitor aware before Qt starts, so
    // Qt's own attempt fails and would say so on every start. The console
    // carries the program's lines only; QT_LOGGING_RULES still overrides this.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.qpa.windows.warning=false"));
#endif
}

void ConsoleSession::start(const char* program, const char* version) const {
    QApplication::setApplicationName(QString::fromLatin1(program));
    QApplication::setApplicationVersion(QString::fromLatin1(version));
    QApplication::setQuitOnLastWindowClosed(false);
    endWhenTheDesktopCloses(program);
}

QString ConsoleSession::whyNoInput() const {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return u' ' + noInputReason(kind, QGuiApplication::platformName(), false);
#else
    return {};
#endif
}
