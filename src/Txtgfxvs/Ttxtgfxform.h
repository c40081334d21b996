#pragma once
// The viewer window: shows the text and picture entries of the queue over the main window.
#include <QWidget>

class Ttxtgfxform : public QWidget {
    Q_OBJECT
public:
    explicit Ttxtgfxform(QWidget* parent = nullptr);
};
