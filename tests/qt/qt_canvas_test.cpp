#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "platform/qt/qt_canvas.h"

namespace tesvar {
namespace {

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kBlack = 0xff000000;

QImage whiteImage(int w = 120, int h = 80)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Draws on the image through a canvas that is flushed and ended before it returns.
template <class F>
void drawOn(QImage& image, F draw)
{
    QPainter painter(&image);
    QtCanvas canvas(painter);
    draw(canvas);
}

// The bounding box of the pixels that are not white.
QRect inkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kWhite)
                box |= QRect(x, y, 1, 1);
    return box;
}

int inkCount(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) != kWhite;
    return n;
}

TEST(QtCanvas, LinesSetThePixelsOfThePenColourOnePixelWide)
{
    QImage image = whiteImage();
    drawOn(image, [&](QtCanvas& canvas) {
        canvas.setPen({{255, 0, 0}, 1});
        canvas.moveTo(10, 20);
        canvas.lineTo(60, 20);  // a run of lines: one polyline
        canvas.lineTo(60, 50);
    });
    EXPECT_EQ(image.pixel(10, 20), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(35, 20), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(60, 35), qRgb(255, 0, 0));
    // One pixel wide, aliased: the neighbours stay white.
    EXPECT_EQ(image.pixel(35, 19), kWhite);
    EXPECT_EQ(image.pixel(35, 21), kWhite);
    EXPECT_EQ(image.pixel(59, 35), kWhite);
    EXPECT_EQ(image.pixel(61, 35), kWhite);
    // Nothing before the move point; as on the screen, the last point of a run is left
    // for the next line to draw.
    EXPECT_EQ(inkBox(image), QRect(QPoint(10, 20), QPoint(60, 49)));
}

TEST(QtCanvas, MoveToStartsANewRunAndPenChangesApplyToLaterLines)
{
    QImage image = whiteImage();
    drawOn(image, [&](QtCanvas& canvas) {
        canvas.setPen({{0, 0, 255}, 1});
        canvas.moveTo(5, 5);
        canvas.lineTo(30, 5);
        canvas.moveTo(5, 40);  // no line joins (30,5) to (5,40)
        canvas.setPen({{0, 128, 0}, 1});
        canvas.lineTo(30, 40);
    });
    EXPECT_EQ(image.pixel(15, 5), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(15, 40), qRgb(0, 128, 0));
    EXPECT_EQ(image.pixel(18, 22), kWhite);
}

TEST(QtCanvas, InvertingLinesDrawnTwiceRestoreTheImage)
{
    QImage image = whiteImage();
    drawOn(image, [&](QtCanvas& canvas) {
        canvas.setPen({{255, 0, 0}, 1});
        canvas.moveTo(0, 30);
        canvas.lineTo(119, 30);  // a red line under the rubber band
    });
    const QImage before = image;
    QPainter painter(&image);
    QtCanvas canvas(painter);
    canvas.setInvert(true);
    const auto band = [&] {
        canvas.moveTo(20, 10);
        canvas.lineTo(90, 10);
        canvas.lineTo(90, 60);
        canvas.lineTo(20, 60);
        canvas.lineTo(20, 10);
        canvas.flush();
    };
    band();
    // White becomes black whatever the pen, the red line becomes its complement, and
    // every corner of the closed rectangle is inverted exactly once.
    EXPECT_EQ(image.pixel(50, 10), kBlack);
    EXPECT_EQ(image.pixel(90, 30), qRgb(0, 255, 255));
    for (QPoint corner : {QPoint(20, 10), QPoint(90, 10), QPoint(90, 60), QPoint(20, 60)})
        EXPECT_EQ(image.pixel(corner), kBlack) << corner.x() << "," << corner.y();
    band();
    EXPECT_EQ(image, before);
}

