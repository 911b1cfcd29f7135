#include "shell/toolbar_icons.h"

#include <cmath>

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

namespace tesvar {

namespace {

const QColor kInk(0, 0, 0);
const QColor kTrace(0, 0, 160);
const QColor kAccent(192, 0, 0);

void arrowHead(QPainter& p, QPointF tip, double dx, double dy)
{
    // A small filled triangle pointing along (dx, dy).
    const QPointF side(-dy * 3.0, dx * 3.0);
    const QPointF back = tip - QPointF(dx * 4.0, dy * 4.0);
    const QPointF pts[3] = {tip, back + side, back - side};
    p.setBrush(p.pen().color());
    p.drawPolygon(pts, 3);
    p.setBrush(Qt::NoBrush);
}

void openFolder(QPainter& p)
{
    p.setPen(QPen(QColor(120, 90, 0), 1));
    p.setBrush(QColor(240, 200, 60));
    const QPointF back[6] = {{3, 5}, {9, 5}, {11, 7}, {19, 7}, {19, 18}, {3, 18}};
    p.drawPolygon(back, 6);
    p.setBrush(QColor(255, 228, 120));
    const QPointF front[4] = {{3, 18}, {7, 10}, {23, 10}, {19, 18}};
    p.drawPolygon(front, 4);
}

void disk(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(40, 60, 140));
    p.drawRect(QRectF(5, 3, 15, 16));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(8, 3, 9, 5));
    p.setBrush(QColor(30, 30, 30));
    p.drawRect(QRectF(14, 4, 2, 3));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 11, 9, 8));
}

void magnifier(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1.6));
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(QPointF(10.5, 9), 5.5, 5.5);
    p.setPen(QPen(QColor(90, 60, 20), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14.5, 13), QPointF(20, 18.5));
}

void verticalArrows(QPainter& p)
{
    p.setPen(QPen(kTrace, 1.4));
    p.drawLine(QPointF(12.5, 3), QPointF(12.5, 19));
    arrowHead(p, QPointF(12.5, 2), 0, -1);
    arrowHead(p, QPointF(12.5, 20), 0, 1);
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(4, 11), QPointF(9, 11));
    p.drawLine(QPointF(16, 11), QPointF(21, 11));
}

void plusSign(QPainter& p)
{
    p.fillRect(QRectF(6, 9.5, 13, 3), kInk);
    p.fillRect(QRectF(11, 4.5, 3, 13), kInk);
}

void minusSign(QPainter& p) { p.fillRect(QRectF(6, 9.5, 13, 3), kInk); }

void fullWidth(QPainter& p)
{
    p.setPen(QPen(kInk, 1.4));
    p.drawLine(QPointF(3, 5), QPointF(3, 17));
    p.drawLine(QPointF(22, 5), QPointF(22, 17));
    p.drawLine(QPointF(6, 11), QPointF(19, 11));
    arrowHead(p, QPointF(5, 11), -1, 0);
    arrowHead(p, QPointF(20, 11), 1, 0);
}

void windowCurve(QPainter& p)
{
    p.setPen(QPen(QColor(150, 150, 150), 1));
    QPainterPath fid;
    for (int x = 3; x <= 22; ++x) {
        const double t = (x - 3) / 19.0;
        const double y = 12 - 8 * std::exp(-2.5 * t) * std::cos(t * 18.0);
        x == 3 ? fid.moveTo(x, y) : fid.lineTo(x, y);
    }
    p.drawPath(fid);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kAccent, 1.5));
    QPainterPath window;
    for (int x = 3; x <= 22; ++x) {
        const double y = 19 - 15 * std::exp(-3.0 * (x - 3) / 19.0);
        x == 3 ? window.moveTo(x, y) : window.lineTo(x, y);
    }
    p.drawPath(window);
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(3, 19.5), QPointF(22, 19.5));
}

void fourierLetters(QPainter& p)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(14);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kTrace);
    p.drawText(QRect(0, 0, kToolbarImageWidth, kToolbarImageHeight), Qt::AlignCenter,
               QStringLiteral("FT"));
}

