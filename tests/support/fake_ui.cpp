#include "support/fake_ui.h"

namespace tesvar::test {

Answer FakeUi::message(const std::string& text, const std::string& caption, Buttons buttons,
                       Icon icon, Owner owner)
{
    Answer a = (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel) ? Answer::Yes
                                                                              : Answer::Ok;
    if (!answers.empty()) {
        a = answers.front();
        answers.pop_front();
    }
    messages.push_back({text, caption, buttons, icon, owner, a});
    return a;
}

std::optional<std::string> FakeUi::nextChoice()
{
    if (choices.empty())
        return std::nullopt;
    auto c = choices.front();
    choices.pop_front();
    return c;
}

std::optional<std::string> FakeUi::chooseOpenFile(const FileDialogSpec& spec)
{
    auto c = nextChoice();
    fileChoices.push_back({false, spec, c});
    return c;
}

std::optional<std::string> FakeUi::chooseSaveFile(const FileDialogSpec& spec)
{
    auto c = nextChoice();
    fileChoices.push_back({true, spec, c});
    return c;
}

bool FakeUi::putClipboardImage(const Bitmap& image)
{
    if (!clipboardOpens)
        return false;
    ++clipboardPuts;
    clipboard = image;
    return true;
}

ClipboardImage FakeUi::clipboardImage()
{
    if (!clipboardOpens)
        return {};
    return {true, clipboard};
}

std::vector<std::string> FakeUi::captions() const
{
    std::vector<std::string> out;
    for (const auto& m : messages)
        out.push_back(m.caption);
    return out;
}

std::vector<std::string> FakeUi::texts() const
{
    std::vector<std::string> out;
    for (const auto& m : messages)
        out.push_back(m.text);
    return out;
}

}  // namespace tesvar::test
