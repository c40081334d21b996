#include "ui/toolbar/Toolbar.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "core/commands/CommandTable.h"
#include "core/playback/Viewer.h"
#include "core/session/Jukebox.h"
#include "ui/commands/CommandDispatcher.h"
#include "ui/help/ControlHints.h"
#include "ui/help/WhatsThisPopup.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/pictures/BuiltInPictures.h"
#include "ui/toolbar/CommandGlyph.h"
#include "ui/toolbar/DragOutline.h"

namespace {

// The program's own icon at 32 pixels, compiled in: no picture file is decoded for it.
constexpr std::size_t kToolbarIconIndex = 2;

// The slots' caption labels: left edges under their buttons (the first one is wider).
constexpr std::array<int, kToolbarSlotCount> kLabelLefts{21, 64, 104, 144, 184, 224, 264, 304, 345, 384, 424};
constexpr int kSlotButtonLeft = 32;
constexpr int kSlotSpacing = 40;
// A slot caption's width, and the narrowest its font is made to fit it.
constexpr int kCaptionWidth = 35;
constexpr int kNarrowest = 50;

// The docked toolbar lies over the top 37 pixels of the main window's client area and
// overlaps the bottom of the menu bar by the rest of its height, as a window frame's top
// border would.
constexpr int kStripHeight = 37;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& place)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    return label;
}

ScreenRect toScreenRect(const QRect& rect) { return {rect.left(), rect.top(), rect.width(), rect.height()}; }

}  // namespace

Toolbar::Toolbar(Jukebox& session, CommandDispatcher& commands,
                 const std::function<MainWindow&(Toolbar&)>& createMainWindow)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      session(session),
      commands(commands)
{
    setObjectName(QStringLiteral("TTToolbar"));
    setFixedSize(kWidth, kHeight);
    // The slots' tool tips show whichever window is active: mostly the main window is.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    createControls();
    registerSlots();
    offerWhatsThis();
    applySlots(kDefaultToolbarSlots);
    mainWindow = &createMainWindow(*this);
    // Measured on the main window's own menu bar once it exists: a menu bar made only to be
    // measured costs a tenth of the start-up.
    measureCaptionMenuHeight();
    dock().dockLayoutState = dlWithStrip;
    session.attachDockWindows(this);
    mainWindow->installEventFilter(this);
}

Toolbar::~Toolbar() { session.attachDockWindows(nullptr); }

ToolbarDock& Toolbar::dock() const { return session.toolbarDock(); }

void Toolbar::createControls()
{
    panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(0, 0, kWidth, kHeight);
    programIcon = makeLabel(panel, "Image1", QString(), QRect(-11, 2, 33, 32));
    createSlots();
    informationButton = new QPushButton(QStringLiteral("!"), panel);
    informationButton->setObjectName(QStringLiteral("Button1"));
    informationButton->setGeometry(472, 0, 17, 17);
    informationButton->setFocusPolicy(Qt::NoFocus);
    CommandDispatcher::setTag(informationButton, HelpAreaTag(HelpArea::ToolbarDisplayToggle));
    connect(informationButton, &QPushButton::clicked, this, [this] { toggleInformationPanel(); });
    createInformationPanel();
    for (QWidget* grip :
         {static_cast<QWidget*>(panel), static_cast<QWidget*>(programIcon), static_cast<QWidget*>(informationPanel)})
        grip->installEventFilter(this);
}

// Glyph buttons with their captions below.
void Toolbar::createSlots()
{
    for (int slot = 0; slot < kToolbarSlotCount; ++slot) {
        auto* button = new QToolButton(panel);
        button->setObjectName(QStringLiteral("BitBtn%1").arg(slot + 1));
        button->setGeometry(kSlotButtonLeft + kSlotSpacing * slot, 1, 20, 20);
        button->setIconSize(CommandGlyph::kSize);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        auto* label = new QLabel(panel);
        label->setObjectName(QStringLiteral("Label%1").arg(slot + 1));
        label->setGeometry(kLabelLefts[static_cast<std::size_t>(slot)], 21, slot == 0 ? 41 : kCaptionWidth, 13);
        label->setAlignment(Qt::AlignCenter);
        // A caption takes its own clicks (What's This); it is no grip.
        label->setAttribute(Qt::WA_NoMousePropagation);
    }
}

