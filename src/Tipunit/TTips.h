#pragma once
// The welcome and documents window: greets the user at start-up, and is the about box and document reader.
#include <QDialog>

class QCheckBox;

class TTips : public QDialog {
    Q_OBJECT
public:
    explicit TTips(QWidget* parent = nullptr);

    // The tip-of-the-day check box: whether the tip is shown at the next start.
    QCheckBox* visualOptTipOfDay = nullptr;
};
