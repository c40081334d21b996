// Ttxtgfxform: the viewer window. Shows the text and picture rows of the queue laid over
// the main window, and sends Next when the user closes it after the engine showed something.
#pragma once
#include <QWidget>
#include <functional>
#include <string>

class QLabel;
class QTextEdit;

class ViewerWindow : public QWidget {
    Q_OBJECT
public:
    explicit ViewerWindow(QWidget* parent = nullptr);

    // Whether the viewer is engaged: set when shown from hidden or activated, cleared by
    // every engine step. The engine's state holds it; the viewer only sets it.
    std::function<void()> engage;
    std::function<bool()> engaged;
    // The Next command.
    std::function<void()> sendNext;

    // Shows the document (read whole, up to kLargestDocument) or the picture in the given
    // place; a document that cannot be read raises its error.
    void showDocument(const std::string& path, const QString& caption, const QRect& place);
    void showPicture(const std::string& path, const QString& caption, const QRect& place);
    // Normal window state, hidden.
    void hideViewer();

    static constexpr qint64 kLargestDocument = 16 * 1024 * 1024;

    QTextEdit* memo1 = nullptr;
    QLabel* PMultiImage1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showOver(const QString& caption, const QRect& place);
};
