#pragma once
// Context help of the main window and the toolbar: the hint under the mouse on the status
// bar (showHintOnStatusBar, the application's hint handler), the help context it names kept
// for both windows, and F1 opening that context, or a highlighted menu item's.
#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;
class QWidget;
struct Settings;

class ContextHelp final : public QObject {
    Q_OBJECT
public:
    // The main window starts with help context 35, the toolbar with none. Installs itself
    // as the application's hint handler and F1 key.
    ContextHelp(const Settings& settings, QLabel& statusBar, QWidget& mainWindow, QWidget& toolbar);
    ~ContextHelp() override;

    static constexpr int kMainTopic = 35;

    // The hint under the mouse changed (hint: "Title|NNNText", or empty).
    void showHintOnStatusBar(const QString& hint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool helpKeyPressed(QObject* watched);
    void openHelpContext(int context, QWidget* owner);

    const Settings& settings;
    QPointer<QLabel> statusbar;
    QPointer<QWidget> mainWindow;
    QPointer<QWidget> toolbar;
    QString currentHint;
};
