#include "ui/mainwindow/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

#include "core/base/DialogSeam.h"
#include "core/base/GuardedCall.h"
#include "core/base/ProgramPaths.h"
#include "core/commands/CommandTable.h"
#include "core/session/Jukebox.h"
#include "ui/cd/CdPanel.h"
#include "ui/cd/OnlineDiscLookup.h"
#include "ui/commands/CommandDispatcher.h"
#include "ui/commands/CommandMenus.h"
#include "ui/files/FileBrowser.h"
#include "ui/files/FileListModel.h"
#include "ui/files/FileManagerView.h"
#include "ui/help/ContextHelp.h"
#include "ui/help/ControlHints.h"
#include "ui/help/HelpEngine.h"
#include "ui/help/WhatsThisPopup.h"
#include "ui/mainwindow/DriveComboBox.h"
#include "ui/mainwindow/FileDrops.h"
#include "ui/mainwindow/IconFrameView.h"
#include "ui/mainwindow/MainWindowControls.h"
#include "ui/mainwindow/MainWindowLayout.h"
#include "ui/mainwindow/PlaybackTicks.h"
#include "ui/mainwindow/PictureArea.h"
#include "ui/queue/CdListSource.h"
#include "ui/queue/FileListSource.h"
#include "ui/queue/QueuePanel.h"
#include "ui/queue/ScrollExtentDelegate.h"
#include "ui/setup/SetupDialog.h"
#include "ui/toolbar/Toolbar.h"

using namespace MainWindowControls;

namespace {

// How far the path list scrolls across, in pixels.
constexpr int kQueueScrollExtent = 400;

}  // namespace

MainWindow::MainWindow(Jukebox& session, CommandDispatcher& commands, Toolbar& toolbar)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      session(session),
      commands(commands),
      toolbar(toolbar)
{
    setObjectName(QStringLiteral("Tform1"));
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    QFont windowFont = font();
    windowFont.setPixelSize(11);
    setFont(windowFont);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(kClientWidth, kClientHeight);
    client->setAutoFillBackground(true);
    QPalette background = client->palette();
    background.setColor(QPalette::Window, QColor(0, 0, 160));
    client->setPalette(background);
    setCentralWidget(client);

    createControls(client);
    placeControls(client);
    toolbar.showInformation(informationBar->text());
    drops = std::make_unique<FileDrops>(session);
    browser = new FileBrowser(driveBox, directoryList, fileList, this);
    queuePanel = new QueuePanel(session.playQueue(),
                                {queuePaths, queueNames, pathTabs, queueRollUp, moveUpButton, moveDownButton}, this);
    videoArea = std::make_unique<PictureArea>(*this, *pictureArea);
    cdPanel = new CdPanel(
        {trackList, cdTitle, cdAuthor, cdCategory, cdMisc, sourceTabs}, [this] { this->session.cd().StoreCDInfo(); },
        this);
    discLookup = new OnlineDiscLookup(this);
    fileManager = std::make_unique<FileManagerView>(
        FileManagerView::Controls{browser, fileList, trackList, sourceTabs, fileInfoBar});
    createMenus();
    createPopupMenus();
    connectHandlers();
    watchKeys(client);
    registerCommands();
    attachViews(true);
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    runStartup();
}

MainWindow::~MainWindow()
{
    delete ticks;  // the player's end reports stop before the window goes
    attachViews(false);
    session.playModes().onChanged = nullptr;
}

// What the session shows, it shows here; a main window that goes first takes it back.
void MainWindow::attachViews(bool attached)
{
    session.attachInformationBar(attached ? this : nullptr);
    session.attachQueueWindow(attached ? queuePanel : nullptr);
    session.attachDisplay(attached ? this : nullptr);
    session.attachVideoArea(attached ? videoArea.get() : nullptr);
    session.attachCdView(attached ? cdPanel : nullptr);
    session.attachDiscLookup(attached ? discLookup : nullptr);
    session.attachFileManagerWindow(attached ? fileManager.get() : nullptr);
}

