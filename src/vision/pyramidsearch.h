#pragma once

#include "preparedimage.h"

#include <vector>

// Where an image may lie in a screenshot, found on image pyramids (each level
// blurred and halved): the whole screenshot is searched at the coarsest level
// only, in grey by normalised cross-correlation and closeness of values, and
// the likeliest places are followed down level by level, each time searched
// again in a small window, to full resolution. A flat image, which
// correlation cannot compare, is compared in colour by closeness alone, with
// the detail that blurring hides (the variance under each coarse pixel)
// counted as difference.
// One search at a time: the screenshot's levels are kept between searches.
class PyramidSearch {
public:
    explicit PyramidSearch(const PreparedImage& image);

    // Places in the BGRA screenshot where the image may be, the likeliest
    // first: a few at least, and all that score near `threshold`.
    std::vector<cv::Point> candidates(const cv::Mat& screen, double threshold) const;

    // Levels searched, full resolution included.
    int levelCount() const { return int(levels.size()); }

private:
    // The image at one level: the part of it that is known there, `inset`
    // from its top left corner.
    struct Level {
        cv::Point inset;
        cv::Mat grey; // CV_8U; for a flat image the colour, CV_32FC3
        cv::Mat mask; // CV_8U, nonzero where a pixel counts; empty when all count
        // A flat image's counted pixels as CV_32FC3 ones.
        cv::Mat weights;
        int counted = 0;
        double mean = 0; // of the counted pixels of a grey image
        // At the coarsest level, a masked grey image with its uncounted
        // pixels set to the mean.
        cv::Mat filled;
    };
    // One level of the screenshot; for a flat image in colour, CV_32FC3, with
    // the variance under each pixel beside it.
    struct ScreenLevel {
        cv::Mat grey;
        cv::Mat variance;
        ScreenLevel operator()(const cv::Rect& part) const;
    };
    struct Candidate {
        cv::Point place;
        double score;
    };

    const std::vector<ScreenLevel>& screenPyramid(const cv::Mat& screen) const;
    cv::Mat wholeScores(const ScreenLevel& screen) const;
    cv::Mat scores(const ScreenLevel& screen, const Level& image) const;
    std::vector<Candidate> searchWhole(const ScreenLevel& screen, double gate) const;
    std::vector<Candidate> followDown(std::vector<Candidate> found, const ScreenLevel& screen,
                                      int level, double gate) const;

    bool flat = false;
    std::vector<Level> levels; // full resolution first
    // The screenshot's levels, kept from one search to the next so that
    // searching screenshots of one size allocates nothing. They belong to the
    // search rather than to its thread: MinGW destroys thread_local objects
    // after their storage is freed, which crashed threads as they ended.
    mutable std::vector<ScreenLevel> screenLevels;
    mutable cv::Mat screenColour;
    mutable cv::Mat screenSquares;
};
