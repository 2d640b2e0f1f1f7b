#pragma once

#include <QtGlobal>

// A desktop's 32-bit millisecond clock (the X server's time stamps, the
// hooks' event times), which wraps every 49.7 days, read as one that does
// not: a step back of more than half the range is a wrap.
class EventClock {
public:
    qint64 read(quint32 now) {
        if (now < last && last - now > 0x80000000u)
            wraps += qint64(1) << 32;
        last = now;
        return wraps + now;
    }

private:
    qint64 wraps = 0;
    quint32 last = 0;
};
