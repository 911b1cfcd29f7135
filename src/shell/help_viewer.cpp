#include "shell/help_viewer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "shell/brand_picture.h"
#include "shell/shell_resources.h"

namespace tesvar {

HelpViewer::HelpViewer(QWidget* owner) : QWidget(owner, Qt::Window)
{
    ensureShellResources();
    setObjectName(QStringLiteral("helpViewer"));
    setWindowTitle(QStringLiteral("Tesvar Help"));
    setWindowIcon(applicationIcon());
    page = new QTextBrowser(this);
    page->setObjectName(QStringLiteral("helpPage"));
    // Links to other sites go to the desktop's browser; links inside the guide stay here.
    page->setOpenExternalLinks(true);
    page->setSource(QUrl(QStringLiteral("qrc:/tesvar/help.html")));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);
    resize(720, 640);
}

HelpViewer& showHelp(QWidget& owner)
{
    auto* viewer = owner.findChild<HelpViewer*>(QStringLiteral("helpViewer"),
                                                Qt::FindDirectChildrenOnly);
    if (!viewer)
        viewer = new HelpViewer(&owner);
    else
        viewer->browser().setSource(QUrl(QStringLiteral("qrc:/tesvar/help.html")));
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return *viewer;
}

}  // namespace tesvar
