#include <chrono>

#include <QTime>

#include "run/keyfields.h"
#include "run/run.h"

void Run::waitForCondition(const QStringList& condition) {
    const QString type = tokenAt(condition, 0);
    if (type == keyword::Time) {
        waitSeconds(tokenDouble(condition, 1));
    } else if (type == keyword::Click) {
        waitForButton(tokenAt(condition, 1));
    } else if (type == keyword::Key) {
        waitForKeyCombination(tokenAt(condition, 1));
    } else if (type == keyword::WaitUntilOver) {
        joinOperations();
        waitSeconds(tokenDouble(condition, 1));
    } else if (type == keyword::ClockTime) {
        waitForClockTime(tokenInt(condition, 1), tokenInt(condition, 2));
    }
}

void Run::waitForButton(const QString& button) {
    input_watch.waitForButton(button == keyword::Right ? vk::RButton : vk::LButton);
}

void Run::waitForClockTime(int hour, int minute) {
    for (;;) {
        const QTime now = QTime::currentTime();
        if (now.hour() == hour && now.minute() == minute)
            return;
        if (stop_requested.sleepFor(std::chrono::milliseconds(50)))
            return;
    }
}

// Goes on when the combination is pressed and its key released again. A key
// already held when the wait begins must first be let go.
void Run::waitForKeyCombination(const QString& text) {
    const KeyFields fields = parseKeyFields(text);
    if (fields.virtualKey == 0)
        return;
    input_watch.waitForKeyCombination(fields.virtualKey, fields.mask);
}
