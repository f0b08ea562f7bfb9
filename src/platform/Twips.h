#pragma once

#include <cmath>

namespace purslet {

// Setup.ini keeps sizes in twips (1/1440 inch) so a file from another screen
// still means the same sizes: twips = pixels x 1440 / logical DPI.
inline double PixelsToTwips(double pixels, double dpi)
{
    return dpi > 0 ? pixels * 1440.0 / dpi : pixels * 15.0;
}

inline int TwipsToPixels(double twips, double dpi)
{
    return int(std::lround(dpi > 0 ? twips * dpi / 1440.0 : twips / 15.0));
}

} // namespace purslet
