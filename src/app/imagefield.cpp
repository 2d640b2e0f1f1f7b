#include "app/imagefield.h"

#include <QPixmap>

#include "model/screenpages.h"

ImageField::ImageField(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::Box);
}

void ImageField::setToken(const QString& token, bool japanese) {
    stored = token;
    const std::optional<screenpages::ImageSearch> read =
        screenpages::readImageSearch({QString(), token}, nullptr);
    picture = read ? read->image : QImage();
    if (picture.isNull()) {
        clear();
        if (sizeLabel)
            sizeLabel->setText(japanese ? QStringLiteral("画像なし") : QStringLiteral("No image"));
        return;
    }
    // Small images are not blown up into a blur.
    const QSize room = contentsRect().size();
    const QImage shown = picture.width() > room.width() || picture.height() > room.height()
                             ? picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                             : picture;
    setPixmap(QPixmap::fromImage(shown));
    if (sizeLabel)
        sizeLabel->setText(QStringLiteral("%1 × %2").arg(picture.width()).arg(picture.height()));
}
