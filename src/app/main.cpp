#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "document/spectrum_document.h"
#include "platform/qt/qt_ui.h"
#include "processing/fft.h"
#include "shell/brand_picture.h"
#include "shell/desktop_launch.h"
#include "shell/dialogs/startup_box.h"
#include "shell/main_window.h"

namespace {

// The one document, alive as long as the process.
tesvar::SpectrumDocument document;

constexpr const char* kNoDisplay =
    "Tesvar needs a graphical display: run it on a desktop session, or under\n"
    "xvfb-run (for example: xvfb-run -s \"-screen 0 1600x900x24\" tesvar).\n";

bool variableSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

// Without a platform chosen explicitly Qt needs an X or Wayland display, and aborts
// with an obscure message when there is none.
bool displayAvailable()
{
    return variableSet("QT_QPA_PLATFORM") || variableSet("DISPLAY") ||
           variableSet("WAYLAND_DISPLAY");
}

// A display that is named but cannot be reached ends Qt's start-up with a fatal
// message; the user is told what to do instead of seeing only the abort.
void startupMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    if (type == QtFatalMsg) {
        std::fputs(kNoDisplay, stderr);
        std::_Exit(1);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (!displayAvailable()) {
        std::fputs(kNoDisplay, stderr);
        return 1;
    }
    const QtMessageHandler previous = qInstallMessageHandler(startupMessageHandler);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    QApplication::setApplicationName(QStringLiteral("tesvar"));
    // The desktop entry "tesvar.desktop" and the icon belong to every window of the program.
    QGuiApplication::setDesktopFileName(QStringLiteral("tesvar"));
    QApplication::setWindowIcon(tesvar::applicationIcon());

    // The window lives long enough to measure each transform size once, in the
    // background; the measured plans are kept for this and every later run.
    tesvar::useTransformWisdom(tesvar::transformWisdomPath());
    tesvar::measureTransformPlansInBackground(true);

    tesvar::QtUi ui;
    tesvar::MainWindow window(document, ui);
    // The start-up box belongs to the window's creation: it is shown, and closes
    // itself, before the window first appears.
    tesvar::runStartupBox(&window);
    // Without a window manager a maximise request goes unheard; the window then still
    // covers the work area.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    // A spectrum named on the command line (a file manager's "Open with") opens once
    // the window is up, as a dropped file does.
    QTimer::singleShot(0, &window, [&window] {
        tesvar::openLaunchFile(window, QCoreApplication::arguments());
    });
    return app.exec();
}
