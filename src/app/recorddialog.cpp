#include "app/recorddialog.h"

#include <QCheckBox>
#include <QDebug>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "keys/keycombination.h"
#include "platform/platform.h"

namespace {

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

RecordDialog::RecordDialog(const RecordingOptions& options, bool japanese, QWidget* parent)
    : QDialog(parent), japanese(japanese), chosen(options),
      heldKeys(this, Platform::instance().input()) {
    setWindowTitle(text("記録設定", "Recording Settings"));
    setModal(true);
    // A recording always ends by its stop command or the indicator.
    if (!KeyCombination::fromText(chosen.stopCommand))
        chosen.stopCommand = RecordingOptions().stopCommand;
    buildWidgets();
    connect(&pollTimer, &QTimer::timeout, this, &RecordDialog::pollCapture);
}

RecordDialog::~RecordDialog() {
    if (capturing)
        endCapture();
    keyCapture.remove();
}

void RecordDialog::done(int result) {
    if (capturing)
        endCapture();
    QDialog::done(result);
}

QString RecordDialog::text(const char* japaneseText, const char* englishText) const {
    return QString::fromUtf8(japanese ? japaneseText : englishText);
}

void RecordDialog::buildWidgets() {
    auto* form = new QFormLayout;
    delaySpin = named(new QSpinBox(this), "delaySpin");
    delaySpin->setRange(0, 9999);
    delaySpin->setValue(chosen.delaySeconds);
    delaySpin->setSuffix(text(" 秒", " s"));
    form->addRow(text("記録開始までの秒数:", "Seconds until recording starts:"), delaySpin);

    stopCommandDisplay = named(new QLabel(this), "stopCommandDisplay");
    changeButton = named(new QPushButton(text("変更", "Change"), this), "changeButton");
    auto* stopRow = new QHBoxLayout;
    stopRow->addWidget(stopCommandDisplay, 1);
    stopRow->addWidget(changeButton);
    form->addRow(text("終了コマンド:", "Stop command:"), stopRow);
    pressKeysHint = named(
        new QLabel(text("単一または複数キーを押してください", "Press one or more keys"), this),
        "pressKeysHint");
    pressKeysHint->hide();
    form->addRow(pressKeysHint);

    auto* gaps = new QGroupBox(text("操作の間の待ち時間", "Pauses between actions"), this);
    auto* gapRows = new QVBoxLayout(gaps);
    keepGaps = named(new QRadioButton(text("記録どおり（0.05秒未満はつなげる）",
                                           "As recorded (those under 0.05 s joined)"),
                                      gaps),
                     "keepGaps");
    capGaps = named(new QRadioButton(text("最長:", "At most:"), gaps), "capGaps");
    capSpin = named(new QDoubleSpinBox(gaps), "capSpin");
    capSpin->setRange(0.1, 3600);
    capSpin->setDecimals(1);
    capSpin->setValue(chosen.capSeconds);
    capSpin->setSuffix(text(" 秒", " s"));
    overGaps =
        named(new QRadioButton(text("すべて「終わるまで待つ」", "All \"Wait until over\""), gaps),
              "overGaps");
    auto* capRow = new QHBoxLayout;
    capRow->addWidget(capGaps);
    capRow->addWidget(capSpin, 1);
    gapRows->addWidget(keepGaps);
    gapRows->addLayout(capRow);
    gapRows->addWidget(overGaps);
    keepGaps->setChecked(chosen.gaps == RecordingOptions::Gaps::Keep);
    capGaps->setChecked(chosen.gaps == RecordingOptions::Gaps::Cap);
    overGaps->setChecked(chosen.gaps == RecordingOptions::Gaps::Over);

    movesCheck = named(
        new QCheckBox(text("マウスポインターの移動も記録する", "Record pointer moves too"), this),
        "movesCheck");
    movesCheck->setChecked(chosen.pointerMoves);

    startButton = named(new QPushButton(text("開始", "Start"), this), "startButton");
    startButton->setDefault(true);
    auto* cancelButton = named(new QPushButton(text("キャンセル", "Cancel"), this), "cancelButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancelButton);
    buttons->addWidget(startButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(gaps);
    layout->addWidget(movesCheck);
    layout->addLayout(buttons);

    connect(changeButton, &QPushButton::clicked, this, &RecordDialog::beginCapture);
    connect(startButton, &QPushButton::clicked, this, &RecordDialog::start);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    showStopCommand();
}

void RecordDialog::showStopCommand() {
    stopCommandDisplay->setText(exitCommandLabel(chosen.stopCommand));
}

void RecordDialog::beginCapture() {
    if (!keyCapture.install()) {
        qWarning() << "Failed to install keyboard hook. Error:" << keyCapture.lastError();
        stopCommandDisplay->setText(text("フック失敗", "Hook failed"));
        return;
    }
    keyCapture.beginCapture();
    capturing = true;
    stopCommandDisplay->clear();
    pressKeysHint->show();
    changeButton->setEnabled(false);
    startButton->setEnabled(false);
    pollTimer.start(50);
}

void RecordDialog::endCapture() {
    keyCapture.endCapture();
    capturing = false;
    pollTimer.stop();
    pressKeysHint->hide();
    changeButton->setEnabled(true);
    startButton->setEnabled(true);
}

void RecordDialog::pollCapture() {
    const int key = keyCapture.capturedKey.exchange(0);
    if (key == 0)
        return;
    const int modifiers = keyCapture.capturedModifiers.load();
    endCapture();
    // Held on, Enter would repeat into the Start button.
    heldKeys.swallowUntilReleased(key);
    chosen.stopCommand = KeyCombination{key, toStoredMask(modifiers)}.toText();
    showStopCommand();
}

void RecordDialog::start() {
    chosen.delaySeconds = delaySpin->value();
    chosen.capSeconds = capSpin->value();
    chosen.gaps = overGaps->isChecked()  ? RecordingOptions::Gaps::Over
                  : capGaps->isChecked() ? RecordingOptions::Gaps::Cap
                                         : RecordingOptions::Gaps::Keep;
    chosen.pointerMoves = movesCheck->isChecked();
    accept();
}
