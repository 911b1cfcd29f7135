#pragma once

#include <functional>
#include <string>

#include <QTemporaryDir>

#include "render/print_command.h"

class QPainter;
class QPicture;
class QPrinter;
class QString;

namespace tesvar {

class Canvas;

// Records what `draw` draws into a vector picture (a QPicture) and writes it to `path`.
bool recordPictureFile(const QString& path, const std::function<void(Canvas&)>& draw);

// Records what `draw` draws into `picture` in memory.
void recordPicture(QPicture& picture, const std::function<void(Canvas&)>& draw);

// Plays the printed picture onto a page of pageWidth x pageHeight device pixels: the
// canvas's frame, in hundredths of a millimetre at the screen's resolution, is placed
// centred on the target of pageTarget, and nothing beyond the canvas is shown. False
// when the page has no size or the picture is empty.
bool playPictureOnPage(QPainter& painter, const QPicture& picture, int pageWidth, int pageHeight);

// Prints the picture file on one page of `printer`, as the print job "TesvarImprimiendo",
// at the resolution of the page export (kPageDpi).
// False when the file cannot be read, or the document or page could not be printed.
bool printPictureFile(const QString& path, QPrinter& printer);

// The Print command's platform: pictures in QPicture files in a temporary folder that
// only this output uses (removed with it), the system's default printer through Qt's
// print support.
class QtPictureOutput : public PictureOutput {
public:
    std::optional<std::string> picturePath() override;
    bool recordPicture(const std::string& path, const std::function<void(Canvas&)>& draw) override;
    bool printPicture(const std::string& path) override;
    bool removeFile(const std::string& path) override;

private:
    QTemporaryDir folder;
};

}  // namespace tesvar
