#include "ui/mainwindow/IconFrameView.h"

#include <QChildEvent>
#include <QEvent>
#include <QFile>
#include <QPainter>
#include <algorithm>

#include "core/base/IoErrorText.h"
#include "core/base/RegularFile.h"
#include "ui/mainwindow/X11IconWindow.h"
#include "ui/pictures/BuiltInPictures.h"

namespace {

// The strip is four 32-pixel frames; a file far larger than any such bitmap is no strip.
constexpr qint64 kLargestStrip = 16 * 1024 * 1024;

bool isShippedStrip(const QByteArray& strip)
{
    const std::span<const unsigned char> shipped = BuiltInPictures::iconStripFile;
    return static_cast<std::size_t>(strip.size()) == shipped.size() &&
           std::equal(shipped.begin(), shipped.end(), reinterpret_cast<const unsigned char*>(strip.constData()));
}

}  // namespace

IconFrameView::IconFrameView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

IconFrameView::~IconFrameView() = default;

// Read through our own descriptor: QPixmap's own open would wait for ever on a named pipe.
// The strip we ship is compiled in as its pixels too: a file equal to it byte for byte takes
// them, and only another strip (one a user put in its place) is decoded.
void IconFrameView::loadStrip(const std::string& path)
{
    UniqueFd descriptor;
    QFile file;
    if (RegularFile::openForReading(path, descriptor) != 0 ||
        !file.open(descriptor.get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        throw SonorailError(IoErrorText::cannotOpenFile(path));
    const QByteArray strip = file.read(kLargestStrip);
    if (isShippedStrip(strip))
        massicons = BuiltInPictures::iconStrip.pixmap();
    else if (!massicons.loadFromData(strip, "BMP"))
        throw SonorailError(IoErrorText::cannotOpenFile(path));
    for (std::size_t frame = 0; frame < frames.size(); ++frame)
        frames[frame] = massicons.copy(32 * static_cast<int>(frame), 0, 32, 32);
    setFrame(frames[0]);
}

// With the server's window, a frame nobody can see is only remembered (by its number: a turn
// touches as little as it can): the server or the widget shows it when the icon is uncovered.
void IconFrameView::showFrame(int frame)
{
    if (massicons.isNull())
        return;
    startServerIcon();
    if (!serverIcon) {
        setFrame(frames[static_cast<std::size_t>(frame)]);
        return;
    }
    serverIcon->showFrame(frame);
    if (serverIcon->isShown() || lastSight == Sight::None)
        rememberedFrame = frame;
    else
        setFrame(frames[static_cast<std::size_t>(frame)]);
}

void IconFrameView::setFrame(const QPixmap& frame)
{
    takeRememberedFrame();
    if (frame.cacheKey() == shown.cacheKey())
        return;
    shown = frame;
    update();
}

const QPixmap& IconFrameView::frame() const
{
    return rememberedFrame < 0 ? shown : frames[static_cast<std::size_t>(rememberedFrame)];
}

void IconFrameView::takeRememberedFrame()
{
    if (rememberedFrame < 0)
        return;
    shown = frames[static_cast<std::size_t>(rememberedFrame)];
    rememberedFrame = -1;
}

bool IconFrameView::shownByServer() const { return serverIcon && serverIcon->isShown(); }

void IconFrameView::paintEvent(QPaintEvent*)
{
    takeRememberedFrame();
    QPainter painter(this);
    if (shown.isNull())
        painter.fillRect(rect(), Qt::black);
    else
        painter.drawPixmap(0, 0, shown);
}

// How much of the icon is in sight within its window: opaque widgets above it (the picture
// area while a video plays) cover it.
IconFrameView::Sight IconFrameView::sight() const
{
    if (!isVisible())
        return Sight::None;
    const QRegion visible = visibleRegion();
    if (visible.isEmpty())
        return Sight::None;
    return visible == QRegion(rect()) ? Sight::Whole : Sight::Part;
}

// Tried once the window is on the screen: on X11 the frames go to the server, elsewhere
// (or at a scale where a pixel of the server is not a pixel of the widget) the widget
// keeps repainting itself.
void IconFrameView::startServerIcon()
{
    if (serverIconTried || !window()->internalWinId())
        return;
    serverIconTried = true;
    if (devicePixelRatio() != 1.0)
        return;
    X11IconWindow::Frames images;
    for (std::size_t frame = 0; frame < frames.size(); ++frame)
        images[frame] = frames[frame].toImage();
    serverIcon = X11IconWindow::create(images, static_cast<std::uint32_t>(window()->internalWinId()));
    if (!serverIcon)
        return;
    watchSurroundings();
    followSurroundings();
}

// The server's window follows at once when the widget or a widget around it moves, shows,
// hides or changes its place in the stacking order, and when the top-level window gets a
// new native window.
void IconFrameView::watchSurroundings()
{
    for (QWidget* level = this; !level->isWindow(); level = level->parentWidget()) {
        for (QObject* sibling : level->parentWidget()->children()) {
            if (sibling != this && sibling->isWidgetType())
                watch(static_cast<QWidget*>(sibling));
        }
    }
    watch(window());
}

void IconFrameView::watch(QWidget* widget)
{
    widget->removeEventFilter(this);  // once only, when a child comes back
    widget->installEventFilter(this);
}

bool IconFrameView::event(QEvent* event)
{
    switch (event->type()) {
        case QEvent::Move:
        case QEvent::Show:
        case QEvent::Hide:
            if (serverIcon)
                followSurroundings();
            break;
        default:
            break;
    }
    return QWidget::event(event);
}

bool IconFrameView::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
        case QEvent::ChildAdded:
            // A new child of the icon's window or of a widget holding the icon lies beside it.
            if (QObject* child = static_cast<QChildEvent*>(event)->child();
                child->isWidgetType() && static_cast<QWidget*>(watched)->isAncestorOf(this))
                watch(static_cast<QWidget*>(child));
            followSurroundings();
            break;
        case QEvent::UpdateRequest:
            // The window is about to paint: a widget that became opaque over the icon
            // (which tells nothing of it) shows only now, and the server's window gives way
            // before it does. Nothing repaints while the program idles.
            if (watched != window())
                break;
            [[fallthrough]];
        case QEvent::ChildRemoved:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::ZOrderChange:
        case QEvent::WinIdChange:
            followSurroundings();
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

// The server shows the icon while the whole of it is in sight; when it is partly covered
// the widget paints the part that shows, starting with the frame the server showed last
// (what the widget painted before may be older).
void IconFrameView::followSurroundings()
{
    lastSight = sight();
    const bool wasShown = serverIcon->isShown();
    const bool whole = lastSight == Sight::Whole;
    serverIcon->place(static_cast<std::uint32_t>(window()->internalWinId()), mapTo(window(), QPoint(0, 0)), whole);
    if (wasShown && !whole)
        update();
}
