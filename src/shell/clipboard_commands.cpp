#include "shell/clipboard_commands.h"

#include <utility>

#include <QPainter>
#include <QPixmap>

#include "platform/command_ids.h"
#include "platform/qt/qt_bitmap.h"
#include "shell/client_area.h"
#include "shell/main_window.h"
#include "shell/plot_output.h"

namespace tesvar {

namespace {

// The main window's client area as the clipboard exchange sees it.
class QtClipboardWindow : public ClipboardWindow {
public:
    explicit QtClipboardWindow(MainWindow& w) : window(w) {}

    // Pictures are exchanged in the screen's device pixels, so that a copy is as sharp as
    // the window and pastes back at the size it was copied at.
    int clientWidth() const override { return devicePixels(viewport()->width()); }
    int clientHeight() const override { return devicePixels(viewport()->height()); }

    // What the window shows: the back buffer as last presented, with the tool bar and
    // status bar over it. The plot is not redrawn first, so a pasted picture or other
    // drawing on the window is copied as it is seen.
    std::optional<Bitmap> windowPixels(int left, int top, int width, int height) override
    {
        ClientArea& client = window.clientArea();
        auto redraw = std::exchange(client.beforePaint, nullptr);
        const QPixmap grabbed = client.viewport()->grab(QRect(left, top, width, height));
        client.beforePaint = std::move(redraw);
        // A box wholly outside the client area grabs nothing.
        if (grabbed.isNull())
            return std::nullopt;
        return toBitmap(grabbed.toImage());
    }

    void drawPicture(const Bitmap& picture, int width, int height) override
    {
        const QImage image = toQImage(picture);
        {
            QPainter painter(&window.backBuffer());
            const qreal ratio = viewport()->devicePixelRatioF();
            painter.drawImage(QRectF(0, 0, width / ratio, height / ratio), image);
        }
        // Shown at once, and gone at the next repaint, which redraws the plot.
        drawOnWindow(window, [](Canvas&) {});
    }

private:
    QWidget* viewport() const { return window.clientArea().viewport(); }
    int devicePixels(int clientPixels) const
    {
        return static_cast<int>(clientPixels * viewport()->devicePixelRatioF());
    }

    MainWindow& window;
};

}  // namespace

void copyRegionToClipboard(MainWindow& window, const DragCorners& drag)
{
    QtClipboardWindow pixels(window);
    copyRegionToClipboard(window.ui(), pixels, drag);
}

void pasteClipboardImage(MainWindow& window)
{
    QtClipboardWindow pixels(window);
    pasteClipboardImage(window.ui(), pixels);
}

void connectClipboardCommands(MainWindow& window)
{
    const auto arm = [&window] { copyCommand(window.document(), window.ui(), window); };
    window.connectCommand(cmd::Copy, arm);
    window.connectCommand(cmd::CopyAlt, arm);
    window.connectCommand(cmd::Paste, [&window] {
        QtClipboardWindow pixels(window);
        pasteCommand(window.document(), window.ui(), window, pixels);
    });
}

}  // namespace tesvar
