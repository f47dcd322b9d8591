#pragma once

#include <cmath>

namespace pv {

// The window layout is given in twips; the front ends place controls in device-independent
// pixels, which are 96 to the inch, so 15 twips make one pixel whatever the screen's scale.
inline constexpr double kTwipsPerPixel = 15.0;

inline int TwipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline double PixelsToTwips(double pixels)
{
    return pixels * kTwipsPerPixel;
}

}  // namespace pv
