#pragma once

#include <span>

#include <QString>
#include <QStringList>
#include <QTime>

#include "model/tokens.h"

// A page type as the project knows it. Its other faces live in the layers
// above, each in one table found by the same keyword: the editor's panel
// (app/editorpanels), what a run does (run/runpagetypes) and the player's
// description (play/pagedescription).
struct PageType {
    // Token 0 as stored, which is also the type's Japanese name.
    const QString& keyword;
    const char* english;
    // The list stored when the type is chosen; `now` gives the clock time.
    QStringList (*defaults)(const QTime& now);
    // Whether a page of this type still lacks what only the user can give
    // (its text or its key); null for types that never do.
    bool (*incomplete)(const QStringList& tokens) = nullptr;

    QString name(bool japanese) const;
};

// In menu order.
std::span<const PageType> operationTypes();
std::span<const PageType> conditionTypes();

// The keywords of `types`, in their order: a type menu's entries.
QStringList keywordsOf(std::span<const PageType> types);

// The entry of a per-type table whose keyword is `keyword`, or null: an
// unknown keyword has no face anywhere.
template <typename Entry>
const Entry* findByKeyword(std::span<const Entry> table, const QString& keyword) {
    for (const Entry& entry : table)
        if (entry.keyword == keyword)
            return &entry;
    return nullptr;
}
