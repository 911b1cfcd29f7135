#pragma once

#include <array>
#include <optional>

#include <QDialog>

#include "importers/import_dispatch.h"

class QRadioButton;

namespace tesvar {

// Dialog 130 "File type": the five radio buttons of the group "Types" (1022, 1002, 1003,
// 1004, 1005), OK (1) and Cancel (2). It centres itself over its owner when it is shown.
class FileTypeDialogView : public QDialog {
    Q_OBJECT
public:
    explicit FileTypeDialogView(QWidget* owner);

    void check(FileType type);
    FileType checked() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::array<QRadioButton*, 5> choices{};  // in the order of FileType
};

// The main window's file-type dialog: runs the view modally over its owner.
class QtFileTypeDialog : public FileTypeDialog {
public:
    explicit QtFileTypeDialog(QWidget* owner) : owner(owner) {}
    std::optional<FileType> choose(FileType current) override;

private:
    QWidget* owner;
};

}  // namespace tesvar
