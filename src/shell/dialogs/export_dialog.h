#pragma once

#include <QDialog>

#include "shell/picture_export.h"

class QRadioButton;

namespace tesvar {

// "Export": which picture (the screen picture or the printed page) and which file type
// (PNG, SVG, PDF), or the spectrum itself as a JCAMP-DX file. The file is chosen
// afterwards.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    explicit ExportDialog(QWidget* parent);

    ExportPicture picture() const;
    ExportFormat format() const;
    // The spectrum as a JCAMP-DX file rather than a picture.
    bool spectrumFile() const;

private:
    QRadioButton* screen = nullptr;
    QRadioButton* page = nullptr;
    QRadioButton* png = nullptr;
    QRadioButton* svg = nullptr;
    QRadioButton* pdf = nullptr;
    QRadioButton* jcamp = nullptr;
};

}  // namespace tesvar
