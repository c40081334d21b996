#include "ui/viewer/ViewerWindow.h"

#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWindow>

#include "core/base/GuardedCall.h"
#include "core/base/IoErrorText.h"
#include "core/session/Jukebox.h"
#include "core/toolbar/ToolbarDock.h"
#include "ui/toolbar/Toolbar.h"
#include "ui/viewer/DocumentFile.h"
#include "ui/viewer/DocumentView.h"
#include "ui/viewer/PictureLoader.h"

namespace {

// The bytes the viewer shows of a document, and how long the whole document is.
DocumentFile readDocument(const std::string& path)
{
    DocumentFile document = DocumentFile::readShown(path);
    if (document.error != 0)
        throw SonorailError(IoErrorText::forErrno(document.error));
    return document;
}

}  // namespace

// A tool window of the main window: transient for it, so the window manager keeps it above
// the main window when that one is clicked (a plain window would sink behind it, still
// visible to the program, and the queue would wait behind it unseen).
ViewerWindow::ViewerWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Ttxtgfxform"));
    resize(427, 273);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    richTextView = new QTextEdit(this);
    richTextView->setObjectName(QStringLiteral("memo1"));
    richTextView->setReadOnly(true);
    richTextView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    richTextView->setPlainText(QStringLiteral("memo1"));

    plainTextView = new QPlainTextEdit(this);
    plainTextView->setObjectName(QStringLiteral("plainMemo"));
    plainTextView->setReadOnly(true);
    plainTextView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    plainTextView->hide();

    pictureView = new QLabel(this);
    pictureView->setObjectName(QStringLiteral("PMultiImage1"));
    pictureView->setAlignment(Qt::AlignCenter);
    pictureView->setStyleSheet(QStringLiteral("background-color: black;"));
    pictureView->hide();
}

ViewerWindow::ViewerWindow(Jukebox& session, CommandControl& commands, QWidget& mainWindow, const Toolbar& toolbar)
    : ViewerWindow(&mainWindow)
{
    this->session = &session;
    this->commands = &commands;
    this->mainWindow = &mainWindow;
    this->toolbar = &toolbar;
    session.attachViewer(this);
}

ViewerWindow::~ViewerWindow()
{
    if (session)
        session->attachViewer(nullptr);
}

void ViewerWindow::engage()
{
    if (session)
        session->playback().ViewerEngaged = true;
}

// Over the main window, below its menu bar and the docked toolbar's strip; a viewer on
// its own stays where it is.
QRect ViewerWindow::placeOverMainWindow() const
{
    if (!mainWindow)
        return frameGeometry();
    // The top as the dock counts it, from the main window's outer top; the sides and the
    // bottom edge are the main window's frame.
    const QRect frame = mainWindow->frameGeometry();
    const ToolbarDock& dock = session->toolbarDock();
    const int top = frame.top() + dock.captionMenuHeight + (dock.docked ? toolbar->height() : 0);
    return QRect(frame.left(), top, frame.width(), frame.bottom() + 1 - top);
}

void ViewerWindow::showDocument(const std::string& path, const std::string& caption)
{
    showDocument(path, QString::fromLocal8Bit(caption.c_str()), placeOverMainWindow());
}

void ViewerWindow::showPicture(const std::string& path, const std::string& caption)
{
    showPicture(path, QString::fromLocal8Bit(caption.c_str()), placeOverMainWindow());
}

// The viewer in the normal state follows the main window: its left and top edges, and its
// bottom edge when the docked toolbar's strip makes the main window taller or shorter. The
// frame's size is fitted again once the window manager has told the frame's borders.
void ViewerWindow::trackViewer()
{
    if (!mainWindow || !isVisible() || windowState() != Qt::WindowNoState)
        return;
    const QRect place = placeOverMainWindow();
    placedFrameSize = place.size();
    fitFrame(placedFrameSize);
    if (pos() != place.topLeft())
        move(place.topLeft());
}

// The window manager's borders around the client area: the viewer's own once it has been
// framed, else the main window's, which the same window manager draws alike.
QMargins ViewerWindow::frameBorders() const
{
    const QMargins own = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    if (!own.isNull() || !mainWindow || !mainWindow->windowHandle())
        return own;
    return mainWindow->windowHandle()->frameMargins();
}

// A frame of the given outer size that the user cannot resize.
void ViewerWindow::fitFrame(const QSize& frameSize)
{
    if (frameSize.isEmpty())
        return;
    const QMargins borders = frameBorders();
    const QSize client = frameSize.shrunkBy(borders);
    if (minimumSize() != client || maximumSize() != client)
        setFixedSize(client);
}

void ViewerWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    richTextView->setGeometry(rect());
    plainTextView->setGeometry(rect());
    pictureView->setGeometry(rect());
}

// Showing a hidden viewer engages it: window activation cannot be relied on (a window
// manager that prevents focus stealing, or none at all). A hidden viewer is placed before
// it is shown, so the window manager frames it in its place from the start.
void ViewerWindow::showOver(const QString& caption, const QRect& place)
{
    const bool wasHidden = isHidden();
    setWindowState(Qt::WindowNoState);
    placedFrameSize = place.size();
    fitFrame(placedFrameSize);
    move(place.topLeft());
    show();
    if (wasHidden)
        engage();
    setWindowTitle(caption);
    pictureView->hide();
}

void ViewerWindow::showDocument(const std::string& path, const QString& caption, const QRect& place)
{
    showOver(caption, place);
    const DocumentFile document = readDocument(path);
    const QString notice = document.shortened() ? document.shortenedNotice() : QString();
    const bool rich = DocumentView::isRichText(document.bytes);
    richTextView->setVisible(rich);
    plainTextView->setVisible(!rich);
    if (rich) {
        DocumentView::showRichText(*richTextView, document.bytes);
        if (!notice.isEmpty())
            DocumentView::appendLine(*richTextView, notice);
    } else {
        DocumentView::showText(*plainTextView, DocumentText(document.bytes), notice);
    }
}

void ViewerWindow::showPicture(const std::string& path, const QString& caption, const QRect& place)
{
    showOver(caption, place);
    richTextView->hide();
    plainTextView->hide();
    // A picture that cannot be read shows nothing, and no message of ours.
    const QImage image = PictureLoader::load(QFile::decodeName(QByteArray::fromStdString(path)), logicalDpiX());
    pictureView->setPixmap(QPixmap::fromImage(image));
    pictureView->show();
}

void ViewerWindow::hideViewer()
{
    setWindowState(Qt::WindowNoState);
    hide();
}

void ViewerWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ViewerWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        engage();
}

// The viewer hides first and then sends Next, so a next row that is itself a text or
// picture opens a freshly shown, engaged viewer and the queue never stalls behind a
// hidden one. The close itself is ignored: the window is hidden already, and Qt must not
// hide the viewer the step may have shown again.
void ViewerWindow::closeEvent(QCloseEvent* event)
{
    setWindowState(Qt::WindowNoState);
    const bool wasEngaged = session && session->playback().ViewerEngaged;
    event->ignore();
    hide();
    if (wasEngaged)
        GuardedCall([this] { commands->ExecuteCommand(Command::Next); });
}
