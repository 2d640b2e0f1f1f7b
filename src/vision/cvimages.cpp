#include "cvimages.h"

#include <QtEndian>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "QImage's 32-bit pixels are read as BGRA bytes");

namespace cvimages {

cv::Mat bgraView(const QImage& image) {
    Q_ASSERT(image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32);
    // OpenCV's view is writable by type only; nothing here writes through it.
    return cv::Mat(image.height(), image.width(), CV_8UC4, const_cast<uchar*>(image.constBits()),
                   size_t(image.bytesPerLine()));
}

} // namespace cvimages