// The controls in the order they lie on top of each other, from the back to the front.
void MainWindow::createControls(QWidget* client)
{
    // The picture area fills the client in the window's own colour: behind the controls it
    // is the background, brought in front for a video it covers them.
    pictureArea = makeControl<QLabel>(client, "PMultiImage1");
    pictureArea->setAlignment(Qt::AlignCenter);
    pictureArea->setAutoFillBackground(true);
    createBrowserControls(client);
    createPlaybackControls(client);
    createQueueControls(client);
    createFilterControls(client);
    statusLine = makeLabel(client, "statusbar", QStringLiteral("The Status Bar."));
    statusLine->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setColours(statusLine, QColor(192, 192, 192), Qt::black);

    monitorTimer = new QTimer(this);
    monitorTimer->setObjectName(QStringLiteral("Timer1"));
    monitorTimer->setInterval(200);
    introTimer = new QTimer(this);
    introTimer->setObjectName(QStringLiteral("introcountdown"));
    introTimer->setInterval(1000);
}

// The information bars, the drive and directory lists with the CD title and notes that
// share their place, the file and CD track lists, and the buttons that add to the queue.
void MainWindow::createBrowserControls(QWidget* client)
{
    informationPanel = makeBar(client, "infobarpanel", informationBar, "infobar", QStringLiteral("Sonorail"));
    fileInfoPanel =
        makeBar(client, "Panel1", fileInfoBar, "lblFileInfo",
                QStringLiteral("Click \"File/Info\" to get information on a multimedia file/cd track here!"));

    driveBox = new DriveComboBox(client, QLatin1String(kListStyle));
    driveBox->setObjectName(QStringLiteral("DriveComboBox1"));
    cdTitle = makeControl<QLineEdit>(client, "cdtitle");
    setFieldColours(cdTitle);
    cdTitle->setText(QStringLiteral("CD Title Goes Here..."));
    cdTitle->hide();

    sourceTabs = makeTabSet(client, "TabSet1", QStringLiteral("Files"), QStringLiteral("CD-Audio"));
    directoryList = makeView(client, "DirectoryListBox1", QAbstractItemView::SingleSelection);

    cdDetails = makeControl<QFrame>(client, "cdinfo");
    cdDetails->setFrameShape(QFrame::Panel);
    cdDetails->setFrameShadow(QFrame::Raised);
    const int captionWidth = 52;
    makeLabel(cdDetails, "lblcdauthor", QStringLiteral("Author:"), Qt::yellow)->setGeometry(2, 3, captionWidth, 17);
    makeLabel(cdDetails, "lblcdcategory", QStringLiteral("Category:"), Qt::yellow)
        ->setGeometry(2, 23, captionWidth, 17);
    makeLabel(cdDetails, "lblcdmisc", QStringLiteral("Misc:"), Qt::yellow)->setGeometry(2, 43, captionWidth, 17);
    cdAuthor = makeControl<QLineEdit>(cdDetails, "cdauthor");
    cdAuthor->setGeometry(captionWidth + 2, 2, 185 - captionWidth - 4, 19);
    cdCategory = makeControl<QLineEdit>(cdDetails, "cdcategory");
    cdCategory->setGeometry(captionWidth + 2, 22, 185 - captionWidth - 4, 19);
    cdMisc = makeControl<QPlainTextEdit>(cdDetails, "cdmisc");
    cdMisc->setGeometry(2, 60, 181, 46);
    cdMisc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFieldColours(cdAuthor);
    setFieldColours(cdCategory);
    setListColours(cdMisc);
    cdDetails->hide();

    fileList = makeView(client, "FileListBox1", QAbstractItemView::ExtendedSelection);
    trackList = makeList(client, "cdlistbox", true);
    trackList->hide();

    fileListRollUp = makeGlyphButton(client, "btnFileListRollUp", Qt::DownArrow);
    addToTopPanel = makeControl<QFrame>(client, "addtotoppanel");
    makePanel(addToTopPanel, Qt::black, Qt::yellow);
    addToTopBox = makeCheck(addToTopPanel, "chkAddtoTop", QStringLiteral("Add to Top"), 4, 1, 90);

    addButton = makeControl<QPushButton>(client, "btnAdd");
    addButton->setText(QStringLiteral("->"));
    addButton->setDefault(true);
    addAllButton = makeControl<QPushButton>(client, "btnaddall");
    addAllButton->setText(QStringLiteral("All ->"));
    directoryListRollUp = makeGlyphButton(client, "btnDirectoryListRollUp", Qt::UpArrow);
}

