#pragma once

#include <QFrame>

class QLabel;

namespace tesvar {

// The two-part status bar at the bottom of the client area. Part 0 shows prompts,
// part 1 the coordinate readout. The part edges are fixed when the bar is made (half
// and all of the client width then) and stay put when the window is resized; only the
// bar itself follows the window's width.
class StatusBar : public QFrame {
    Q_OBJECT
public:
    static constexpr int kHeight = 23;

    StatusBar(int creationClientWidth, QWidget* parent);

    void setPart(int part, const QString& text);
    QString part(int part) const;
    QLabel* partLabel(int part) const;

private:
    QLabel* parts[2];
};

}  // namespace tesvar