TEST(QtCanvas, LinesAreDrawnBeforeALaterTextOrFill)
{
    QImage image = whiteImage();
    drawOn(image, [&](QtCanvas& canvas) {
        canvas.setPen({{0, 0, 0}, 1});
        canvas.moveTo(0, 10);
        canvas.lineTo(119, 10);
        canvas.fillRect({40, 0, 80, 20}, {255, 255, 255});
        canvas.moveTo(0, 60);
        canvas.lineTo(119, 60);
        canvas.setFont({"Arial", 16, 0, 400, 0});
        canvas.textOut(40, 52, "    ");
    });
    // The fill and the text's white background cover the earlier lines.
    EXPECT_EQ(image.pixel(60, 10), kWhite);
    EXPECT_EQ(image.pixel(20, 10), kBlack);
    EXPECT_EQ(image.pixel(20, 60), kBlack);
    EXPECT_EQ(image.pixel(42, 60), kWhite);  // inside the cell of the blanks
}

TEST(QtCanvas, FillRectCoversLeftAndTopButNotRightAndBottom)
{
    QImage image = whiteImage();
    drawOn(image, [&](QtCanvas& canvas) {
        canvas.fillRect({10, 20, 30, 25}, {10, 20, 30});
        canvas.fillRect({50, 50, 50, 60}, {0, 0, 0});  // empty: nothing
    });
    EXPECT_EQ(inkBox(image), QRect(QPoint(10, 20), QPoint(29, 24)));
    EXPECT_EQ(image.pixel(10, 20), qRgb(10, 20, 30));
}

TEST(QtCanvas, FontsArePixelSizedMetricStandIns)
{
    const QFont arial = QtCanvas::qtFont({"Arial", 12, 0, 600, 900});
    EXPECT_EQ(arial.pixelSize(), 12);
    EXPECT_EQ(arial.weight(), QFont::DemiBold);
    EXPECT_EQ(QFontInfo(arial).family(), "Liberation Sans");
    const QFont courier = QtCanvas::qtFont({"Courier", 16, 16, 600, 0});
    EXPECT_EQ(QFontInfo(courier).family(), "Liberation Mono");
    EXPECT_EQ(courier.pixelSize(), 16);
    // A width asks for that average character width: wider than the natural face.
    QImage image = whiteImage();
    QPainter painter(&image);
    QtCanvas canvas(painter);
    canvas.setFont({"Courier", 16, 0, 600, 0});
    const int natural = canvas.textExtent("0123456789").width;
    canvas.setFont({"Courier", 16, 16, 600, 0});
    const int wide = canvas.textExtent("0123456789").width;
    EXPECT_NEAR(wide, 160, 16);
    EXPECT_GT(wide, natural);
    const TextMetrics metrics = canvas.textMetrics();
    EXPECT_NEAR(metrics.averageCharWidth, 16, 2);
    EXPECT_EQ(metrics.height, canvas.textExtent("0").height);
    EXPECT_GE(metrics.height, 16);
}

TEST(QtCanvas, TextIsBlackOnWhiteAndItsExtentMatchesWhatIsDrawn)
{
    QImage image = whiteImage(200, 60);
    image.fill(qRgb(200, 200, 255));  // a coloured ground shows the opaque background
    TextSize extent;
    drawOn(image, [&](QtCanvas& canvas) {
        canvas.setFont({"Arial", 20, 0, 400, 0});
        extent = canvas.textExtent("Tesvar 1.0");
        canvas.textOut(10, 5, "Tesvar 1.0");
    });
    EXPECT_GT(extent.width, 40);
    EXPECT_GE(extent.height, 20);
    EXPECT_LE(extent.height, 30);
    bool black = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const bool inCell = x >= 10 && x < 10 + extent.width && y >= 5 && y < 5 + extent.height;
            if (!inCell) {
                ASSERT_EQ(p, qRgb(200, 200, 255)) << x << "," << y;
            }
            black |= p == kBlack;
        }
    EXPECT_TRUE(black);
    EXPECT_EQ(image.pixel(10, 5), kWhite);  // the cell's corner is background
}

