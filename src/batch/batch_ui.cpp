#include "batch/batch_ui.h"

#include <filesystem>
#include <system_error>

namespace tesvar::batch {

Answer answerFor(Buttons buttons, std::optional<Answer> forced)
{
    const bool goOn = !forced || *forced == Answer::Yes || *forced == Answer::Ok;
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return goOn ? Answer::Ok : Answer::Cancel;
    case Buttons::YesNo:
        return goOn ? Answer::Yes : Answer::No;
    case Buttons::YesNoCancel:
        if (goOn)
            return Answer::Yes;
        return *forced;
    }
    return Answer::Ok;
}

Answer BatchUi::message(const std::string& text, const std::string& caption, Buttons buttons,
                        Icon, Owner)
{
    err << caption << ": " << text << '\n';
    err.flush();
    return answerFor(buttons, forced);
}

std::optional<std::string> BatchUi::choose(Chooser which)
{
    if (!choice || which != chooser)
        return std::nullopt;
    // As with the desktop choosers, the chosen file's folder becomes the current folder
    // (importers look for parameter files there).
    std::error_code ec;
    std::filesystem::current_path(std::filesystem::path(*choice).parent_path(), ec);
    return choice;
}

std::optional<std::string> BatchUi::chooseOpenFile(const FileDialogSpec&)
{
    return choose(Chooser::Open);
}

std::optional<std::string> BatchUi::chooseSaveFile(const FileDialogSpec&)
{
    return choose(Chooser::Save);
}

}  // namespace tesvar::batch
