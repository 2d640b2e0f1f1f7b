#include "dialogs/textfit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

namespace {

const char designedSheet[] = "kestrun_designedStyleSheet";
const char designedFont[] = "kestrun_designedFont";

int pushButtonTextRoom(const QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.features =
        button->isDefault() ? QStyleOptionButton::DefaultButton : QStyleOptionButton::None;
    if (button->autoDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    const int padding =
        button->style()->sizeFromContents(QStyle::CT_PushButton, &option, QSize(), button).width();
    return button->width() - padding;
}

int checkBoxTextRoom(const QCheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.icon = box->icon();
    option.iconSize = box->iconSize();
    const int padding =
        box->style()->sizeFromContents(QStyle::CT_CheckBox, &option, QSize(), box).width();
    const int icon = box->icon().isNull() ? 0 : box->iconSize().width() + 4;
    return box->width() - padding - icon;
}

int comboTextRoom(const QComboBox* combo) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    return combo->style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo)
        .width();
}

// Back to the font the widget was built with, remembered at the first fit.
void restoreDesignedFont(QWidget* widget) {
    if (!widget->property(designedSheet).isValid()) {
        widget->setProperty(designedSheet, widget->styleSheet());
        widget->setProperty(designedFont, widget->font());
    }
    const QString sheet = widget->property(designedSheet).toString();
    if (sheet.isEmpty()) {
        widget->setFont(widget->property(designedFont).value<QFont>());
        return;
    }
    if (widget->styleSheet() != sheet)
        widget->setStyleSheet(sheet);
    widget->ensurePolished();
}

void applyFont(QWidget* widget, const QFont& font) {
    if (widget->styleSheet().isEmpty()) {
        widget->setFont(font);
        return;
    }
    // A rule naming the class outweighs the designed size, whether that is
    // a rule of its own or bare declarations.
    QString sheet = widget->styleSheet();
    if (!sheet.contains(u'{'))
        sheet = QStringLiteral("* { %1 }").arg(sheet);
    widget->setStyleSheet(sheet + QStringLiteral(" %1 { font-size: %2px; }")
                                      .arg(QLatin1String(widget->metaObject()->className()))
                                      .arg(QFontInfo(font).pixelSize()));
}

// `font` made smaller, one pixel (or point) at a time, until every line of
// `text` fits `width`, but not below `smallestPixelSize`.
QFont fittingFont(QFont font, const QString& text, int width, int smallestPixelSize) {
    const bool inPixels = font.pixelSize() > 0;
    while (!textFits(font, text, width) && QFontInfo(font).pixelSize() > smallestPixelSize) {
        if (inPixels)
            font.setPixelSize(font.pixelSize() - 1);
        else
            font.setPointSizeF(font.pointSizeF() - 1);
    }
    return font;
}

} // namespace

bool textFits(const QFont& font, const QString& text, int width) {
    const QFontMetrics metrics(font);
    for (const QString& line : text.split(u'\n'))
        if (metrics.horizontalAdvance(line) > width)
            return false;
    return true;
}

QStringList shownTexts(const QWidget* widget) {
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return {label->text()};
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return {button->text().remove(u'&')};
    QStringList texts;
    if (auto* combo = qobject_cast<const QComboBox*>(widget))
        for (int item = 0; item < combo->count(); ++item)
            texts << combo->itemText(item);
    return texts;
}

int textRoom(const QWidget* widget) {
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->contentsRect().width() - 2 * label->margin();
    if (auto* button = qobject_cast<const QPushButton*>(widget))
        return pushButtonTextRoom(button);
    if (auto* box = qobject_cast<const QCheckBox*>(widget))
        return checkBoxTextRoom(box);
    if (auto* combo = qobject_cast<const QComboBox*>(widget))
        return comboTextRoom(combo);
    return 0;
}

void shrinkToFit(QWidget* widget, int smallestPixelSize) {
    restoreDesignedFont(widget);
    const int room = textRoom(widget);
    QFont font = widget->font();
    for (const QString& text : shownTexts(widget))
        font = fittingFont(font, text, room, smallestPixelSize);
    if (font != widget->font())
        applyFont(widget, font);
}

void showFitted(QLabel* label, const QString& text, int smallestPixelSize) {
    label->setText(text);
    label->setToolTip(QString());
    shrinkToFit(label, smallestPixelSize);
    const int width = textRoom(label);
    if (textFits(label->font(), text, width))
        return;
    const QFontMetrics metrics(label->font());
    QStringList lines;
    for (const QString& line : text.split(u'\n'))
        lines << metrics.elidedText(line, Qt::ElideRight, width);
    label->setText(lines.join(u'\n'));
    label->setToolTip(text);
}
