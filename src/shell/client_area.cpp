#include "shell/client_area.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace tesvar {

ClientArea::ClientArea(QSize backBufferSize, QWidget* parent)
    : QAbstractScrollArea(parent),
      buffer(backBufferSize.expandedTo(QSize(1, 1)), QImage::Format_RGB32)
{
    buffer.fill(Qt::white);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Every paint covers its whole rectangle from the back buffer, so nothing is erased
    // first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClientArea::paintEvent(QPaintEvent* event)
{
    if (beforePaint)
        beforePaint(buffer);
    QPainter painter(viewport());
    const QRect invalid = event->rect();
    painter.drawImage(invalid.topLeft(), buffer, invalid);
    // A client area larger than the screen it was made for shows white beyond the
    // buffer.
    const QRegion outside = QRegion(invalid) - QRegion(buffer.rect());
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
