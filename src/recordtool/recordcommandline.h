#pragma once

#include <QString>
#include <QStringList>

#include "console/commandlinerequest.h"
#include "record/recordingoptions.h"

// What kestrun-record was asked to do; its work is to record into `file`.
struct RecordCommandLine : CommandLineRequest {
    RecordingOptions options;
    // Replace an existing file.
    bool force = false;
    QString file;

    static RecordCommandLine parse(const QStringList& arguments);
};
