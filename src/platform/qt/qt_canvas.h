#pragma once

#include <QFont>
#include <QPoint>
#include <QPolygon>

#include "platform/canvas.h"

class QPainter;

namespace tesvar {

// The Canvas seam over a QPainter, so the same drawing goes to the back buffer, a
// QPicture, an SVG or PDF generator or a printer. Runs of lineTo calls are collected
// into one polyline and drawn when anything else is asked for (or on flush and
// destruction): a long trace is then one aliased polyline.
class QtCanvas : public Canvas {
public:
    explicit QtCanvas(QPainter& painter);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    void setPen(const Pen& pen) override;
    void setFont(const Font& font) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void textOut(int x, int y, const std::string& text) override;
    TextSize textExtent(const std::string& text) override;
    TextMetrics textMetrics() override;
    void fillRect(const IntRect& rect, Rgb colour) override;
    void setInvert(bool on) override;
    double devicePixelRatio() const override;
    void setDevicePixels(bool on) override;

    // Draws the pending polyline now.
    void flush();

    // The Qt font a Font description stands for: pixel size, the metric stand-ins for
    // the families the drawing code names, the weight, and the width as a stretch.
    static QFont qtFont(const Font& font);

private:
    // Within a save/restore of the painter: drawing units as the current mode wants them.
    void placeLines();
    void placeFills();

    QPainter& painter;
    QPolygon pending;  // the current run of lineTo points, starting at the move point
    QPoint current;
    Pen pen;
    QFont font;
    int escapement = 0;
    bool inverting = false;
    bool devicePixels = false;
};

}  // namespace tesvar
