#include "console/commandlinerequest.h"

#include <QCommandLineParser>

bool parseForWork(QCommandLineParser& parser, const QStringList& arguments,
                  const QString& exitStatusHelp, CommandLineRequest* request) {
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    if (!parser.parse(arguments)) {
        request->action = CommandLineRequest::Action::BadUsage;
        request->message = parser.errorText();
        return false;
    }
    if (parser.isSet(helpOption)) {
        request->action = CommandLineRequest::Action::ShowHelp;
        request->message = parser.helpText() + exitStatusHelp;
        return false;
    }
    if (parser.isSet(versionOption)) {
        request->action = CommandLineRequest::Action::ShowVersion;
        return false;
    }
    return true;
}
