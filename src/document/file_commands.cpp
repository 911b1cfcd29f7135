#include "document/file_commands.h"

#include <algorithm>
#include <optional>
#include <span>

#include "document/native_file.h"
#include "document/spectrum_document.h"
#include "platform/command_ids.h"
#include "platform/ui.h"
#include "platform/window_port.h"

namespace tesvar {

std::string fileNamePart(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string unusableFileMessage(SpectrumProblem problem)
{
    const char* reason = "its parameters are not valid.";
    switch (problem) {
    case SpectrumProblem::PointCount:
        reason = "its number of points is missing or not valid.";
        break;
    case SpectrumProblem::SweepWidth: reason = "its sweep width is missing or not valid."; break;
    case SpectrumProblem::Frequency:
        reason = "its spectrometer frequency is missing or not valid.";
        break;
    case SpectrumProblem::AcquisitionMode:
        reason = "its acquisition mode is missing or not valid.";
        break;
    case SpectrumProblem::HeaderCut: reason = "it ends inside its header."; break;
    case SpectrumProblem::NoData: reason = "it holds no data values."; break;
    case SpectrumProblem::None: break;
    }
    return std::string(text::kUnusableFile) + reason;
}

namespace {

bool takeChoice(SpectrumDocument& doc, const std::optional<std::string>& chosen)
{
    if (!chosen)
        return false;
    doc.filePath = *chosen;
    doc.fileTitle = fileNamePart(*chosen);
    return true;
}

// Copies a successful read into the document and resets it.
void commitRead(SpectrumDocument& doc, WindowPort& window, const NativeReadResult& read)
{
    doc.acq = read.acq;
    doc.conjugateOnTransform = read.pending.conjugate;
    doc.digitalFilterDelay = read.pending.filterDelay;
    std::copy(read.values.begin(), read.values.end(), doc.data.begin());
    doc.valueCount = read.acq.td;
    doc.domain = DataDomain::Unknown;  // a native file holds a FID or a spectrum
    resetDocument(doc, window);
    window.invalidatePlot();
    if (!read.note.empty())
        window.showNote(read.note);
}

// Hands a file that is not native to the import path, which asks only for its type.
// The save question has already been asked, so it is suppressed while the import runs;
// if the import reads nothing, the current spectrum keeps its question.
OpenOutcome handOverToImport(SpectrumDocument& doc, Ui& ui, WindowPort& window)
{
    if (ui.message(text::kNotNative, text::kWarningCaption, Buttons::OkCancel, Icon::None) !=
        Answer::Ok)
        return OpenOutcome::Cancelled;
    const std::int32_t previousNothingToSave = doc.nothingToSave;
    doc.documentLoaded = 0;
    doc.nothingToSave = 1;
    const bool imported = window.sendCommand(cmd::Import);
    if (imported)
        return OpenOutcome::Imported;
    doc.documentLoaded = 1;
    doc.nothingToSave = previousNothingToSave;
    return OpenOutcome::NotImported;
}


}  // namespace

void endFileCommand(SpectrumDocument& doc, WindowPort& window)
{
    window.setPrompt(" ");
    doc.referenceArmed = 0;
    doc.interactionMode = cmd::ModeNone;
}

bool chooseFileToOpen(SpectrumDocument& doc, Ui& ui)
{
    FileDialogSpec spec;
    spec.defaultExtension = "*";
    spec.initialPath = doc.filePath;
    return takeChoice(doc, ui.chooseOpenFile(spec));
}

bool chooseFileToSave(SpectrumDocument& doc, Ui& ui)
{
    FileDialogSpec spec;
    spec.defaultExtension = "TVX";
    spec.initialPath = doc.filePath;
    return takeChoice(doc, ui.chooseSaveFile(spec));
}

OpenOutcome openSpectrum(SpectrumDocument& doc, Ui& ui, WindowPort& window)
{
    if (doc.pathPreset == 1)
        doc.pathPreset = 0;
    else if (!chooseFileToOpen(doc, ui))
        return OpenOutcome::Cancelled;

    const NativeReadResult read = readNativeFile(doc.filePath, kDataCapacity);
    switch (read.status) {
    case NativeStatus::CannotOpen:
        ui.message(text::kCannotOpen, text::kErrorCaption, Buttons::Ok, Icon::None);
        return OpenOutcome::Failed;
    case NativeStatus::NotNative:
        return handOverToImport(doc, ui, window);
    case NativeStatus::Unusable:
        if (read.blockMissing)
            ui.message(text::kErrorAllocating, text::kParamCaption, Buttons::Ok, Icon::None);
        ui.message(unusableFileMessage(read.problem), text::kErrorCaption, Buttons::Ok,
                   Icon::Error);
        return OpenOutcome::Failed;
    case NativeStatus::NotFinite:
        ui.message(text::kCannotImport, fileNamePart(doc.filePath), Buttons::Ok,
                   Icon::Warning);
        return OpenOutcome::Failed;
    case NativeStatus::Ok:
        break;
    }
    commitRead(doc, window, read);
    return OpenOutcome::Opened;
}

namespace {

enum class SaveOutcome { Saved, DialogCancelled, Failed };

SaveOutcome refuseSave(Ui& ui, const char* reason)
{
    ui.message(reason, text::kFileErrorCaption, Buttons::Ok, Icon::Error, Owner::None);
    return SaveOutcome::Failed;
}

// The save, telling a dialog the user called off from a save that failed (and was
// reported), whether it failed before or after its dialog.
SaveOutcome saveWithOutcome(SpectrumDocument& doc, Ui& ui)
{
    const std::span<const double> values(doc.data.data(), valuesInUse(doc));
    // A file that Open would refuse is not written.
    if (doc.hasSpectrum == 0)
        return refuseSave(ui, text::kCannotSaveNothingLoaded);
    if (!allFinite(values))
        return refuseSave(ui, text::kCannotSaveNotFinite);
    if (!chooseFileToSave(doc, ui))
        return SaveOutcome::DialogCancelled;
    const PendingTransform pending{doc.conjugateOnTransform, doc.digitalFilterDelay};
    if (!writeNativeFile(doc.filePath, doc.acq, values, pending))
        return refuseSave(ui, text::kCannotSave);
    return SaveOutcome::Saved;
}

}  // namespace

bool saveSpectrum(SpectrumDocument& doc, Ui& ui)
{
    return saveWithOutcome(doc, ui) == SaveOutcome::Saved;
}

SaveAnswer askToSave(SpectrumDocument& doc, Ui& ui)
{
    // Without a spectrum there is nothing to lose (and nothing a save could write).
    if (doc.nothingToSave != 0 || doc.hasSpectrum == 0)
        return SaveAnswer::GoOn;
    switch (ui.message(text::kSaveQuestion, text::kWarningCaption, Buttons::YesNoCancel,
                       Icon::Question)) {
    case Answer::Cancel:
        return SaveAnswer::Cancelled;
    case Answer::Yes: {
        // The user chose to keep the spectrum: a save that fails (reported by the save)
        // stops the caller, so the spectrum is not lost. Only a cancelled save dialog
        // lets the caller go on, as No would.
        return saveWithOutcome(doc, ui) == SaveOutcome::Failed ? SaveAnswer::SaveFailed
                                                                  : SaveAnswer::GoOn;
    }
    default:
        return SaveAnswer::GoOn;
    }
}

OpenOutcome openCommand(SpectrumDocument& doc, Ui& ui, WindowPort& window)
{
    if (askToSave(doc, ui) != SaveAnswer::GoOn)
        return OpenOutcome::Cancelled;
    const OpenOutcome outcome = openSpectrum(doc, ui, window);
    endFileCommand(doc, window);
    return outcome;
}

void dropFiles(SpectrumDocument& doc, Ui& ui, WindowPort& window,
               const std::vector<std::string>& paths)
{
    // A drop replaces the spectrum like Open does, so it asks the same question first.
    if (paths.empty() || askToSave(doc, ui) != SaveAnswer::GoOn)
        return;
    doc.filePath = paths.front();
    doc.fileTitle = fileNamePart(doc.filePath);
    doc.pathPreset = 1;
    openSpectrum(doc, ui, window);
}

}  // namespace tesvar
