#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>

#include <QMainWindow>

#include "platform/window_port.h"
#include "shell/command_table.h"

class QAction;
class QImage;
class QToolBar;

namespace tesvar {

class Canvas;
class ClientArea;
class StatusBar;
class Ui;
struct SpectrumDocument;

// The application's one window: the menu, the client area with its scroll bars, the
// toolbar at the top of the client area and the status bar at its bottom. It owns no
// document: the entry point hands it the document and the Ui.
//
// Every menu item, accelerator, toolbar button and command sent by the document goes
// through the command table. A menu item is enabled only while its command is
// connected (and, for the commands that need a spectrum, once one was loaded), so a
// command that is not connected yet stays greyed; connecting one is a single call to
// connectCommand.
class MainWindow : public QMainWindow, public WindowPort {
    Q_OBJECT
public:
    MainWindow(SpectrumDocument& doc, Ui& ui, QWidget* parent = nullptr);
    ~MainWindow() override;

    // WindowPort.
    void enableSpectrumCommands() override;
    void setTitle(const std::string& title) override;
    void invalidatePlot() override;
    void setPrompt(const std::string& text) override;
    void showNote(const std::string& text) override;
    bool sendCommand(int commandId) override;

    // Connects a handler (returning bool, or nothing for "done") to a command id.
    template <class F>
    void connectCommand(int id, F handler)
    {
        commands.connect(id, std::move(handler));
        updateCommandStates();
    }
    bool isCommandConnected(int id) const { return commands.isConnected(id); }

    // Draws the plot into the back buffer while a spectrum is loaded; runs at the start
    // of every paint.
    using PlotRenderer = std::function<void(Canvas& canvas)>;
    void setPlotRenderer(PlotRenderer renderer);

    SpectrumDocument& document() { return doc; }
    Ui& ui() { return userInterface; }
    ClientArea& clientArea() { return *client; }
    QImage& backBuffer();
    StatusBar& statusLine() { return *status; }
    QToolBar& toolbar() { return *tools; }
    QAction* commandAction(int id) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createClientState();
    void connectCommands();
    void updateCommandStates();
    void clientResized(QSize size);
    void drawPlot(QImage& buffer);

    SpectrumDocument& doc;
    Ui& userInterface;
    CommandTable commands;
    std::map<int, QAction*> menuActions;
    bool spectrumCommandsEnabled = false;
    ClientArea* client = nullptr;
    QToolBar* tools = nullptr;
    StatusBar* status = nullptr;
    PlotRenderer renderer;
};

}  // namespace tesvar
