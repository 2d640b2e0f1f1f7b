#include "coarsesearch.h"

#include <opencv2/imgproc.hpp>

namespace {

// The shrunk image keeps at least this many pixels a side, enough to tell
// patterns apart.
constexpr int smallestSide = 8;
// Shrinking may not flatten the image's pattern below this share of its
// contrast, or the shrunk comparison says little.
constexpr double keptContrast = 0.3;
constexpr size_t fewestCandidates = 4;
constexpr size_t mostCandidates = 32;
// A place that scores this far below the threshold shrunk may still reach it
// at full resolution.
constexpr double candidateMargin = 0.2;
constexpr float nothing = -2;

// The image and the screenshot are both shrunk in colour, then made grey, so
// that like blocks give like values. `colour` spans whole blocks.
cv::Mat shrunkGrey(const cv::Mat& colour, int factor, cv::ColorConversionCodes toGrey) {
    cv::Mat small = colour;
    if (factor > 1)
        cv::resize(colour, small, colour.size() / factor, 0, 0, cv::INTER_AREA);
    cv::Mat grey;
    cv::cvtColor(small, grey, toGrey);
    return grey;
}

cv::Mat shrunk(const cv::Mat& pixels, int factor) {
    cv::Mat small;
    cv::resize(pixels, small, pixels.size() / factor, 0, 0, cv::INTER_AREA);
    return small;
}

cv::Rect wholeBlocks(cv::Size size, cv::Point offset, int factor) {
    return {offset, cv::Size((size.width - offset.x) / factor * factor,
                             (size.height - offset.y) / factor * factor)};
}

} // namespace

CoarseSearch::CoarseSearch(const PreparedImage& image)
    : imageSize(image.colour.size()), flat(image.flat) {
    for (int factor : {4, 2})
        if (choose(image, factor))
            return;
    choose(image, 1);
}

bool CoarseSearch::choose(const PreparedImage& image, int factor) {
    shrink = factor;
    phases.clear();
    cv::Mat grey;
    cv::cvtColor(image.colour, grey, cv::COLOR_BGR2GRAY);
    cv::Scalar mean, contrast;
    cv::meanStdDev(grey, mean, contrast, image.mask);

    for (int y = 0; y < factor; ++y) {
        for (int x = 0; x < factor; ++x) {
            Phase phase;
            phase.offset = {x, y};
            const cv::Rect blocks = wholeBlocks(imageSize, phase.offset, factor);
            if (factor > 1 && std::min(blocks.width, blocks.height) / factor < smallestSide)
                return false;
            phase.grey = shrunkGrey(image.colour(blocks), factor, cv::COLOR_BGR2GRAY);
            if (!image.mask.empty()) {
                // A block counts when all its pixels do.
                phase.mask = shrunk(image.mask(blocks), factor) == 255;
                phase.blocks = cv::countNonZero(phase.mask);
                if (phase.blocks == 0 || (factor > 1 && phase.blocks < smallestSide * smallestSide))
                    return false;
                if (phase.blocks == int(phase.mask.total()))
                    phase.mask.release();
            } else {
                phase.blocks = int(phase.grey.total());
            }
            if (flat) {
                phase.grey.convertTo(phase.grey, CV_32F);
                phase.weights = cv::Mat::ones(phase.grey.size(), CV_32F);
                if (!phase.mask.empty())
                    phase.weights.setTo(0, phase.mask == 0);
            } else if (factor > 1) {
                cv::Scalar smallMean, smallContrast;
                cv::meanStdDev(phase.grey, smallMean, smallContrast, phase.mask);
                if (smallContrast[0] < keptContrast * contrast[0])
                    return false;
            }
            phases.push_back(phase);
        }
    }
    return true;
}

CoarseSearch::Shrunk CoarseSearch::shrunkScreen(const cv::Mat& screen) const {
    const cv::Mat blocks = screen(wholeBlocks(screen.size(), {0, 0}, shrink));
    Shrunk small;
    if (!flat) {
        small.grey = shrunkGrey(blocks, shrink, cv::COLOR_BGRA2GRAY);
        return small;
    }
    cv::Mat grey;
    cv::cvtColor(blocks, grey, cv::COLOR_BGRA2GRAY);
    grey.convertTo(grey, CV_32F);
    small.grey = shrink > 1 ? shrunk(grey, shrink) : grey;
    const cv::Mat squares = grey.mul(grey);
    small.variance = shrink > 1 ? shrunk(squares, shrink) - small.grey.mul(small.grey)
                                : cv::Mat::zeros(grey.size(), CV_32F);
    return small;
}

// Higher is likelier, as normalised cross-correlation: for a flat image one
// less the root mean square difference over the range of a channel, the
// difference counting the detail within each block.
cv::Mat CoarseSearch::scores(const Shrunk& small, const Phase& phase) const {
    cv::Mat result;
    if (!flat) {
        cv::matchTemplate(small.grey, phase.grey, result, cv::TM_CCOEFF_NORMED, phase.mask);
        // A masked comparison is undefined over blocks all of one grey.
        cv::patchNaNs(result, nothing);
        return result;
    }
    cv::Mat detail;
    cv::matchTemplate(small.grey, phase.grey, result, cv::TM_SQDIFF, phase.mask);
    cv::matchTemplate(small.variance, phase.weights, detail, cv::TM_CCORR);
    result = cv::max(result + detail, 0) / phase.blocks;
    cv::sqrt(result, result);
    return 1 - result / 255;
}

std::vector<cv::Point> CoarseSearch::candidates(const cv::Mat& screen, double threshold) const {
    const Shrunk small = shrunkScreen(screen);
    // Each shrunk place keeps the score and the offset of its best phase.
    cv::Size places;
    for (const Phase& phase : phases)
        places = {std::max(places.width, small.grey.cols - phase.grey.cols + 1),
                  std::max(places.height, small.grey.rows - phase.grey.rows + 1)};
    cv::Mat best(places, CV_32F, cv::Scalar(nothing));
    cv::Mat bestPhase(places, CV_8U, cv::Scalar(0));
    for (size_t index = 0; index < phases.size(); ++index) {
        const Phase& phase = phases[index];
        const cv::Mat result = scores(small, phase);
        // Only places where the whole image lies within the screenshot.
        const cv::Point first(phase.offset.x > 0 ? 1 : 0, phase.offset.y > 0 ? 1 : 0);
        const cv::Point last(
            std::min(result.cols - 1, (screen.cols - imageSize.width + phase.offset.x) / shrink),
            std::min(result.rows - 1, (screen.rows - imageSize.height + phase.offset.y) / shrink));
        if (last.x < first.x || last.y < first.y)
            continue;
        const cv::Rect valid(first, last + cv::Point(1, 1));
        const cv::Mat better = result(valid) > best(valid);
        result(valid).copyTo(best(valid), better);
        bestPhase(valid).setTo(int(index), better);
    }

    std::vector<cv::Point> found;
    const double gate = threshold - candidateMargin;
    while (found.size() < mostCandidates) {
        double top = 0;
        cv::Point at;
        cv::minMaxLoc(best, nullptr, &top, nullptr, &at);
        if (top <= nothing || (top < gate && found.size() >= fewestCandidates))
            break;
        const Phase& phase = phases[bestPhase.at<uchar>(at)];
        found.push_back(at * shrink - phase.offset);
        // Places overlapping this one by more than half are the same find.
        const cv::Size near = phase.grey.size();
        const cv::Rect around(at - cv::Point(near.width / 2, near.height / 2), near);
        best(around & cv::Rect(cv::Point(), best.size())).setTo(nothing);
    }
    return found;
}
