#include "shell/main_toolbar.h"

#include <QAction>
#include <QToolBar>

#include "platform/command_ids.h"
#include "shell/toolbar_icons.h"

namespace tesvar {

const std::vector<ToolbarEntry>& toolbarEntries()
{
    static const std::vector<ToolbarEntry> entries = {
        {0, cmd::Open, "Open"},
        {1, cmd::Save, "Save"},
        {-1, 0, nullptr},
        {2, cmd::Zoom, "Zoom"},
        {3, cmd::MoveSpectrum, "Vertical shift"},
        {4, cmd::Increase, "Increase"},
        {5, cmd::Decrease, "Decrease"},
        {6, cmd::Full, "Full"},
        {-1, 0, nullptr},
        {7, cmd::Apodize, "Apodization"},
        {8, cmd::Fourier, "Fourier transform"},
        {9, cmd::PhaseCorrection, "Phase correction"},
        {14, cmd::AutoPhase, "Automatic phase"},
        {10, cmd::ManualBaseline, "Baseline correction"},
        {11, cmd::Reference, "Reference Spectrum"},
        {12, cmd::PeakPicking, "Peak Picking"},
        {13, cmd::Integrate, "Integrate"},
    };
    return entries;
}

QToolBar* buildToolbar(QWidget& clientArea, std::function<void(int)> dispatch)
{
    auto* bar = new QToolBar(&clientArea);
    bar->setObjectName(QStringLiteral("id%1").arg(cmd::Toolbar));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(kToolbarImageWidth, kToolbarImageHeight));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setAutoFillBackground(true);
    for (const ToolbarEntry& e : toolbarEntries()) {
        if (e.isSeparator()) {
            bar->addSeparator();
            continue;
        }
        const QString tip = QString::fromLatin1(e.tooltip);
        QAction* action = bar->addAction(QIcon(toolbarImage(e.image)), tip);
        action->setToolTip(tip);
        action->setData(e.id);
        bar->widgetForAction(action)->setObjectName(QStringLiteral("id%1").arg(e.id));
        QObject::connect(action, &QAction::triggered, bar,
                         [dispatch, id = e.id] { dispatch(id); });
    }
    return bar;
}

}  // namespace tesvar