// The animated icon, the time display and the play modes.
void MainWindow::createPlaybackControls(QWidget* client)
{
    // The icon repaints five times a second for the whole run: a plain palette and an
    // opaque picture keep each repaint to the icon's own 32 x 32 pixels.
    iconPanel = makeControl<QFrame>(client, "animatediconpanel");
    iconPanel->setAutoFillBackground(true);
    QPalette black = iconPanel->palette();
    black.setColor(QPalette::Window, Qt::black);
    iconPanel->setPalette(black);
    animatedIcon = makeControl<IconFrameView>(iconPanel, "animatedicon");
    animatedIcon->setGeometry(0, 0, 32, 32);

    timePanel = makeControl<QFrame>(client, "timedisppanel");
    setColours(timePanel, Qt::black, Qt::yellow);
    QFont smallFont = font();
    smallFont.setPixelSize(10);
    timePanel->setFont(smallFont);
    makeLabel(timePanel, "lblSongLength", QStringLiteral("Song Length"))->setGeometry(4, 1, 76, 15);
    makeLabel(timePanel, "lblSongPosition", QStringLiteral("Song Position"))->setGeometry(82, 1, 76, 15);
    lengthDisplay = makeLabel(timePanel, "lengthtimedisplay", QStringLiteral("00:00"));
    lengthDisplay->setGeometry(4, 16, 76, 15);
    positionDisplay = makeLabel(timePanel, "positiontimedisplay", QStringLiteral("00:00"));
    positionDisplay->setGeometry(82, 16, 76, 15);

    playModeRollUp = makeGlyphButton(client, "btnPlayModeRollUp", Qt::DownArrow, QStringLiteral("PlayMode"));
    playModePanel = makeControl<QFrame>(client, "playmodepanel");
    makePanel(playModePanel, QColor(192, 192, 192), Qt::black);
    backwardsBox = makeCheck(playModePanel, "chkBackwards", QStringLiteral("Backwards"), 3, 1, 92);
    randomBox = makeCheck(playModePanel, "chkRandom", QStringLiteral("Random"), 3, 16, 92);
    continuousBox = makeCheck(playModePanel, "chkContinuous", QStringLiteral("Continuous"), 3, 31, 92);
    shuffleBox = makeCheck(playModePanel, "chkShuffle", QStringLiteral("Shuffle"), 3, 46, 92);
    introBox = makeCheck(playModePanel, "chkIntro", QStringLiteral("Intro"), 3, 62, 50);
    introSeconds = makeControl<QLineEdit>(playModePanel, "introsec");
    introSeconds->setText(QStringLiteral("5"));
    introSeconds->setGeometry(55, 61, 24, 17);
    makeLabel(playModePanel, "lblIntroSeconds", QStringLiteral("s"))->setGeometry(82, 62, 10, 15);
}

// The queue's two lists, their path toggle, the hands and the remove buttons.
void MainWindow::createQueueControls(QWidget* client)
{
    moveUpButton = makeGlyphButton(client, "btnUp", Qt::UpArrow);
    moveDownButton = makeGlyphButton(client, "btnDown", Qt::DownArrow);

    QFont bold = font();
    bold.setBold(true);
    queuePaths = makeView(client, "queue", QAbstractItemView::ExtendedSelection);
    queuePaths->setFont(bold);
    queueNames = makeView(client, "queuefilename", QAbstractItemView::ExtendedSelection);
    queueNames->setFont(bold);
    queueNames->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    queueNames->hide();

    pathTabs = makeTabSet(client, "TabSet2", QStringLiteral("View Path"), QStringLiteral("Hide Path"));
    removeButton = makeControl<QPushButton>(client, "btnRemoveQueue");
    removeButton->setText(QStringLiteral("Remove"));
    removeAllButton = makeControl<QPushButton>(client, "btnRemoveAll");
    removeAllButton->setText(QStringLiteral("Rmv All"));
    queueRollUp = makeGlyphButton(client, "btnQueueRollUp", Qt::DownArrow);
}

