#pragma once

#include <QString>

// What the user chose for a recording, in the dialog or on the command line.
struct RecordingOptions {
    enum class Gaps {
        // Pauses as they were; those under joinBelowSeconds join the actions.
        Keep,
        // Pauses as they were, none longer than capSeconds.
        Cap,
        // Every action waits until the one before it is over.
        Over
    };

    Gaps gaps = Gaps::Keep;
    double capSeconds = 3;
    // Pointer moves between actions become smooth moves.
    bool pointerMoves = false;
    QString stopCommand = QStringLiteral("83,3");
    int delaySeconds = 3;

    static constexpr double joinBelowSeconds = 0.05;
    // A pointer that rests this long ends a recorded move.
    static constexpr double pointerRestSeconds = 0.3;
    // Characters further apart than this start a new text page.
    static constexpr double typingPauseSeconds = 0.5;

    // "keep", "over" or "cap:N" with N > 0; false for anything else.
    bool readGaps(const QString& text);
};
