#include "record/recordedactions.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "keys/keycombination.h"
#include "platform/inputbackend.h"
#include "record/heldmodifiers.h"
#include "record/recordingoptions.h"

namespace {

constexpr int keyBackspace = 8;
constexpr int keyTab = 9;
constexpr int keyEnter = 13;

qint64 millisecondsOf(double seconds) {
    return static_cast<qint64>(seconds * 1000);
}

// Keys that do something of their own without a modifier: F1-F24, the
// arrows and the editing and navigation keys, Escape, Pause, Print, Menu.
bool isSpecialKey(int virtualKey) {
    if (virtualKey >= 112 && virtualKey <= 135)
        return true;
    if (virtualKey >= 33 && virtualKey <= 40)
        return true;
    switch (virtualKey) {
    case keyBackspace:
    case keyTab:
    case keyEnter:
    case 19:
    case 27:
    case 44:
    case 45:
    case 46:
    case 93:
        return true;
    default:
        return false;
    }
}

// What a key typed, unless it is a control character (Ctrl+A gives one on
// some desktops) or nothing.
bool typesCharacters(const QString& text) {
    if (text.isEmpty())
        return false;
    return std::none_of(text.begin(), text.end(),
                        [](QChar c) { return c.category() == QChar::Other_Control; });
}

void removeLastCharacter(QString& text) {
    const qsizetype size = text.size();
    const bool pair =
        size >= 2 && text.at(size - 1).isLowSurrogate() && text.at(size - 2).isHighSurrogate();
    text.chop(pair ? 2 : 1);
}

class ActionBuilder {
public:
    explicit ActionBuilder(bool pointerMoves) : pointerMoves(pointerMoves) {}

    void add(const RecordedEvent& event) {
        const RecordedInput& input = event.input;
        if (input.kind != RecordedInput::Kind::PointerMove)
            endRestedMovement(input.timeMs);
        switch (input.kind) {
        case RecordedInput::Kind::KeyDown:
            keyDown(event);
            break;
        case RecordedInput::Kind::KeyUp:
            keyUp(input);
            break;
        case RecordedInput::Kind::ButtonDown:
            buttonDown(event);
            break;
        case RecordedInput::Kind::ButtonUp:
            buttonUp(input.virtualKey, input.timeMs, input.position);
            break;
        case RecordedInput::Kind::PointerMove:
            pointerMoved(input);
            break;
        }
    }

    std::vector<RecordedAction> finish(qint64 endMs) {
        endRestedMovement(endMs);
        closeText();
        while (!buttons.empty())
            buttonUp(buttons.begin()->first, endMs, buttons.begin()->second.lastPosition);
        for (auto& [key, action] : keys)
            keyReleased(action, endMs);
        keys.clear();
        std::stable_sort(done.begin(), done.end(),
                         [](const auto& a, const auto& b) { return a.startMs < b.startMs; });
        return std::move(done);
    }

private:
    struct Press {
        RecordedAction action;
        qint64 lastMoveMs = -1;
        QPoint lastPosition;
    };
    struct Movement {
        qint64 firstMs = 0;
        qint64 lastMs = 0;
        QPoint position;
    };
    struct TypedRun {
        RecordedAction action;
        qint64 lastKeyMs = 0;
        int keystrokes = 0;
    };

    void keyDown(const RecordedEvent& event) {
        const RecordedInput& input = event.input;
        if (modifiers.press(input.virtualKey))
            return;
        const bool repeat = !down.insert(input.virtualKey).second;
        const bool plain = modifiers.storedMask() == 0;
        const bool editsText = plain && text &&
                               (input.virtualKey == keyEnter || input.virtualKey == keyTab ||
                                input.virtualKey == keyBackspace);
        if (editsText && input.virtualKey == keyBackspace && !text->action.text.isEmpty()) {
            removeLastCharacter(text->action.text);
            countKeystroke(input.timeMs);
        } else if (editsText && input.virtualKey != keyBackspace) {
            type(event, input.virtualKey == keyEnter ? QStringLiteral("\n") : QStringLiteral("\t"));
        } else if (!isSpecialKey(input.virtualKey) && typesCharacters(input.text) &&
                   modifiers.onlyAltGrOrShift()) {
            type(event, input.text);
        } else if (!repeat && (isSpecialKey(input.virtualKey) ||
                               (modifiers.storedMask() & ~storedmask::Shift) != 0)) {
            closeText();
            RecordedAction action;
            action.kind = RecordedAction::Kind::Key;
            action.startMs = input.timeMs;
            action.keyText = KeyCombination{input.virtualKey, modifiers.storedMask()}.toText();
            action.activeTitle = event.activeTitle;
            keys[input.virtualKey] = action;
        }
    }

