#include "shell/client_area.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace tesvar {

ClientArea::ClientArea(QSize backBufferSize, QWidget* parent)
    : QAbstractScrollArea(parent), bufferSize(backBufferSize.expandedTo(QSize(1, 1)))
{
    makeBuffer(devicePixelRatioF());
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Every paint covers its whole rectangle from the back buffer, so nothing is erased
    // first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

// The buffer has the screen's device pixels, so that lines and text are as sharp as the
// screen allows; drawing on it is in client pixels all the same.
void ClientArea::makeBuffer(qreal ratio)
{
    buffer = QImage(bufferSize * ratio, QImage::Format_RGB32);
    buffer.setDevicePixelRatio(ratio);
    buffer.fill(Qt::white);
}

void ClientArea::paintEvent(QPaintEvent* event)
{
    // A window moved to a screen of another density draws at that density from now on.
    const qreal ratio = viewport()->devicePixelRatioF();
    if (ratio != buffer.devicePixelRatio())
        makeBuffer(ratio);
    if (beforePaint)
        beforePaint(buffer);
    QPainter painter(viewport());
    const QRect invalid = event->rect();
    // Device pixel for device pixel.
    painter.drawImage(QRectF(invalid), buffer,
                      QRectF(QPointF(invalid.topLeft()) * ratio, QSizeF(invalid.size()) * ratio));
    // A client area larger than the screen it was made for shows white beyond the
    // buffer.
    const QRegion outside = QRegion(invalid) - QRegion(QRect(QPoint(0, 0), bufferSize));
    for (const QRect& r : outside)
        painter.fillRect(r, Qt::white);
}

void ClientArea::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    emit clientResized(viewport()->size());
}

// The wheel over the plot is the mouse tools' (they watch the viewport); it never moves
// the bars by itself.
void ClientArea::wheelEvent(QWheelEvent* event) { event->accept(); }

// Scrolling changes the view fields, and the repaint that follows draws the picture;
// the pixels are never moved.
void ClientArea::scrollContentsBy(int, int) {}

}  // namespace tesvar
