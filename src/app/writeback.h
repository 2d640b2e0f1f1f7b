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
    // "画像へ移動": the image token as stored, the region as typed.
    QString image = QString();
    double similarity = 0;
    QString region = QString();
    int dx = 0;
    int dy = 0;
};

struct ConditionFields {
    double time = 0;
    QString button;
    int hour = 0;
    int minute = 0;
    QString windowTitle;
    // "画像".
    QString image = QString();
    double similarity = 0;
    QString region = QString();
    bool untilGone = false;
    // "色": the colour as typed.
    int colorX = 0;
    int colorY = 0;
    QString color = QString();
    int tolerance = 0;
};

QStringList writeBackCommand(QStringList tokens, const CommandFields& fields, bool japanese);
QStringList writeBackCondition(QStringList tokens, const ConditionFields& fields, bool japanese);

// Whether the page still lacks its text or key, so the editor must not let
// the user leave it. The condition's decision stands over the operation's.
bool lacksInput(const QStringList& command, const QStringList& condition);
