#pragma once

#include <QDialog>
#include <QTimer>

#include "keys/heldkeyswallower.h"
#include "keys/keycapture.h"
#include "record/recordingoptions.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

// Asks how to record: the seconds before recording starts, the stop command
// (captured from the keyboard as in the execution settings) and how pauses
// and pointer moves are kept. Read options() back once it was accepted.
class RecordDialog : public QDialog {
    Q_OBJECT

public:
    RecordDialog(const RecordingOptions& options, bool japanese, QWidget* parent = nullptr);
    ~RecordDialog() override;

    void done(int result) override;
    RecordingOptions options() const { return chosen; }

private:
    void buildWidgets();
    QString text(const char* japanese, const char* english) const;
    void beginCapture();
    void endCapture();
    void pollCapture();
    void showStopCommand();
    void start();

    const bool japanese;
    RecordingOptions chosen;
    QSpinBox* delaySpin = nullptr;
    QLabel* stopCommandDisplay = nullptr;
    QLabel* pressKeysHint = nullptr;
    QPushButton* changeButton = nullptr;
    QRadioButton* keepGaps = nullptr;
    QRadioButton* capGaps = nullptr;
    QRadioButton* overGaps = nullptr;
    QDoubleSpinBox* capSpin = nullptr;
    QCheckBox* movesCheck = nullptr;
    QPushButton* startButton = nullptr;
    QTimer pollTimer;
    bool capturing = false;
    KeyCapture keyCapture;
    HeldKeySwallower heldKeys;
};
