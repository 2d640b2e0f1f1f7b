#include "play/pagedescription.h"

#include "keys/keycombination.h"
#include "model/tokens.h"

namespace {

QString seconds(const QStringList& tokens, int index) {
    return formatSeconds(tokenDouble(tokens, index)) + QStringLiteral(" s");
}

QString point(const QStringList& tokens) {
    return QStringLiteral("(%1, %2)").arg(tokenInt(tokens, 1)).arg(tokenInt(tokens, 2));
}

QString keyLabel(const QString& text) {
    return text.isEmpty() ? QStringLiteral("(no key)") : keyCombinationLabel(text);
}

QString quoted(QString text) {
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u'\n', QStringLiteral("\\n"));
    text.replace(u'"', QStringLiteral("\\\""));
    return u'"' + text + u'"';
}

} // namespace

QString describeCommand(const QStringList& command) {
    const QString type = tokenAt(command, 0);
    if (type == keyword::Click)
        return QStringLiteral("click the %1 button for %2")
            .arg(tokenAt(command, 1) == keyword::Left ? QStringLiteral("left")
                                                      : QStringLiteral("right"),
                 seconds(command, 2));
    if (type == keyword::MousePointer)
        return QStringLiteral("put the pointer at %1").arg(point(command));
    if (type == keyword::SmoothMove)
        return QStringLiteral("move the pointer to %1 over %2")
            .arg(point(command), seconds(command, 3));
    if (type == keyword::Key)
        return QStringLiteral("press %1 for %2")
            .arg(keyLabel(tokenAt(command, 1)), seconds(command, 2));
    if (type == keyword::EnterText)
        return QStringLiteral("type %1 over %2")
            .arg(quoted(tokenAt(command, 1)), seconds(command, 2));
    if (type == keyword::None)
        return QStringLiteral("nothing");
    return QStringLiteral("nothing (unknown operation %1)").arg(quoted(type));
}

QString describeCondition(const QStringList& condition) {
    const QString type = tokenAt(condition, 0);
    if (type == keyword::Time)
        return QStringLiteral("go on %1 after the operation started").arg(seconds(condition, 1));
    if (type == keyword::Click)
        return QStringLiteral("go on when the %1 button is pressed")
            .arg(tokenAt(condition, 1) == keyword::Right ? QStringLiteral("right")
                                                         : QStringLiteral("left"));
    if (type == keyword::Key)
        return QStringLiteral("go on when %1 is pressed").arg(keyLabel(tokenAt(condition, 1)));
    if (type == keyword::WaitUntilOver)
        return QStringLiteral("go on %1 after every operation is over").arg(seconds(condition, 1));
    if (type == keyword::ClockTime)
        return QStringLiteral("go on at %1:%2")
            .arg(tokenInt(condition, 1), 2, 10, QChar(u'0'))
            .arg(tokenInt(condition, 2), 2, 10, QChar(u'0'));
    if (type == keyword::Immediately)
        return QStringLiteral("go on at once");
    return QStringLiteral("go on at once (unknown condition %1)").arg(quoted(type));
}
