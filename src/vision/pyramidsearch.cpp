#include "pyramidsearch.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cstdlib>

namespace {

// The coarsest level keeps at least this many pixels a side, enough to tell
// patterns apart, and at most this many levels are made.
constexpr int smallestSide = 8;
constexpr size_t mostLevels = 4;
// Blurring may not flatten the image's pattern below this share of its
// contrast, or the coarse comparison says little.
constexpr double keptContrast = 0.3;
// How many places are followed down: a few at least, more while they score
// near the threshold. The coarsest level, where blurring makes many places
// alike (repeated text, gradients), hands down more of them than the levels
// below, where they part.
constexpr size_t fewestCandidates = 3;
constexpr size_t mostCoarsest = 64;
constexpr size_t mostFollowed = 16;
// A place this far below the threshold at a coarse level may still reach it
// at full resolution.
constexpr double candidateMargin = 0.25;
// A place found at one level is searched again this far around at the next.
constexpr int window = 3;
constexpr int mostMoves = 4;
constexpr float nothing = -2;

bool keptFew(size_t count, size_t most, double score, double gate) {
    return count >= most || (count >= fewestCandidates && score < gate);
}

} // namespace

PyramidSearch::PyramidSearch(const PreparedImage& image) : flat(image.flat) {
    // A flat image is all colour and no pattern: it is searched in colour.
    cv::Mat whole;
    if (flat)
        image.colour.convertTo(whole, CV_32FC3);
    else
        cv::cvtColor(image.colour, whole, cv::COLOR_BGR2GRAY);
    Level full;
    full.grey = whole;
    full.mask = image.mask;
    full.counted = image.counted;
    cv::Scalar mean, contrast;
    cv::meanStdDev(whole, mean, contrast, full.mask);
    full.mean = mean[0];
    levels.push_back(full);

    // The mask's pyramid keeps a pixel only where all it was made from counts.
    cv::Mat mask = image.mask.empty() ? cv::Mat(whole.size(), CV_8U, cv::Scalar(255)) : image.mask;
    // Pixels near the edge of a coarser level were blurred with what lies
    // around the image, unknown here: each level keeps only the pixels made
    // from known ones (the blur reaches two finer pixels each way).
    cv::Rect known(cv::Point(), whole.size());
    while (levels.size() < mostLevels) {
        const cv::Point first((known.x + 3) / 2, (known.y + 3) / 2);
        const cv::Point last((known.br().x - 3) / 2, (known.br().y - 3) / 2);
        known = cv::Rect(first, last + cv::Point(1, 1));
        if (std::min(known.width, known.height) < smallestSide)
            break;
        cv::pyrDown(whole, whole);
        cv::pyrDown(mask, mask);
        mask = mask == 255;
        Level coarser;
        coarser.inset = known.tl();
        coarser.grey = whole(known);
        const cv::Mat knownMask = mask(known);
        coarser.counted = cv::countNonZero(knownMask);
        if (coarser.counted < smallestSide * smallestSide)
            break;
        if (coarser.counted < int(knownMask.total()))
            coarser.mask = knownMask;
        coarser.mean = cv::mean(coarser.grey, coarser.mask)[0];
        cv::Scalar coarseMean, coarseContrast;
        cv::meanStdDev(coarser.grey, coarseMean, coarseContrast, coarser.mask);
        if (!flat && coarseContrast[0] < keptContrast * contrast[0])
            break;
        levels.push_back(coarser);
    }
    Level& coarsest = levels.back();
    if (!flat && !coarsest.mask.empty()) {
        coarsest.filled = coarsest.grey.clone();
        coarsest.filled.setTo(coarsest.mean, coarsest.mask == 0);
    }
    if (flat) {
        for (Level& level : levels) {
            level.weights = cv::Mat(level.grey.size(), CV_32FC3, cv::Scalar::all(1));
            if (!level.mask.empty())
                level.weights.setTo(cv::Scalar::all(0), level.mask == 0);
        }
    }
}

PyramidSearch::ScreenLevel PyramidSearch::ScreenLevel::operator()(const cv::Rect& part) const {
    return {grey(part), variance.empty() ? variance : variance(part)};
}

const std::vector<PyramidSearch::ScreenLevel>&
PyramidSearch::screenPyramid(const cv::Mat& screen) const {
    std::vector<ScreenLevel>& pyramid = screenLevels;
    pyramid.resize(levels.size());
    if (!flat) {
        cv::cvtColor(screen, pyramid[0].grey, cv::COLOR_BGRA2GRAY);
        for (size_t level = 1; level < levels.size(); ++level)
            cv::pyrDown(pyramid[level - 1].grey, pyramid[level].grey);
        for (ScreenLevel& level : pyramid)
            level.variance.release();
        return pyramid;
    }
    cv::cvtColor(screen, screenColour, cv::COLOR_BGRA2BGR);
    screenColour.convertTo(pyramid[0].grey, CV_32FC3);
    pyramid[0].variance.release();
    cv::multiply(pyramid[0].grey, pyramid[0].grey, screenSquares);
    for (size_t level = 1; level < levels.size(); ++level) {
        ScreenLevel& coarser = pyramid[level];
        cv::pyrDown(pyramid[level - 1].grey, coarser.grey);
        cv::pyrDown(screenSquares, screenSquares);
        coarser.variance = screenSquares - coarser.grey.mul(coarser.grey);
    }
    return pyramid;
}