// The type filters, laid out in columns as their table says.
void MainWindow::createFilterControls(QWidget* client)
{
    filterRollUp = makeGlyphButton(client, "btnFilterRollUp", Qt::DownArrow, QStringLiteral("Filters"));
    filterPanel = makeControl<QFrame>(client, "filterpanel");
    makePanel(filterPanel, QColor(192, 192, 192), Qt::black);
    for (std::size_t i = 0; i < kFileTypeFilterCount; ++i) {
        const FileTypeFilter& filter = FileTypeFilters()[i];
        // Seven rows in the panel's 81 pixels: the classic six and the row of music and video.
        const int left = 3 + filter.column * 56, top = filter.row * 11;
        QCheckBox* box = makeCheck(filterPanel, filter.checkBox.data(), QString(), left, top, 16);
        box->setChecked(true);
        filterBoxes[i] = box;
        QLabel* label = makeLabel(filterPanel, "", QString::fromLatin1(filter.label.data(), filter.label.size()));
        label->setObjectName(QLatin1String("lbl") + box->objectName());
        label->setGeometry(left + 17, top, 36, 14);
    }
}

void MainWindow::placeControls(QWidget* client)
{
    for (const ControlPlace& place : MainWindowLayout()) {
        auto* control = client->findChild<QWidget*>(QLatin1String(place.name.data(), place.name.size()),
                                                    Qt::FindDirectChildrenOnly);
        if (!control)
            continue;
        control->setGeometry(place.left, place.top, place.width, place.height);
        CommandDispatcher::setTag(control, place.tag);
    }
    pictureArea->lower();
}

void MainWindow::createMenus() { AddCommandMenus(*menuBar(), commands); }

void MainWindow::createPopupMenus()
{
    fileListMenu = MakeCommandPopup(CommandTable::fileManagerPopup(), commands, this);
    queueMenu = MakeCommandPopup(CommandTable::queuePopup(), commands, this);
    whatsThisMenu = new QMenu(this);
    whatsThisMenu->setObjectName(QStringLiteral("popupmenu"));
    whatsThisMenu->addAction(QStringLiteral("What's &This?"))->setObjectName(QStringLiteral("WhatsThis1"));

    auto attach = [](QAbstractItemView* list, QMenu* menu) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(list, &QWidget::customContextMenuRequested, menu,
                         [list, menu](const QPoint& at) { menu->popup(list->viewport()->mapToGlobal(at)); });
    };
    attach(fileList, fileListMenu);
    attach(trackList, fileListMenu);
    attach(queuePaths, queueMenu);
    attach(queueNames, queueMenu);
}

void MainWindow::connectHandlers()
{
    auto guarded = [](auto handler) { return [handler](auto&&...) { GuardedCall(handler); }; };
    connect(sourceTabs, &QTabBar::currentChanged, this, [this](int index) { GuardedCall([&] { showSource(index); }); });
    connect(fileListRollUp, &QToolButton::clicked, this, guarded([this] { toggleFileList(); }));
    connect(directoryListRollUp, &QToolButton::clicked, this, guarded([this] { toggleDirectoryList(); }));
    connect(filterRollUp, &QToolButton::clicked, this, guarded([this] { toggleFilters(); }));
    connect(playModeRollUp, &QToolButton::clicked, this, guarded([this] { togglePlayModes(); }));
    for (QCheckBox* box : filterBoxes)
        connect(box, &QCheckBox::clicked, this, guarded([this] { applyFileFilter(); }));

    // The mode boxes mirror the play modes; a click checks through the exclusion rules.
    for (PlayMode mode :
         {PlayMode::Backwards, PlayMode::Random, PlayMode::Continuous, PlayMode::Shuffle, PlayMode::Intro}) {
        connect(modeBox(mode), &QCheckBox::clicked, this,
                [this, mode](bool on) { GuardedCall([&] { session.playModes().setChecked(mode, on); }); });
    }
    session.playModes().onChanged = [this](PlayMode mode, bool on) { modeBox(mode)->setChecked(on); };
    // "Add to Top" is the session's queue editing setting, which the box mirrors.
    addToTopBox->setChecked(session.queueEditing().addsToTop());
    connect(addToTopBox, &QCheckBox::toggled, this, [this](bool on) { session.queueEditing().setAddToTop(on); });

    // The monitor's ticks and the intro countdown drive the session's playback.
    ticks = new PlaybackTicks(session, commands, *monitorTimer, *introTimer, this);
    connect(monitorTimer, &QTimer::timeout, this, &MainWindow::monitorTicked);
}

