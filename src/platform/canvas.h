#pragma once

#include <cstdint>
#include <string>

namespace tesvar {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

struct Pen {
    Rgb colour;
    int width = 1;
    bool operator==(const Pen&) const = default;
};

// A font as the drawing code asks for it: family, height (and optional width) in
// pixels, weight (400 normal, 700 bold) and escapement in tenths of a degree
// (900 runs the text upwards).
struct Font {
    std::string family = "Arial";
    int height = 12;
    int width = 0;  // 0: the family's natural width
    int weight = 400;
    int escapement = 0;
    bool operator==(const Font&) const = default;
};

struct TextSize {
    int width = 0;
    int height = 0;
    bool operator==(const TextSize&) const = default;
};

// Metrics of the selected font: character height (without the external leading), the
// external leading and the average character width, in drawing units.
struct TextMetrics {
    int height = 0;
    int externalLeading = 0;
    int averageCharWidth = 0;
    bool operator==(const TextMetrics&) const = default;
};

struct IntRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const IntRect&) const = default;
};

// A drawing surface in the manner of a device context: a current position, a selected
// pen and font, lines, text on an opaque white background and an inverting mode in
// which drawing a line twice leaves the surface as it was.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void setPen(const Pen& pen) = 0;
    virtual void setFont(const Font& font) = 0;
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;  // draws to (x, y), which becomes current
    virtual void textOut(int x, int y, const std::string& text) = 0;
    virtual TextSize textExtent(const std::string& text) = 0;
    // Surfaces that know their fonts' real metrics override this; the default takes
    // them from the extent of one lower-case letter.
    virtual TextMetrics textMetrics()
    {
        const TextSize x = textExtent("x");
        return {x.height, 0, x.width};
    }
    virtual void fillRect(const IntRect& rect, Rgb colour) = 0;
    // While on, lines invert the pixels they cover instead of painting the pen colour.
    virtual void setInvert(bool on) = 0;

    // Device pixels per drawing unit: 2 on a screen at 200%, 1.5 at 150%. Drawing is in
    // units, and a pen of width 1 covers one unit, so the picture keeps its geometry
    // whatever the screen's density.
    virtual double devicePixelRatio() const { return 1.0; }
    // While on, the positions of lines and fills are device pixels, for a drawing that
    // uses every device column and row (a dense trace); a pen keeps its weight of
    // round(ratio) device pixels, and text stays in units. A surface of ratio 1 draws the
    // same either way.
    virtual void setDevicePixels(bool on) { (void)on; }
};

}  // namespace tesvar
