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
    drops = std::make_unique<FileDrops>(session, *chkAddtoTop);
    browser = new FileBrowser(DriveComboBox1, DirectoryListBox1, FileListBox1, this);
    queuePanel =
        new QueuePanel(session.playQueue(), {queue, queuefilename, TabSet2, btnQueueRollUp, btnUp, btnDown}, this);
    pictureArea = std::make_unique<PictureArea>(*this, *PMultiImage1);
    cdPanel = new CdPanel(
        {cdlistbox, cdtitle, cdauthor, cdcategory, cdmisc, TabSet1}, [this] { this->session.cd().StoreCDInfo(); },
        this);
    discLookup = new OnlineDiscLookup(this);
    fileManager = std::make_unique<FileManagerView>(
        FileManagerView::Controls{browser, FileListBox1, cdlistbox, TabSet1, lblFileInfo});
    createMenus();
    createPopupMenus();
    connectHandlers();
    watchKeys(client);
    registerCommands();
    attachViews(true);
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate();
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
    session.attachVideoArea(attached ? pictureArea.get() : nullptr);
    session.attachCdView(attached ? cdPanel : nullptr);
    session.attachDiscLookup(attached ? discLookup : nullptr);
    session.attachFileManagerWindow(attached ? fileManager.get() : nullptr);
}

