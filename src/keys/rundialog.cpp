#include "keys/rundialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QDebug>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

#include "dialogs/messagebox.h"
#include "dialogs/textfit.h"
#include "keys/keycombination.h"
#include "platform/platform.h"
#include "platform/programfiles.h"

namespace {

constexpr int checked = Qt::Checked;
constexpr int minimumPixels = 12;
const QString noCommand = QStringLiteral("なし");
const QString defaultStopCommand = QStringLiteral("83,3");

QFont pointFont(int size) {
    QFont font;
    font.setPointSize(size);
    return font;
}

template <typename W> W* place(W* widget, const char* name, int x, int y, int w, int h) {
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

} // namespace

RunDialog::RunDialog(int stertTime, int runNumber, const QString& stopCommand, bool isUsedStert,
                     bool isJapanese, QWidget* parent)
    : QDialog(parent), stertTime(std::clamp(stertTime, 1, 9999)),
      runNumber(std::clamp(runNumber, 1, repeatUntilStopped)), stopCommand(stopCommand),
      isUsedStert(isUsedStert), isJapanese(isJapanese),
      heldKeys(this, Platform::instance().input()) {
    setWindowTitle(chosen("実行設定", "Execution Settings"));
    setFixedSize(300, 430);
    setModal(true);
    buildWidgets();

    if (this->runNumber == repeatUntilStopped) {
        repeatCheck->setChecked(true);
        runNumberSpin->setValue(1);
    }
    if (this->stopCommand == noCommand) {
        noStopCommandCheck->setChecked(true);
        // Unchecking the box then offers the default combination.
        this->stopCommand = defaultStopCommand;
    }

    connect(startButton, &QPushButton::clicked, this, &RunDialog::start);
    connect(changeButton, &QPushButton::clicked, this, &RunDialog::onHotKeyButtonPressed);
    connect(&pollTimer, &QTimer::timeout, this, &RunDialog::pollHotKey);

    validateStopCommand();
    showStopCommand(exitCommandLabel(this->stopCommand));
    updateStartButtonState();
}

RunDialog::~RunDialog() {
    if (capturing)
        endCapture();
    keyCapture.remove();
}

// Closing the dialog while capturing must give the keyboard back at once, not
// only when the dialog is destroyed.
void RunDialog::done(int result) {
    if (capturing)
        onHotKeyButtonPressed();
    QDialog::done(result);
}

void RunDialog::buildWidgets() {
    const QFont large = pointFont(24);
    const QFont spinFont = pointFont(24);
    const QFont changeFont = pointFont(20);

    stertTimeCaption = place(new QLabel(chosen("開始までの秒数:", "Seconds until start:"), this),
                             "stertTimeCaption", 10, 10, 290, 40);
    stertTimeCaption->setFont(large);
    stertTimeSpin = place(new QSpinBox(this), "stertTimeSpin", 10, 60, 120, 40);
    stertTimeSpin->setFont(spinFont);
    stertTimeSpin->setRange(1, 9999);
    stertTimeSpin->setValue(stertTime);
    secondsUnit = place(new QLabel(chosen("秒", "sec"), this), "secondsUnit", 135, 60, 290, 40);
    secondsUnit->setFont(large);

    runNumberCaption = place(new QLabel(chosen("実行回数:", "Number of runs:"), this),
                             "runNumberCaption", 10, 130, 190, 40);
    runNumberCaption->setFont(large);
    runNumberSpin = place(new QSpinBox(this), "runNumberSpin", 10, 180, 120, 40);
    runNumberSpin->setFont(spinFont);
    runNumberSpin->setRange(1, 9999);
    runNumberSpin->setValue(runNumber);
    timesUnit = place(new QLabel(chosen("回", "times"), this), "timesUnit", 135, 180, 290, 40);
    timesUnit->setFont(large);

    repeatCheck =
        new QCheckBox(chosen("終了コマンドまで繰り返す", "Repeat until exit command"), this);
    repeatCheck->setObjectName(QStringLiteral("repeatCheck"));
    repeatCheck->adjustSize();
    repeatCheck->move(10, 228);
    connect(repeatCheck, &QCheckBox::stateChanged, this, &RunDialog::changeCheckRunNumber);

    stopCommandCaption = place(new QLabel(chosen("終了コマンド:", "Exit command:"), this),
                               "stopCommandCaption", 10, 250, 280, 40);
    stopCommandCaption->setFont(large);
    // As wide as the space left of the Change button, which lies over it.
    stopCommandDisplay = place(new QLabel(this), "stopCommandDisplay", 10, 290, 175, 40);
    stopCommandDisplay->setFont(large);
    changeButton =
        place(new QPushButton(chosen("変更", "Change"), this), "changeButton", 190, 290, 100, 40);
    changeButton->setFont(changeFont);
    pressKeysHint = place(
        new QLabel(chosen("単一または複数キーを押してください", "Press one or more keys"), this),
        "pressKeysHint", 10, 335, 380, 16);
    pressKeysHint->setStyleSheet(QStringLiteral("font-size: 12px;"));
    pressKeysHint->hide();

    noStopCommandCheck =
        new QCheckBox(chosen("終了コマンドを設定しない", "Do not set an exit command"), this);
    noStopCommandCheck->setObjectName(QStringLiteral("noStopCommandCheck"));
    // A missing file leaves no icon.
    noStopCommandCheck->setIcon(QIcon(programFile(QStringLiteral("image/danger.png"))));
    noStopCommandCheck->setIconSize(QSize(14, 14));
    noStopCommandCheck->adjustSize();
    noStopCommandCheck->move(10, 335);
    connect(noStopCommandCheck, &QCheckBox::stateChanged, this, &RunDialog::changeCheckHotKey);

    startButton =
        place(new QPushButton(chosen("開始", "Start"), this), "startButton", 10, 360, 280, 60);
    startButton->setFont(large);
    startButton->setDefault(true);

    setTabOrder(stertTimeSpin, runNumberSpin);
    setTabOrder(runNumberSpin, changeButton);
    setTabOrder(changeButton, startButton);
    fitTexts();
}

// The captions and buttons keep their places; a text too wide for its widget
// in this language and with this desktop's fonts gets a smaller font.
void RunDialog::fitTexts() {
    for (QWidget* widget : std::initializer_list<QWidget*>{
             stertTimeCaption, secondsUnit, runNumberCaption, timesUnit, stopCommandCaption,
             pressKeysHint, changeButton, startButton, repeatCheck, noStopCommandCheck})
        shrinkToFit(widget, minimumPixels);
}

void RunDialog::showStopCommand(const QString& text) {
    showFitted(stopCommandDisplay, text, minimumPixels);
}

QString RunDialog::chosen(const char* japanese, const char* english) const {
    return QString::fromUtf8(isJapanese ? japanese : english);
}

void RunDialog::validateStopCommand() {
    const QStringList pieces = stopCommand.split(u',', Qt::SkipEmptyParts);
    if (stopCommand.isEmpty() || stopCommand == noCommand || pieces.isEmpty()) {
        stopCommandValid = false;
        return;
    }
    bool isNumber = false;
    pieces.first().toInt(&isNumber, 10);
    stopCommandValid = isNumber;
}

void RunDialog::updateStartButtonState() {
    startButton->setVisible(!capturing && stopCommandValid);
}

void RunDialog::changeCheckRunNumber(int state) {
    runNumberSpin->setVisible(state != checked);
    timesUnit->setVisible(state != checked);
}

void RunDialog::changeCheckHotKey(int state) {
    stopCommandDisplay->setVisible(state != checked);
    changeButton->setVisible(state != checked);
}

void RunDialog::endCapture() {
    keyCapture.endCapture();
    capturing = false;
    pollTimer.stop();
}

void RunDialog::onHotKeyButtonPressed() {
    if (capturing) {
        endCapture();
        changeButton->show();
        showStopCommand(exitCommandLabel(stopCommand));
        pressKeysHint->hide();
        noStopCommandCheck->show();
        stertTimeSpin->setEnabled(true);
        runNumberSpin->setEnabled(true);
        updateStartButtonState();
        return;
    }
    if (!keyCapture.install()) {
        qWarning() << "Failed to install keyboard hook. Error:" << keyCapture.lastError();
        showStopCommand(QStringLiteral("フック失敗"));
        return;
    }
    keyCapture.beginCapture();
    capturing = true;
    changeButton->hide();
    pressKeysHint->show();
    stopCommandDisplay->clear();
    noStopCommandCheck->hide();
    stertTimeSpin->setEnabled(false);
    runNumberSpin->setEnabled(false);
    updateStartButtonState();
    pollTimer.start(50);
}

void RunDialog::pollHotKey() {
    const int key = keyCapture.capturedKey.load();
    if (key == 0)
        return;
    const int modifiers = keyCapture.capturedModifiers.load();
    // The hook stays registered, inactive, until the dialog goes.
    endCapture();
    keyCapture.capturedKey.store(0);
    // Held on, Enter would repeat into the Start button.
    heldKeys.swallowUntilReleased(key);

    stopCommand = KeyCombination{key, toStoredMask(modifiers)}.toText();
    validateStopCommand();
    showStopCommand(exitCommandLabel(stopCommand));
    changeButton->show();
    noStopCommandCheck->show();
    pressKeysHint->hide();
    stertTimeSpin->setEnabled(true);
    runNumberSpin->setEnabled(true);
    updateStartButtonState();
}

void RunDialog::start() {
    if (!confirmStart())
        return;
    stertTime = stertTimeSpin->value();
    runNumber = repeatCheck->isChecked() ? repeatUntilStopped : runNumberSpin->value();
    if (noStopCommandCheck->isChecked())
        stopCommand = noCommand;
    accept();
}

bool RunDialog::confirmStart() {
    if (noStopCommandCheck->isChecked() && exitCommandRequired) {
        showMessageBox(this, QMessageBox::Warning,
                       chosen("終了コマンドが必要です", "An exit command is needed"),
                       chosen("このデスクトップにはシステムトレイがありません。\n"
                              "終了コマンドがないと、実行中のプロジェクトを止められません。\n"
                              "終了コマンドを設定してください。",
                              "This desktop has no system tray.\nWithout an exit command a running "
                              "project could not be stopped.\nPlease set an exit command."),
                       QMessageBox::Ok, QMessageBox::Ok);
        return false;
    }
    if (noStopCommandCheck->isChecked()) {
        answer = showMessageBox(
            this, QMessageBox::Warning,
            chosen("このメッセージを無効化することはできません。",
                   "This message cannot be disabled."),
            chosen(
                "終了コマンドが設定されていません。\nタスクバーの右側にあるシステムトレイもしくは\n"
                "指定回数でのみ終了可能です。\n危険ですが実行しますか？",
                "No termination command has been set. \nThe application can only be "
                "terminated via the system tray on the right side of the taskbar or after a "
                "specified number of terminations. \nThis is risky; do you wish to proceed?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        return answer == QMessageBox::Yes;
    }
    if (!isUsedStert) {
        // The stored command, not the display, which may show a failure.
        showMessageBox(
            this, QMessageBox::Information,
            chosen("次回からは表示されません。", "This will not be displayed next time."),
            chosen("現在の停止コマンドは「%1」です。\nこのコマンドは変更可能です。\n"
                   "これを入力することでいかなる時でも\n0.2秒以内で実行中のプロジェクトを停止可能"
                   "です。\n忘れないで下さい。",
                   "The current stop command is \"%1\".\nThis command can be changed.\nBy "
                   "entering this command, you can stop the running project within 0.2 "
                   "seconds at any time.\nPlease do not forget it.")
                .arg(exitCommandLabel(stopCommand)),
            QMessageBox::Ok, QMessageBox::NoButton);
        isUsedStert = true;
    }
    answer = QMessageBox::Yes;
    return true;
}