    void keyUp(const RecordedInput& input) {
        if (modifiers.release(input.virtualKey))
            return;
        down.erase(input.virtualKey);
        const auto pending = keys.find(input.virtualKey);
        if (pending == keys.end())
            return;
        keyReleased(pending->second, input.timeMs);
        keys.erase(pending);
    }

    void keyReleased(RecordedAction& action, qint64 atMs) {
        action.durationMs = atMs - action.startMs;
        done.push_back(action);
    }

    void type(const RecordedEvent& event, const QString& characters) {
        const qint64 at = event.input.timeMs;
        if (text && at - text->lastKeyMs > millisecondsOf(RecordingOptions::typingPauseSeconds))
            closeText();
        if (!text) {
            text.emplace();
            text->action.kind = RecordedAction::Kind::Text;
            text->action.startMs = at;
            text->action.activeTitle = event.activeTitle;
        }
        text->action.text += characters;
        countKeystroke(at);
    }

    void countKeystroke(qint64 atMs) {
        text->lastKeyMs = atMs;
        ++text->keystrokes;
    }

    // The replay types the characters evenly, at the pace they came, and
    // takes one more step after the last.
    void closeText() {
        if (!text)
            return;
        RecordedAction& action = text->action;
        const qint64 span = text->lastKeyMs - action.startMs;
        const qint64 step = text->keystrokes > 1 ? span / (text->keystrokes - 1) : 0;
        action.durationMs = std::max<qint64>(span + step, 10);
        done.push_back(action);
        text.reset();
    }

    void buttonDown(const RecordedEvent& event) {
        const RecordedInput& input = event.input;
        if (input.virtualKey != vk::LButton && input.virtualKey != vk::RButton)
            return;
        closeText();
        // The click's pointer page puts the pointer where it went down.
        movement.reset();
        Press press;
        press.action.startMs = input.timeMs;
        press.action.position = input.position;
        press.action.rightButton = input.virtualKey == vk::RButton;
        press.action.activeTitle = event.activeTitle;
        press.lastPosition = input.position;
        buttons[input.virtualKey] = press;
    }

    void buttonUp(int button, qint64 atMs, QPoint position) {
        const auto pending = buttons.find(button);
        if (pending == buttons.end())
            return;
        Press& press = pending->second;
        RecordedAction& action = press.action;
        action.durationMs = atMs - action.startMs;
        if (position != action.position) {
            action.kind = RecordedAction::Kind::Drag;
            action.end = position;
            // The pointer must be there before the button comes up.
            const qint64 latest = std::max<qint64>(action.durationMs - 20, 0);
            const qint64 moved = press.lastMoveMs >= 0 ? press.lastMoveMs - action.startMs : latest;
            action.moveMs = std::clamp<qint64>(moved, 0, latest);
        }
        done.push_back(action);
        buttons.erase(pending);
    }

    void pointerMoved(const RecordedInput& input) {
        if (!buttons.empty()) {
            for (auto& [button, press] : buttons) {
                press.lastMoveMs = input.timeMs;
                press.lastPosition = input.position;
            }
            return;
        }
        if (!pointerMoves)
            return;
        endRestedMovement(input.timeMs);
        if (!movement)
            movement = Movement{input.timeMs, input.timeMs, input.position};
        movement->lastMs = input.timeMs;
        movement->position = input.position;
    }

    void endRestedMovement(qint64 nowMs) {
        if (!movement ||
            nowMs - movement->lastMs <= millisecondsOf(RecordingOptions::pointerRestSeconds))
            return;
        RecordedAction action;
        action.kind = RecordedAction::Kind::Move;
        action.startMs = movement->firstMs;
        action.durationMs = movement->lastMs - movement->firstMs;
        action.moveMs = action.durationMs;
        action.end = movement->position;
        done.push_back(action);
        movement.reset();
    }

    const bool pointerMoves;
    HeldModifiers modifiers;
    // Keys other than modifiers that are down, to tell repeats.
    std::set<int> down;
    std::map<int, RecordedAction> keys;
    std::map<int, Press> buttons;
    std::optional<TypedRun> text;
    std::optional<Movement> movement;
    std::vector<RecordedAction> done;
};

} // namespace

std::vector<RecordedAction> actionsFromEvents(const std::vector<RecordedEvent>& events,
                                              qint64 endMs, bool pointerMoves) {
    ActionBuilder builder(pointerMoves);
    for (const RecordedEvent& event : events)
        builder.add(event);
    return builder.finish(endMs);
}
