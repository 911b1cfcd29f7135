#include "shell/main_window.h"

#include <algorithm>
#include <iterator>

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "document/file_commands.h"
#include "importers/file_recognition.h"
#include "document/spectrum_document.h"
#include "document/view_commands.h"
#include "platform/command_ids.h"
#include "platform/qt/qt_canvas.h"
#include "shell/client_area.h"
#include "shell/main_menu.h"
#include "shell/main_toolbar.h"
#include "shell/status_bar.h"

namespace tesvar {

namespace {

bool needsSpectrum(int id)
{
    return std::ranges::find(cmd::kSpectrumCommands, id) != std::end(cmd::kSpectrumCommands);
}

// The client area of a window that fills the screen's work area.
QSize fullScreenClientSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableSize() : QSize(1024, 768);
}

std::vector<std::string> localPaths(const QMimeData* mime)
{
    std::vector<std::string> paths;
    if (!mime)
        return paths;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            // An experiment folder opens its fid.
            paths.push_back(fileToOpen(QFile::encodeName(url.toLocalFile()).toStdString()));
    return paths;
}

}  // namespace

MainWindow::MainWindow(SpectrumDocument& d, Ui& u, QWidget* parent)
    : QMainWindow(parent), doc(d), userInterface(u)
{
    setObjectName(QStringLiteral("tesvar"));
    setWindowTitle(QStringLiteral("Tesvar Version 1.0"));

    menuActions = buildMainMenu(*menuBar(), *this);
    for (const auto& [id, action] : menuActions)
        connect(action, &QAction::triggered, this, [this, id = id] { commands.dispatch(id); });

    createClientState();
    connect(client, &ClientArea::clientResized, this, &MainWindow::clientResized);
    client->beforePaint = [this](QImage& buffer) { drawPlot(buffer); };
    tools = buildToolbar(*client->viewport(), [this](int id) { commands.dispatch(id); });
    tools->setGeometry(0, 0, doc.clientWidth, kToolbarHeight);
    status = new StatusBar(doc.clientWidth, client->viewport());
    status->setGeometry(0, doc.clientHeight - StatusBar::kHeight, doc.clientWidth,
                        StatusBar::kHeight);

    connectCommands();
    updateCommandStates();
}

MainWindow::~MainWindow() = default;

// The creation steps: no spectrum to lose yet, the data cleared, the view sized to the
// full screen, the scroll ranges, the back buffer and the drop target.
void MainWindow::createClientState()
{
    doc.nothingToSave = 1;
    doc.data.fill(0.0);

    const QSize screen = fullScreenClientSize();
    doc.clientWidth = screen.width();
    doc.clientHeight = screen.height();
    doc.baselineY = doc.clientHeight / 2;

    client = new ClientArea(screen, this);
    setCentralWidget(client);
    client->verticalScrollBar()->setRange(0, doc.clientHeight);
    client->verticalScrollBar()->setValue(doc.integralBaseY);
    doc.hScrollMax = doc.valueCount;
    doc.hScrollPos = 0;
    client->horizontalScrollBar()->setRange(0, doc.hScrollMax);
    client->horizontalScrollBar()->setValue(0);

    doc.plotRect = {0, 29, doc.clientWidth, doc.clientHeight - 23};
    setAcceptDrops(true);
}

void MainWindow::clientResized(QSize size)
{
    const int w = size.width();
    const int h = size.height();
    doc.clientWidth = w;
    doc.clientHeight = h;
    doc.plotRect.top = 28;
    doc.plotRect.right = w;
    doc.plotRect.bottom = h - 23;
    doc.baselineY = h / 2;
    doc.integralBaseY = h / 2;
    tools->setGeometry(0, 0, w, kToolbarHeight);
    status->setGeometry(0, h - StatusBar::kHeight, w, StatusBar::kHeight);
}

void MainWindow::updateCommandStates()
{
    for (const auto& [id, action] : menuActions)
        action->setEnabled(commands.isConnected(id) &&
                           (spectrumCommandsEnabled || !needsSpectrum(id)));
    // A toolbar button is greyed with its menu item, so that nothing runs on an empty
    // document from the toolbar either.
    if (!tools)
        return;
    for (QAction* button : tools->actions())
        if (const QAction* item = commandAction(button->data().toInt()))
            button->setEnabled(item->isEnabled());
}

QAction* MainWindow::commandAction(int id) const
{
    const auto it = menuActions.find(id);
    return it == menuActions.end() ? nullptr : it->second;
}

QImage& MainWindow::backBuffer() { return client->backBuffer(); }

void MainWindow::setPlotRenderer(PlotRenderer r) { renderer = std::move(r); }

// The one place where the picture is drawn: while a spectrum is loaded, the renderer
// redraws the whole plot into the back buffer before the invalid part is copied out.
void MainWindow::drawPlot(QImage& buffer)
{
    if (doc.hasSpectrum != 1 || !renderer)
        return;
    QPainter painter(&buffer);
    QtCanvas canvas(painter);
    renderer(canvas);
}

void MainWindow::enableSpectrumCommands()
{
    spectrumCommandsEnabled = true;
    updateCommandStates();
}

void MainWindow::setTitle(const std::string& title)
{
    setWindowTitle(QFile::decodeName(title.c_str()));
}

void MainWindow::invalidatePlot()
{
    const PlotRect& r = doc.plotRect;
    client->viewport()->update(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top));
}

void MainWindow::setPrompt(const std::string& text)
{
    status->setPart(0, QString::fromStdString(text));
}

void MainWindow::showNote(const std::string& text)
{
    // Shown once the command has run to its end, since the Open and Import commands
    // clear the prompt as their last step.
    QTimer::singleShot(0, this, [this, note = QString::fromStdString(text)] {
        status->setPart(0, note);
    });
}

bool MainWindow::sendCommand(int commandId) { return commands.dispatch(commandId); }

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (askToSave(doc, userInterface) != SaveAnswer::GoOn) {
        event->ignore();
        return;
    }
    event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (text.size() == 1 && text.front().unicode() < 128 &&
        characterKey(doc, *this, static_cast<char>(text.front().unicode()))) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!localPaths(event->mimeData()).empty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const std::vector<std::string> paths = localPaths(event->mimeData());
    if (paths.empty())
        return;
    event->acceptProposedAction();
    dropFiles(doc, userInterface, *this, paths);
}

}  // namespace tesvar
