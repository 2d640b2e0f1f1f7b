#include "app/interfacetexts.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QStringList>
#include <QWidget>

#include "model/pagetypes.h"

namespace {

// Sets the text of `object` itself, or of its combo box entry `item`; false
// when the object cannot take such a text.
bool setFixedText(QObject* object, int item, const QString& text) {
    if (item >= 0) {
        auto* combo = qobject_cast<QComboBox*>(object);
        if (!combo || item >= combo->count())
            return false;
        combo->setItemText(item, text);
        return true;
    }
    if (auto* action = qobject_cast<QAction*>(object)) {
        action->setText(text);
    } else if (auto* menu = qobject_cast<QMenu*>(object)) {
        menu->setTitle(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(object)) {
        group->setTitle(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(object)) {
        label->setText(text);
    } else {
        return false;
    }
    return true;
}

bool setHelpText(QWidget* window, const char* objectName, const QString& tooltip) {
    auto* widget = window->findChild<QWidget*>(QString::fromUtf8(objectName));
    if (!widget)
        return false;
    widget->setToolTip(tooltip);
    return true;
}

QString typeText(const PageType* type, bool japanese) {
    return type ? type->name(japanese) : QString();
}

} // namespace

void applyInterfaceTexts(QWidget* window, bool japanese, bool help) {
    QStringList skipped;
    for (const FixedText& row : fixedTexts()) {
        const QString name = QString::fromUtf8(row.objectName);
        QObject* object = window->findChild<QObject*>(name);
        const QString text = QString::fromUtf8(japanese ? row.japanese : row.english);
        if (!object || !setFixedText(object, row.item, text))
            skipped << (row.item >= 0 ? QStringLiteral("%1[%2]").arg(name).arg(row.item) : name);
    }
    for (const HelpText& row : helpTexts()) {
        const QString tooltip =
            help ? QString::fromUtf8(japanese ? row.japanese : row.english) : QString();
        if (!setHelpText(window, row.objectName, tooltip))
            skipped << QString::fromUtf8(row.objectName);
        if (row.secondObjectName && !setHelpText(window, row.secondObjectName, tooltip))
            skipped << QString::fromUtf8(row.secondObjectName);
    }
    if (!skipped.isEmpty())
        qWarning().noquote() << "Interface texts not applied to:" << skipped.join(u", ");
}

void showFirstStartWelcome(QWidget* parent) {
    const QString text = QStringLiteral(
        "ダウンロードありがとうございます。\n現在はヘルプモードがONになっています。\n意味を知り"
        "たいボタンや文字などにカーソルを合わせると説明が表示されます。\n説明を表示しないように"
        "す"
        "るにはメニューバーの「ヘルプ」で設定できます。\n\nThank you for download.\nHelp mode "
        "is currently ON.\nHover your cursor over buttons or text you want to know the meaning "
        "of,\nand an explanation will be displayed.\nYou can disable the explanation display "
        "in the \"Help\" menu in the menu bar.\nYou can switch to \"English mode\" by pressing "
        "the button labeled \"English\".");
    QMessageBox box(QMessageBox::Information, QStringLiteral("はじめまして"), text, QMessageBox::Ok,
                    parent);
    // The box wraps a line wider than half the screen where the line-breaking
    // rules allow, and they allow it inside Japanese words. The lines are
    // broken where they should be already: each stands whole where the
    // screen has room for it.
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        int widest = 0;
        for (const QString& line : text.split(QLatin1Char('\n')))
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
        const QMargins margins = label->contentsMargins();
        const int needed = widest + margins.left() + margins.right() +
                           std::max(0, label->indent()) + label->fontMetrics().averageCharWidth();
        // The box grows no wider than the screen up to 1024 pixels, and than
        // 480 pixels less (1000 at most) beyond; the icon stands beside the text.
        const int screen = box.screen()->availableGeometry().width();
        const int widestBox = screen <= 1024 ? screen : std::min(screen - 480, 1000);
        const QMargins frame = box.layout()->contentsMargins();
        const int aside = box.iconPixmap().width() + frame.left() + frame.right() +
                          2 * std::max(0, box.layout()->spacing());
        label->setMinimumWidth(std::min(needed, widestBox - aside));
    }
    box.exec();
}

QString operationTypeText(const QString& keyword, bool japanese) {
    return typeText(findByKeyword(operationTypes(), keyword), japanese);
}

QString conditionTypeText(const QString& keyword, bool japanese) {
    return typeText(findByKeyword(conditionTypes(), keyword), japanese);
}
