#include "record/recordingoptions.h"

bool RecordingOptions::readGaps(const QString& text) {
    if (text == QLatin1String("keep")) {
        gaps = Gaps::Keep;
        return true;
    }
    if (text == QLatin1String("over")) {
        gaps = Gaps::Over;
        return true;
    }
    if (!text.startsWith(QLatin1String("cap:")))
        return false;
    bool ok = false;
    const double seconds = text.mid(4).toDouble(&ok);
    if (!ok || !(seconds > 0) || seconds > 86400)
        return false;
    gaps = Gaps::Cap;
    capSeconds = seconds;
    return true;
}
