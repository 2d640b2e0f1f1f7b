#pragma once

#include <opencv2/core.hpp>

// The searched image as the matching uses it.
struct PreparedImage {
    cv::Mat colour; // CV_8UC3, BGR
    cv::Mat mask;   // CV_8U, nonzero where a pixel counts; empty when all count
    int counted = 0;
    // All counted pixels of one colour: correlation, which compares
    // patterns, says nothing about such an image.
    bool flat = false;
};
