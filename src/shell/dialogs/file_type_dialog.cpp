#include "shell/dialogs/file_type_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "shell/dialogs/dialog_controls.h"

namespace tesvar {

FileTypeDialogView::FileTypeDialogView(QWidget* owner) : QDialog(owner)
{
    setObjectName(controlName(fileTypeIds::Dialog));
    setWindowTitle(QString::fromLatin1(text::kFileTypeTitle));

    auto* group = new QGroupBox(QString::fromLatin1(text::kFileTypeGroup), this);
    auto* groupLayout = new QVBoxLayout(group);
    const std::array<std::pair<int, const char*>, 5> radios = {{
        {fileTypeIds::BrukerX32, text::kBrukerX32Choice},
        {fileTypeIds::BrukerAspect, text::kBrukerAspectChoice},
        {fileTypeIds::Nuts, text::kNutsChoice},
        {fileTypeIds::Varian, text::kVarianChoice},
        {fileTypeIds::Jcamp, text::kJcampChoice},
    }};
    for (std::size_t i = 0; i < radios.size(); ++i) {
        choices[i] = new QRadioButton(QString::fromLatin1(radios[i].second), group);
        choices[i]->setObjectName(controlName(radios[i].first));
        groupLayout->addWidget(choices[i]);
    }

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(okCancelButtons(this, QBoxLayout::TopToBottom));
}

void FileTypeDialogView::check(FileType type)
{
    choices[static_cast<std::size_t>(type)]->setChecked(true);
}

FileType FileTypeDialogView::checked() const
{
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i]->isChecked())
            return static_cast<FileType>(i);
    return FileType::BrukerX32;
}

void FileTypeDialogView::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* display = screen();
    if (!owner || !display)
        return;
    const QRect d = frameGeometry();
    const QRect o = owner->frameGeometry();
    const QSize size = display->geometry().size();
    const ScreenPoint at =
        centreOnOwner({d.left(), d.top(), d.left() + d.width(), d.top() + d.height()},
                      {o.left(), o.top(), o.left() + o.width(), o.top() + o.height()},
                      size.width(), size.height());
    move(at.x, at.y);
}

std::optional<FileType> QtFileTypeDialog::choose(FileType current)
{
    FileTypeDialogView view(owner);
    view.check(current);
    if (view.exec() != QDialog::Accepted)
        return std::nullopt;
    return view.checked();
}

}  // namespace tesvar
