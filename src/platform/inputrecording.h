#pragma once

#include <QPoint>
#include <QString>
#include <QtGlobal>

// One thing the user did, as the desktop reported it.
struct RecordedInput {
    enum class Kind { KeyDown, KeyUp, ButtonDown, ButtonUp, PointerMove };

    Kind kind = Kind::KeyDown;
    // The desktop's own event time in milliseconds (the X server's timestamp,
    // the hook's event time), not when the event arrived here.
    qint64 timeMs = 0;
    // Keys: Windows virtual-key codes, left/right codes for modifiers, as the
    // key capture names them. Buttons: vk::LButton, vk::RButton, vk::MButton.
    int virtualKey = 0;
    // Buttons and moves: the pointer, in physical desktop pixels, when the
    // event happened.
    QPoint position;
    // KeyDown only: the characters the press types in the layout active at
    // that moment, dead keys composed with the key after them; empty for a
    // key that types nothing or a dead key still waiting.
    QString text;
};

class InputRecordingListener {
public:
    virtual ~InputRecordingListener() = default;
    // On the thread that runs the recording; keep it short.
    virtual void recorded(const RecordedInput& input) = 0;
};

// The user's keys, buttons and pointer moves on the whole desktop, from every
// device and client (synthesised input included), read on the thread that
// calls run().
class InputRecording {
public:
    virtual ~InputRecording() = default;

    // Reports every event until interrupt(); false at once, having reported
    // nothing, when this desktop cannot be recorded.
    virtual bool run(InputRecordingListener& listener) = 0;
    // From any thread, also before run: run returns as soon as it can.
    virtual void interrupt() = 0;
};
