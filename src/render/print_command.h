#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tesvar {

class Canvas;
class Ui;
class WindowPort;
struct SpectrumDocument;

// The platform's vector pictures and printer, as the Print command uses them.
class PictureOutput {
public:
    virtual ~PictureOutput() = default;
    // Where the picture file goes: a name in a temporary folder of this output's own,
    // never in the user's folders; nothing when no such folder can be made.
    virtual std::optional<std::string> picturePath() = 0;
    // Records what `draw` draws on the picture's canvas into the file at `path`; false
    // when the file could not be written.
    virtual bool recordPicture(const std::string& path,
                               const std::function<void(Canvas&)>& draw) = 0;
    // Plays the picture file centred on one page of the default printer; false when
    // there is no default printer or the job failed.
    virtual bool printPicture(const std::string& path) = 0;
    virtual bool removeFile(const std::string& path) = 0;
};

// The Print command: the printed picture recorded into the output's private picture
// file, played onto the default printer's page, the plot repainted and the file
// removed. "Error printing" when the page could not be printed (no private folder, the
// picture could not be recorded, no default printer, a failed job); "Error removing
// metafile" when the file cannot be removed.
void printPlot(SpectrumDocument& doc, Ui& ui, WindowPort& window, PictureOutput& output);

// Command 40014: printPlot, then the prompt is cleared, a pending reference click
// disarmed and the mouse tool set to None.
void printCommand(SpectrumDocument& doc, Ui& ui, WindowPort& window, PictureOutput& output);

}  // namespace tesvar
