#pragma once

#include <QImage>
#include <QRect>

#include <memory>
#include <optional>

// Where an image was found in a larger one, and how alike the two are there:
// 1 is identical, values below 0.5 mean nothing really alike.
struct ImageMatch {
    QRect rect;
    double similarity = 0;
};

// Searches screenshots for one image. The image is prepared once; each search
// then takes a screenshot (QImage::Format_RGB32) and gives the best place.
// Knows neither widgets nor the desktop, so it is tested on still images.
// A finder serves one search at a time.
class ImageFinder {
public:
    // Any QImage format; an alpha channel makes fully transparent pixels
    // count for nothing.
    explicit ImageFinder(const QImage& image);
    ~ImageFinder();
    ImageFinder(const ImageFinder&) = delete;
    ImageFinder& operator=(const ImageFinder&) = delete;

    QSize size() const;
    // The most alike place, its similarity measured at full resolution in
    // colour. A place at or above `threshold` is found for sure; below it the
    // similarity is the best seen. Empty when the screenshot is smaller than
    // the image.
    std::optional<ImageMatch> bestMatch(const QImage& screenshot, double threshold) const;

private:
    struct Prepared;
    std::unique_ptr<Prepared> prepared;
};