// The window's own commands: adding from its lists, the setup dialog, leaving, the help.
void MainWindow::registerCommands()
{
    for (QAbstractButton* button :
         {static_cast<QAbstractButton*>(addButton), static_cast<QAbstractButton*>(addAllButton),
          static_cast<QAbstractButton*>(removeButton), static_cast<QAbstractButton*>(removeAllButton),
          static_cast<QAbstractButton*>(moveUpButton), static_cast<QAbstractButton*>(moveDownButton)})
        commands.addOfferer(button);

    commands.setOperation(Command::AddToQueue, [this] { addToQueue(false); });
    commands.setOperation(Command::AddAllToQueue, [this] { addToQueue(true); });
    commands.setOperation(Command::SetupOptions, [this] { showSetupOptions(); });
    commands.setOperation(Command::Exit, [this] { requestExit(); });
    commands.setOperation(Command::HelpContents, [this] { showHelp(HelpCommand::HELP_FINDER); });
    commands.setOperation(Command::HelpSearch, [this] { showHelp(HelpCommand::HELP_PARTIALKEY); });
    commands.setOperation(Command::HelpOnHelp, [this] { showHelp(HelpCommand::HELP_HELPONHELP); });
}

void MainWindow::showHelp(unsigned command) { HelpEngine::ShowHelp(this, command); }

// The creation of the window, in its fixed order.
void MainWindow::runStartup()
{
    loadIconStrip();
    session.StartupInitialise(*this);
    assignHints();
    monitorTimer->start();
    queuePaths->setItemDelegate(new ScrollExtentDelegate(kQueueScrollExtent, queuePaths));
    contextHelp = new ContextHelp(session.settings(), *statusLine, *this, toolbar);
}

// Menu items take their commands' hints and help contexts, the controls the hints of their
// Tags; a right click on the controls that explain themselves offers What's This.
void MainWindow::assignHints()
{
    ControlHints::AssignMenuHints(*this);
    ControlHints::AssignControlHints(*centralWidget());
    offerWhatsThis();
}

void MainWindow::offerWhatsThis()
{
    auto* whatsThis = new WhatsThisPopup(*whatsThisMenu, *whatsThisMenu->actions().constFirst(), *this);
    // A left click leaves the keyboard focus on "->", so Enter adds the selected files.
    whatsThis->onOtherButton = [this] { addButton->setFocus(Qt::OtherFocusReason); };
    const QList<QWidget*> explained{
        directoryList,  addButton,           addAllButton, removeButton, removeAllButton, moveUpButton, moveDownButton,
        fileListRollUp, directoryListRollUp, queueRollUp,  filterRollUp, playModeRollUp,  sourceTabs,   pathTabs};
    for (QWidget* control : explained)
        whatsThis->offerOn(control);
    // The panels with their check boxes and captions.
    for (QWidget* panel : {static_cast<QWidget*>(cdDetails), static_cast<QWidget*>(filterPanel),
                           static_cast<QWidget*>(playModePanel), static_cast<QWidget*>(addToTopPanel)}) {
        whatsThis->offerOn(panel);
        for (QWidget* part : panel->findChildren<QWidget*>()) {
            if (qobject_cast<QLabel*>(part) || qobject_cast<QCheckBox*>(part))
                whatsThis->offerOn(part);
        }
    }
}

int MainWindow::clientHeight() const { return centralWidget()->height(); }

int MainWindow::menuBarHeight() const { return menuBar()->sizeHint().height(); }

// Every panel, button, list, drive selector and tab set, and the CD title, moves; the
// picture and the status bar (the labels placed directly on the client) stay.
void MainWindow::shiftControls(int distance)
{
    for (QWidget* control : centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!qobject_cast<QLabel*>(control))
            control->move(control->x(), control->y() + distance);
    }
}

void MainWindow::setClientHeight(int height)
{
    QWidget* client = centralWidget();
    client->setFixedHeight(height);
    setFixedSize(kClientWidth, height + menuBar()->sizeHint().height());
    pictureArea->setGeometry(client->rect());
    statusLine->setGeometry(0, height - kStatusBarHeight, kClientWidth, kStatusBarHeight);
}

// A strip that cannot be loaded is reported, and start-up goes on: the rest of it sets up
// the whole run; only the animated icon stays blank.
void MainWindow::loadIconStrip()
{
    GuardedCall([this] { animatedIcon->loadStrip(CurrentProgramPaths().dataFile("icons.bmp")); });
}

