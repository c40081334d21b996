// Ttxtgfxform: the viewer window. Shows the text and picture rows of the queue laid over
// the main window, and sends Next when the user closes it after the engine showed something.
#pragma once
#include <QWidget>
#include <string>

#include "core/playback/Viewer.h"
#include "ui/viewer/DocumentFile.h"

class CommandControl;
class Jukebox;
class QLabel;
class QPlainTextEdit;
class QTextEdit;
class Toolbar;

class ViewerWindow : public QWidget, public Viewer {
    Q_OBJECT
public:
    // A viewer on its own, showing what it is given where it is told.
    explicit ViewerWindow(QWidget* parent = nullptr);
    // The session's viewer: it shows what the engine gives it over the main window, below
    // the menu bar and the docked toolbar's strip, and follows the main window. Whether it
    // is engaged (shown from hidden or activated since the engine's last step) goes to the
    // session's playback state; closing an engaged viewer sends Next.
    ViewerWindow(Jukebox& session, CommandControl& commands, QWidget& mainWindow, const Toolbar& toolbar);
    ~ViewerWindow() override;

    // Shows the document (read whole up to kLargestDocument, then a line saying it was
    // shortened; a long plain text fills in while the window goes on answering) or the
    // picture with its frame
    // in the given place (outer edges), at a size the user cannot change; a document that
    // cannot be read raises its error.
    void showDocument(const std::string& path, const QString& caption, const QRect& place);
    void showPicture(const std::string& path, const QString& caption, const QRect& place);

    // Viewer
    bool viewerVisible() const override { return isVisible(); }
    void hideViewer() override;
    void showDocument(const std::string& path, const std::string& caption) override;
    void showPicture(const std::string& path, const std::string& caption) override;
    void trackViewer() override;

    static constexpr qint64 kLargestDocument = DocumentFile::kLargestShown;

    // Documents show in one of two read-only views: rich text in richTextView, plain text in
    // plainTextView, which lays out only what it shows (a 16 MiB text opens at once).
    QTextEdit* richTextView = nullptr;        // object name "memo1"
    QPlainTextEdit* plainTextView = nullptr;  // "plainMemo"
    QLabel* pictureView = nullptr;            // "PMultiImage1"

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showOver(const QString& caption, const QRect& place);
    QRect placeOverMainWindow() const;
    QMargins frameBorders() const;
    void fitFrame(const QSize& frameSize);
    void engage();

    Jukebox* session = nullptr;
    CommandControl* commands = nullptr;
    const QWidget* mainWindow = nullptr;
    const Toolbar* toolbar = nullptr;
    QSize placedFrameSize;
};
