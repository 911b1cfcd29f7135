#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "platform/ui.h"

namespace tesvar::batch {

// The file dialog a step names its path for.
enum class Chooser { Open, Save };

// The Ui of the batch runner. Every message goes to standard error as "CAPTION: TEXT"
// (line breaks kept). Questions get the answer that lets the operation go on (Yes or
// OK) unless an answer was forced; the step's own file dialog (open or save) returns
// the path of the step being run, as the user would have chosen it.
class BatchUi : public Ui {
public:
    explicit BatchUi(std::ostream& err) : err(err) {}

    // Forces the answer to every question. A question that does not offer the forced
    // answer gets its nearest: Yes and OK go on, No and Cancel decline.
    void forceAnswer(std::optional<Answer> answer) { forced = answer; }

    // The full path the `which` chooser returns while the current step runs; the other
    // chooser is cancelled, so the save dialog of the save question asked by an open
    // step never writes over the file being opened. No path cancels both.
    void setChoice(std::optional<std::string> path, Chooser which = Chooser::Open)
    {
        choice = std::move(path);
        chooser = which;
    }

    Answer message(const std::string& text, const std::string& caption, Buttons buttons,
                   Icon icon, Owner owner) override;
    std::optional<std::string> chooseOpenFile(const FileDialogSpec& spec) override;
    std::optional<std::string> chooseSaveFile(const FileDialogSpec& spec) override;
    void beep() override {}

private:
    std::optional<std::string> choose(Chooser which);

    std::ostream& err;
    std::optional<Answer> forced;
    std::optional<std::string> choice;
    Chooser chooser = Chooser::Open;
};

// The answer a question with these buttons gets when `forced` is asked for.
Answer answerFor(Buttons buttons, std::optional<Answer> forced);

}  // namespace tesvar::batch
