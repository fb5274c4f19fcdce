#pragma once

// Window positions are given in twips (1/1440 inch); at the standard 96 dots per inch of a
// desktop screen, 15 twips make one pixel.
namespace Twips {
constexpr int PerPixel = 15;
constexpr int toPixels(int twips)
{
    return (twips + PerPixel / 2) / PerPixel; // rounded
}
} // namespace Twips