// Only a shown toolbar needs its pictures and the captions' font, and fitting that font costs
// a font or two of their own: a start minimised leaves all of it to the first showing.
void Toolbar::prepareLooks()
{
    if (looksPrepared)
        return;
    looksPrepared = true;
    programIcon->setPixmap(BuiltInPictures::programIcon[kToolbarIconIndex].pixmap());
    const QFont captionFont = fittingCaptionFont();
    for (const ToolbarSlot& slot : toolbarSlots)
        slot.label->setFont(captionFont);
    showSlotGlyphs();
}

void Toolbar::setVisible(bool visible)
{
    if (visible)
        prepareLooks();
    QWidget::setVisible(visible);
}

// The captions in the program's own font family, 9 pixels high, narrowed until the widest
// caption of any command fits a slot's label with a pixel to spare on each side. The family
// is the one every window already uses: no other family is looked up at start. Every font
// tried is one more to load, so the captions are first measured in the main window's 11-pixel
// font, which the first paint loads anyway, and scaled to 9 pixels (without hinting across,
// widths scale with the size); a narrowed font is tried with its widest captions.
QFont Toolbar::fittingCaptionFont()
{
    constexpr int kPixelSize = 9;
    constexpr int kReferencePixelSize = 11;
    QFont font = QApplication::font();
    font.setPixelSize(kReferencePixelSize);
    const QFontMetricsF reference(font);
    font.setPixelSize(kPixelSize);
    const qreal scale = qreal(kPixelSize) / kReferencePixelSize;
    std::vector<std::pair<int, QString>> captions;  // width at 9 pixels, caption; widest first
    for (Command command : CommandTable::allCommands()) {
        const std::string_view caption = CommandTable::hintEntry(command).Caption;
        const QString text = QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size()));
        captions.emplace_back(qRound(reference.horizontalAdvance(text) * scale), text);
    }
    std::sort(captions.begin(), captions.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    const int room = kCaptionWidth - 2;
    const int widest = captions.empty() ? 0 : captions.front().first;
    if (widest <= room && allCaptionsFit(QFontMetrics(font), captions, room))
        return font;
    // Start from the proportion, and narrow further only where rounding to whole pixels leaves
    // a caption too wide. A stretch at which the widest caption would keep less than a pixel
    // to spare is not tried: it fits only where rounding happens to favour it, and trying it
    // costs a font of its own.
    constexpr int kSpare = 1;
    int stretch = std::min(100 * room / std::max(widest, 1), 98);
    while (stretch - 2 >= kNarrowest && widest * stretch > 100 * (room - kSpare))
        stretch -= 2;
    for (; stretch >= kNarrowest; stretch -= 2) {
        font.setStretch(stretch);
        if (allCaptionsFit(QFontMetrics(font), captions, room))
            break;
    }
    return font;
}

// A narrowed font keeps the captions' proportions to well under a pixel, and each caption
// measured in it costs a glyph outline per letter: once the widest fits, only the captions
// that come within two pixels of the room in that proportion are measured.
bool Toolbar::allCaptionsFit(const QFontMetrics& metrics, const std::vector<std::pair<int, QString>>& captions,
                             int room)
{
    constexpr int kMargin = 2;
    if (captions.empty())
        return true;
    const int widest = metrics.horizontalAdvance(captions.front().second);
    if (widest > room)
        return false;
    const qreal proportion = qreal(widest) / std::max(captions.front().first, 1);
    for (const auto& [estimate, text] : captions) {
        if (estimate * proportion < room - kMargin)
            break;  // the rest are narrower still
        if (metrics.horizontalAdvance(text) > room)
            return false;
    }
    return true;
}

// The file-information display that "!" shows over the slots: it paints its own background,
// so no glyph or caption shows through, and its captions are in a size they fit whole.
void Toolbar::createInformationPanel()
{
    informationPanel = new QFrame(panel);
    informationPanel->setObjectName(QStringLiteral("Panel2"));
    informationPanel->setGeometry(17, 0, 448, 33);
    informationPanel->setAutoFillBackground(true);
    QFont panelFont = font();
    panelFont.setPixelSize(10);
    informationPanel->setFont(panelFont);
    informationBar = makeLabel(informationPanel, "infobar", QString(), QRect(1, 1, 448, 15));
    informationBar->setAlignment(Qt::AlignCenter);
    informationBar->setAutoFillBackground(true);
    QPalette blackAndYellow = informationBar->palette();
    blackAndYellow.setColor(QPalette::Window, Qt::black);
    blackAndYellow.setColor(QPalette::WindowText, Qt::yellow);
    informationBar->setPalette(blackAndYellow);
    makeLabel(informationPanel, "lblSongLength", QStringLiteral("Song Length"), QRect(1, 17, 70, 15));
    lengthDisplay = makeLabel(informationPanel, "lengthtimedisplay", QString(), QRect(72, 17, 60, 15));
    makeLabel(informationPanel, "lblSongPosition", QStringLiteral("Song Position"), QRect(136, 17, 79, 15));
    positionDisplay = makeLabel(informationPanel, "positiontimedisplay", QString(), QRect(216, 17, 60, 15));
    informationPanel->hide();
}

