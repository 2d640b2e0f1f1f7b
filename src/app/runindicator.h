#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// Stands for a run where the desktop has no tray icon to do so: a small
// always-on-top window naming the project and its exit command, with a Stop
// button. It never takes the keyboard focus, and it sits in a corner of the
// screen away from the pointer, so the run's keys and clicks go where the
// project sends them.
class RunIndicator : public QWidget {
    Q_OBJECT

public:
    RunIndicator(const QString& projectName, const QString& exitCommand, bool japanese);

    // Replaces the text that says what goes on.
    void showStatus(const QString& text);

signals:
    void stopRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* statusLabel = nullptr;
    QPushButton* stopButton = nullptr;
};
