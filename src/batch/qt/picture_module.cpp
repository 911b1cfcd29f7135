// The picture module of tesvar-batch: the one part of the runner that draws with Qt,
// through the shell's picture export.
#include <QCoreApplication>
#include <QGuiApplication>

#include "batch/picture_module.h"
#include "shell/picture_export.h"

namespace {

// Drawing text needs the GUI application; the module makes one, without a display, the
// first time a picture is drawn.
void ensureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tesvar-batch";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

}  // namespace

extern "C" bool tesvarBatchExportPicture(tesvar::SpectrumDocument& doc,
                                         const tesvar::ExportRequest& request, std::string& error)
{
    ensureGuiApplication();
    const auto failed = tesvar::exportPicture(doc, request);
    if (failed)
        error = *failed;
    return !failed;
}
