#include "placesimilarity.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace {

float matchHere(const cv::Mat& pixels, const PreparedImage& image, cv::TemplateMatchModes method) {
    cv::Mat result;
    cv::matchTemplate(pixels, image.colour, result, method, image.mask);
    return result.at<float>(0, 0);
}

} // namespace

double placeSimilarity(const PreparedImage& image, const cv::Mat& screen, cv::Point place) {
    cv::Mat pixels;
    cv::cvtColor(screen(cv::Rect(place, image.colour.size())), pixels, cv::COLOR_BGRA2BGR);

    const double squares = matchHere(pixels, image, cv::TM_SQDIFF);
    const double meanSquare = std::max(0.0, squares) / (double(image.counted) * 3);
    const double closeness = 1 - std::sqrt(meanSquare) / 255;
    if (image.flat)
        return std::clamp(closeness, 0.0, 1.0);

    // Undefined (NaN) where the screen's pixels are all one colour: there
    // the image's pattern is not.
    const double likeness = matchHere(pixels, image, cv::TM_CCOEFF_NORMED);
    if (!std::isfinite(likeness))
        return 0;
    return std::clamp(std::min(likeness, closeness), 0.0, 1.0);
}