// Higher is likelier, as the similarity of the whole search: the lesser of
// the patterns' likeness (normalised correlation) and the closeness of the
// values (one less the root mean square difference over the range). A flat
// image has no pattern and is compared by its colours, the detail under each
// coarse pixel counted as difference.
cv::Mat PyramidSearch::scores(const ScreenLevel& screen, const Level& image) const {
    cv::Mat squares;
    cv::matchTemplate(screen.grey, image.grey, squares, cv::TM_SQDIFF, image.mask);
    if (!screen.variance.empty()) {
        cv::Mat detail;
        cv::matchTemplate(screen.variance, image.weights, detail, cv::TM_CCORR);
        squares += detail;
    }
    cv::Mat closeness = cv::max(squares, 0) / (double(image.counted) * image.grey.channels());
    cv::sqrt(closeness, closeness);
    closeness = 1 - closeness / 255;
    if (flat)
        return closeness;
    cv::Mat likeness;
    cv::matchTemplate(screen.grey, image.grey, likeness, cv::TM_CCOEFF_NORMED, image.mask);
    // A masked comparison is undefined over pixels all of one grey.
    cv::patchNaNs(likeness, nothing);
    return cv::min(likeness, closeness);
}

// Over the whole screenshot, where a second correlation would cost as much as
// the first, the closeness of the image's values is judged by the mean alone,
// from a box filter; the levels below judge it fully.
//
// A masked comparison costs several times a plain one, so here a masked image
// is compared plainly, its uncounted pixels set to its mean, which
// correlation ignores: what lies under them then lowers the score somewhat,
// and the levels below compare with the mask.
cv::Mat PyramidSearch::wholeScores(const ScreenLevel& screen) const {
    const Level& image = levels.back();
    if (flat)
        return scores(screen, image);
    cv::Mat likeness;
    cv::matchTemplate(screen.grey, image.mask.empty() ? image.grey : image.filled, likeness,
                      cv::TM_CCOEFF_NORMED);
    cv::Mat means;
    cv::boxFilter(screen.grey, means, CV_32F, image.grey.size(), cv::Point(0, 0));
    cv::Mat closeness = cv::abs(means(cv::Rect(cv::Point(), likeness.size())) - image.mean);
    closeness = 1 - closeness / 255;
    return cv::min(likeness, closeness);
}

std::vector<PyramidSearch::Candidate> PyramidSearch::searchWhole(const ScreenLevel& screen,
                                                                 double gate) const {
    const Level& image = levels.back();
    cv::Mat result = wholeScores(screen);
    std::vector<Candidate> found;
    for (;;) {
        double top = 0;
        cv::Point at;
        cv::minMaxLoc(result, nullptr, &top, nullptr, &at);
        if (top <= nothing || keptFew(found.size(), mostCoarsest, top, gate))
            break;
        found.push_back({at - image.inset, top});
        // Places overlapping this one by more than three quarters are the
        // same find; those further off may be another, which only looks a
        // little less alike here.
        const cv::Size near = image.grey.size() / 2;
        const cv::Rect around(at - cv::Point(near.width / 2, near.height / 2), near);
        result(around & cv::Rect(cv::Point(), result.size())).setTo(nothing);
    }
    return found;
}

// Each place is searched again around its spot at the finer level; where the
// best lies on the edge of that window, the window moves on, as a place in a
// smooth part of the screen may have drifted at the coarser level.
std::vector<PyramidSearch::Candidate> PyramidSearch::followDown(std::vector<Candidate> found,
                                                                const ScreenLevel& screen,
                                                                int level, double gate) const {
    const Level& image = levels[size_t(level)];
    const cv::Size searched = image.grey.size();
    // Top left corners of the whole image whose known part lies on the screen.
    const cv::Rect places(-image.inset, screen.grey.size() - searched + cv::Size(1, 1));
    for (Candidate& candidate : found) {
        cv::Point centre = candidate.place * 2;
        candidate.score = nothing;
        for (int move = 0; move < mostMoves; ++move) {
            const cv::Rect near = cv::Rect(centre - cv::Point(window, window),
                                           cv::Size(2 * window + 1, 2 * window + 1)) &
                                  places;
            if (near.empty())
                break;
            const cv::Mat result = scores(
                screen(cv::Rect(near.tl() + image.inset, near.size() + searched - cv::Size(1, 1))),
                image);
            cv::Point at;
            cv::minMaxLoc(result, nullptr, &candidate.score, nullptr, &at);
            candidate.place = near.tl() + at;
            const cv::Point moved = candidate.place - centre;
            if (std::abs(moved.x) < window && std::abs(moved.y) < window)
                break;
            centre = candidate.place;
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Candidate& a, const Candidate& b) { return a.score > b.score; });
    // Places that led to the same place are one.
    std::vector<Candidate> kept;
    for (const Candidate& candidate : found) {
        if (candidate.score <= nothing || keptFew(kept.size(), mostFollowed, candidate.score, gate))
            break;
        if (std::none_of(kept.begin(), kept.end(),
                         [&](const Candidate& other) { return other.place == candidate.place; }))
            kept.push_back(candidate);
    }
    return kept;
}

std::vector<cv::Point> PyramidSearch::candidates(const cv::Mat& screen, double threshold) const {
    const std::vector<ScreenLevel>& pyramid = screenPyramid(screen);
    const double gate = threshold - candidateMargin;
    const int coarsest = levelCount() - 1;
    std::vector<Candidate> found = searchWhole(pyramid[size_t(coarsest)], gate);
    for (int level = coarsest - 1; level >= 0; --level)
        found = followDown(found, pyramid[size_t(level)], level, gate);
    // The best place is always given, for its similarity; others only when
    // they may reach the threshold.
    std::vector<cv::Point> places;
    for (const Candidate& candidate : found)
        if (places.empty() || candidate.score >= gate)
            places.push_back(candidate.place);
    return places;
}