TEST(QtCanvas, EscapementNineHundredRunsTextUpwardsFromThePoint)
{
    QImage image = whiteImage(80, 200);
    TextSize extent;
    drawOn(image, [&](QtCanvas& canvas) {
        canvas.setFont({"Arial", 12, 0, 600, 900});
        extent = canvas.textExtent("Integral 12.5");
        canvas.textOut(30, 180, "Integral 12.5");
    });
    const QRect box = inkBox(image);
    ASSERT_FALSE(box.isEmpty());
    // The cell turns about (30, 180): it lies right of x = 30 and above y = 180, tall and
    // narrow.
    EXPECT_GE(box.left(), 30);
    EXPECT_LE(box.right(), 30 + extent.height);
    EXPECT_LE(box.bottom(), 180);
    EXPECT_GE(box.top(), 180 - extent.width - 1);
    EXPECT_GT(box.height(), 3 * box.width());
}

// The first and last device pixel of the colour down column x (across: along row x).
std::pair<int, int> extent(const QImage& image, int x, QRgb colour, bool across = false)
{
    std::pair<int, int> e{-1, -1};
    for (int i = 0; i < (across ? image.width() : image.height()); ++i)
        if ((across ? image.pixel(i, x) : image.pixel(x, i)) == colour)
            e = {e.first < 0 ? i : e.first, i};
    return e;
}

// On a dense surface a line of width 1 covers its unit's device pixels, a fill its
// units', and a line placed in device pixels keeps its weight of round(ratio) device
// pixels from its position on.
TEST(QtCanvas, DenseSurfacesKeepTheGeometryInUnits)
{
    for (double r : {1.0, 1.5, 2.0, 3.0}) {
        SCOPED_TRACE(r);
        QImage image(QSize(120, 80) * r, QImage::Format_RGB32);
        image.setDevicePixelRatio(r);
        image.fill(Qt::white);
        drawOn(image, [&](QtCanvas& canvas) {
            EXPECT_EQ(canvas.devicePixelRatio(), r);
            canvas.setPen({{255, 0, 0}, 1});
            canvas.moveTo(10, 20);
            canvas.lineTo(60, 20);
            canvas.lineTo(60, 50);
            canvas.fillRect({70, 30, 80, 40}, {0, 0, 255});
            canvas.setDevicePixels(true);
            canvas.moveTo(0, 75);
            canvas.lineTo(30, 75);
        });
        const auto unit = [r](int u) { return std::pair{int(u * r), int(std::ceil(u * r + r)) - 1}; };
        EXPECT_EQ(extent(image, int(35 * r), qRgb(255, 0, 0)), unit(20));
        EXPECT_EQ(extent(image, int(35 * r), qRgb(255, 0, 0), true), unit(60));
        EXPECT_EQ(extent(image, 5, qRgb(255, 0, 0)), std::pair(75, 75 + int(std::lround(r)) - 1));
        EXPECT_EQ(extent(image, int(75 * r), qRgb(0, 0, 255)), std::pair(int(30 * r), int(40 * r) - 1));
    }
}

TEST(QtCanvas, ALongTraceIsDrawnAsOneRunAndWorksOnAPicture)
{
    QPicture picture;
    {
        QPainter painter(&picture);
        QtCanvas canvas(painter);
        canvas.setPen({{0, 0, 0}, 1});
        canvas.moveTo(0, 100);
        for (int i = 1; i < 65536; ++i)
            canvas.lineTo(i / 64, 100 + (i % 2 ? 50 : -50));
        canvas.setInvert(true);  // no raster operations here: drawn plainly
        canvas.moveTo(0, 0);
        canvas.lineTo(100, 0);
    }
    QImage image = whiteImage(1100, 220);
    QPainter painter(&image);
    painter.drawPicture(0, 0, picture);
    painter.end();
    EXPECT_GT(inkCount(image), 1000);
    EXPECT_EQ(image.pixel(50, 0), kBlack);
}

}  // namespace
}  // namespace tesvar
