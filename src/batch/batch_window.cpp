#include "batch/batch_window.h"

namespace tesvar::batch {

void BatchWindow::connectCommand(int commandId, CommandHandler handler)
{
    handlers[commandId] = std::move(handler);
}

void BatchWindow::disconnectCommand(int commandId)
{
    handlers.erase(commandId);
}

bool BatchWindow::sendCommand(int commandId)
{
    const auto found = handlers.find(commandId);
    return found != handlers.end() && found->second();
}

}  // namespace tesvar::batch
