#pragma once

#include <map>
#include <vector>

#include <QKeySequence>

class QAction;
class QMenuBar;
class QWidget;

namespace tesvar {

// One entry of the menu resource: an item (id and text), a separator (no text) or a
// popup (text and items, id 0).
struct MenuEntry {
    const char* text = nullptr;
    int id = 0;
    std::vector<MenuEntry> items;

    bool isSeparator() const { return text == nullptr; }
    bool isPopup() const { return text != nullptr && id == 0; }
};

// The main menu, popup by popup.
const std::vector<MenuEntry>& mainMenu();

struct Accelerator {
    QKeySequence keys;
    int id;
};

// The accelerator table: each key runs the command of the same id as its menu item.
const std::vector<Accelerator>& accelerators();

// Fills the menu bar. Each item becomes a QAction owned by the window, with its command
// id as data, objectName "id<command>" and the accelerator of that id as its shortcut
// (the text after the tab shows the keys, so Qt does not add them a second time).
// Returns the actions by command id.
std::map<int, QAction*> buildMainMenu(QMenuBar& bar, QWidget& window);

}  // namespace tesvar
