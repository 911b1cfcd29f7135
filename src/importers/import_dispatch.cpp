#include "importers/import_dispatch.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "document/file_commands.h"
#include "document/spectrum_document.h"
#include "importers/bruker_aspect_nuts.h"
#include "importers/bruker_x32.h"
#include "importers/file_recognition.h"
#include "importers/import_files.h"
#include "importers/jcamp_reader.h"
#include "importers/varian.h"
#include "platform/ui.h"
#include "platform/window_port.h"

namespace tesvar {

FileType selectedFileType(const FileTypeFlags& flags)
{
    if (flags.typeBrukerAspect == 1)
        return FileType::BrukerAspect;
    if (flags.typeNuts == 1)
        return FileType::Nuts;
    if (flags.typeVarian == 1)
        return FileType::Varian;
    if (flags.typeJcamp == 1)
        return FileType::Jcamp;
    return FileType::BrukerX32;
}

void setFileType(FileTypeFlags& flags, FileType type)
{
    flags.typeBrukerX32 = type == FileType::BrukerX32 ? 1 : 0;
    flags.typeBrukerAspect = type == FileType::BrukerAspect ? 1 : 0;
    flags.typeNuts = type == FileType::Nuts ? 1 : 0;
    flags.typeVarian = type == FileType::Varian ? 1 : 0;
    flags.typeJcamp = type == FileType::Jcamp ? 1 : 0;
}

ScreenPoint centreOnOwner(const ScreenRect& dialog, const ScreenRect& owner, int screenWidth,
                          int screenHeight)
{
    const int width = dialog.right - dialog.left;
    const int height = dialog.bottom - dialog.top;
    ScreenPoint at;
    at.x = owner.left + ((owner.right - owner.left) - width) / 2;
    if (at.x < 0)
        at.x = 0;
    else if (at.x + width > screenWidth)
        at.x = screenWidth - width;
    at.y = owner.top + ((owner.bottom - owner.top) - height) / 2;
    if (at.y < 0)
        at.y = 0;
    else if (at.y + height > screenHeight)
        at.y = screenHeight - height;
    return at;
}

bool chooseFileType(FileTypeFlags& flags, FileTypeDialog& dialog)
{
    const std::optional<FileType> chosen = dialog.choose(selectedFileType(flags));
    if (!chosen)
        return false;
    setFileType(flags, *chosen);
    return true;
}

namespace {

// The one place where an import reaches the document.
void commitImport(SpectrumDocument& doc, WindowPort& window, const ImportedSpectrum& staged)
{
    doc.acq = staged.acq;
    std::copy(staged.values.begin(), staged.values.end(), doc.data.begin());
    doc.valueCount = staged.acq.td;
    doc.conjugateOnTransform = staged.conjugateOnTransform;
    doc.digitalFilterDelay = staged.digitalFilterDelay;
    doc.domain = staged.domain;
    resetDocument(doc, window);
    if (staged.domain == DataDomain::Frequency) {
        // A spectrum is shown on its own frequency axis, as a transform leaves it.
        doc.displayUnits = DisplayUnits::Ppm;
        doc.unitChecks = {0, 1, 0, 0};
        doc.hzOffset = staged.hzOffset;
        doc.ppmOffset = staged.hzOffset / doc.acq.sf;
    }
    window.invalidatePlot();
    if (!staged.note.empty())
        window.showNote(staged.note);
}

void showUnusable(Ui& ui, SpectrumProblem problem)
{
    ui.message(unusableFileMessage(problem), text::kErrorCaption, Buttons::Ok, Icon::Error);
}

bool namedFid(const std::string& title)
{
    std::string upper = title;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper == "FID";
}

std::string x32NameQuestion(const std::string& title)
{
    const std::string_view format = text::kX32NameQuestion;
    const std::size_t at = format.find("%s");
    return std::string(format.substr(0, at)) + title + std::string(format.substr(at + 2));
}

// The parameter file next to the data file, else in pdata/1 below its folder; either
// name in any letter case.
std::optional<std::pair<std::string, AcqusValues>> findAcqus(const std::string& dataPath)
{
    const std::string folder = folderOf(dataPath);
    for (const auto& parts : {std::vector<std::string>{"Acqus"},
                              std::vector<std::string>{"pdata", "1", "Acqus"}}) {
        if (const auto path = findIgnoringCase(folder, parts))
            if (auto values = readAcqus(*path))
                return std::pair{*path, *values};
    }
    return std::nullopt;
}

// The Bruker X32 import: the name check, the data file, the parameter file found or
// chosen. On success filePath holds the parameter file's path.
std::optional<ImportedSpectrum> importX32(SpectrumDocument& doc, Ui& ui)
{
    const std::string dataTitle = doc.fileTitle;
    if (!namedFid(dataTitle) &&
        ui.message(x32NameQuestion(dataTitle), text::kWarningCaption, Buttons::YesNo,
                   Icon::Question) != Answer::Yes)
        return std::nullopt;

    const auto fid = readX32Fid(doc.filePath);
    if (!fid) {
        ui.message(text::kCannotOpenData, dataTitle, Buttons::Ok, Icon::None);
        return std::nullopt;
    }

    auto found = findAcqus(doc.filePath);
    if (!found) {
        if (ui.message(text::kNoAcqus, text::kAcqusErrorCaption, Buttons::OkCancel, Icon::None) !=
                Answer::Ok ||
            !chooseFileToOpen(doc, ui))
            return std::nullopt;
        if (auto values = readAcqus(doc.filePath))
            found = std::pair{doc.filePath, *values};
    }
    if (!found) {
        ui.message(text::kCannotOpenAcqus, text::kAcqusErrorCaption, Buttons::Ok, Icon::None);
        return std::nullopt;
    }
    ImportResult assembled = assembleX32(*fid, found->second, kDataCapacity);
    if (assembled.status() == ImportStatus::Unusable) {
        showUnusable(ui, assembled.problem());
        return std::nullopt;
    }
    if (!assembled) {
        ui.message(text::kCannotOpenData, dataTitle, Buttons::Ok, Icon::None);
        return std::nullopt;
    }
    doc.filePath = found->first;
    return std::move(*assembled);
}

ImportResult readSingleFile(FileType type, const std::string& path)
{
    switch (type) {
    case FileType::BrukerAspect: return readAspect(path, kDataCapacity);
    case FileType::Nuts: return readNuts(path, kDataCapacity);
    case FileType::Varian: return readVarian(path, kDataCapacity);
    case FileType::Jcamp: return readJcamp(path, kDataCapacity);
    case FileType::BrukerX32: break;
    }
    return ImportStatus::NotRead;
}

// Reads the file in filePath as the given type and commits it. A failure leaves the
// document as it was, its file path and title included.
bool importChosenFile(SpectrumDocument& doc, FileType type, Ui& ui, WindowPort& window,
                      const std::string& previousPath, const std::string& previousTitle)
{
    doc.documentLoaded = 1;
    std::optional<ImportedSpectrum> staged;
    if (type == FileType::BrukerX32) {
        staged = importX32(doc, ui);
    } else {
        ImportResult read = readSingleFile(type, doc.filePath);
        if (read)
            staged = std::move(*read);
        else if (read.status() == ImportStatus::Unusable)
            showUnusable(ui, read.problem());
        else if (read.status() == ImportStatus::Refused)
            ui.message(text::kUnusableFile + read.reason(), text::kErrorCaption, Buttons::Ok,
                       Icon::Error);
        else
            ui.message(text::kCannotImport, doc.fileTitle, Buttons::Ok, Icon::Warning);
    }
    if (!staged) {
        doc.filePath = previousPath;
        doc.fileTitle = previousTitle;
        return false;
    }
    commitImport(doc, window, *staged);
    return true;
}

}  // namespace

bool importSpectrum(SpectrumDocument& doc, const FileTypeFlags& flags, Ui& ui,
                    WindowPort& window)
{
    const std::string previousPath = doc.filePath;
    const std::string previousTitle = doc.fileTitle;
    // After the Open command's hand-over the file is already chosen.
    if (doc.documentLoaded == 1 && !chooseFileToOpen(doc, ui))
        return false;
    return importChosenFile(doc, selectedFileType(flags), ui, window, previousPath,
                            previousTitle);
}

bool importFile(SpectrumDocument& doc, FileType type, const std::string& path, Ui& ui,
                WindowPort& window)
{
    const std::string previousPath = doc.filePath;
    const std::string previousTitle = doc.fileTitle;
    doc.filePath = path;
    doc.fileTitle = fileNamePart(path);
    return importChosenFile(doc, type, ui, window, previousPath, previousTitle);
}

bool importCommand(SpectrumDocument& doc, FileTypeFlags& flags, FileTypeDialog& dialog, Ui& ui,
                   WindowPort& window)
{
    if (askToSave(doc, ui) != SaveAnswer::GoOn)
        return false;
    // A file handed over by the Open command is already chosen: its contents may tell
    // its type.
    if (doc.documentLoaded == 0)
        if (const auto type = recogniseFileType(doc.filePath))
            setFileType(flags, *type);
    if (!chooseFileType(flags, dialog))
        return false;
    const bool imported = importSpectrum(doc, flags, ui, window);
    endFileCommand(doc, window);
    return imported;
}

}  // namespace tesvar
