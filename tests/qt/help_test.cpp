// The help window: command 60 and F1 open the guide shipped inside the program, and the
// guide covers every command, tool and dialog.
#include <gtest/gtest.h>

#include <memory>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>

#include "document/spectrum_document.h"
#include "platform/command_ids.h"
#include "shell/help_viewer.h"
#include "shell/main_window.h"
#include "support/fake_ui.h"

namespace tesvar {
namespace {

// The words of a menu item as a reader sees them: no "&", no accelerator after the tab,
// single blanks.
QString plainItemText(const QString& text)
{
    QString t = text.section(QLatin1Char('\t'), 0, 0);
    t.remove(QLatin1Char('&'));
    return t.simplified();
}

void collectItems(const QMenu& menu, QStringList& out)
{
    for (QAction* a : menu.actions()) {
        if (a->isSeparator())
            continue;
        out << plainItemText(a->text());
        if (a->menu())
            collectItems(*a->menu(), out);
    }
}

class HelpInWindow : public ::testing::Test {
protected:
    HelpInWindow() : doc(std::make_unique<SpectrumDocument>()), window(*doc, ui) { window.show(); }

    HelpViewer* viewer() { return window.findChild<HelpViewer*>(QStringLiteral("helpViewer")); }

    std::unique_ptr<SpectrumDocument> doc;
    test::FakeUi ui;
    MainWindow window;
};

TEST_F(HelpInWindow, TheHelpCommandOpensOneGuideWindowBesideTheMainWindow)
{
    QAction* help = window.commandAction(cmd::Help);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isEnabled()) << "help needs no spectrum";
    EXPECT_EQ(help->shortcut(), QKeySequence(Qt::Key_F1));
    help->trigger();
    HelpViewer* shown = viewer();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_TRUE(shown->isWindow());
    EXPECT_FALSE(shown->isModal()) << "the window stays usable beside the guide";
    EXPECT_EQ(shown->windowTitle(), "Tesvar Help");
    EXPECT_EQ(shown->browser().source(), QUrl("qrc:/tesvar/help.html"));
    EXPECT_TRUE(shown->browser().toPlainText().startsWith("Tesvar Version 1.0"));

    // A second request brings the same window forward, back at its contents.
    shown->browser().scrollToAnchor(QStringLiteral("files"));
    help->trigger();
    EXPECT_EQ(window.findChildren<HelpViewer*>().size(), 1);
}

TEST_F(HelpInWindow, TheGuideNamesEveryMenuItemToolbarButtonAndDialog)
{
    const QString guide = showHelp(window).browser().document()->toPlainText().simplified();
    ASSERT_FALSE(guide.isEmpty());

    QStringList items;
    for (QAction* top : window.menuBar()->actions())
        collectItems(*top->menu(), items);
    ASSERT_GT(items.size(), 35);
    for (const QString& item : items)
        EXPECT_TRUE(guide.contains(item)) << "menu item " << item.toStdString();

    for (QAction* button : window.toolbar().actions()) {
        if (button->isSeparator())
            continue;
        EXPECT_TRUE(guide.contains(button->toolTip(), Qt::CaseInsensitive))
            << "toolbar button " << button->toolTip().toStdString();
    }

    for (const char* dialog :
         {"File type", "Window Function Parameters", "Fast Fourier Transform", "Phase Correction",
          "Number of Hydrogens", "Integral Factor Scale", "PEAK PICKING", "Reference",
          "Meassure J", "Display Data Points (Reals)", "Set limits", "SCALE Y FACTOR", "Units",
          "Data Acquisition Parameters"})
        EXPECT_TRUE(guide.contains(QString::fromLatin1(dialog))) << "dialog " << dialog;
}

TEST_F(HelpInWindow, EveryLinkOfTheContentsLeadsToASectionOfTheGuide)
{
    QTextBrowser& page = showHelp(window).browser();
    const QString html = page.document()->toHtml();
    for (const char* anchor : {"start", "file", "edit", "view", "analyse", "process", "tools",
                               "help", "mouse", "files", "contents"}) {
        EXPECT_TRUE(html.contains(QStringLiteral("href=\"#%1\"").arg(anchor))) << anchor;
        EXPECT_TRUE(html.contains(QStringLiteral("name=\"%1\"").arg(anchor))) << anchor;
    }
}

}  // namespace
}  // namespace tesvar
