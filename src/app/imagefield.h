#pragma once

#include <QImage>
#include <QLabel>
#include <QString>

// An image page's image: holds the token as stored and shows the image as a
// thumbnail, its size beside it in `sizeLabel`.
class ImageField : public QLabel {
public:
    explicit ImageField(QWidget* parent);

    void setSizeLabel(QLabel* label) { sizeLabel = label; }
    // A token that holds no readable image shows as none, and stays as it is.
    void setToken(const QString& token, bool japanese);
    const QString& token() const { return stored; }
    const QImage& image() const { return picture; }

private:
    QLabel* sizeLabel = nullptr;
    QString stored;
    QImage picture;
};
