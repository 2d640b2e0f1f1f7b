#include "app/runindicator.h"

#include <QLabel>
#include <QPushButton>

#include "app/hoverplacement.h"
#include "app/screenpointer.h"
#include "dialogs/textfit.h"

namespace {

constexpr int screenMargin = 20;
constexpr int pointerDistance = 120;

} // namespace

RunIndicator::RunIndicator(const QString& projectName, const QString& exitCommand, bool japanese) {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(QStringLiteral("Kestrun Free"));
    setFixedSize(320, 70);

    statusLabel = new QLabel(this);
    statusLabel->setObjectName(QStringLiteral("statusLabel"));
    statusLabel->setGeometry(10, 5, 215, 60);
    statusLabel->setStyleSheet(QStringLiteral("font-size: 14px;"));
    showStatus(
        japanese
            ? QStringLiteral("「%1」を実行中\n終了コマンド: %2").arg(projectName, exitCommand)
            : QStringLiteral("Running \"%1\"\nExit command: %2").arg(projectName, exitCommand));

    stopButton = new QPushButton(japanese ? QStringLiteral("停止") : QStringLiteral("Stop"), this);
    stopButton->setObjectName(QStringLiteral("stopButton"));
    stopButton->setGeometry(230, 12, 80, 46);
    stopButton->setStyleSheet(QStringLiteral("font-size: 20px;"));
    stopButton->setFocusPolicy(Qt::NoFocus);
    connect(stopButton, &QPushButton::clicked, this, [this] {
        stopButton->setEnabled(false);
        emit stopRequested();
    });
}

void RunIndicator::showStatus(const QString& text) {
    showFitted(statusLabel, text, 12);
}

void RunIndicator::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    const QPoint pointer = pointerPosition();
    move(cornerAwayFrom(availableAreaAt(pointer), size(), screenMargin, pointer, pointerDistance));
}
