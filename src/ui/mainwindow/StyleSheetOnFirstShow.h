#pragma once
// Gives a widget its style sheet when it is first shown. A widget under a style sheet costs
// far more to polish and paint, and most of the lists' scroll bars are never shown at all.
#include <QObject>
#include <QString>

class QWidget;

class StyleSheetOnFirstShow : public QObject {
public:
    StyleSheetOnFirstShow(QWidget& widget, QString styleSheet);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString styleSheet;
};
