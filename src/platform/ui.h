#pragma once

#include <optional>
#include <string>

#include "platform/bitmap.h"

namespace tesvar {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Warning, Question, Error };
enum class Answer { Ok, Cancel, Yes, No };
// Message boxes are owned by the active window unless the system asks for none.
enum class Owner { ActiveWindow, None };

// The description of a file chooser: one filter entry and a default extension that
// is added to a typed name without one ("*" adds nothing).
struct FileDialogSpec {
    std::string filterText = "Todos los Fich.(*.*)";
    std::string filterPattern = "*.*";
    std::string defaultExtension;
    std::string initialPath;  // the last chosen path, so the dialog opens on its name
};

// What the clipboard held when it was asked for an image: whether it could be opened
// at all, and its image when it holds one.
struct ClipboardImage {
    bool opened = false;
    std::optional<Bitmap> image;
};

// Every message box, question, file chooser and beep of the system goes through this
// interface, with the exact text, caption, buttons and icon.
class Ui {
public:
    virtual ~Ui() = default;

    virtual Answer message(const std::string& text, const std::string& caption,
                           Buttons buttons, Icon icon,
                           Owner owner = Owner::ActiveWindow) = 0;
    // Return the chosen path, or nothing when the user cancelled. The chosen file's
    // folder becomes the process's current folder.
    virtual std::optional<std::string> chooseOpenFile(const FileDialogSpec& spec) = 0;
    virtual std::optional<std::string> chooseSaveFile(const FileDialogSpec& spec) = 0;
    virtual void beep() = 0;

    // The system clipboard's images. A front end without a clipboard cannot open it:
    // nothing is handed over and nothing is read.
    // Puts the picture on the clipboard in place of what it held; false when the
    // clipboard could not be opened and nothing was handed over.
    virtual bool putClipboardImage(const Bitmap&) { return false; }
    virtual ClipboardImage clipboardImage() { return {}; }
};

}  // namespace tesvar
