#pragma once
// The one-item "What's This?" popup of a window. A right-button release on a control that
// offers it opens the popup at the mouse when the control's hint names a help topic; the
// item then opens that topic in the help window. What another button does is the window's
// (onOtherButton), run once the control has handled the release.
#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QWidget;

class WhatsThisPopup final : public QObject {
    Q_OBJECT
public:
    // item: the popup's "What's This?" item; owner: the window asking for help.
    WhatsThisPopup(QMenu& popup, QAction& item, QWidget& owner);

    void offerOn(QWidget* control);
    std::function<void()> onOtherButton;

    // The topic the popup offers while it is open.
    int offeredTopic = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openAt(const QWidget* control, const QPoint& at);
    void showOfferedTopic();

    QMenu& popup;
    QAction& item;
    QWidget& owner;
};
