#pragma once

#include <string>
#include <vector>

#include "platform/canvas.h"

namespace tesvar::test {

// Records every drawing primitive with the state it was drawn in, so tests can assert
// exact coordinates, pens, fonts and texts. Text extents are computed from a fixed cell
// (charWidth x font height) so that layouts are predictable.
class RecordingCanvas : public Canvas {
public:
    enum class Kind { Line, Text, Fill };
    struct Op {
        Kind kind = Kind::Line;
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // line from (x0,y0) to (x1,y1); text at (x0,y0)
        std::string text;
        Pen pen;
        Font font;
        bool inverting = false;
        IntRect rect;
        Rgb fill;
    };

    void setPen(const Pen& p) override { pen = p; }
    void setFont(const Font& f) override { font = f; }
    void moveTo(int x, int y) override { cx = x; cy = y; }
    void lineTo(int x, int y) override;
    void textOut(int x, int y, const std::string& text) override;
    TextSize textExtent(const std::string& text) override;
    // Height from the font, average width charWidth, leading externalLeading.
    TextMetrics textMetrics() override { return {font.height, externalLeading, charWidth}; }
    void fillRect(const IntRect& rect, Rgb colour) override;
    void setInvert(bool on) override { inverting = on; }

    std::vector<Op> ops;
    int charWidth = 7;
    int externalLeading = 0;

    std::vector<Op> lines() const;
    std::vector<Op> texts() const;
    int currentX() const { return cx; }
    int currentY() const { return cy; }
    const Font& currentFont() const { return font; }
    const Pen& currentPen() const { return pen; }
    bool invertingNow() const { return inverting; }

private:
    Pen pen;
    Font font;
    bool inverting = false;
    int cx = 0, cy = 0;
};

}  // namespace tesvar::test