// The settings keep the slots' commands by their numbers.
void MainWindow::applyToolbarSlots(const std::array<int, kToolbarSlotCount>& numbers)
{
    std::array<Command, kToolbarSlotCount> slotCommands{};
    for (std::size_t slot = 0; slot < slotCommands.size(); ++slot)
        slotCommands[slot] = static_cast<Command>(numbers[slot]);
    toolbar.applySlots(slotCommands);
}

void MainWindow::applySettings()
{
    const Settings& settings = session.settings();
    timePanel->setVisible(settings.optDisplayTime);
    moveUpButton->setVisible(settings.optDisplayQueueHands);
    moveDownButton->setVisible(settings.optDisplayQueueHands);
    setAcceptDrops(settings.optDragDrop);
    iconPanel->setVisible(settings.optShowAnimatedIcon);
}

void MainWindow::showSetupOptions()
{
    if (setupForm)
        setupForm().showModal(session.settings(), SettingsFilePath());
    applySettings();
}

void MainWindow::applyFileFilter()
{
    std::array<bool, kFileTypeFilterCount> ticked{};
    for (std::size_t i = 0; i < kFileTypeFilterCount; ++i)
        ticked[i] = filterBoxes[i]->isChecked();
    browser->setMask(QString::fromStdString(BuildFileMask(ticked)));
}

const QString& MainWindow::fileMask() const { return browser->fileList().mask(); }

// Source switch: runs whenever the selected tab changes, by a click or by the program.
void MainWindow::showSource(int index)
{
    const bool files = index == 0;
    fileList->setVisible(files);
    driveBox->setVisible(files);
    directoryList->setVisible(files);
    trackList->setVisible(!files);
    cdTitle->setVisible(!files);
    cdDetails->setVisible(!files);
    for (Command command : {Command::DeleteFile, Command::DeleteAllFiles, Command::CopyFile, Command::CopyAllFiles,
                            Command::MoveFile, Command::MoveAllFiles})
        commands.SetCommandEnabled(command, files);
}

bool MainWindow::requireFilesMode() { return session.fileCommands().RequireFilesMode(); }

void MainWindow::toggleFileList()
{
    QAbstractItemView* list = sourceTabs->currentIndex() == 0 ? static_cast<QAbstractItemView*>(fileList)
                                                              : static_cast<QAbstractItemView*>(trackList);
    list->setVisible(list->isHidden());
}

void MainWindow::toggleDirectoryList()
{
    const bool shown = sourceTabs->isHidden();
    sourceTabs->setVisible(shown);
    if (sourceTabs->currentIndex() == 0) {
        directoryList->setVisible(shown);
        driveBox->setVisible(shown);
    } else {
        cdTitle->setVisible(shown);
        cdDetails->setVisible(shown);
    }
}

void MainWindow::toggleFilters() { filterPanel->setVisible(filterPanel->isHidden()); }

void MainWindow::togglePlayModes() { playModePanel->setVisible(playModePanel->isHidden()); }

QCheckBox* MainWindow::modeBox(PlayMode mode) const
{
    switch (mode) {
        case PlayMode::Backwards:
            return backwardsBox;
        case PlayMode::Random:
            return randomBox;
        case PlayMode::Continuous:
            return continuousBox;
        case PlayMode::Shuffle:
            return shuffleBox;
        case PlayMode::Intro:
            return introBox;
    }
    return nullptr;
}

// --- Leaving -------------------------------------------------------------------------

// The session's exit check, after the CD field that still has the focus is stored; an
// error inside them (the CD database or the default album cannot be written) is shown and
// leaves the program open. Once leaving is allowed, drops are no longer taken.
bool MainWindow::mayLeave()
{
    bool allowed = false;
    GuardedCall([&] {
        cdPanel->leaveFocusedField();
        allowed = session.ConfirmExit();
    });
    if (allowed) {
        exitConfirmed = true;
        setAcceptDrops(false);
    }
    return allowed;
}

