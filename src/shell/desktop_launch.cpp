#include "shell/desktop_launch.h"

#include <string>
#include <vector>

#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include "document/file_commands.h"
#include "importers/file_recognition.h"
#include "shell/main_window.h"

namespace tesvar {

bool openLaunchFile(MainWindow& window, const QStringList& arguments)
{
    for (const QString& argument : arguments.mid(1)) {
        if (argument.isEmpty() || argument.startsWith(QLatin1Char('-')))
            continue;
        // Some file managers hand over a file URL rather than a path.
        const QUrl url(argument);
        const QString path = url.isLocalFile() ? url.toLocalFile() : argument;
        // An experiment folder opens its fid.
        const std::vector<std::string> paths{
            fileToOpen(QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString())};
        dropFiles(window.document(), window.ui(), window, paths);
        return true;
    }
    return false;
}

}  // namespace tesvar
