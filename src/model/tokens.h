#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

// One entry per page, each a list of text tokens: token 0 is the type keyword
// (always stored in Japanese), the rest its parameters as text.
using PageList = QList<QStringList>;

namespace keyword {
// Operations.
inline const QString None = QStringLiteral("なし");
inline const QString Click = QStringLiteral("クリック");
inline const QString MousePointer = QStringLiteral("マウスポインター");
inline const QString SmoothMove = QStringLiteral("スムーズムーブ");
inline const QString Key = QStringLiteral("キー");
inline const QString EnterText = QStringLiteral("入力");
// Operation and condition: a window named by part of its title.
inline const QString Window = QStringLiteral("ウィンドウ");
// Conditions (Click and Key are shared with the operations).
inline const QString WaitUntilOver = QStringLiteral("終わるまで待つ");
inline const QString Immediately = QStringLiteral("即時");
inline const QString Time = QStringLiteral("時間");
inline const QString ClockTime = QStringLiteral("時刻");
// Pages that look at the screen: an image appearing or going, a pixel's
// colour (conditions), and the pointer put on an image (operation).
inline const QString Image = QStringLiteral("画像");
inline const QString Color = QStringLiteral("色");
inline const QString MoveToImage = QStringLiteral("画像へ移動");
inline const QString Appears = QStringLiteral("現れる");
inline const QString Disappears = QStringLiteral("消える");
// Buttons.
inline const QString Left = QStringLiteral("左");
inline const QString Right = QStringLiteral("右");
} // namespace keyword

// What a new page holds.
QStringList blankCommand();
QStringList blankCondition();

// The list stored when an operation or condition type is chosen in the
// editor; `now` supplies hour and minute for the clock-time condition. An
// unknown type gives the blank list.
QStringList defaultCommand(const QString& typeKeyword);
QStringList defaultCondition(const QString& typeKeyword, const QTime& now);

// Seconds and other reals: six significant digits, shortest form.
QString formatSeconds(double seconds);

// C-locale readers; text that does not parse reads as 0, a missing token as
// empty text.
QString tokenAt(const QStringList& tokens, int index);
int tokenInt(const QStringList& tokens, int index);
double tokenDouble(const QStringList& tokens, int index);

// Menu text to stored keyword. Japanese menus show the keywords themselves;
// an English display name maps to its keyword, any unknown text to itself.
QString commandKeywordForDisplay(const QString& display, bool japanese);
QString conditionKeywordForDisplay(const QString& display, bool japanese);
// "Right" or "右" is the right button, anything else the left one.
QString buttonKeywordForDisplay(const QString& display);

// Stored button to menu text.
// In English "右" shows as "Right" and any other token as "Left".
QString buttonDisplayName(const QString& keyword, bool japanese);
