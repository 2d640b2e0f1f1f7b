#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include <QObject>

#include "keys/keycombination.h"
#include "platform/inputrecording.h"
#include "platform/windowlist.h"
#include "record/heldmodifiers.h"
#include "record/recordedevent.h"

// A recording going on: the desktop's input read on a thread of its own,
// each press with the window it went to, until the stop command or stop().
// The stop command is kept out of what was recorded, with the modifiers
// still held for it.
class RecordingSession : public QObject, private InputRecordingListener {
    Q_OBJECT

public:
    // `stopCommand` is key text ("vk,mask"); "なし" means none.
    RecordingSession(std::unique_ptr<InputRecording> recording, WindowList& windows,
                     const QString& stopCommand);
    ~RecordingSession() override;

    void start();
    // Ends the recording and waits for its thread; more calls do nothing.
    void stop();

    std::vector<RecordedEvent> events() const;
    // When the recording ended: the stop command's time, or the last event's.
    qint64 endMs() const;

signals:
    // From the recording's thread; connect them queued or automatically.
    void stopCommandPressed();
    // The desktop could not be recorded, or no thread could be made.
    void failed();

private:
    void recorded(const RecordedInput& input) override;
    bool isStopCommand(const RecordedInput& input) const;
    void dropHeldStopModifiers();

    std::unique_ptr<InputRecording> recording;
    WindowList& windows;
    std::optional<KeyCombination> stopKey;
    std::thread thread;
    mutable std::mutex mutex;
    std::vector<RecordedEvent> recordedEvents;
    qint64 lastMs = 0;
    // Only on the recording's thread.
    HeldModifiers held;
    bool stopSeen = false;
};
