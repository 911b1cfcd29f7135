#pragma once

#include <functional>

#include <QAbstractScrollArea>
#include <QImage>

namespace tesvar {

// The main window's client area: a viewport between the two window scroll bars, whose
// coordinates are the client coordinates of the plot. Every picture is drawn into the
// back buffer, made once at the full-screen size in client pixels, with the screen's
// device pixels (twice as many each way at 200%); painting copies the invalid part of
// it to the viewport.
class ClientArea : public QAbstractScrollArea {
    Q_OBJECT
public:
    ClientArea(QSize backBufferSize, QWidget* parent);

    QImage& backBuffer() { return buffer; }

    // Called at the start of each paint, before the copy: the place where the plot is
    // drawn into the back buffer.
    std::function<void(QImage& backBuffer)> beforePaint;

signals:
    void clientResized(QSize size);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void makeBuffer(qreal devicePixelRatio);

    QSize bufferSize;  // client pixels
    QImage buffer;
};

}  // namespace tesvar
