#pragma once

#include <functional>
#include <map>
#include <ostream>
#include <string>

#include "platform/window_port.h"

namespace tesvar::batch {

// The main window as the batch runner sees it: no menu and no picture, only the title
// and the commands that steps connect. A command nobody connected does nothing and
// reports that it did no work, so the Open command's hand-over of an instrument file
// to the import path fails (the file's type is named with a step of its own).
class BatchWindow : public WindowPort {
public:
    using CommandHandler = std::function<bool()>;

    // Notes go to `err`, one line each.
    explicit BatchWindow(std::ostream& err) : err(err) {}

    // Runs `handler` when the command is sent, in place of doing nothing.
    void connectCommand(int commandId, CommandHandler handler);
    void disconnectCommand(int commandId);

    void enableSpectrumCommands() override { commandsEnabled = true; }
    void setTitle(const std::string& t) override { windowTitle = t; }
    void invalidatePlot() override { ++repaintRequests; }
    void setPrompt(const std::string& t) override { promptText = t; }
    void showNote(const std::string& t) override { err << t << '\n'; }
    bool sendCommand(int commandId) override;

    const std::string& title() const { return windowTitle; }
    const std::string& prompt() const { return promptText; }
    bool spectrumCommandsEnabled() const { return commandsEnabled; }
    int repaints() const { return repaintRequests; }

private:
    std::ostream& err;
    std::map<int, CommandHandler> handlers;
    std::string windowTitle;
    std::string promptText;
    bool commandsEnabled = false;
    int repaintRequests = 0;
};

}  // namespace tesvar::batch
