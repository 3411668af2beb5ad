#include "frame/FontFit.h"

int largestFittingPixelSize(QFont font, int below, const std::function<bool(const QFont &)> &fits)
{
    int low = kSmallestReadablePixels, high = below - 1, best = 0;
    while (low <= high) {
        const int middle = (low + high) / 2;
        font.setPixelSize(middle);
        if (fits(font)) {
            best = middle;
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return best;
}
