#include "shell/brand_picture.h"

#include <array>
#include <cmath>

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include "shell/shell_resources.h"

namespace tesvar {

namespace {

constexpr const char* kIconResource = ":/tesvar/tesvar.svg";

struct Line {
    double ppm;
    double height;
};

// Ethyl acetate at 60 MHz, where its multiplets spread wide enough to be seen in a small
// picture: the quartet of the CH2 at 4.12 ppm, the acetyl singlet at 2.05 ppm and the
// triplet of the CH3 at 1.26 ppm (J = 7.1 Hz), with heights in the ratio of their
// protons spread over the multiplet lines.
std::array<Line, 8> ethylAcetateLines()
{
    constexpr double j = 7.1 / 60.0;
    return {{{4.12 - 1.5 * j, 2.0 / 8}, {4.12 - 0.5 * j, 6.0 / 8}, {4.12 + 0.5 * j, 6.0 / 8},
             {4.12 + 1.5 * j, 2.0 / 8}, {2.05, 3.0}, {1.26 - j, 3.0 / 4}, {1.26, 6.0 / 4},
             {1.26 + j, 3.0 / 4}}};
}

// The Lorentzian spectrum at `ppm`, half width 0.012 ppm, scaled to a singlet of 1.
double spectrumAt(double ppm)
{
    constexpr double w = 0.012;
    double sum = 0.0;
    for (const Line& line : ethylAcetateLines())
        sum += line.height * w * w / ((ppm - line.ppm) * (ppm - line.ppm) + w * w);
    return sum / 3.0;
}

void drawSpectrum(QPainter& painter, const QRectF& area)
{
    constexpr double leftPpm = 5.0;
    constexpr double rightPpm = 0.5;
    const double baseY = area.bottom() - 14;
    const auto xOf = [&](double ppm) {
        return area.left() + (leftPpm - ppm) / (leftPpm - rightPpm) * area.width();
    };

    painter.setPen(QPen(QColor(255, 0, 0), 1));
    painter.drawLine(QPointF(area.left(), baseY + 2), QPointF(area.right(), baseY + 2));
    QFont small = painter.font();
    small.setPixelSize(10);
    painter.setFont(small);
    for (int ppm = 1; ppm <= 5; ++ppm) {
        const double x = xOf(ppm);
        painter.drawLine(QPointF(x, baseY + 2), QPointF(x, baseY + 6));
        painter.drawText(QRectF(x - 10, baseY + 5, 20, 12), Qt::AlignCenter, QString::number(ppm));
    }

    // Enough samples to resolve lines a few thousandths of a ppm wide.
    QPainterPath trace;
    const int samples = static_cast<int>(area.width() * 20);
    for (int i = 0; i <= samples; ++i) {
        const double ppm = leftPpm - (leftPpm - rightPpm) * i / samples;
        const QPointF p(xOf(ppm), baseY - spectrumAt(ppm) * (area.height() - 24));
        if (i == 0)
            trace.moveTo(p);
        else
            trace.lineTo(p);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 255), 1));
    painter.drawPath(trace);
}

}  // namespace

QPixmap iconPixmap(int size, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    ensureShellResources();
    QSvgRenderer renderer(QString::fromLatin1(kIconResource));
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(0, 0, size, size));
    return pixmap;
}

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(iconPixmap(size));
    return icon;
}

QPixmap brandPicture(QSize size)
{
    const qreal ratio = qApp->devicePixelRatio();
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    const int iconSize = std::min(size.height() / 2, 96);
    painter.drawPixmap(12, 12, iconPixmap(iconSize, ratio));

    QFont title = painter.font();
    title.setPixelSize(iconSize / 2);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(0x1d, 0x3f, 0x73));
    const QRect titleBox(24 + iconSize, 12, size.width() - 36 - iconSize, iconSize * 2 / 3);
    painter.drawText(titleBox, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Tesvar"));
    QFont subtitle = title;
    subtitle.setBold(false);
    subtitle.setPixelSize(std::max(10, iconSize / 6));
    painter.setFont(subtitle);
    painter.drawText(QRect(titleBox.left(), titleBox.bottom(), titleBox.width(), iconSize / 3),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("NMR spectra in one dimension"));

    drawSpectrum(painter, QRectF(12, 24 + iconSize, size.width() - 24,
                                 size.height() - 36 - iconSize));
    return pixmap;
}

}  // namespace tesvar
