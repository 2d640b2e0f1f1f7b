#include <chrono>
#include <thread>

#include <QTime>

#include "run/keyfields.h"
#include "run/modifierstate.h"
#include "run/run.h"

namespace {

void sleepMs(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace

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
    const int key = button == keyword::Right ? vk::RButton : vk::LButton;
    while (!input.isKeyDown(key) && !stop_requested.load())
        sleepMs(50);
}

void Run::waitForClockTime(int hour, int minute) {
    for (;;) {
        const QTime now = QTime::currentTime();
        if ((now.hour() == hour && now.minute() == minute) || stop_requested.load())
            return;
        sleepMs(50);
    }
}

// Goes on when the combination is pressed and its key released again. A key
// already held when the wait begins must first be let go.
void Run::waitForKeyCombination(const QString& text) {
    const KeyFields fields = parseKeyFields(text);
    if (fields.virtualKey == 0)
        return;
    if (input.isKeyDown(fields.virtualKey)) {
        do {
            if (stop_requested.load())
                return;
            sleepMs(20);
        } while (input.isKeyDown(fields.virtualKey));
        sleepMs(20);
    }
    while (!stop_requested.load()) {
        if (isCombinationDown(input, fields.virtualKey, fields.mask)) {
            while (input.isKeyDown(fields.virtualKey) && !stop_requested.load())
                sleepMs(10);
            return;
        }
        sleepMs(30);
    }
}
