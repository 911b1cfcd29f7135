#pragma once

#include <functional>
#include <vector>

class QToolBar;
class QWidget;

namespace tesvar {

// One entry of the toolbar: a button (image of the strip, command id, tooltip) or a
// separator (image -1).
struct ToolbarEntry {
    int image;
    int id;
    const char* tooltip;

    bool isSeparator() const { return image < 0; }
};

const std::vector<ToolbarEntry>& toolbarEntries();

inline constexpr int kToolbarHeight = 28;

// Makes the toolbar (objectName "id40016") as a child of the client area. Every button
// carries its command id as its action's data and is named "id<command>"; pressing it
// calls dispatch with the id. The window greys a button while its menu item is greyed.
QToolBar* buildToolbar(QWidget& clientArea, std::function<void(int)> dispatch);

}  // namespace tesvar
