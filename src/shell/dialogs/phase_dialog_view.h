#pragma once

#include <memory>

#include <QDialog>

#include "processing/phase_dialog.h"

class QLineEdit;
class QSlider;
class QToolButton;

namespace tesvar {

class Ui;
class WindowPort;
struct SpectrumDocument;

// An arrow (up-down) control attached to an edit: each click takes the edit's number as
// the current value, steps it by one within its range, writes it back into the edit
// and then reports the click.
class ArrowControl : public QWidget {
    Q_OBJECT
public:
    ArrowControl(QLineEdit* buddy, int minimum, int maximum, QWidget* parent);

    QToolButton* upButton() const { return up; }
    QToolButton* downButton() const { return down; }

signals:
    void clicked();

private:
    void step(int by);

    QLineEdit* buddy;
    int minimum, maximum;
    QToolButton* up;
    QToolButton* down;
};

// The modeless dialog 122, "Phase Correction": edits 1016 ("Order 0") and 1017 ("Order
// 1") with their arrow controls 101 and 102, two sliders from -180 to 180 (the first
// for the zero-order, the second for the first-order phase), OK (1), Cancel (2) and
// "Auto" (1018), which previews the automatic phase with the sliders moved to it. It
// lives beside the main window, which stays usable, and deletes itself when it closes.
// The rules are the PhaseDialog controller's.
class PhaseDialogView : public QDialog, public PhaseView {
    Q_OBJECT
public:
    PhaseDialogView(SpectrumDocument& doc, Ui& ui, WindowPort& window, QWidget* owner);
    ~PhaseDialogView() override;

    void setEditValue(int editId, int value) override;
    int editValue(int editId) const override;
    void setSliderPosition(int slider, int position) override;

    QSlider* slider(int index) const { return sliders[index]; }

    void accept() override;
    void reject() override;
    // The Auto button's action.
    void autoPhase();

private:
    Ui& ui;
    QLineEdit* order0 = nullptr;
    QLineEdit* order1 = nullptr;
    QSlider* sliders[2] = {nullptr, nullptr};
    std::unique_ptr<PhaseDialog> controller;
};

}  // namespace tesvar
