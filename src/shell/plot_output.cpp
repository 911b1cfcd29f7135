#include "shell/plot_output.h"

#include <QImage>
#include <QPainter>

#include "document/spectrum_document.h"
#include "importers/jcamp_writer.h"
#include "platform/command_ids.h"
#include "platform/qt/qt_canvas.h"
#include "platform/ui.h"
#include "processing/baseline_dialog.h"
#include "render/print_command.h"
#include "render/screen_plot.h"
#include "shell/client_area.h"
#include "shell/dialogs/baseline_dialog_view.h"
#include "shell/dialogs/export_dialog.h"
#include "shell/main_window.h"
#include "shell/picture_export.h"
#include "shell/picture_files.h"

namespace tesvar {

namespace {

// While this window property is set, a paint shows the back buffer as it stands
// instead of redrawing the plot into it first, so that what was drawn onto the window
// stays visible.
constexpr const char* kPresentOnly = "tesvarPresentOnly";

FileDialogSpec exportFileSpec(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Png:
        return {"PNG image", "*.png", "png", "spectrum.png"};
    case ExportFormat::Svg:
        return {"SVG drawing", "*.svg", "svg", "spectrum.svg"};
    case ExportFormat::Pdf:
        break;
    }
    return {"PDF document", "*.pdf", "pdf", "spectrum.pdf"};
}

void exportCommand(MainWindow& window)
{
    ExportDialog dialog(&window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (dialog.spectrumFile()) {
        const auto path =
            window.ui().chooseSaveFile({"JCAMP-DX", "*.jdx *.dx", "jdx", "spectrum.jdx"});
        if (!path)
            return;
        if (const auto error = exportJcamp(window.document(), *path))
            window.ui().message(*error, "Export", Buttons::Ok, Icon::Warning);
        return;
    }
    ExportRequest request;
    request.picture = dialog.picture();
    request.format = dialog.format();
    const auto path = window.ui().chooseSaveFile(exportFileSpec(request.format));
    if (!path)
        return;
    request.path = *path;
    if (const auto error = exportPicture(window.document(), request))
        window.ui().message(*error, "Export", Buttons::Ok, Icon::Warning);
}

}  // namespace

void connectPlotOutput(MainWindow& window)
{
    window.setPlotRenderer([&window](Canvas& backBuffer) {
        if (!window.property(kPresentOnly).toBool())
            renderPlot(window.document(), backBuffer);
    });

    window.connectCommand(cmd::Print, [&window] {
        QtPictureOutput output;
        printCommand(window.document(), window.ui(), window, output);
    });
    window.connectCommand(cmd::Export, [&window] { exportCommand(window); });
    window.connectCommand(cmd::ManualBaseline, [&window] {
        manualBaselineCommand(window.document(), window.ui(), window,
                              [&window] { runBaselineDialog(window); });
    });
}

void drawOnWindow(MainWindow& window, const std::function<void(Canvas&)>& draw)
{
    {
        QPainter painter(&window.backBuffer());
        QtCanvas canvas(painter);
        draw(canvas);
    }
    window.setProperty(kPresentOnly, true);
    window.clientArea().viewport()->repaint();
    window.setProperty(kPresentOnly, false);
}

}  // namespace tesvar