void MainWindow::requestExit()
{
    if (mayLeave())
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

bool MainWindow::sessionEnding(bool mayAsk)
{
    bool allowed = true;
    if (mayAsk)
        GuardedCall([&] { allowed = session.exitQuestionAllows(); });
    return allowed;
}

void MainWindow::quietExit()
{
    if (exitConfirmed)
        return;
    const auto toStandardError = [](const std::string& message) {
        std::fprintf(stderr, "sonorail: %s.\n", message.c_str());
    };
    GuardedCall([this] { cdPanel->leaveFocusedField(); }, toStandardError);
    GuardedCall([this] { session.ConfirmExit(false); }, toStandardError);
    exitConfirmed = true;
    setAcceptDrops(false);
}

// The close request is granted only when the exit check allows it.
void MainWindow::closeEvent(QCloseEvent* event)
{
    if (exitConfirmed) {
        event->accept();
        return;
    }
    event->ignore();
    if (!mayLeave())
        return;
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) { drops->enter(event); }

void MainWindow::dropEvent(QDropEvent* event) { drops->drop(event); }

// --- Keys ------------------------------------------------------------------------------

void MainWindow::watchKeys(QWidget* client)
{
    for (QWidget* control : client->findChildren<QWidget*>())
        control->installEventFilter(this);
}

// Enter clicks the focused button when a button has the focus, otherwise the default
// button "->"; in the CD notes it starts a new line. Delete in a queue list removes. Drops
// on any control follow the window's rule.
bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (FileDrops::isDragEvent(event->type()))
        return drops->onControl(event);
    if (watched == fileList->viewport() || watched == trackList->viewport())
        return addingListMouse(static_cast<QWidget*>(watched), event);
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Delete && (watched == queuePaths || watched == queueNames)) {
        commands.ExecuteCommand(Command::RemoveFromQueue, watched);
        return true;
    }
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && watched != cdMisc)
        return handleEnter(watched);
    return QMainWindow::eventFilter(watched, event);
}

// A double click in the file or CD list, on a row or below the rows, adds the selected
// rows. A click below the rows leaves the selection as it is (the list would clear it), so
// that a double click there adds what was selected.
bool MainWindow::addingListMouse(QWidget* viewport, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return false;
    const auto* list = static_cast<QAbstractItemView*>(viewport->parentWidget());
    const bool belowTheRows = !list->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint()).isValid();
    if (type == QEvent::MouseButtonDblClick)
        GuardedCall([this] { addToQueue(false); });
    return belowTheRows;
}

bool MainWindow::handleEnter(QObject* watched)
{
    if (auto* button = qobject_cast<QAbstractButton*>(watched); button && qobject_cast<QPushButton*>(button)) {
        button->click();
        return true;
    }
    if (addButton->isEnabled())
        addButton->click();
    return true;
}

// --- The play queue ----------------------------------------------------------------------

void MainWindow::addToQueue(bool all)
{
    const bool addToTop = session.queueEditing().addsToTop();
    if (sourceTabs->currentIndex() == 0)
        session.queueEditing().AddToQueue(FileListSource(*browser), all, addToTop);
    else if (sourceTabs->currentIndex() == 1)
        session.queueEditing().AddToQueue(CdListSource(*trackList), all, addToTop);
}

// The toolbar's information panel shows a copy of this bar.
void MainWindow::showInfo(const std::string& text)
{
    informationBar->setText(QString::fromLocal8Bit(text.c_str()));
    toolbar.showInformation(informationBar->text());
}

// --- Playback display --------------------------------------------------------------------

// The toolbar's time displays are copies of these.
void MainWindow::setTimeDisplays(const std::string& length, const std::string& position)
{
    lengthDisplay->setText(QString::fromStdString(length));
    positionDisplay->setText(QString::fromStdString(position));
    toolbar.setTimeDisplays(lengthDisplay->text(), positionDisplay->text());
}

void MainWindow::clearTimeDisplays()
{
    lengthDisplay->clear();
    positionDisplay->clear();
    toolbar.setTimeDisplays(QString(), QString());
}

void MainWindow::showIconFrame(int frame) { animatedIcon->showFrame(frame); }

// A countdown that already runs keeps its running second: starting a QTimer again would
// begin the second anew.
void MainWindow::setIntroCountdown(bool running)
{
    if (!running)
        introTimer->stop();
    else if (!introTimer->isActive())
        introTimer->start();
}

std::string MainWindow::introSecondsText() const { return introSeconds->text().toStdString(); }
