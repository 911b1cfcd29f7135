#include "shell/analysis_commands.h"

#include <map>

#include <QEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>

#include "analysis/integration.h"
#include "analysis/mouse_tools.h"
#include "analysis/mouse_wheel.h"
#include "analysis/tool_commands.h"
#include "document/spectrum_document.h"
#include "platform/command_ids.h"
#include "shell/client_area.h"
#include "shell/clipboard_commands.h"
#include "shell/main_window.h"
#include "shell/plot_output.h"
#include "shell/report_printer_qt.h"
#include "shell/status_bar.h"
#include "shell/tool_cursors.h"

namespace tesvar {

namespace {

ScrollCode scrollCode(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return ScrollCode::LineBack;
    case QAbstractSlider::SliderSingleStepAdd: return ScrollCode::LineForward;
    case QAbstractSlider::SliderPageStepSub: return ScrollCode::PageBack;
    case QAbstractSlider::SliderPageStepAdd: return ScrollCode::PageForward;
    case QAbstractSlider::SliderMove: return ScrollCode::ThumbTrack;
    default: return ScrollCode::Other;
    }
}

// The main window's side of the analysis: its dialogs, scroll bars, status bar and
// cursor, and the mouse events of the client area handed to the mouse tools.
class QtAnalysisHost : public QObject, public AnalysisHost {
public:
    explicit QtAnalysisHost(MainWindow& window)
        : QObject(&window), window(window),
          tools(window.document(), window.ui(), window, *this),
          wheel(window.document(), window, *this, tools),
          printers([](QWidget* owner) { return std::make_unique<QtReportPrinter>(owner); })
    {
        setObjectName(QStringLiteral("analysisHost"));
        QWidget* viewport = window.clientArea().viewport();
        viewport->setMouseTracking(true);
        viewport->installEventFilter(this);
        QScrollBar* horizontal = window.clientArea().horizontalScrollBar();
        connect(horizontal, &QScrollBar::actionTriggered, this, [this, horizontal](int action) {
            tools.onHorizontalScroll(scrollCode(action), horizontal->sliderPosition());
            // The bar shows the position the tools kept, whatever the step asked for.
            horizontal->setSliderPosition(doc().hScrollPos);
        });
        QScrollBar* vertical = window.clientArea().verticalScrollBar();
        connect(vertical, &QScrollBar::actionTriggered, this, [this, vertical](int action) {
            tools.onVerticalScroll(scrollCode(action), vertical->sliderPosition());
            if (doc().integralsShown == 1)
                vertical->setSliderPosition(doc().integralBaseY);
            else
                vertical->setSliderPosition(vertical->value());
        });
    }

    void setPrinters(ReportPrinterFactory factory) { printers = std::move(factory); }

    void runHydrogensDialog() override
    {
        HydrogensDialogView dialog(doc(), window, &window);
        dialog.exec();
    }
    void runIntegralFactorDialog() override
    {
        IntegralFactorDialogView dialog(doc(), &window);
        dialog.exec();
    }
    void runPeakDialog() override
    {
        PeakDialogView dialog(doc(), window.ui(), printers, &window);
        dialog.exec();
    }
    void runReferenceDialog() override
    {
        ReferenceDialogView dialog(doc(), window.ui(), window, &window);
        dialog.exec();
    }
    void runDataPointsDialog() override
    {
        DataPointsDialogView dialog(doc(), &window);
        dialog.exec();
    }
    void openMeasureJDialog() override
    {
        measureJ = new MeasureJDialogView(doc(), window.ui(), window, printers, &window);
        measureJ->show();
    }
    void addMeasureJLine(const std::string& line) override
    {
        if (measureJ)
            measureJ->appendLine(line);
    }

    void setHorizontalScrollRange(int maximum) override
    {
        QScrollBar* bar = window.clientArea().horizontalScrollBar();
        const QSignalBlocker quiet(bar);
        bar->setRange(0, maximum);
    }
    void setHorizontalScrollPosition(int position) override
    {
        QScrollBar* bar = window.clientArea().horizontalScrollBar();
        const QSignalBlocker quiet(bar);
        bar->setValue(position);
    }
    void setVerticalScroll(int maximum, int position) override
    {
        QScrollBar* bar = window.clientArea().verticalScrollBar();
        const QSignalBlocker quiet(bar);
        bar->setRange(0, maximum);
        bar->setValue(position);
    }

