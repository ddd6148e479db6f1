#pragma once

namespace Tarvosk {

// Sizes and remembered places are given in twips; a standard screen has 15 to the pixel.
inline constexpr int twipsPerPixel = 15;

constexpr int pixelsFromTwips(int twips)
{
    return twips / twipsPerPixel;
}

} // namespace Tarvosk
