#pragma once

#include <QObject>

class InputBackend;
class QWidget;

// A key just captured is often still held: its repeats must not reach the
// window that captured it, where Enter would press the default button. From
// swallowUntilReleased on, key events bound for `scope` are dropped until the
// key is up again.
class HeldKeySwallower : public QObject {
public:
    HeldKeySwallower(QWidget* scope, InputBackend& input);
    ~HeldKeySwallower() override;

    void swallowUntilReleased(int virtualKey);
    bool isSwallowing() const { return heldKey != 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void stop();

    QWidget* scope;
    InputBackend& input;
    int heldKey = 0;
};
