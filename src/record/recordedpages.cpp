#include "record/recordedpages.h"

#include <algorithm>

#include "record/recordedactions.h"

namespace {

QString secondsText(qint64 milliseconds) {
    return formatSeconds(static_cast<double>(milliseconds) / 1000);
}

bool isPress(const RecordedInput& input) {
    return input.kind == RecordedInput::Kind::KeyDown ||
           input.kind == RecordedInput::Kind::ButtonDown;
}

std::vector<RecordedEvent> withoutOwnWindows(const std::vector<RecordedEvent>& events,
                                             const std::vector<WindowHandle>& ownWindows) {
    std::vector<RecordedEvent> kept;
    for (const RecordedEvent& event : events) {
        const bool own =
            isPress(event.input) && event.target != 0 &&
            std::find(ownWindows.begin(), ownWindows.end(), event.target) != ownWindows.end();
        if (!own)
            kept.push_back(event);
    }
    return kept;
}

QStringList buttonTokens(const RecordedAction& action) {
    return {keyword::Click, action.rightButton ? keyword::Right : keyword::Left,
            secondsText(action.durationMs)};
}

QStringList pointerAt(QPoint position) {
    return {keyword::MousePointer, QString::number(position.x()), QString::number(position.y())};
}

QStringList smoothMoveTo(const RecordedAction& action) {
    return {keyword::SmoothMove, QString::number(action.end.x()), QString::number(action.end.y()),
            secondsText(action.moveMs)};
}

// The operations of an action; all but the last go on at once.
PageList operationsOf(const RecordedAction& action) {
    switch (action.kind) {
    case RecordedAction::Kind::Click:
        return {pointerAt(action.position), buttonTokens(action)};
    case RecordedAction::Kind::Drag:
        return {pointerAt(action.position), buttonTokens(action), smoothMoveTo(action)};
    case RecordedAction::Kind::Text:
        if (action.text.isEmpty())
            return {{keyword::None}};
        return {{keyword::EnterText, action.text, secondsText(action.durationMs)}};
    case RecordedAction::Kind::Key:
        return {{keyword::Key, action.keyText, secondsText(action.durationMs)}};
    case RecordedAction::Kind::Move:
        return {smoothMoveTo(action)};
    }
    return {};
}

// What makes the next action wait: counted from the start of this one, its
// own length and the pause after it. A pause too short to matter, or an
// action that began before this one ended, waits for the end instead, so the
// next keys never land in the middle of this one.
QStringList waitBefore(const RecordedAction& action, const RecordedAction* next,
                       const RecordingOptions& options) {
    const QStringList untilOver{keyword::WaitUntilOver, QStringLiteral("0")};
    if (!next || options.gaps == RecordingOptions::Gaps::Over)
        return untilOver;
    const qint64 length = std::max(action.durationMs, action.moveMs);
    qint64 pause = next->startMs - action.startMs - length;
    if (pause < static_cast<qint64>(RecordingOptions::joinBelowSeconds * 1000))
        return untilOver;
    if (options.gaps == RecordingOptions::Gaps::Cap)
        pause = std::min(pause, static_cast<qint64>(options.capSeconds * 1000));
    return {keyword::Time, secondsText(length + pause)};
}

} // namespace

RecordedPages pagesFromRecording(const std::vector<RecordedEvent>& events, qint64 endMs,
                                 const RecordingOptions& options,
                                 const std::vector<WindowHandle>& ownWindows, bool windowPages) {
    const std::vector<RecordedAction> actions =
        actionsFromEvents(withoutOwnWindows(events, ownWindows), endMs, options.pointerMoves);
    RecordedPages pages;
    QString activeTitle;
    for (size_t i = 0; i < actions.size(); ++i) {
        const RecordedAction& action = actions[i];
        // A move goes where the pointer goes, whatever window is active.
        const bool movesOnly = action.kind == RecordedAction::Kind::Move;
        if (windowPages && !movesOnly && !action.activeTitle.isEmpty() &&
            action.activeTitle != activeTitle) {
            activeTitle = action.activeTitle;
            pages.commands << QStringList{keyword::Window, activeTitle};
            pages.conditions << QStringList{keyword::Immediately};
        }
        const PageList operations = operationsOf(action);
        for (qsizetype page = 0; page < operations.size(); ++page) {
            pages.commands << operations[page];
            pages.conditions << (page + 1 < operations.size()
                                     ? QStringList{keyword::Immediately}
                                     : waitBefore(action,
                                                  i + 1 < actions.size() ? &actions[i + 1]
                                                                         : nullptr,
                                                  options));
        }
    }
    return pages;
}