// The hint table itself is the command table's (CommandTable::hintEntry), built when the
// program is compiled from the one table of commands; here the eleven slots are recorded in
// their order and offer their commands through the dispatcher (callfnexecutebyspdbutton).
void Toolbar::registerSlots()
{
    for (int slot = 0; slot < kToolbarSlotCount; ++slot) {
        ToolbarSlot& place = toolbarSlots[static_cast<std::size_t>(slot)];
        place.button = panel->findChild<QToolButton*>(QStringLiteral("BitBtn%1").arg(slot + 1));
        place.label = panel->findChild<QLabel*>(QStringLiteral("Label%1").arg(slot + 1));
        commands.addOfferer(place.button);
        commands.addFollower(place.label);
    }
}

void Toolbar::applySlots(const std::array<Command, kToolbarSlotCount>& assigned)
{
    commandOfSlot = assigned;
    for (std::size_t slot = 0; slot < toolbarSlots.size(); ++slot) {
        const int number = CommandNumber(assigned[slot]);
        const CommandHintEntry& entry = CommandTable::hintEntry(number);
        const ToolbarSlot& place = toolbarSlots[slot];
        // Start-up applies the slots twice (the layout's, then the settings'): a slot that
        // keeps its command keeps its glyph.
        if (looksPrepared && (CommandDispatcher::tagOf(place.button) != number || place.button->icon().isNull()))
            place.button->setIcon(CommandGlyph::forCommand(number));
        CommandDispatcher::setTag(place.button, number);
        ControlHints::setHint(place.button, entry.Hint);
        ControlHints::setHint(place.label, entry.Hint);
        // Only the glyph buttons show tooltips: the hint's short title.
        place.button->setToolTip(ControlHints::titleOf(place.button->statusTip()));
        place.label->setText(QString::fromLatin1(entry.Caption.data(), static_cast<qsizetype>(entry.Caption.size())));
        CommandDispatcher::setTag(place.label, number);
    }
    ControlHints::setHint(informationButton, CommandTable::hintEntry(HelpAreaTag(HelpArea::ToolbarDisplayToggle)).Hint);
}

void Toolbar::showSlotGlyphs()
{
    for (const ToolbarSlot& slot : toolbarSlots)
        slot.button->setIcon(CommandGlyph::forCommand(CommandDispatcher::tagOf(slot.button)));
}

// Right-button releases on the slots and "!" offer What's This; the slots never open it
// by themselves.
void Toolbar::offerWhatsThis()
{
    whatsThisMenu = new QMenu(this);
    whatsThisMenu->setObjectName(QStringLiteral("PopupMenu1"));
    whatsThisAction = whatsThisMenu->addAction(QStringLiteral("&What's This?"));
    whatsThisAction->setObjectName(QStringLiteral("WhatsThis1"));
    whatsThis = new WhatsThisPopup(*whatsThisMenu, *whatsThisAction, *this);
    for (const ToolbarSlot& slot : toolbarSlots) {
        whatsThis->offerOn(slot.button);
        whatsThis->offerOn(slot.label);
    }
    whatsThis->offerOn(informationButton);
}

void Toolbar::attachViewer(QWidget* viewerWindow) { viewer = viewerWindow; }

void Toolbar::setTimeDisplays(const QString& length, const QString& position)
{
    lengthDisplay->setText(length);
    positionDisplay->setText(position);
}

void Toolbar::showInformation(const QString& text) { informationBar->setText(text); }

void Toolbar::toggleInformationPanel() { informationPanel->setVisible(informationPanel->isHidden()); }

void Toolbar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    panel->setGeometry(rect());
}

// --- Dragging ------------------------------------------------------------------------

bool Toolbar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == mainWindow) {
        if (event->type() == QEvent::Move)
            mainWindowMoved();
        else if (event->type() == QEvent::WindowStateChange)
            followMainWindowState();
        else if (event->type() == QEvent::Show)
            placeOnceShown();
        return QWidget::eventFilter(watched, event);
    }
    if (handleGripMouse(event))
        return true;
    return QWidget::eventFilter(watched, event);
}

