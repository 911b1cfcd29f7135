#include "shell/main_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include "platform/command_ids.h"

namespace tesvar {

namespace {

MenuEntry item(const char* text, int id) { return MenuEntry{text, id, {}}; }
MenuEntry separator() { return MenuEntry{}; }
MenuEntry popup(const char* text, std::vector<MenuEntry> items)
{
    return MenuEntry{text, 0, std::move(items)};
}

void addEntries(QMenu& menu, const std::vector<MenuEntry>& entries, QWidget& window,
                std::map<int, QAction*>& actions)
{
    for (const MenuEntry& e : entries) {
        if (e.isSeparator()) {
            menu.addSeparator();
        } else if (e.isPopup()) {
            addEntries(*menu.addMenu(QString::fromLatin1(e.text)), e.items, window, actions);
        } else {
            auto* action = new QAction(QString::fromLatin1(e.text), &window);
            action->setData(e.id);
            action->setObjectName(QStringLiteral("id%1").arg(e.id));
            menu.addAction(action);
            actions[e.id] = action;
        }
    }
}

}  // namespace

const std::vector<MenuEntry>& mainMenu()
{
    static const std::vector<MenuEntry> menu = {
        popup("&File", {item("&Open\tCtrl+O", cmd::Open), item("&Import\tCtrl+I", cmd::Import),
                        item("&Save\tCtrl+S", cmd::Save), separator(),
                        item("&Print\tCtrl+P", cmd::Print), item("Export...", cmd::Export),
                        item("E&xit", cmd::Exit)}),
        popup("&Edit", {separator(), item("Undo\tCtrl+Z", cmd::Undo), item("&Copy", cmd::Copy),
                        item("&Paste", cmd::Paste)}),
        // Set limits (20) has an item of its own after Full, so that it can be reached.
        popup("&View", {item("&Full\tCtrl+F", cmd::Full), item("Set &limits...", cmd::SetLimits),
                        popup("Scale &Y zoom", {item("Scale &Factor", cmd::ScaleFactor),
                                                item("&Increase  (+)", cmd::Increase),
                                                item("&Decrease  (-)", cmd::Decrease)}),
                        item("Scale &Units...", cmd::ScaleUnits)}),
        popup("&Analyse", {item("&Parameters", cmd::Parameters),
                           item("&Data points", cmd::DataPoints),
                           item("&Edit peaks", cmd::EditPeaks)}),
        popup("&Process", {item("&Apodize...", cmd::Apodize),
                           item("&Fourier transform...", cmd::Fourier),
                           item("&Phase Correction", cmd::PhaseCorrection),
                           item("&Automatic Phase", cmd::AutoPhase),
                           item("Manual &Baseline correction", cmd::ManualBaseline),
                           item("Baseline correction", cmd::AutoBaseline),
                           item("&Smooth Baseline", cmd::SmoothBaseline),
                           item("&Invert", cmd::Invert)}),
        popup("&Tools",
              {item("&Zoom", cmd::Zoom), item("&Integrate", cmd::Integrate),
               popup("&Scale Integral",
                     {item("Factor Scale...", cmd::IntegralFactorScale),
                      item("&Increase\t(Key Up)", cmd::IntegralIncrease),
                      item("&Decrease \t(Key Down)", cmd::IntegralDecrease)}),
               item("&Delete Integrals", cmd::DeleteIntegrals),
               item("&Peak Picking", cmd::PeakPicking),
               item("&Move Spectrum", cmd::MoveSpectrum), item("&Reference", cmd::Reference),
               item("Measure &J", cmd::MeasureJ)}),
        popup("&Help", {item("&Help\tF1", cmd::Help), item("&About...", cmd::About)}),
    };
    return menu;
}

const std::vector<Accelerator>& accelerators()
{
    static const std::vector<Accelerator> table = {
        {QKeySequence(Qt::CTRL | Qt::Key_F), cmd::Full},
        {QKeySequence(Qt::CTRL | Qt::Key_I), cmd::Import},
        {QKeySequence(Qt::CTRL | Qt::Key_O), cmd::Open},
        {QKeySequence(Qt::CTRL | Qt::Key_P), cmd::Print},
        {QKeySequence(Qt::CTRL | Qt::Key_S), cmd::Save},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), cmd::Undo},
        {QKeySequence(Qt::Key_Up), cmd::IntegralIncrease},
        {QKeySequence(Qt::Key_Down), cmd::IntegralDecrease},
        {QKeySequence(Qt::Key_F1), cmd::Help},
    };
    return table;
}

std::map<int, QAction*> buildMainMenu(QMenuBar& bar, QWidget& window)
{
    std::map<int, QAction*> actions;
    for (const MenuEntry& top : mainMenu())
        addEntries(*bar.addMenu(QString::fromLatin1(top.text)), top.items, window, actions);
    for (const Accelerator& a : accelerators()) {
        QAction* action = actions.at(a.id);
        action->setShortcut(a.keys);
        // The window holds the actions too, so their keys work wherever the focus is
        // inside it.
        window.addAction(action);
    }
    return actions;
}

}  // namespace tesvar
