#include "editors/TwoPanes.h"

#include <algorithm>

namespace sarw {

int TwoPanes::width(int column, int charWidth) {
    return std::max(column, 0) * charWidth + kMargin;
}

int TwoPanes::shifted(int width, int charWidth, int direction) {
    return std::max(width + (direction < 0 ? -charWidth : charWidth), kMargin);
}

std::uint32_t TwoPanes::colour(std::uint32_t textRgb) {
    constexpr std::uint32_t blue = 0x0000FF, green = 0x008000;
    return (textRgb & 0xFFFFFF) == blue ? green : blue;
}

} // namespace sarw