// Only the left button drags, and only while the toolbar may leave its dock. The pressed
// grip keeps the mouse until the release.
bool Toolbar::handleGripMouse(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->globalPosition().toPoint();
    if (type == QEvent::MouseButtonPress) {
        if (mouse->button() != Qt::LeftButton || session.settings().optForceToolbarDock)
            return false;
        beginDrag(at);
        return true;
    }
    if (!dragging)
        return false;
    if (type == QEvent::MouseMove)
        moveDrag(at);
    else if (mouse->button() == Qt::LeftButton)
        endDrag(at);
    return true;
}

void Toolbar::beginDrag(const QPoint& at)
{
    pressPoint = at;
    latestPoint = at;
    if (!outline)
        outline = std::make_unique<DragOutline>();
    outline->showAt(rubberBand());
    dragging = true;
}

// Only the outline moves while the mouse does; the toolbar waits for the release.
void Toolbar::moveDrag(const QPoint& at)
{
    latestPoint = at;
    outline->showAt(rubberBand());
}

void Toolbar::endDrag(const QPoint& at)
{
    dragging = false;
    outline->hide();
    const QPoint moved = at - pressPoint;
    measureCaptionMenuHeight();
    dock().toolbarDropped(x() + moved.x(), y() + moved.y());
}

QRect Toolbar::rubberBand() const { return geometry().translated(latestPoint - pressPoint); }

// --- The main window -----------------------------------------------------------------

// Showing a window may place it again (where the platform frames it) without a move being
// reported: the dock rule runs once more when the showing is done.
void Toolbar::placeOnceShown()
{
    QTimer::singleShot(0, this, [this] { mainWindowMoved(); });
}

// With the toolbar docked the whole program goes to the taskbar: the toolbar hides with
// the main window and comes back with it, or appears then when the program started
// minimised. A floating toolbar stays on the screen.
void Toolbar::followMainWindowState()
{
    if (mainWindow->isMinimized()) {
        if (dock().docked && isVisible()) {
            hide();
            hiddenWithMainWindow = true;
        }
        return;
    }
    hiddenWithMainWindow = false;
    mainWindowMoved();
}

// The window manager's caption is known only once it has framed the main window, and may
// change with its theme: the height is measured again whenever the dock rule runs.
void Toolbar::mainWindowMoved()
{
    measureCaptionMenuHeight();
    dock().mainWindowMoved();
}

// From the main window's outer top (the window manager's caption included) to where a
// docked toolbar's top lies: the caption and the menu bar, less the part of the toolbar that
// overlaps the menu bar so that its bottom edge meets the strip's. Before a window manager
// has framed the window there is no caption yet.
void Toolbar::measureCaptionMenuHeight()
{
    const int caption = mainWindow->geometry().top() - mainWindow->frameGeometry().top();
    dock().captionMenuHeight = caption + mainWindow->menuBarHeight() + kStripHeight - height();
}

// --- DockWindows ---------------------------------------------------------------------

// The dock zone and the docked place count from the window's outer top, frame included.
ScreenRect Toolbar::mainWindowBounds() const { return toScreenRect(mainWindow->frameGeometry()); }

void Toolbar::setMainWindowHeight(int height)
{
    mainWindow->setClientHeight(mainWindow->clientHeight() + height - mainWindow->frameGeometry().height());
}

void Toolbar::shiftMainControls(bool down) { mainWindow->shiftControls(down ? height() : -height()); }

ScreenRect Toolbar::toolbarBounds() const { return toScreenRect(geometry()); }

void Toolbar::placeToolbar(const ScreenRect& bounds)
{
    setFixedSize(bounds.width, bounds.height);
    move(bounds.left, bounds.top);
}

// Shown at the main window's first placement, and from then on for the run; not while it
// is away with the minimised main window.
void Toolbar::showToolbar()
{
    if (isHidden() && !hiddenWithMainWindow && !mainWindow->isMinimized())
        show();
}

bool Toolbar::viewerInNormalState() const
{
    return viewer && !(viewer->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
}

// The viewer places itself over the main window by the same dock rule (below the menu and the
// docked strip, down to the main window's bottom edge), so the dock's numbers are not used. The monitor's tick has the viewer
// place itself just before the dock layout is applied, so the top needs nothing more; a new
// height comes with a changed main window, and the viewer follows that at once.
void Toolbar::setViewerTop(int) {}

void Toolbar::setViewerHeight(int) { placeViewer(); }

void Toolbar::placeViewer()
{
    if (auto* placed = dynamic_cast<Viewer*>(viewer.data()))
        placed->trackViewer();
}
