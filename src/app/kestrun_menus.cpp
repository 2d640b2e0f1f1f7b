#include <QMenuBar>
#include <QMessageBox>
#include <QShortcut>

#include "app/kestrun.h"

void kestrun::toggleLanguage() {
    settings.is_japanese = !settings.is_japanese;
    changeLanguage();
}

void kestrun::setHelpMode(bool on) {
    settings.is_help = on;
    changeLanguage();
}

void kestrun::showVersion() {
    message_title = settings.is_japanese ? QStringLiteral("情報") : QStringLiteral("Information");
    message_text = settings.is_japanese
                       ? QStringLiteral("バージョン：1.4\n時間：2026年5月26日20時26分")
                       : QStringLiteral("Version:1.4\nTime:May 26, 2026 20:26");
    QMessageBox::information(this, message_title, message_text);
}

// F10 takes the keyboard to the menu bar, as in the desktop's other programs:
// the first menu opens, and the arrow keys go on from there.
void kestrun::connectMenuBarKey() {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(key, &QShortcut::activated, this, [this] {
        QMenuBar* bar = menuBar();
        if (bar->isVisible() && bar->isEnabled() && !bar->actions().isEmpty())
            bar->setActiveAction(bar->actions().constFirst());
    });
}
