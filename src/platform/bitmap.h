#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tesvar {

// A picture of the window's pixels as the clipboard exchanges it: width x height
// pixels, row by row from the top, each 0xAARRGGBB.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    Bitmap() = default;
    Bitmap(int w, int h, std::uint32_t fill = 0xffffffffu)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill)
    {
    }

    std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t at(int x, int y) const
    {
        return pixels[static_cast<std::size_t>(y) * width + x];
    }
    bool operator==(const Bitmap&) const = default;
};

}  // namespace tesvar