void phaseWheel(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(12.5, 11);
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(230, 230, 230));
    p.drawEllipse(c, 7.5, 7.5);
    p.setBrush(Qt::NoBrush);
    for (int k = 0; k < 6; ++k) {
        const double a = k * M_PI / 3.0;
        p.drawLine(c, c + QPointF(7.5 * std::cos(a), 7.5 * std::sin(a)));
    }
    p.setPen(QPen(kAccent, 1.5));
    p.drawArc(QRectF(c.x() - 10, c.y() - 10, 20, 20), 30 * 16, 120 * 16);
    arrowHead(p, QPointF(c.x() - 8.7, c.y() - 5.0), -0.5, 0.87);
}

// The phase wheel with an "A" beside it.
void automaticPhase(QPainter& p)
{
    p.save();
    p.translate(-3, 0);
    phaseWheel(p);
    p.restore();
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kAccent);
    p.drawText(QRect(15, 10, 10, 12), Qt::AlignCenter, QStringLiteral("A"));
}

void baseline(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kTrace, 1.2));
    QPainterPath trace;
    for (int x = 2; x <= 23; ++x) {
        const double drift = 6.0 * (x - 2) / 21.0;
        const double peak = 9.0 * std::exp(-std::pow((x - 12.0) / 1.6, 2));
        const double y = 13 - drift - peak;
        x == 2 ? trace.moveTo(x, y) : trace.lineTo(x, y);
    }
    p.drawPath(trace);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(kAccent, 1, Qt::DashLine));
    p.drawLine(QPointF(2, 13), QPointF(23, 7));
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(2, 19), QPointF(23, 19));
}

void peakShape(QPainter& p, double centre)
{
    QPainterPath path;
    for (int x = 2; x <= 23; ++x) {
        const double y = 19 - 13.0 / (1.0 + std::pow((x - centre) / 1.8, 2));
        x == 2 ? path.moveTo(x, y) : path.lineTo(x, y);
    }
    p.drawPath(path);
}

void referenceMark(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kTrace, 1.2));
    peakShape(p, 8.0);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(kAccent, 1));
    p.drawLine(QPointF(8, 1), QPointF(8, 20));
    arrowHead(p, QPointF(8, 20.5), 0, 1);
    p.setPen(QPen(kInk, 1));
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(12, 1, 12, 10), Qt::AlignCenter, QStringLiteral("0"));
}

void peakPick(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kTrace, 1.2));
    peakShape(p, 12.5);
    p.setPen(QPen(kAccent, 1.2));
    p.drawLine(QPointF(12.5, 0.5), QPointF(12.5, 3.5));
    arrowHead(p, QPointF(12.5, 5.0), 0, 1);
}

void integralSign(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1.8, Qt::SolidLine, Qt::RoundCap));
    QPainterPath s;
    s.moveTo(17, 4);
    s.cubicTo(15, 0.5, 12.5, 2.5, 12.5, 6);
    s.lineTo(12.5, 16);
    s.cubicTo(12.5, 19.5, 10, 21.5, 8, 18);
    p.drawPath(s);
}

}  // namespace

QPixmap toolbarImage(int index)
{
    // Drawn with the screen's device pixels, so that the figures are sharp at any scale.
    const qreal ratio = QGuiApplication::instance() ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(kToolbarImageWidth, kToolbarImageHeight) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    using Draw = void (*)(QPainter&);
    static constexpr Draw kDraw[kToolbarImageCount] = {
        openFolder, disk,      magnifier,  verticalArrows, plusSign,      minusSign, fullWidth,
        windowCurve, fourierLetters, phaseWheel, baseline, referenceMark, peakPick, integralSign,
        automaticPhase};
    if (index < 0 || index >= kToolbarImageCount)
        return pixmap;
    QPainter painter(&pixmap);
    kDraw[index](painter);
    return pixmap;
}

}  // namespace tesvar
