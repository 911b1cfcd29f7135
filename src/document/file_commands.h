#pragma once

#include <string>
#include <vector>

#include "document/acquisition.h"

namespace tesvar {

struct SpectrumDocument;
class Ui;
class WindowPort;

// Texts of the native file's dialogs and messages.
namespace text {
inline constexpr const char* kSaveQuestion = "Do you want to save the current spectrum?";
inline constexpr const char* kCannotSave = "Cannot Save File";
inline constexpr const char* kFileErrorCaption = "File Error";
inline constexpr const char* kCannotSaveNothingLoaded = "Cannot Save File\nNo spectrum is loaded.";
inline constexpr const char* kCannotSaveNotFinite =
    "Cannot Save File\nThe spectrum holds values that are not finite numbers.";
inline constexpr const char* kCannotOpen = "Cannot open the file";
inline constexpr const char* kErrorCaption = "Error ";
inline constexpr const char* kErrorAllocating = "Error allocating";
inline constexpr const char* kParamCaption = "PARAM";
inline constexpr const char* kNotNative = "This is not a Tesvar File\n Please indicate the file type";
inline constexpr const char* kWarningCaption = "Warning";
inline constexpr const char* kUnusableFile = "This file does not hold a usable spectrum:\n";
// A file that cannot be read as a spectrum: an instrument file the importers cannot make
// sense of, or a native file whose values are not all finite numbers. The caption is the
// file's name.
inline constexpr const char* kCannotImport = "Cannot Open or\n Don't know what to do with it!!";
}  // namespace text

// The refusal of a file that cannot make a spectrum, naming the reason, for example
// "This file does not hold a usable spectrum:\nits sweep width is missing or not valid."
// Shown with the caption text::kErrorCaption.
std::string unusableFileMessage(SpectrumProblem problem);

// The file name without its folders.
std::string fileNamePart(const std::string& path);

// Run the open or save chooser; on a choice filePath and fileTitle hold it.
bool chooseFileToOpen(SpectrumDocument& doc, Ui& ui);
bool chooseFileToSave(SpectrumDocument& doc, Ui& ui);

enum class OpenOutcome {
    Cancelled,   // no file chosen, the import question cancelled, or (openCommand)
                 // stopped by the save question
    Failed,      // the file could not be opened or was refused; nothing changed
    Opened,      // a native file was read and the document reset
    Imported,    // a non-native file was handed to the import path, which read it
    NotImported, // handed to the import path, which read nothing; nothing changed
};

// The Open command's reader (also used for dropped files). A read that fails or is
// refused leaves the document exactly as it was.
OpenOutcome openSpectrum(SpectrumDocument& doc, Ui& ui, WindowPort& window);

// Save command: returns true after writing, false when the dialog was cancelled or the
// file could not be written (the previous file is then intact). With no spectrum loaded,
// or values that are not finite numbers, nothing is asked and nothing is written.
bool saveSpectrum(SpectrumDocument& doc, Ui& ui);

// What the save question leaves to the command that asked it.
enum class SaveAnswer {
    GoOn,        // nothing to save (or no spectrum), No, a save that wrote the file, or a
                 // cancelled save dialog
    Cancelled,   // Cancel: the caller stops and nothing changes
    SaveFailed,  // Yes, and the save failed (already reported): the caller stops
};

// The question asked before a spectrum is replaced or the program closes.
[[nodiscard]] SaveAnswer askToSave(SpectrumDocument& doc, Ui& ui);

// The common ending of the Open and Import commands: the status-bar prompt cleared, a
// pending reference click disarmed and the mouse tool set to None.
void endFileCommand(SpectrumDocument& doc, WindowPort& window);

// The Open command as the menu runs it: the question, the read, then the status-bar
// prompt cleared, the reference click disarmed and the mouse tool set to None. A
// question that stops the command (Cancel, a failed save) gives Cancelled and changes
// nothing.
OpenOutcome openCommand(SpectrumDocument& doc, Ui& ui, WindowPort& window);

// Files dropped on the window: after the save question, the first one opens.
void dropFiles(SpectrumDocument& doc, Ui& ui, WindowPort& window,
               const std::vector<std::string>& paths);

}  // namespace tesvar
