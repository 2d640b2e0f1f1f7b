#pragma once

#include <QDialog>
#include <QString>
#include <QTimer>

#include "keys/heldkeyswallower.h"
#include "keys/keycapture.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

// The execution settings dialog every run starts through: seconds until
// start, number of runs and the exit command, which the user may capture anew
// from the keyboard. The caller reads the values back only when it was
// accepted.
class RunDialog : public QDialog {
    Q_OBJECT

public:
    // The number of runs that means "repeat until the exit command".
    static constexpr int repeatUntilStopped = 114514;

    RunDialog(int stertTime, int runNumber, const QString& stopCommand, bool isUsedStert,
              bool isJapanese, QWidget* parent = nullptr);
    ~RunDialog() override;

    void done(int result) override;

    // Where no tray icon could stop a run, Start refuses a run without an
    // exit command.
    void requireExitCommand(bool required) { exitCommandRequired = required; }

private slots:
    void onHotKeyButtonPressed();
    void pollHotKey();
    void updateStartButtonState();
    void changeCheckRunNumber(int state);
    void changeCheckHotKey(int state);

private:
    void buildWidgets();
    void start();
    bool confirmStart();
    void fitTexts();
    void showStopCommand(const QString& text);
    void validateStopCommand();
    void endCapture();
    QString chosen(const char* japanese, const char* english) const;

    int answer = 0;
    QLabel* stertTimeCaption = nullptr;
    QLabel* secondsUnit = nullptr;
    QSpinBox* stertTimeSpin = nullptr;
    QLabel* runNumberCaption = nullptr;
    QLabel* timesUnit = nullptr;
    QSpinBox* runNumberSpin = nullptr;
    QPushButton* startButton = nullptr;
    QLabel* stopCommandCaption = nullptr;
    QLabel* stopCommandDisplay = nullptr;
    QLabel* pressKeysHint = nullptr;
    QPushButton* changeButton = nullptr;
    QCheckBox* noStopCommandCheck = nullptr;
    QCheckBox* repeatCheck = nullptr;

public:
    // In and out; read them back after an accepted dialog.
    int stertTime = 0;
    int runNumber = 0;
    QString stopCommand;
    bool isUsedStert = false;
    bool isJapanese = true;

private:
    QTimer pollTimer;
    bool capturing = false;
    bool stopCommandValid = false;
    bool exitCommandRequired = false;
    // The dialog's own capture channel, apart from the editor's.
    KeyCapture keyCapture;
    HeldKeySwallower heldKeys;
};
