#pragma once

#include <QList>
#include <algorithm>
#include <vector>

// How many characters of `received` are wrong against `sent`: the edit
// distance (insertions, deletions, substitutions) between the two.
inline int editDistance(const QList<uint>& sent, const QList<uint>& received) {
    std::vector<int> row(received.size() + 1);
    for (qsizetype j = 0; j <= received.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= sent.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= received.size(); ++j) {
            const int above = row[j];
            row[j] =
                std::min({row[j] + 1, row[j - 1] + 1, diagonal + (sent[i - 1] != received[j - 1])});
            diagonal = above;
        }
    }
    return row[received.size()];
}
