#pragma once

#include <QFont>
#include <functional>

// Below this a child can no longer read the words: text that does not fit
// even at this size is drawn at it and cut.
inline constexpr int kSmallestReadablePixels = 10;

// The largest pixel size in [kSmallestReadablePixels, below) at which fits
// holds for font set to that size; 0 when none does. Halving the range: a
// handful of measurements even for a large font.
int largestFittingPixelSize(QFont font, int below, const std::function<bool(const QFont &)> &fits);
