#pragma once

#include "preparedimage.h"

#include <vector>

// Where an image may lie in a screenshot, found cheaply: both are shrunk in
// grey by the same power of two and compared there by normalised
// cross-correlation (a flat image by its squared difference, with the detail
// that shrinking averages away added back). The image is shrunk once for each
// offset within a block, so that at its true place its blocks line up with the
// screenshot's and score as they would unshrunk.
class CoarseSearch {
public:
    explicit CoarseSearch(const PreparedImage& image);

    // Places in the full-resolution BGRA screenshot where the image may be,
    // the likeliest first: at least a few, and every other one that scores
    // near `threshold`.
    std::vector<cv::Point> candidates(const cv::Mat& screen, double threshold) const;

    // How much the search shrinks: 1, 2 or 4.
    int factor() const { return shrink; }

private:
    // The image shrunk with its top left `offset` pixels dropped.
    struct Phase {
        cv::Point offset;
        cv::Mat grey; // CV_8U, or CV_32F for a flat image
        cv::Mat mask; // CV_8U, nonzero where a block counts; empty when all count
        // A flat image's counted blocks as CV_32F ones, and their number.
        cv::Mat weights;
        int blocks = 0;
    };
    // The screenshot shrunk; for a flat image in CV_32F with the variance
    // within each block beside it.
    struct Shrunk {
        cv::Mat grey;
        cv::Mat variance;
    };

    bool choose(const PreparedImage& image, int factor);
    Shrunk shrunkScreen(const cv::Mat& screen) const;
    cv::Mat scores(const Shrunk& small, const Phase& phase) const;

    cv::Size imageSize;
    bool flat = false;
    int shrink = 1;
    std::vector<Phase> phases;
};
