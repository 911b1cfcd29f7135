#pragma once

#include <QDialog>

namespace tesvar {

// The About box 197: no title of its own, the product picture, name and credits, and
// OK (1).
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* owner);
};

}  // namespace tesvar
