#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/window_port.h"

namespace tesvar::test {

// Records what the platform-free code asks of the main window. Commands sent to it
// run the handler a test installs (an import stand-in, for example).
class FakeWindow : public WindowPort {
public:
    void enableSpectrumCommands() override { ++enableCalls; }
    void setTitle(const std::string& t) override { title = t; }
    void invalidatePlot() override { ++repaints; }
    void setPrompt(const std::string& t) override { prompt = t; }
    void showNote(const std::string& t) override { notes.push_back(t); }
    bool sendCommand(int id) override
    {
        sentCommands.push_back(id);
        return onCommand ? onCommand(id) : false;
    }

    int enableCalls = 0;
    std::string title;
    int repaints = 0;
    std::string prompt;
    std::vector<std::string> notes;
    std::vector<int> sentCommands;
    std::function<bool(int)> onCommand;
};

}  // namespace tesvar::test
