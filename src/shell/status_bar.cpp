#include "shell/status_bar.h"

#include <QLabel>

namespace tesvar {

StatusBar::StatusBar(int creationClientWidth, QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("statusBar"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    const int edges[2] = {creationClientWidth / 2, creationClientWidth};
    int left = 0;
    for (int i = 0; i < 2; ++i) {
        parts[i] = new QLabel(this);
        parts[i]->setObjectName(QStringLiteral("statusPart%1").arg(i));
        parts[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        parts[i]->setTextFormat(Qt::PlainText);
        parts[i]->setIndent(3);
        parts[i]->setGeometry(left, 2, edges[i] - left, kHeight - 2);
        left = edges[i];
    }
}

void StatusBar::setPart(int part, const QString& text)
{
    if (part >= 0 && part < 2)
        parts[part]->setText(text);
}

QString StatusBar::part(int part) const
{
    return part >= 0 && part < 2 ? parts[part]->text() : QString();
}

QLabel* StatusBar::partLabel(int part) const
{
    return part >= 0 && part < 2 ? parts[part] : nullptr;
}

}  // namespace tesvar
