#include "support/recording_canvas.h"

namespace tesvar::test {

void RecordingCanvas::lineTo(int x, int y)
{
    Op op;
    op.kind = Kind::Line;
    op.x0 = cx;
    op.y0 = cy;
    op.x1 = x;
    op.y1 = y;
    op.pen = pen;
    op.inverting = inverting;
    ops.push_back(op);
    cx = x;
    cy = y;
}

void RecordingCanvas::textOut(int x, int y, const std::string& text)
{
    Op op;
    op.kind = Kind::Text;
    op.x0 = x;
    op.y0 = y;
    op.text = text;
    op.font = font;
    op.inverting = inverting;
    ops.push_back(op);
}

TextSize RecordingCanvas::textExtent(const std::string& text)
{
    return {static_cast<int>(text.size()) * charWidth, font.height};
}

void RecordingCanvas::fillRect(const IntRect& rect, Rgb colour)
{
    Op op;
    op.kind = Kind::Fill;
    op.rect = rect;
    op.fill = colour;
    ops.push_back(op);
}

std::vector<RecordingCanvas::Op> RecordingCanvas::lines() const
{
    std::vector<Op> out;
    for (const auto& op : ops)
        if (op.kind == Kind::Line)
            out.push_back(op);
    return out;
}

std::vector<RecordingCanvas::Op> RecordingCanvas::texts() const
{
    std::vector<Op> out;
    for (const auto& op : ops)
        if (op.kind == Kind::Text)
            out.push_back(op);
    return out;
}

}  // namespace tesvar::test
