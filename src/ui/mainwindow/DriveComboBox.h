#pragma once
// The drive selector, yellow on blue from its palette. Its drop-down list takes the same
// look from a style sheet, set when the list first opens: a palette does not reach the
// list's own window, and a selector under a style sheet costs far more to show and paint.
#include <QComboBox>
#include <QString>

class DriveComboBox : public QComboBox {
public:
    DriveComboBox(QWidget* parent, QString listStyleSheet);

    void showPopup() override;

private:
    QString listStyleSheet;
};
