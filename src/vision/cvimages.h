#pragma once

#include <QImage>

#include <opencv2/core.hpp>

// OpenCV views of QImage pixels. QImage's 32-bit formats keep each pixel as
// one native-endian 0xAARRGGBB word, which the little-endian machines we build
// for lay down as B, G, R, A: OpenCV's BGRA.
namespace cvimages {

// The pixels of an image in Format_RGB32 or Format_ARGB32, not copied: valid
// while the image lives unchanged.
cv::Mat bgraView(const QImage& image);

} // namespace cvimages
