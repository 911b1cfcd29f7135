#pragma once

#include <optional>
#include <string>

#include "platform/ui.h"

class QWidget;

namespace tesvar {

// The Ui seam on Qt widgets: real message boxes and file dialogs, owned by the active
// window unless a message asks for no owner.
class QtUi : public Ui {
public:
    Answer message(const std::string& text, const std::string& caption, Buttons buttons,
                   Icon icon, Owner owner = Owner::ActiveWindow) override;
    std::optional<std::string> chooseOpenFile(const FileDialogSpec& spec) override;
    std::optional<std::string> chooseSaveFile(const FileDialogSpec& spec) override;
    void beep() override;
    // The system clipboard, through QClipboard: an image put there is offered to other
    // programs as an image (PNG and bitmap formats among them).
    bool putClipboardImage(const Bitmap& image) override;
    ClipboardImage clipboardImage() override;

private:
    std::optional<std::string> chooseFile(const FileDialogSpec& spec, bool save);
};

}  // namespace tesvar
