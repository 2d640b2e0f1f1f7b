#pragma once

#include <QString>
#include <QStringList>

// The editor's field values, written into the current page's tokens by the
// type already stored in token 0. Button entries are the menus' display
// texts; reals are stored with six significant digits.

struct CommandFields {
    double time = 0;
    QString button;
    int pointerX = 0;
    int pointerY = 0;
    int smoothX = 0;
    int smoothY = 0;
    QString text;
    QString windowTitle;
};

struct ConditionFields {
    double time = 0;
    QString button;
    int hour = 0;
    int minute = 0;
    QString windowTitle;
};

QStringList writeBackCommand(QStringList tokens, const CommandFields& fields, bool japanese);
QStringList writeBackCondition(QStringList tokens, const ConditionFields& fields, bool japanese);

// Whether the page still lacks its text or key, so the editor must not let
// the user leave it. The condition's decision stands over the operation's.
bool lacksInput(const QStringList& command, const QStringList& condition);
