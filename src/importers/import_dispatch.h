#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tesvar {

struct SpectrumDocument;
class Ui;
class WindowPort;

namespace text {
inline constexpr const char* kFileTypeTitle = "File type";
inline constexpr const char* kFileTypeGroup = "Types";
inline constexpr const char* kBrukerX32Choice = "&Bruker X32";
inline constexpr const char* kBrukerAspectChoice = "Bruker &Aspect";
inline constexpr const char* kNutsChoice = "&Nuts";
inline constexpr const char* kVarianChoice = "&Varian VXR/Unity ";
inline constexpr const char* kJcampChoice = "&JCAMP-DX";
inline constexpr const char* kX32NameQuestion = "Are you sure that %s is a Bruker X32 FID?";
inline constexpr const char* kCannotOpenData = "Cannot Open";
inline constexpr const char* kNoAcqus =
    "I cannot find Acqus file.\n Do you want to try it by yourself?";
inline constexpr const char* kCannotOpenAcqus = "Cannot Open Acqus";
inline constexpr const char* kAcqusErrorCaption = "Error";
}  // namespace text

// Dialog 130 "File type" and its controls.
namespace fileTypeIds {
inline constexpr int Dialog = 130;
inline constexpr int BrukerX32 = 1022;
inline constexpr int BrukerAspect = 1002;
inline constexpr int Nuts = 1003;
inline constexpr int Varian = 1004;
inline constexpr int Jcamp = 1005;
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
}  // namespace fileTypeIds

enum class FileType { BrukerX32, BrukerAspect, Nuts, Varian, Jcamp };

// The radio states of dialog 130, exactly one of them 1, kept for the life of the
// process so that the dialog opens on the last choice.
struct FileTypeFlags {
    std::int32_t typeBrukerX32 = 1;
    std::int32_t typeBrukerAspect = 0;
    std::int32_t typeNuts = 0;
    std::int32_t typeVarian = 0;
    std::int32_t typeJcamp = 0;

    bool operator==(const FileTypeFlags&) const = default;
};

// The chosen type; the flags are tested in the order Aspect, NUTS, Varian, JCAMP-DX, X32.
FileType selectedFileType(const FileTypeFlags& flags);
void setFileType(FileTypeFlags& flags, FileType type);

// The view of dialog 130: five radio buttons in the group "Types", OK and Cancel,
// placed with centreOnOwner over its owner. The Qt dialog implements it; tests use a
// scripted stand-in.
class FileTypeDialog {
public:
    virtual ~FileTypeDialog() = default;
    // Opens with `current` checked; returns the checked type on OK, nothing on Cancel.
    virtual std::optional<FileType> choose(FileType current) = 0;
};

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};
struct ScreenPoint {
    int x = 0, y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// Where a dialog goes to be centred over its owner yet kept on a screen of the given
// size; its size does not change.
ScreenPoint centreOnOwner(const ScreenRect& dialog, const ScreenRect& owner, int screenWidth,
                          int screenHeight);

// Runs the file-type dialog: true on OK (the flags then hold the choice), false on
// Cancel (the flags unchanged).
bool chooseFileType(FileTypeFlags& flags, FileTypeDialog& dialog);

// The import of the chosen type: the open dialog (skipped when the Open command has
// handed over its file), the reader, and on success the document reset. The reader
// works on staging, so a failed or cancelled import changes nothing in the document.
// Returns true when a spectrum was imported.
bool importSpectrum(SpectrumDocument& doc, const FileTypeFlags& flags, Ui& ui,
                    WindowPort& window);

// The same import of a given file without the open dialog (the batch runner's step).
bool importFile(SpectrumDocument& doc, FileType type, const std::string& path, Ui& ui,
                WindowPort& window);

// The Import command (40019): the save question, the file-type dialog, the import, then
// the prompt cleared, a pending reference click disarmed and the mouse tool set to None.
// When the Open command hands over a file, the dialog opens on the type its contents
// show, if they show one. Returns whether a spectrum was imported.
bool importCommand(SpectrumDocument& doc, FileTypeFlags& flags, FileTypeDialog& dialog, Ui& ui,
                   WindowPort& window);

}  // namespace tesvar
