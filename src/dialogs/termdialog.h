#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;

// A read-only viewer for one of the documents shipped beside the program: the
// document's name above its full text. A missing or unreadable file shows an
// empty text.
class TermDialog : public QDialog {
    Q_OBJECT

public:
    TermDialog(const QString& filePath, QWidget* parent = nullptr);

private:
    QString filePath;
    QString documentName;
    QLabel* nameLabel;
    QPlainTextEdit* textView;
};
