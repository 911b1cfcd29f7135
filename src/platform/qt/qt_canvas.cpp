#include "platform/qt/qt_canvas.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>

namespace tesvar {

namespace {

QColor qtColour(Rgb c) { return QColor(c.r, c.g, c.b); }

QString familyFor(const std::string& family)
{
    if (family == "Arial")
        return QStringLiteral("Liberation Sans");
    if (family == "Courier" || family == "Courier New")
        return QStringLiteral("Liberation Mono");
    if (family == "Times New Roman")
        return QStringLiteral("Liberation Serif");
    return QString::fromStdString(family);
}

// A pen of width 0 or 1 covers one unit of a screen (`pixels` device pixels) whatever
// the transformation; wider pens are in drawing units. The last pixel of a line is left
// out, so the corners of a polyline drawn in inverting mode are inverted once.
QPen qtPen(const Pen& pen, int pixels)
{
    QPen q(qtColour(pen.colour));
    q.setCapStyle(Qt::FlatCap);
    q.setJoinStyle(Qt::MiterJoin);
    if (pen.width <= 1) {
        q.setWidth(pixels);
        q.setCosmetic(true);
        // A sharp turn of a trace makes no spike beyond the line's width.
        q.setJoinStyle(Qt::BevelJoin);
    } else {
        q.setWidth(pen.width);
    }
    return q;
}

}  // namespace

QtCanvas::QtCanvas(QPainter& p) : painter(p)
{
    font = qtFont(Font{});
}

QtCanvas::~QtCanvas() { flush(); }

QFont QtCanvas::qtFont(const Font& f)
{
    QFont q(familyFor(f.family));
    q.setPixelSize(std::max(1, f.height));
    q.setWeight(f.weight <= 0 ? QFont::Normal
                              : static_cast<QFont::Weight>(std::clamp(f.weight, 1, 1000)));
    q.setStyleStrategy(QFont::PreferMatch);
    if (f.width > 0) {
        const int natural = QFontMetrics(q).averageCharWidth();
        if (natural > 0)
            q.setStretch(std::clamp(100 * f.width / natural, 1, 4000));
    }
    return q;
}

void QtCanvas::flush()
{
    if (pending.size() < 2) {
        pending.clear();
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    placeLines();
    painter.setBrush(Qt::NoBrush);
    if (inverting && painter.paintEngine() &&
        painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes))
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.drawPolyline(pending);
    painter.restore();
    pending.clear();
}

void QtCanvas::setPen(const Pen& p)
{
    flush();
    pen = p;
}

void QtCanvas::setFont(const Font& f)
{
    flush();
    font = qtFont(f);
    escapement = f.escapement;
}

void QtCanvas::moveTo(int x, int y)
{
    flush();
    current = QPoint(x, y);
}

void QtCanvas::lineTo(int x, int y)
{
    if (pending.isEmpty())
        pending << current;
    current = QPoint(x, y);
    pending << current;
}

// The text's cell has its top-left corner at (x, y) and, with an escapement, turns
// about that corner: 900 runs the text upwards.
void QtCanvas::textOut(int x, int y, const std::string& text)
{
    flush();
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    painter.translate(x, y);
    if (escapement != 0)
        painter.rotate(-escapement / 10.0);
    const QFontMetrics metrics(font, painter.device());
    painter.drawText(QPoint(0, metrics.ascent()), QString::fromStdString(text));
    painter.restore();
}

TextSize QtCanvas::textExtent(const std::string& text)
{
    flush();
    const QFontMetrics metrics(font, painter.device());
    return {metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
}

TextMetrics QtCanvas::textMetrics()
{
    flush();
    const QFontMetrics metrics(font, painter.device());
    return {metrics.height(), std::max(0, metrics.leading()), metrics.averageCharWidth()};
}

void QtCanvas::fillRect(const IntRect& r, Rgb colour)
{
    flush();
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    painter.save();
    placeFills();
    painter.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), qtColour(colour));
    painter.restore();
}

double QtCanvas::devicePixelRatio() const
{
    const QPaintDevice* device = painter.device();
    return device ? device->devicePixelRatioF() : 1.0;
}

void QtCanvas::setDevicePixels(bool on)
{
    flush();
    devicePixels = on;
}

void QtCanvas::placeFills()
{
    const double ratio = devicePixelRatio();
    if (devicePixels && ratio != 1.0)
        painter.scale(1.0 / ratio, 1.0 / ratio);
}

// In units on a dense screen the pen is as wide as a unit, and moved so that it covers
// the unit's device pixels: the line at y = 3 covers rows 6 and 7 at 200%. An aliased
// line w pixels wide at device position c covers the pixels whose centres lie in
// (c - w / 2, c + w / 2].
void QtCanvas::placeLines()
{
    const double ratio = devicePixelRatio();
    if (ratio == 1.0) {
        painter.setPen(qtPen(pen, 1));
        return;
    }
    // A line keeps its weight, round(ratio) device pixels, and is shifted to cover the
    // device rows and columns from its position on: at 200% a line at y = 3 covers rows 6
    // and 7, and a line placed in device pixels at y = 7 covers rows 7 and 8.
    const int width = std::max(1, static_cast<int>(std::lround(ratio)));
    placeFills();
    const double shift = (width / 2.0 - 0.25) / (devicePixels ? 1.0 : ratio);
    painter.translate(shift, shift);
    painter.setPen(qtPen(pen, width));
}

void QtCanvas::setInvert(bool on)
{
    flush();
    inverting = on;
}

}  // namespace tesvar
