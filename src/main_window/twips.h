#pragma once
// Lengths in twips: 1/1440 inch, 15 per pixel at 96 dots per inch.

#include <cmath>

namespace lanceron {

constexpr double TwipsParPouce = 1440.0;

inline int pixels(double twips, double dpi = 96.0)
{
    return static_cast<int>(std::lround(twips * dpi / TwipsParPouce));
}

inline double twips(double pixels, double dpi = 96.0)
{
    return pixels * TwipsParPouce / dpi;
}

} // namespace lanceron
