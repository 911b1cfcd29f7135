#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "platform/ui.h"

namespace tesvar::batch {

// The Ui of the batch runner. Every message goes to standard error as "CAPTION: TEXT"
// (line breaks kept). Questions get the answer that lets the operation go on (Yes or
// OK) unless an answer was forced; the open and save choosers return the path of the
// step being run, as the user would have chosen it.
class BatchUi : public Ui {
public:
    explicit BatchUi(std::ostream& err) : err(err) {}

    // Forces the answer to every question. A question that does not offer the forced
    // answer gets its nearest: Yes and OK go on, No and Cancel decline.
    void forceAnswer(std::optional<Answer> answer) { forced = answer; }

    // The full path the choosers return while the current step runs; nothing makes
    // them cancel.
    void setChoice(std::optional<std::string> path) { choice = std::move(path); }

    Answer message(const std::string& text, const std::string& caption, Buttons buttons,
                   Icon icon, Owner owner) override;
    std::optional<std::string> chooseOpenFile(const FileDialogSpec& spec) override;
    std::optional<std::string> chooseSaveFile(const FileDialogSpec& spec) override;
    void beep() override {}

private:
    std::optional<std::string> choose();

    std::ostream& err;
    std::optional<Answer> forced;
    std::optional<std::string> choice;
};

// The answer a question with these buttons gets when `forced` is asked for.
Answer answerFor(Buttons buttons, std::optional<Answer> forced);

}  // namespace tesvar::batch
