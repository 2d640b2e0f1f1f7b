#include "imagefinder.h"

#include "cvimages.h"
#include "placesimilarity.h"
#include "pyramidsearch.h"

#include <opencv2/imgproc.hpp>

#include <mutex>

namespace {

// Below this spread of any channel the image is taken as one colour.
constexpr double flatSpread = 1.0;

PreparedImage prepare(const QImage& image) {
    PreparedImage prepared;
    if (image.isNull())
        return prepared;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const cv::Mat bgra = cvimages::bgraView(argb);
    cv::cvtColor(bgra, prepared.colour, cv::COLOR_BGRA2BGR);
    prepared.counted = int(bgra.total());
    if (image.hasAlphaChannel()) {
        cv::Mat alpha;
        cv::extractChannel(bgra, alpha, 3);
        prepared.mask = alpha > 0;
        prepared.counted = cv::countNonZero(prepared.mask);
        if (prepared.counted == int(bgra.total()))
            prepared.mask.release();
    }
    if (prepared.counted > 0) {
        cv::Scalar mean, spread;
        cv::meanStdDev(prepared.colour, mean, spread, prepared.mask);
        prepared.flat = std::max({spread[0], spread[1], spread[2]}) < flatSpread;
    }
    return prepared;
}

} // namespace

struct ImageFinder::Prepared {
    explicit Prepared(const QImage& source) : image(prepare(source)) {
        if (image.counted > 0)
            search.emplace(image);
    }

    PreparedImage image;
    // Only for an image with pixels that count.
    std::optional<PyramidSearch> search;
};

ImageFinder::ImageFinder(const QImage& image) {
    // A search is a few milliseconds of small steps: OpenCV's own threads
    // (TBB in Debian's build) only add hand-overs, and would take the other
    // core from the run. The Windows build has no threads to begin with.
    static std::once_flag singleThreaded;
    std::call_once(singleThreaded, [] { cv::setNumThreads(1); });
    prepared = std::make_unique<Prepared>(image);
}

ImageFinder::~ImageFinder() = default;

QSize ImageFinder::size() const {
    return {prepared->image.colour.cols, prepared->image.colour.rows};
}

std::optional<ImageMatch> ImageFinder::bestMatch(const QImage& screenshot, double threshold) const {
    const QSize wanted = size();
    if (screenshot.width() < wanted.width() || screenshot.height() < wanted.height())
        return std::nullopt;
    // An image that is wholly transparent, or empty, shows nowhere.
    if (!prepared->search)
        return ImageMatch{QRect(QPoint(), wanted), 0};

    const bool viewable =
        screenshot.format() == QImage::Format_RGB32 || screenshot.format() == QImage::Format_ARGB32;
    const QImage pixels = viewable ? screenshot : screenshot.convertToFormat(QImage::Format_RGB32);
    const cv::Mat screen = cvimages::bgraView(pixels);

    std::optional<ImageMatch> best;
    for (const cv::Point place : prepared->search->candidates(screen, threshold)) {
        const double similarity = placeSimilarity(prepared->image, screen, place);
        if (!best || similarity > best->similarity)
            best = ImageMatch{QRect(QPoint(place.x, place.y), wanted), similarity};
    }
    return best;
}
