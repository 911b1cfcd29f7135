#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace tesvar::test {

// Records every call to the Ui seam and answers from a script. A message with no
// scripted answer gets the first button of its set (OK or Yes); a file chooser with no
// scripted choice is cancelled.
class FakeUi : public Ui {
public:
    struct Message {
        std::string text;
        std::string caption;
        Buttons buttons;
        Icon icon;
        Owner owner;
        Answer answer;
    };
    struct FileChoice {
        bool save;
        FileDialogSpec spec;
        std::optional<std::string> answer;
    };

    Answer message(const std::string& text, const std::string& caption, Buttons buttons,
                   Icon icon, Owner owner) override;
    std::optional<std::string> chooseOpenFile(const FileDialogSpec& spec) override;
    std::optional<std::string> chooseSaveFile(const FileDialogSpec& spec) override;
    void beep() override { ++beeps; }
    // The clipboard: holds one image, or nothing (text only); it can be made to refuse
    // opening.
    bool putClipboardImage(const Bitmap& image) override;
    ClipboardImage clipboardImage() override;

    // Script.
    void answerNext(Answer a) { answers.push_back(a); }
    void chooseNext(std::optional<std::string> path) { choices.push_back(std::move(path)); }

    // Record.
    std::vector<Message> messages;
    std::vector<FileChoice> fileChoices;
    int beeps = 0;
    std::optional<Bitmap> clipboard;
    bool clipboardOpens = true;
    int clipboardPuts = 0;

    // Captions and texts of the messages, for compact assertions.
    std::vector<std::string> captions() const;
    std::vector<std::string> texts() const;

private:
    std::optional<std::string> nextChoice();
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> choices;
};

}  // namespace tesvar::test
