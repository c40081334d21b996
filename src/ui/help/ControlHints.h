#pragma once
// Where hints live. The hint of a control or menu item ("Title|NNNStatus-bar text") is its
// status tip, so Qt reports it whenever the mouse comes to a control or a menu item is
// highlighted; a control without one shows the hint of the nearest enclosing control that
// has one. The help context of a window or a menu item is its "HelpContext" property.
#include <QString>
#include <string_view>

class QObject;
class QWidget;

class ControlHints {
public:
    static void setHint(QObject* carrier, std::string_view hint);
    // The hint of the control, or of the nearest enclosing control that has one.
    static QString hintOf(const QWidget* control);
    // The short title of a hint (what a tooltip shows).
    static QString titleOf(const QString& hint);

    static int helpContextOf(const QObject* carrier);
    static void setHelpContext(QObject* carrier, int context);

    // Every menu item of the window (main menu and popups) that carries a command: the
    // command's hint, and the help context its hint names.
    static void AssignMenuHints(QWidget& window);
    // Every control placed directly on the client area whose Tag is not 0: the hint of the
    // command or area its Tag names.
    static void AssignControlHints(QWidget& client);
};
