#pragma once

#include <QWidget>

class QTextBrowser;

namespace tesvar {

// The help window: the application's guide to every command, tool and dialog, shipped
// inside the program and shown in a browser of its own beside the main window.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* owner);
    QTextBrowser& browser() { return *page; }

private:
    QTextBrowser* page = nullptr;
};

// Command 60: opens the help window at its contents, or brings it forward.
HelpViewer& showHelp(QWidget& owner);

}  // namespace tesvar