// The controls in the order they lie on top of each other, from the back to the front.
void MainWindow::createControls(QWidget* client)
{
    // The picture area fills the client in the window's own colour: behind the controls it
    // is the background, brought in front for a video it covers them.
    PMultiImage1 = makeControl<QLabel>(client, "PMultiImage1");
    PMultiImage1->setAlignment(Qt::AlignCenter);
    PMultiImage1->setAutoFillBackground(true);
    createBrowserControls(client);
    createPlaybackControls(client);
    createQueueControls(client);
    createFilterControls(client);
    statusbar = makeLabel(client, "statusbar", QStringLiteral("The Status Bar."));
    statusbar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusbar->setStyleSheet(QLatin1String("background-color: rgb(192,192,192); color: black;"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(200);
    introcountdown = new QTimer(this);
    introcountdown->setObjectName(QStringLiteral("introcountdown"));
    introcountdown->setInterval(1000);
}

// The information bars, the drive and directory lists with the CD title and notes that
// share their place, the file and CD track lists, and the buttons that add to the queue.
void MainWindow::createBrowserControls(QWidget* client)
{
    infobarpanel = makeBar(client, "infobarpanel", infobar, "infobar", QStringLiteral("Sonorail"));
    Panel1 = makeBar(client, "Panel1", lblFileInfo, "lblFileInfo",
                     QStringLiteral("Click \"File/Info\" to get information on a multimedia file/cd track here!"));

    DriveComboBox1 = makeControl<QComboBox>(client, "DriveComboBox1");
    DriveComboBox1->setStyleSheet(QLatin1String(kListStyle));
    cdtitle = makeControl<QLineEdit>(client, "cdtitle");
    cdtitle->setStyleSheet(QLatin1String(kListStyle));
    cdtitle->setText(QStringLiteral("CD Title Goes Here..."));
    cdtitle->hide();

    TabSet1 = makeTabSet(client, "TabSet1", QStringLiteral("Files"), QStringLiteral("CD-Audio"));
    DirectoryListBox1 = makeView(client, "DirectoryListBox1", QAbstractItemView::SingleSelection);

    cdinfo = makeControl<QFrame>(client, "cdinfo");
    cdinfo->setFrameShape(QFrame::Panel);
    cdinfo->setFrameShadow(QFrame::Raised);
    const int captionWidth = 52;
    makeLabel(cdinfo, "lblcdauthor", QStringLiteral("Author:"), "color: yellow;")->setGeometry(2, 3, captionWidth, 17);
    makeLabel(cdinfo, "lblcdcategory", QStringLiteral("Category:"), "color: yellow;")
        ->setGeometry(2, 23, captionWidth, 17);
    makeLabel(cdinfo, "lblcdmisc", QStringLiteral("Misc:"), "color: yellow;")->setGeometry(2, 43, captionWidth, 17);
    cdauthor = makeControl<QLineEdit>(cdinfo, "cdauthor");
    cdauthor->setGeometry(captionWidth + 2, 2, 185 - captionWidth - 4, 19);
    cdcategory = makeControl<QLineEdit>(cdinfo, "cdcategory");
    cdcategory->setGeometry(captionWidth + 2, 22, 185 - captionWidth - 4, 19);
    cdmisc = makeControl<QPlainTextEdit>(cdinfo, "cdmisc");
    cdmisc->setGeometry(2, 60, 181, 46);
    cdmisc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (QWidget* field :
         {static_cast<QWidget*>(cdauthor), static_cast<QWidget*>(cdcategory), static_cast<QWidget*>(cdmisc)})
        field->setStyleSheet(QLatin1String(kListStyle));
    cdinfo->hide();

    FileListBox1 = makeView(client, "FileListBox1", QAbstractItemView::ExtendedSelection);
    cdlistbox = makeList(client, "cdlistbox", true);
    cdlistbox->hide();

    btnFileListRollUp = makeGlyphButton(client, "btnFileListRollUp", Qt::DownArrow);
    addtotoppanel = makeControl<QFrame>(client, "addtotoppanel");
    addtotoppanel->setStyleSheet(
        QLatin1String("QFrame#addtotoppanel { background-color: black; } QCheckBox { color: yellow; }"));
    chkAddtoTop = makeCheck(addtotoppanel, "chkAddtoTop", QStringLiteral("Add to Top"), 4, 1, 90);

    btnAdd = makeControl<QPushButton>(client, "btnAdd");
    btnAdd->setText(QStringLiteral("->"));
    btnAdd->setDefault(true);
    btnaddall = makeControl<QPushButton>(client, "btnaddall");
    btnaddall->setText(QStringLiteral("All ->"));
    btnDirectoryListRollUp = makeGlyphButton(client, "btnDirectoryListRollUp", Qt::UpArrow);
}

// The animated icon, the time display and the play modes.
void MainWindow::createPlaybackControls(QWidget* client)
{
    // The icon repaints five times a second for the whole run: a plain palette and an
    // opaque picture keep each repaint to the icon's own 32 x 32 pixels.
    animatediconpanel = makeControl<QFrame>(client, "animatediconpanel");
    animatediconpanel->setAutoFillBackground(true);
    QPalette black = animatediconpanel->palette();
    black.setColor(QPalette::Window, Qt::black);
    animatediconpanel->setPalette(black);
    animatedicon = makeControl<IconFrameView>(animatediconpanel, "animatedicon");
    animatedicon->setGeometry(0, 0, 32, 32);

    timedisppanel = makeControl<QFrame>(client, "timedisppanel");
    timedisppanel->setStyleSheet(QLatin1String("background-color: black; color: yellow; font-size: 10px;"));
    makeLabel(timedisppanel, "lblSongLength", QStringLiteral("Song Length"))->setGeometry(4, 1, 76, 15);
    makeLabel(timedisppanel, "lblSongPosition", QStringLiteral("Song Position"))->setGeometry(82, 1, 76, 15);
    lengthtimedisplay = makeLabel(timedisppanel, "lengthtimedisplay", QStringLiteral("00:00"));
    lengthtimedisplay->setGeometry(4, 16, 76, 15);
    positiontimedisplay = makeLabel(timedisppanel, "positiontimedisplay", QStringLiteral("00:00"));
    positiontimedisplay->setGeometry(82, 16, 76, 15);

    btnPlayModeRollUp = makeGlyphButton(client, "btnPlayModeRollUp", Qt::DownArrow, QStringLiteral("PlayMode"));
    playmodepanel = makeControl<QFrame>(client, "playmodepanel");
    playmodepanel->setStyleSheet(QString::fromLatin1(kCheckPanelStyle).arg(QStringLiteral("playmodepanel")));
    chkBackwards = makeCheck(playmodepanel, "chkBackwards", QStringLiteral("Backwards"), 3, 1, 92);
    chkRandom = makeCheck(playmodepanel, "chkRandom", QStringLiteral("Random"), 3, 16, 92);
    chkContinuous = makeCheck(playmodepanel, "chkContinuous", QStringLiteral("Continuous"), 3, 31, 92);
    chkShuffle = makeCheck(playmodepanel, "chkShuffle", QStringLiteral("Shuffle"), 3, 46, 92);
    chkIntro = makeCheck(playmodepanel, "chkIntro", QStringLiteral("Intro"), 3, 62, 50);
    introsec = makeControl<QLineEdit>(playmodepanel, "introsec");
    introsec->setText(QStringLiteral("5"));
    introsec->setGeometry(55, 61, 24, 17);
    makeLabel(playmodepanel, "lblIntroSeconds", QStringLiteral("s"))->setGeometry(82, 62, 10, 15);
}

// The queue's two lists, their path toggle, the hands and the remove buttons.
void MainWindow::createQueueControls(QWidget* client)
{
    btnUp = makeGlyphButton(client, "btnUp", Qt::UpArrow);
    btnDown = makeGlyphButton(client, "btnDown", Qt::DownArrow);

    QFont bold = font();
    bold.setBold(true);
    queue = makeView(client, "queue", QAbstractItemView::ExtendedSelection);
    queue->setFont(bold);
    queuefilename = makeView(client, "queuefilename", QAbstractItemView::ExtendedSelection);
    queuefilename->setFont(bold);
    queuefilename->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    queuefilename->hide();

    TabSet2 = makeTabSet(client, "TabSet2", QStringLiteral("View Path"), QStringLiteral("Hide Path"));
    btnRemoveQueue = makeControl<QPushButton>(client, "btnRemoveQueue");
    btnRemoveQueue->setText(QStringLiteral("Remove"));
    btnRemoveAll = makeControl<QPushButton>(client, "btnRemoveAll");
    btnRemoveAll->setText(QStringLiteral("Rmv All"));
    btnQueueRollUp = makeGlyphButton(client, "btnQueueRollUp", Qt::DownArrow);
}

// The type filters, laid out in columns as their table says.
void MainWindow::createFilterControls(QWidget* client)
{
    btnFilterRollUp = makeGlyphButton(client, "btnFilterRollUp", Qt::DownArrow, QStringLiteral("Filters"));
    filterpanel = makeControl<QFrame>(client, "filterpanel");
    filterpanel->setStyleSheet(QString::fromLatin1(kCheckPanelStyle).arg(QStringLiteral("filterpanel")));
    for (std::size_t i = 0; i < kFileTypeFilterCount; ++i) {
        const FileTypeFilter& filter = FileTypeFilters()[i];
        // Seven rows in the panel's 81 pixels: the classic six and the row of music and video.
        const int left = 3 + filter.column * 56, top = filter.row * 11;
        QCheckBox* box = makeCheck(filterpanel, filter.checkBox.data(), QString(), left, top, 16);
        box->setChecked(true);
        filterBoxes[i] = box;
        QLabel* label = makeLabel(filterpanel, "", QString::fromLatin1(filter.label.data(), filter.label.size()));
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
    PMultiImage1->lower();
}

void MainWindow::createMenus() { AddCommandMenus(*menuBar(), commands); }

void MainWindow::createPopupMenus()
{
    FileManagerPopUp = MakeCommandPopup(CommandTable::fileManagerPopup(), commands, this);
    QueuePopUp = MakeCommandPopup(CommandTable::queuePopup(), commands, this);
    popupmenu = new QMenu(this);
    popupmenu->setObjectName(QStringLiteral("popupmenu"));
    popupmenu->addAction(QStringLiteral("What's &This?"))->setObjectName(QStringLiteral("WhatsThis1"));

    auto attach = [](QAbstractItemView* list, QMenu* menu) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(list, &QWidget::customContextMenuRequested, menu,
                         [list, menu](const QPoint& at) { menu->popup(list->viewport()->mapToGlobal(at)); });
    };
    attach(FileListBox1, FileManagerPopUp);
    attach(cdlistbox, FileManagerPopUp);
    attach(queue, QueuePopUp);
    attach(queuefilename, QueuePopUp);
}

void MainWindow::connectHandlers()
{
    auto guarded = [](auto handler) { return [handler](auto&&...) { GuardedCall(handler); }; };
    connect(TabSet1, &QTabBar::currentChanged, this, [this](int index) { GuardedCall([&] { TabSet1Click(index); }); });
    connect(btnFileListRollUp, &QToolButton::clicked, this, guarded([this] { btnFileListRollUpClick(); }));
    connect(btnDirectoryListRollUp, &QToolButton::clicked, this, guarded([this] { btnDirectoryListRollUpClick(); }));
    connect(btnFilterRollUp, &QToolButton::clicked, this, guarded([this] { btnFilterRollUpClick(); }));
    connect(btnPlayModeRollUp, &QToolButton::clicked, this, guarded([this] { btnPlayModeRollUpClick(); }));
    for (QCheckBox* box : filterBoxes)
        connect(box, &QCheckBox::clicked, this, guarded([this] { ApplyFileFilter(); }));

    // The mode boxes mirror the play modes; a click checks through the exclusion rules.
    for (PlayMode mode :
         {PlayMode::Backwards, PlayMode::Random, PlayMode::Continuous, PlayMode::Shuffle, PlayMode::Intro}) {
        connect(modeBox(mode), &QCheckBox::clicked, this,
                [this, mode](bool on) { GuardedCall([&] { session.playModes().setChecked(mode, on); }); });
    }
    session.playModes().onChanged = [this](PlayMode mode, bool on) { modeBox(mode)->setChecked(on); };

    // The monitor's ticks and the intro countdown drive the session's playback.
    ticks = new PlaybackTicks(session, commands, *Timer1, *introcountdown, this);
}

// The window's own commands: adding from its lists, the setup dialog, leaving, the help.
void MainWindow::registerCommands()
{
    for (QAbstractButton* button :
         {static_cast<QAbstractButton*>(btnAdd), static_cast<QAbstractButton*>(btnaddall),
          static_cast<QAbstractButton*>(btnRemoveQueue), static_cast<QAbstractButton*>(btnRemoveAll),
          static_cast<QAbstractButton*>(btnUp), static_cast<QAbstractButton*>(btnDown)})
        commands.addOfferer(button);

    commands.setOperation(Command::AddToQueue, [this] { AddToQueue(false); });
    commands.setOperation(Command::AddAllToQueue, [this] { AddToQueue(true); });
    commands.setOperation(Command::SetupOptions, [this] { ShowSetupOptions(); });
    commands.setOperation(Command::Exit, [this] { RequestExit(); });
    commands.setOperation(Command::HelpContents, [this] { showHelp(HelpCommand::HELP_FINDER); });
    commands.setOperation(Command::HelpSearch, [this] { showHelp(HelpCommand::HELP_PARTIALKEY); });
    commands.setOperation(Command::HelpOnHelp, [this] { showHelp(HelpCommand::HELP_HELPONHELP); });
}

void MainWindow::showHelp(unsigned command) { HelpEngine::ShowHelp(this, command); }

// The creation of the window, in its fixed order.
void MainWindow::FormCreate()
{
    loadIconStrip();
    session.StartupInitialise(*this);
    assignHints();
    Timer1->start();
    queue->setItemDelegate(new ScrollExtentDelegate(kQueueScrollExtent, queue));
    contextHelp = new ContextHelp(session.settings(), *statusbar, *this, toolbar);
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
    auto* whatsThis = new WhatsThisPopup(*popupmenu, *popupmenu->actions().constFirst(), *this);
    // A left click leaves the keyboard focus on "->", so Enter adds the selected files.
    whatsThis->onOtherButton = [this] { btnAdd->setFocus(Qt::OtherFocusReason); };
    const QList<QWidget*> explained{DirectoryListBox1,
                                    btnAdd,
                                    btnaddall,
                                    btnRemoveQueue,
                                    btnRemoveAll,
                                    btnUp,
                                    btnDown,
                                    btnFileListRollUp,
                                    btnDirectoryListRollUp,
                                    btnQueueRollUp,
                                    btnFilterRollUp,
                                    btnPlayModeRollUp,
                                    TabSet1,
                                    TabSet2};
    for (QWidget* control : explained)
        whatsThis->offerOn(control);
    // The panels with their check boxes and captions.
    for (QWidget* panel : {static_cast<QWidget*>(cdinfo), static_cast<QWidget*>(filterpanel),
                           static_cast<QWidget*>(playmodepanel), static_cast<QWidget*>(addtotoppanel)}) {
        whatsThis->offerOn(panel);
        for (QWidget* part : panel->findChildren<QWidget*>()) {
            if (qobject_cast<QLabel*>(part) || qobject_cast<QCheckBox*>(part))
                whatsThis->offerOn(part);
        }
    }
}

void MainWindow::setClientHeight(int height)
{
    QWidget* client = centralWidget();
    client->setFixedHeight(height);
    setFixedSize(kClientWidth, height + menuBar()->sizeHint().height());
    PMultiImage1->setGeometry(client->rect());
    statusbar->setGeometry(0, height - kStatusBarHeight, kClientWidth, kStatusBarHeight);
}

// A strip that cannot be loaded is reported, and start-up goes on: the rest of it sets up
// the whole run; only the animated icon stays blank.
void MainWindow::loadIconStrip()
{
    GuardedCall([this] { animatedicon->loadStrip(CurrentProgramPaths().dataFile("icons.bmp")); });
}

void MainWindow::ApplyToolbarSlots(const std::array<int, kToolbarSlotCount>& commands)
{
    toolbar.ApplyToolbarSlots(commands);
}

void MainWindow::ApplySettings()
{
    const Settings& settings = session.settings();
    timedisppanel->setVisible(settings.optDisplayTime);
    btnUp->setVisible(settings.optDisplayQueueHands);
    btnDown->setVisible(settings.optDisplayQueueHands);
    setAcceptDrops(settings.optDragDrop);
    animatediconpanel->setVisible(settings.optShowAnimatedIcon);
}

void MainWindow::ShowSetupOptions()
{
    if (setupForm)
        setupForm().ShowModal(session.settings(), SettingsFilePath());
    ApplySettings();
}

void MainWindow::ApplyFileFilter()
{
    std::array<bool, kFileTypeFilterCount> ticked{};
    for (std::size_t i = 0; i < kFileTypeFilterCount; ++i)
        ticked[i] = filterBoxes[i]->isChecked();
    browser->setMask(QString::fromStdString(BuildFileMask(ticked)));
}

const QString& MainWindow::fileMask() const { return browser->fileList().mask(); }

// Source switch: runs whenever the selected tab changes, by a click or by the program.
void MainWindow::TabSet1Click(int index)
{
    const bool files = index == 0;
    FileListBox1->setVisible(files);
    DriveComboBox1->setVisible(files);
    DirectoryListBox1->setVisible(files);
    cdlistbox->setVisible(!files);
    cdtitle->setVisible(!files);
    cdinfo->setVisible(!files);
    for (Command command : {Command::DeleteFile, Command::DeleteAllFiles, Command::CopyFile, Command::CopyAllFiles,
                            Command::MoveFile, Command::MoveAllFiles})
        commands.SetCommandEnabled(command, files);
}

bool MainWindow::RequireFilesMode() { return session.fileCommands().RequireFilesMode(); }

void MainWindow::btnFileListRollUpClick()
{
    QAbstractItemView* list = TabSet1->currentIndex() == 0 ? static_cast<QAbstractItemView*>(FileListBox1)
                                                           : static_cast<QAbstractItemView*>(cdlistbox);
    list->setVisible(list->isHidden());
}

void MainWindow::btnDirectoryListRollUpClick()
{
    const bool shown = TabSet1->isHidden();
    TabSet1->setVisible(shown);
    if (TabSet1->currentIndex() == 0) {
        DirectoryListBox1->setVisible(shown);
        DriveComboBox1->setVisible(shown);
    } else {
        cdtitle->setVisible(shown);
        cdinfo->setVisible(shown);
    }
}

void MainWindow::btnFilterRollUpClick() { filterpanel->setVisible(filterpanel->isHidden()); }

void MainWindow::btnPlayModeRollUpClick() { playmodepanel->setVisible(playmodepanel->isHidden()); }

QCheckBox* MainWindow::modeBox(PlayMode mode) const
{
    switch (mode) {
        case PlayMode::Backwards:
            return chkBackwards;
        case PlayMode::Random:
            return chkRandom;
        case PlayMode::Continuous:
            return chkContinuous;
        case PlayMode::Shuffle:
            return chkShuffle;
        case PlayMode::Intro:
            return chkIntro;
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

void MainWindow::RequestExit()
{
    if (mayLeave())
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

bool MainWindow::SessionEnding(bool mayAsk)
{
    bool allowed = true;
    if (mayAsk)
        GuardedCall([&] { allowed = session.ExitQuestionAllows(); });
    return allowed;
}

void MainWindow::QuietExit()
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
    if (watched == FileListBox1->viewport() || watched == cdlistbox->viewport())
        return addingListMouse(static_cast<QWidget*>(watched), event);
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Delete && (watched == queue || watched == queuefilename)) {
        commands.ExecuteCommand(Command::RemoveFromQueue, watched);
        return true;
    }
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && watched != cdmisc)
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
        GuardedCall([this] { AddToQueue(false); });
    return belowTheRows;
}

bool MainWindow::handleEnter(QObject* watched)
{
    if (auto* button = qobject_cast<QAbstractButton*>(watched); button && qobject_cast<QPushButton*>(button)) {
        button->click();
        return true;
    }
    if (btnAdd->isEnabled())
        btnAdd->click();
    return true;
}

// --- The play queue ----------------------------------------------------------------------

void MainWindow::AddToQueue(bool all)
{
    const bool addToTop = chkAddtoTop->isChecked();
    if (TabSet1->currentIndex() == 0)
        session.queueEditing().AddToQueue(FileListSource(*browser), all, addToTop);
    else if (TabSet1->currentIndex() == 1)
        session.queueEditing().AddToQueue(CdListSource(*cdlistbox), all, addToTop);
}

void MainWindow::showInfo(const std::string& text) { infobar->setText(QString::fromLocal8Bit(text.c_str())); }

// --- Playback display --------------------------------------------------------------------

// The toolbar's time displays are copies of these.
void MainWindow::setTimeDisplays(const std::string& length, const std::string& position)
{
    lengthtimedisplay->setText(QString::fromStdString(length));
    positiontimedisplay->setText(QString::fromStdString(position));
    toolbar.setTimeDisplays(lengthtimedisplay->text(), positiontimedisplay->text());
}

void MainWindow::clearTimeDisplays()
{
    lengthtimedisplay->clear();
    positiontimedisplay->clear();
    toolbar.setTimeDisplays(QString(), QString());
}

void MainWindow::showIconFrame(int frame) { animatedicon->showFrame(frame); }

// A countdown that already runs keeps its running second: starting a QTimer again would
// begin the second anew.
void MainWindow::setIntroCountdown(bool running)
{
    if (!running)
        introcountdown->stop();
    else if (!introcountdown->isActive())
        introcountdown->start();
}

std::string MainWindow::introSecondsText() const { return introsec->text().toStdString(); }
