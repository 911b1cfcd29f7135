#include "platform/qt/qt_ui.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QMimeData>

#include "platform/qt/qt_bitmap.h"

namespace tesvar {

namespace {

QMessageBox::StandardButtons standardButtons(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::None:
        return QMessageBox::NoIcon;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// A box closed without a button (Escape, the window's close button) gives the answer
// that changes nothing.
Answer answerOf(int clicked, Buttons buttons)
{
    switch (clicked) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QString toQString(const std::string& s) { return QString::fromStdString(s); }

// Qt reads the pattern from the parentheses at the end of the filter's text.
QString nameFilter(const FileDialogSpec& spec)
{
    const std::string pattern = "(" + spec.filterPattern + ")";
    if (spec.filterText.ends_with(pattern))
        return toQString(spec.filterText);
    return toQString(spec.filterText + " " + pattern);
}

// On this platform "*.*" would hide files without a dot (a Bruker "fid", a Varian
// "procpar"); the filter means every file, so the list is told to match them all.
void matchEveryFile(QFileDialog& dialog, const FileDialogSpec& spec)
{
    if (spec.filterPattern != "*.*")
        return;
    if (auto* model = dialog.findChild<QFileSystemModel*>())
        model->setNameFilters({QStringLiteral("*")});
}

}  // namespace

Answer QtUi::message(const std::string& text, const std::string& caption, Buttons buttons,
                     Icon icon, Owner owner)
{
    QWidget* parent = owner == Owner::ActiveWindow ? QApplication::activeWindow() : nullptr;
    QMessageBox box(boxIcon(icon), toQString(caption), toQString(text),
                    standardButtons(buttons), parent);
    box.setTextFormat(Qt::PlainText);
    return answerOf(box.exec(), buttons);
}

std::optional<std::string> QtUi::chooseOpenFile(const FileDialogSpec& spec)
{
    return chooseFile(spec, false);
}

std::optional<std::string> QtUi::chooseSaveFile(const FileDialogSpec& spec)
{
    return chooseFile(spec, true);
}

std::optional<std::string> QtUi::chooseFile(const FileDialogSpec& spec, bool save)
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The filter goes in before a name is preselected: choosing a filter rewrites the
    // suffix of the name in the save dialog.
    dialog.setNameFilter(nameFilter(spec));
    matchEveryFile(dialog, spec);
    if (spec.defaultExtension != "*")
        dialog.setDefaultSuffix(toQString(spec.defaultExtension));
    if (!spec.initialPath.empty())
        dialog.selectFile(QFile::decodeName(spec.initialPath.c_str()));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty())
        return std::nullopt;
    const QFileInfo info(chosen.front());
    // The importers look for parameter files beside the chosen file.
    QDir::setCurrent(info.absolutePath());
    return QFile::encodeName(info.absoluteFilePath()).toStdString();
}

void QtUi::beep() { QApplication::beep(); }

bool QtUi::putClipboardImage(const Bitmap& bitmap)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QImage image = toQImage(bitmap);
    if (!clipboard || image.isNull())
        return false;
    clipboard->setImage(image);
    // The clipboard answers with what it now holds: the picture is handed over only
    // when it reads back as an image.
    const QMimeData* held = clipboard->mimeData();
    return held && held->hasImage();
}

ClipboardImage QtUi::clipboardImage()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return {};
    ClipboardImage result{true, std::nullopt};
    const QMimeData* held = clipboard->mimeData();
    if (!held || !held->hasImage())
        return result;
    const QImage image = qvariant_cast<QImage>(held->imageData());
    if (!image.isNull())
        result.image = toBitmap(image);
    return result;
}

}  // namespace tesvar
