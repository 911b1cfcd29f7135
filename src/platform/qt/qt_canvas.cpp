#include "platform/qt/qt_canvas.h"

#include <algorithm>

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

// A pen of width 0 or 1 is one device pixel whatever the transformation, as on the
// screen; wider pens are in drawing units. The last pixel of a line is left out, so
// the corners of a polyline drawn in inverting mode are inverted once.
QPen qtPen(const Pen& pen)
{
    QPen q(qtColour(pen.colour));
    q.setCapStyle(Qt::FlatCap);
    q.setJoinStyle(Qt::MiterJoin);
    if (pen.width <= 1) {
        q.setWidth(1);
        q.setCosmetic(true);
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
    painter.setPen(qtPen(pen));
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
    painter.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), qtColour(colour));
}

void QtCanvas::setInvert(bool on)
{
    flush();
    inverting = on;
}

}  // namespace tesvar
