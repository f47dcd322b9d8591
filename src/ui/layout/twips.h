#pragma once

#include <cmath>

namespace pv {

// The window layout is given in twips, 1440 to the inch. The Qt window places its controls in
// device-independent pixels, 96 to the inch whatever the screen's scale, so 15 twips make one
// of its pixels; the Win32 window places them in the physical pixels of its display, at that
// display's own dots per inch.
inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr int kStandardDpi = 96;

inline int TwipsToPixels(double twips, int dpi = kStandardDpi)
{
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

inline double PixelsToTwips(double pixels, int dpi = kStandardDpi)
{
    return pixels * kTwipsPerInch / dpi;
}

}  // namespace pv
