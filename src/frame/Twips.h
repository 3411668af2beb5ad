#pragma once

// The layouts are written in twips, as the stored window layouts are:
// 1440 to the inch, 15 to a pixel at 96 dpi.
constexpr int kTwipsPerPixel = 15;

constexpr int tw(int twips)
{
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}
