#include "keys/heldkeyswallower.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include "platform/inputbackend.h"

HeldKeySwallower::HeldKeySwallower(QWidget* scope, InputBackend& input)
    : scope(scope), input(input) {}

HeldKeySwallower::~HeldKeySwallower() {
    stop();
}

void HeldKeySwallower::swallowUntilReleased(int virtualKey) {
    if (!input.isKeyDown(virtualKey))
        return;
    if (heldKey == 0)
        QCoreApplication::instance()->installEventFilter(this);
    heldKey = virtualKey;
}

void HeldKeySwallower::stop() {
    if (heldKey == 0)
        return;
    heldKey = 0;
    QCoreApplication::instance()->removeEventFilter(this);
}

bool HeldKeySwallower::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != scope && !scope->isAncestorOf(widget)))
        return false;
    // The first repeat the window sees is not marked as one (the press went
    // to the capture), so the key's state decides.
    if (static_cast<QKeyEvent*>(event)->isAutoRepeat() || input.isKeyDown(heldKey)) {
        // Accepted as an override, a repeat cannot fire a shortcut either.
        event->accept();
        return true;
    }
    stop();
    return false;
}
