#include "termdialog.h"

#include "dialogs/textfit.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>

TermDialog::TermDialog(const QString& filePath, QWidget* parent)
    : QDialog(parent), filePath(filePath) {
    setWindowTitle(QStringLiteral("Kestrun Free"));
    setFixedSize(600, 600);

    documentName = QFileInfo(filePath).baseName();

    nameLabel = new QLabel(this);
    nameLabel->setStyleSheet(QStringLiteral("QLabel{font-size:24px;}"));
    nameLabel->setFixedSize(580, 30);
    nameLabel->move(10, 10);
    nameLabel->setAlignment(Qt::AlignCenter);
    // The longest document names are wider than the dialog at this size.
    showFitted(nameLabel, documentName, 12);

    // Text mode turns Windows line ends into single breaks.
    QString content;
    QFile file(filePath);
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        content = QString::fromUtf8(file.readAll());

    textView = new QPlainTextEdit(this);
    textView->setFixedSize(580, 550);
    textView->move(10, 40);
    textView->setReadOnly(true);
    textView->setCursorWidth(0);
    textView->setPlainText(content);
}
