#pragma once

#include <QString>
#include <QStringList>

#include "record/recordingoptions.h"

// What kestrun-record was asked to do.
struct RecordCommandLine {
    enum class Action { Record, ShowHelp, ShowVersion, BadUsage };

    Action action = Action::BadUsage;
    RecordingOptions options;
    // Replace an existing file.
    bool force = false;
    QString file;
    // The help text, or for BadUsage what was wrong.
    QString message;

    static RecordCommandLine parse(const QStringList& arguments);
};
