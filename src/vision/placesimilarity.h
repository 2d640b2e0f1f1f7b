#pragma once

#include "preparedimage.h"

// How alike the image and the screenshot's pixels at one place are, in colour
// at full resolution, from 0 to 1: the lesser of the likeness of the patterns
// (normalised correlation, which ignores an even change of brightness or
// colour) and the closeness of the colours (one less the root mean square
// difference per channel, over the channel's range), so that the same
// pattern in other colours is not taken. A flat image has no pattern and is
// judged by its colours alone. `screen` is BGRA.
double placeSimilarity(const PreparedImage& image, const cv::Mat& screen, cv::Point place);
