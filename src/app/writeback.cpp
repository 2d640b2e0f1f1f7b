#include "app/writeback.h"

#include <optional>

#include "model/tokens.h"

namespace {

void setToken(QStringList& tokens, int index, const QString& value) {
    while (tokens.size() <= index)
        tokens.append(QString());
    tokens[index] = value;
}

QString buttonToken(const QString& display, bool japanese) {
    if (japanese)
        return display;
    return buttonKeywordForDisplay(display);
}

bool keyMissing(const QStringList& tokens) {
    const QString key = tokenAt(tokens, 1);
    return key.isEmpty() || key == keyword::None;
}

std::optional<bool> commandLacksInput(const QStringList& command) {
    const QString type = tokenAt(command, 0);
    if (type == keyword::Key)
        return keyMissing(command);
    if (type == keyword::EnterText)
        return tokenAt(command, 1).isEmpty();
    return std::nullopt;
}

} // namespace

QStringList writeBackCommand(QStringList tokens, const CommandFields& fields, bool japanese) {
    const QString type = tokenAt(tokens, 0);
    const QString time = formatSeconds(fields.time);
    if (type == keyword::EnterText) {
        setToken(tokens, 1, fields.text);
        setToken(tokens, 2, time);
    } else if (type == keyword::Click) {
        setToken(tokens, 2, time);
        setToken(tokens, 1, buttonToken(fields.button, japanese));
    } else if (type == keyword::SmoothMove) {
        setToken(tokens, 1, QString::number(fields.smoothX));
        setToken(tokens, 2, QString::number(fields.smoothY));
        setToken(tokens, 3, time);
    } else if (type == keyword::Key) {
        setToken(tokens, 2, time);
    } else if (type == keyword::MousePointer) {
        setToken(tokens, 1, QString::number(fields.pointerX));
        setToken(tokens, 2, QString::number(fields.pointerY));
    }
    return tokens;
}

QStringList writeBackCondition(QStringList tokens, const ConditionFields& fields, bool japanese) {
    const QString type = tokenAt(tokens, 0);
    if (type == keyword::Time || type == keyword::WaitUntilOver) {
        setToken(tokens, 1, formatSeconds(fields.time));
    } else if (type == keyword::Click) {
        setToken(tokens, 1, buttonToken(fields.button, japanese));
    } else if (type == keyword::ClockTime) {
        setToken(tokens, 1, QString::number(fields.hour));
        setToken(tokens, 2, QString::number(fields.minute));
    }
    return tokens;
}

bool lacksInput(const QStringList& command, const QStringList& condition) {
    if (tokenAt(condition, 0) == keyword::Key)
        return keyMissing(condition);
    return commandLacksInput(command).value_or(false);
}