    void drawFeedback(const std::function<void(Canvas&)>& draw) override
    {
        drawOnWindow(window, draw);
    }
    void setToolCursor(ToolCursor cursor) override
    {
        auto it = cursors.find(cursor);
        if (it == cursors.end())
            it = cursors.emplace(cursor, toolCursor(cursor)).first;
        window.clientArea().viewport()->setCursor(it->second);
    }
    void showReadout(const std::string& text) override
    {
        window.statusLine().setPart(1, QString::fromStdString(text));
    }
    void copyRegion(int x0, int y0, int x1, int y1) override
    {
        copyRegionToClipboard(window, DragCorners{x0, y0, x1, y1});
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != window.clientArea().viewport())
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint p = mouse->position().toPoint();
            if (mouse->button() == Qt::LeftButton)
                tools.onLeftDown(p.x(), p.y(),
                                 mouse->buttons() == Qt::LeftButton &&
                                     mouse->modifiers() == Qt::ShiftModifier);
            else if (mouse->button() == Qt::RightButton)
                tools.onRightDown(p.x(), p.y());
            return true;
        }
        case QEvent::MouseMove: {
            const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
            tools.onMouseMove(p.x(), p.y());
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                tools.onLeftUp();
            return true;
        case QEvent::Wheel: {
            const auto* turn = static_cast<QWheelEvent*>(event);
            const Qt::KeyboardModifiers keys = turn->modifiers();
            wheel.onWheel({turn->position().toPoint().x(), turn->angleDelta().x(),
                           turn->angleDelta().y(), turn->pixelDelta().x(),
                           turn->pixelDelta().y(), keys.testFlag(Qt::ControlModifier),
                           keys.testFlag(Qt::ShiftModifier)});
            return true;
        }
        default:
            return false;
        }
    }

private:
    SpectrumDocument& doc() { return window.document(); }

    MainWindow& window;
    MouseTools tools;
    MouseWheel wheel;
    ReportPrinterFactory printers;
    QPointer<MeasureJDialogView> measureJ;
    std::map<ToolCursor, QCursor> cursors;
};

}  // namespace

void connectAnalysisCommands(MainWindow& window)
{
    auto* host = new QtAnalysisHost(window);
    SpectrumDocument& doc = window.document();
    window.connectCommand(cmd::Zoom, [&doc, &window] { zoomToolCommand(doc, window); });
    window.connectCommand(cmd::Integrate,
                          [&doc, &window, host] { integrateToolCommand(doc, window, *host); });
    window.connectCommand(cmd::PeakPicking, [&doc, &window] { peakToolCommand(doc, window); });
    window.connectCommand(cmd::EditPeaks, [&window, host] { editPeaksCommand(window, *host); });
    window.connectCommand(cmd::MoveSpectrum, [&doc, &window] { moveSpectrumCommand(doc, window); });
    window.connectCommand(cmd::Reference, [&doc, &window] { referenceToolCommand(doc, window); });
    window.connectCommand(cmd::MeasureJ,
                          [&doc, &window, host] { measureJCommand(doc, window, *host); });
    window.connectCommand(cmd::DeleteIntegrals, [&doc, &window] { deleteAllIntegrals(doc, window); });
    window.connectCommand(cmd::IntegralIncrease, [&doc, &window] { increaseIntegrals(doc, window); });
    window.connectCommand(cmd::IntegralDecrease, [&doc, &window] { decreaseIntegrals(doc, window); });
    window.connectCommand(cmd::IntegralFactorScale,
                          [&doc, host] { integralFactorCommand(doc, *host); });
    window.connectCommand(cmd::DataPoints, [host] { dataPointsCommand(*host); });
}

void setReportPrinterFactory(MainWindow& window, ReportPrinterFactory factory)
{
    QObject* found = window.findChild<QObject*>(QStringLiteral("analysisHost"),
                                                Qt::FindDirectChildrenOnly);
    if (auto* host = dynamic_cast<QtAnalysisHost*>(found))
        host->setPrinters(std::move(factory));
}

}  // namespace tesvar
