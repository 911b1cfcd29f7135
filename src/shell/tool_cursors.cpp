#include "shell/tool_cursors.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tesvar {

namespace {

constexpr int kSize = 32;

// Each figure is drawn twice, wide in white and then thin in black, so that it shows
// on the white plot and on the blue and red lines alike.
template <class Draw>
QPixmap outlined(Draw draw)
{
    // Drawn with the screen's device pixels: the cursor keeps its size and is sharp.
    const qreal ratio = QGuiApplication::instance() ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(kSize, kSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    draw(painter);
    painter.setPen(QPen(Qt::black, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    draw(painter);
    return pixmap;
}

void crossHair(QPainter& p, QPointF c, double arm)
{
    p.drawLine(QPointF(c.x() - arm, c.y()), QPointF(c.x() + arm, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - arm), QPointF(c.x(), c.y() + arm));
}

}  // namespace

QCursor toolCursor(ToolCursor cursor)
{
    switch (cursor) {
    case ToolCursor::Zoom:
        return QCursor(outlined([](QPainter& p) {
                           p.drawEllipse(QPointF(12, 12), 8, 8);
                           p.drawLine(QPointF(18, 18), QPointF(28, 28));
                           p.drawLine(QPointF(8, 12), QPointF(16, 12));
                           p.drawLine(QPointF(12, 8), QPointF(12, 16));
                       }),
                       12, 12);
    case ToolCursor::Reference:
        return QCursor(outlined([](QPainter& p) {
                           crossHair(p, {10, 10}, 9);
                           QPainterPath r;
                           r.moveTo(18, 30);
                           r.lineTo(18, 19);
                           r.lineTo(24, 19);
                           r.cubicTo(28, 19, 28, 25, 24, 25);
                           r.lineTo(18, 25);
                           r.moveTo(23, 25);
                           r.lineTo(28, 30);
                           p.drawPath(r);
                       }),
                       10, 10);
    case ToolCursor::MoveSpectrum:
        return QCursor(outlined([](QPainter& p) {
                           p.drawLine(QPointF(16, 3), QPointF(16, 29));
                           p.drawPolyline(QPolygonF({{10, 9}, {16, 3}, {22, 9}}));
                           p.drawPolyline(QPolygonF({{10, 23}, {16, 29}, {22, 23}}));
                           p.drawLine(QPointF(8, 16), QPointF(24, 16));
                       }),
                       16, 16);
    case ToolCursor::Integrate:
        return QCursor(outlined([](QPainter& p) {
                           crossHair(p, {8, 8}, 7);
                           QPainterPath sign;
                           sign.moveTo(26, 11);
                           sign.cubicTo(24, 7, 20, 9, 20, 14);
                           sign.lineTo(19, 26);
                           sign.cubicTo(19, 31, 15, 31, 13, 28);
                           p.drawPath(sign);
                       }),
                       8, 8);
    case ToolCursor::PeakPicking:
        return QCursor(outlined([](QPainter& p) {
                           crossHair(p, {8, 8}, 7);
                           p.drawPolyline(QPolygonF(
                               {{12, 29}, {17, 28}, {20, 24}, {22, 12}, {24, 24}, {27, 28}, {31, 29}}));
                       }),
                       8, 8);
    }
    return QCursor(Qt::ArrowCursor);
}

}  // namespace tesvar
