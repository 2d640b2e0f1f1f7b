#pragma once

#include <QList>
#include <QString>

#include "model/project.h"

// A page whose type keyword this version does not know, as a file from a
// newer Kestrun may hold. The page keeps doing what unknown pages always
// did; the programs log a warning, since the file may rely on it.
struct UnknownPageType {
    // Counted from 1, as the editor shows pages.
    int page = 0;
    bool condition = false;
    QString keyword;

    QString warning() const;
};

// In page order, operations before conditions of the same page.
QList<UnknownPageType> unknownPageTypes(const Project& project);
