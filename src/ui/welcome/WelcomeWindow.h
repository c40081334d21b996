// TTips: the welcome and documents window. Greets the user at start-up, and is the about
// box and the document reader.
#pragma once
#include <QDialog>

class QCheckBox;

class WelcomeWindow : public QDialog {
    Q_OBJECT
public:
    explicit WelcomeWindow(QWidget* parent = nullptr);

    // The tip-of-the-day check box: whether the tip is shown at the next start.
    QCheckBox* visualOptTipOfDay = nullptr;
};
