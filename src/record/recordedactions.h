#pragma once

#include <vector>

#include <QPoint>
#include <QString>

#include "record/recordedevent.h"

// One thing the user did, as a replay will do it again: the recorded events
// grouped into clicks, drags, typed text, key combinations and pointer moves.
struct RecordedAction {
    enum class Kind { Click, Drag, Text, Key, Move };

    Kind kind = Kind::Click;
    qint64 startMs = 0;
    // How long the replayed operation takes.
    qint64 durationMs = 0;
    // Click and drag: where the button went down. Drag and move: where
    // the pointer ends, reached after moveMs.
    QPoint position;
    QPoint end;
    qint64 moveMs = 0;
    bool rightButton = false;
    QString text;
    QString keyText;
    QString activeTitle;
};

// The actions in the order they started. `endMs` ends presses still held
// (the recording stopped first); pointer moves only when `pointerMoves`.
std::vector<RecordedAction> actionsFromEvents(const std::vector<RecordedEvent>& events,
                                              qint64 endMs, bool pointerMoves);
