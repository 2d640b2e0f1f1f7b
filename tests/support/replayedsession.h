#pragma once

#include <QString>

#include <algorithm>
#include <cstdlib>
#include <vector>

// One thing an observer window saw, and when (the desktop's milliseconds).
struct Seen {
    QString what;
    qint64 timeMs;
};

// Why a replay does not match the session it was recorded from: the same
// events in the same order, each wait within 10 % or 20 ms of the original;
// empty when it matches.
inline QString replayMismatch(const std::vector<Seen>& original,
                              const std::vector<Seen>& replayed) {
    if (replayed.size() != original.size())
        return QStringLiteral("%1 events replayed for %2")
            .arg(replayed.size())
            .arg(original.size());
    for (size_t i = 0; i < original.size(); ++i) {
        if (replayed[i].what != original[i].what)
            return QStringLiteral("event %1: %2 replayed as %3")
                .arg(i)
                .arg(original[i].what, replayed[i].what);
        if (i == 0)
            continue;
        const qint64 wait = original[i].timeMs - original[i - 1].timeMs;
        const qint64 again = replayed[i].timeMs - replayed[i - 1].timeMs;
        if (std::abs(again - wait) > std::max<qint64>(wait / 10, 20))
            return QStringLiteral("%1: waited %2 ms, replayed %3 ms")
                .arg(original[i].what)
                .arg(wait)
                .arg(again);
    }
    return {};
}
