#include "ui/mainwindow/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QFile>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "ui/mainwindow/IconFrameView.h"
#include "ui/mainwindow/MainWindowLayout.h"
#include "ui/welcome/WelcomeWindow.h"
#include "ui/viewer/ViewerWindow.h"
#include "ui/toolbar/Toolbar.h"
#include "ui/files/FileBrowser.h"
#include "ui/files/FileListModel.h"
#include "ui/help/HelpEngine.h"
#include "ui/queue/QueueListModel.h"
#include "core/base/WithTrailingBackslash.h"
#include "core/settings/ProfileFile.h"
#include "core/settings/SettingsKeys.h"
#include "ui/setup/SetupDialog.h"
#include "core/albums/Albums.h"
#include "ui/commands/CommandDispatcher.h"
#include "core/commands/CommandLine.h"
#include "core/commands/CommandTable.h"
#include "core/base/DialogSeam.h"
#include "core/base/GuardedCall.h"
#include "core/base/IoErrorText.h"
#include "core/base/ProgramPaths.h"

namespace {

const char* const kListStyle = "background-color: rgb(0,0,255); color: yellow;";
const char* const kBarStyle = "background-color: black; color: yellow;";
const char* const kCheckPanelStyle = "QFrame#%1 { background-color: rgb(192,192,192); } QCheckBox, QLabel { color: black; }";

template <class Widget>
Widget* makeControl(QWidget* parent, const char* name)
{
    auto* control = new Widget(parent);
    control->setObjectName(QLatin1String(name));
    return control;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const char* style = nullptr)
{
    auto* label = makeControl<QLabel>(parent, name);
    label->setText(text);
    if (style)
        label->setStyleSheet(QLatin1String(style));
    return label;
}

QFrame* makeBar(QWidget* parent, const char* name, QLabel*& label, const char* labelName, const QString& text)
{
    auto* bar = makeControl<QFrame>(parent, name);
    bar->setStyleSheet(QLatin1String(kBarStyle));
    label = makeLabel(bar, labelName, text);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(0, 0, 489, 17);
    return bar;
}

// The small glyph buttons: roll-ups, and the queue's moving hands.
QToolButton* makeGlyphButton(QWidget* parent, const char* name, Qt::ArrowType arrow, const QString& text = {})
{
    auto* button = makeControl<QToolButton>(parent, name);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    if (!text.isEmpty()) {
        button->setText(text);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    return button;
}

QListWidget* makeList(QWidget* parent, const char* name, bool multiSelect)
{
    auto* list = makeControl<QListWidget>(parent, name);
    list->setStyleSheet(QLatin1String(kListStyle));
    list->setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    return list;
}

QListView* makeView(QWidget* parent, const char* name, QAbstractItemView::SelectionMode mode)
{
    auto* view = makeControl<QListView>(parent, name);
    view->setStyleSheet(QLatin1String(kListStyle));
    view->setSelectionMode(mode);
    view->setUniformItemSizes(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return view;
}

QTabBar* makeTabSet(QWidget* parent, const char* name, const QString& first, const QString& second)
{
    auto* tabs = makeControl<QTabBar>(parent, name);
    tabs->setShape(QTabBar::RoundedSouth);
    tabs->setExpanding(false);
    tabs->setDrawBase(false);
    tabs->setStyleSheet(QLatin1String("QTabBar::tab { background: rgb(0,0,255); color: yellow; padding: 1px 6px; }"
                                      "QTabBar::tab:selected { background: rgb(0,0,160); font-weight: bold; }"));
    tabs->addTab(first);
    tabs->addTab(second);
    return tabs;
}

QCheckBox* makeCheck(QWidget* parent, const char* name, const QString& text, int left, int top, int width)
{
    auto* box = makeControl<QCheckBox>(parent, name);
    box->setText(text);
    box->setGeometry(left, top, width, 15);
    box->setFocusPolicy(Qt::TabFocus);
    return box;
}

}  // namespace

MainWindow::MainWindow(const MainWindowStart& start, Toolbar& toolbarWindow)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      commands(*start.dispatcher),
      toolbar(toolbarWindow),
      tips(start.tips),
      arguments(start.arguments)
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
    browser = new FileBrowser(DriveComboBox1, DirectoryListBox1, FileListBox1, this);
    pathModel = new QueueListModel(entries, QueueList::Path, this);
    pathModel->attach(queue);
    nameModel = new QueueListModel(entries, QueueList::Name, this);
    nameModel->attach(queuefilename);
    QueueWindow& queueWindow = *this;
    editing = std::make_unique<QueueEditing>(entries, currentSettings, queueWindow);
    albums = std::make_unique<Albums>(entries, *editing, currentSettings, queueWindow);
    defaultAlbumSaver = [this](bool mayAsk) { albums->SaveDefaultAlbum(mayAsk); };
    createPlayback(start);
    createMenus();
    createPopupMenus();
    connectHandlers();
    watchKeys(client);
    registerCommands();
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate();
}

// The queue's models watch the queue, a member: they go first, not after the members as
// the base class would delete them.
MainWindow::~MainWindow()
{
    delete pathModel;
    delete nameModel;
}

void MainWindow::createControls(QWidget* client)
{
    // The picture area fills the client in the window's own colour: behind the controls it
    // is the background, brought in front for a video it covers them.
    PMultiImage1 = makeControl<QLabel>(client, "PMultiImage1");
    PMultiImage1->setAlignment(Qt::AlignCenter);
    PMultiImage1->setAutoFillBackground(true);

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
    makeLabel(cdinfo, "lblcdcategory", QStringLiteral("Category:"), "color: yellow;")->setGeometry(2, 23, captionWidth, 17);
    makeLabel(cdinfo, "lblcdmisc", QStringLiteral("Misc:"), "color: yellow;")->setGeometry(2, 43, captionWidth, 17);
    cdauthor = makeControl<QLineEdit>(cdinfo, "cdauthor");
    cdauthor->setGeometry(captionWidth + 2, 2, 185 - captionWidth - 4, 19);
    cdcategory = makeControl<QLineEdit>(cdinfo, "cdcategory");
    cdcategory->setGeometry(captionWidth + 2, 22, 185 - captionWidth - 4, 19);
    cdmisc = makeControl<QPlainTextEdit>(cdinfo, "cdmisc");
    cdmisc->setGeometry(2, 60, 181, 46);
    cdmisc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (QWidget* field : {static_cast<QWidget*>(cdauthor), static_cast<QWidget*>(cdcategory),
                           static_cast<QWidget*>(cdmisc)})
        field->setStyleSheet(QLatin1String(kListStyle));
    cdinfo->hide();

    FileListBox1 = makeView(client, "FileListBox1", QAbstractItemView::ExtendedSelection);
    cdlistbox = makeList(client, "cdlistbox", true);
    cdlistbox->hide();

    btnFileListRollUp = makeGlyphButton(client, "btnFileListRollUp", Qt::DownArrow);
    addtotoppanel = makeControl<QFrame>(client, "addtotoppanel");
    addtotoppanel->setStyleSheet(QLatin1String("QFrame#addtotoppanel { background-color: black; } QCheckBox { color: yellow; }"));
    chkAddtoTop = makeCheck(addtotoppanel, "chkAddtoTop", QStringLiteral("Add to Top"), 4, 1, 90);

    btnAdd = makeControl<QPushButton>(client, "btnAdd");
    btnAdd->setText(QStringLiteral("->"));
    btnAdd->setDefault(true);
    btnaddall = makeControl<QPushButton>(client, "btnaddall");
    btnaddall->setText(QStringLiteral("All ->"));

    // The icon repaints five times a second for the whole run: a plain palette and an
    // opaque picture keep each repaint to the icon's own 32 x 32 pixels.
    animatediconpanel = makeControl<QFrame>(client, "animatediconpanel");
    animatediconpanel->setAutoFillBackground(true);
    QPalette black = animatediconpanel->palette();
    black.setColor(QPalette::Window, Qt::black);
    animatediconpanel->setPalette(black);
    animatedicon = makeControl<IconFrameView>(animatediconpanel, "animatedicon");
    animatedicon->setGeometry(0, 0, 32, 32);

    btnDirectoryListRollUp = makeGlyphButton(client, "btnDirectoryListRollUp", Qt::UpArrow);

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
    btnFilterRollUp = makeGlyphButton(client, "btnFilterRollUp", Qt::DownArrow, QStringLiteral("Filters"));

    filterpanel = makeControl<QFrame>(client, "filterpanel");
    filterpanel->setStyleSheet(QString::fromLatin1(kCheckPanelStyle).arg(QStringLiteral("filterpanel")));
    for (std::size_t i = 0; i < kFileTypeFilterCount; ++i) {
        const FileTypeFilter& filter = FileTypeFilters()[i];
        const int left = 3 + filter.column * 56, top = 1 + filter.row * 13;
        QCheckBox* box = makeCheck(filterpanel, filter.checkBox.data(), QString(), left, top, 16);
        box->setChecked(true);
        filterBoxes[i] = box;
        QLabel* label = makeLabel(filterpanel, "", QString::fromLatin1(filter.label.data(), filter.label.size()));
        label->setObjectName(QLatin1String("lbl") + box->objectName());
        label->setGeometry(left + 17, top, 36, 14);
    }

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

namespace {

QString text(std::string_view view) { return QString::fromLatin1(view.data(), static_cast<qsizetype>(view.size())); }

}  // namespace

// A command item offering its number through the dispatcher.
QAction* MainWindow::addCommandItem(QWidget* menu, std::string_view name, std::string_view caption, Command command)
{
    auto* item = new QAction(text(caption), menu);
    item->setObjectName(text(name));
    menu->addAction(item);
    CommandDispatcher::setTag(item, command);
    commands.addOfferer(item);
    return item;
}

void MainWindow::addMenuItems(QMenu* menu, const MenuEntry& entry)
{
    menu->setObjectName(text(entry.name));
    for (const MenuItemEntry& item : entry.items) {
        if (item.command)
            addCommandItem(menu, item.name, item.caption, *item.command);
        else
            menu->addSeparator();
    }
}

void MainWindow::createMenus()
{
    for (const MenuEntry& entry : CommandTable::mainMenus()) {
        if (entry.command)
            addCommandItem(menuBar(), entry.name, entry.caption, *entry.command);
        else
            addMenuItems(menuBar()->addMenu(text(entry.caption)), entry);
    }
}

void MainWindow::createPopupMenus()
{
    auto buildPopup = [this](const MenuEntry& entry) {
        auto* menu = new QMenu(this);
        addMenuItems(menu, entry);
        return menu;
    };
    FileManagerPopUp = buildPopup(CommandTable::fileManagerPopup());
    QueuePopUp = buildPopup(CommandTable::queuePopup());
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
    auto guarded = [](auto handler) {
        return [handler](auto&&...) { GuardedCall(handler); };
    };
    connect(TabSet1, &QTabBar::currentChanged, this, [this](int index) { GuardedCall([&] { TabSet1Click(index); }); });
    connect(TabSet2, &QTabBar::currentChanged, this, [this](int index) { GuardedCall([&] { TabSet2Change(index); }); });
    connect(btnFileListRollUp, &QToolButton::clicked, this, guarded([this] { btnFileListRollUpClick(); }));
    connect(btnDirectoryListRollUp, &QToolButton::clicked, this, guarded([this] { btnDirectoryListRollUpClick(); }));
    connect(btnQueueRollUp, &QToolButton::clicked, this, guarded([this] { btnQueueRollUpClick(); }));
    connect(btnFilterRollUp, &QToolButton::clicked, this, guarded([this] { btnFilterRollUpClick(); }));
    connect(btnPlayModeRollUp, &QToolButton::clicked, this, guarded([this] { btnPlayModeRollUpClick(); }));
    for (QCheckBox* box : filterBoxes)
        connect(box, &QCheckBox::clicked, this, guarded([this] { ApplyFileFilter(); }));

    // The mode boxes mirror the play modes; a click checks through the exclusion rules.
    for (PlayMode mode : {PlayMode::Backwards, PlayMode::Random, PlayMode::Continuous, PlayMode::Shuffle, PlayMode::Intro}) {
        connect(modeBox(mode), &QCheckBox::clicked, this,
                [this, mode](bool on) { GuardedCall([&] { modes.setChecked(mode, on); }); });
    }
    modes.onChanged = [this](PlayMode mode, bool on) { setModeBox(mode, on); };

    // A double click adds the selected rows, not just the row clicked.
    for (QAbstractItemView* list : {static_cast<QAbstractItemView*>(FileListBox1), static_cast<QAbstractItemView*>(cdlistbox)})
        connect(list, &QAbstractItemView::doubleClicked, this, [this] { GuardedCall([&] { AddToQueue(false); }); });
}

void MainWindow::registerCommands()
{
    for (QAbstractButton* button : {static_cast<QAbstractButton*>(btnAdd), static_cast<QAbstractButton*>(btnaddall),
                                    static_cast<QAbstractButton*>(btnRemoveQueue),
                                    static_cast<QAbstractButton*>(btnRemoveAll), static_cast<QAbstractButton*>(btnUp),
                                    static_cast<QAbstractButton*>(btnDown)})
        commands.addOfferer(button);

    commands.setOperation(Command::OpenAlbum, [this](QObject*) { albums->OpenAlbum(); });
    commands.setOperation(Command::SaveAlbum, [this](QObject*) { albums->SaveAlbum(); });
    commands.setOperation(Command::AddToQueue, [this](QObject*) { AddToQueue(false); });
    commands.setOperation(Command::AddAllToQueue, [this](QObject*) { AddToQueue(true); });
    commands.setOperation(Command::RemoveFromQueue, [this](QObject*) { editing->RemoveFromQueue(false); });
    commands.setOperation(Command::RemoveAllFromQueue, [this](QObject*) { editing->RemoveFromQueue(true); });
    commands.setOperation(Command::MoveQueueUp, [this](QObject*) { editing->MoveQueueItemsUp(); });
    commands.setOperation(Command::MoveQueueDown, [this](QObject*) { editing->MoveQueueItemsDown(); });
    commands.setOperation(Command::SetupOptions, [this](QObject*) { ShowSetupOptions(); });
    commands.setOperation(Command::Exit, [this](QObject*) { RequestExit(); });
    commands.setOperation(Command::Play, [this](QObject*) { engine->Play(); });
    commands.setOperation(Command::Pause, [this](QObject*) { engine->Pause(); });
    commands.setOperation(Command::Stop, [this](QObject*) { engine->Stop(); });
    commands.setOperation(Command::Next, [this](QObject*) { engine->Next(); });
    commands.setOperation(Command::HelpContents, [this](QObject*) { showHelp(HelpCommand::HELP_FINDER); });
    commands.setOperation(Command::HelpSearch, [this](QObject*) { showHelp(HelpCommand::HELP_PARTIALKEY); });
    commands.setOperation(Command::HelpOnHelp, [this](QObject*) { showHelp(HelpCommand::HELP_HELPONHELP); });
}

void MainWindow::createPlayback(const MainWindowStart& start)
{
    mmed = std::make_unique<MediaPlayer>(start.mediaBackend());
    PlaybackWindow& playbackWindow = *this;
    engine = std::make_unique<PlaybackEngine>(entries, modes, playbackState, *mmed, playbackWindow);
    monitor = std::make_unique<PlaybackMonitor>(*engine, playbackState, *mmed, playbackWindow);
    monitor->sendNext = [this] { commands.ExecuteCommand(Command::Next); };
    // Its native window is made when the first video starts (winId), and only for itself:
    // native ancestors would make the whole window paint slower from the start.
    videoSurface = new QWidget(PMultiImage1);
    videoSurface->setObjectName(QStringLiteral("videoSurface"));
    videoSurface->setAttribute(Qt::WA_DontCreateNativeAncestors);
    videoSurface->hide();
    connect(Timer1, &QTimer::timeout, this, [this] { GuardedCall([this] { monitor->Timer1Timer(); }); });
    connect(introcountdown, &QTimer::timeout, this,
            [this] { GuardedCall([this] { monitor->introcountdownTimer(); }); });
}

void MainWindow::showHelp(unsigned command)
{
    const std::string helpFile = CurrentProgramPaths().dataFile(kHelpFileName);
    HelpEngine::current().WinHelp(this, QString::fromStdString(helpFile), command, 0);
}

// The creation of the window, in its fixed order.
void MainWindow::FormCreate()
{
    playbackState.IntroSeconds = 5;
    loadIconStrip();
    StartupInitialise();
    Timer1->start();
    toolbar.dockLayoutState = dlWithStrip;
}

// A strip that cannot be loaded is reported, and start-up goes on: the rest of it sets up
// the whole run; only the animated icon stays blank.
void MainWindow::loadIconStrip()
{
    GuardedCall([this] {
        const std::string path = CurrentProgramPaths().dataFile("icons.bmp");
        if (!massicons.load(QString::fromStdString(path), "BMP"))
            throw SonorailError(IoErrorText::cannotOpenFile(path));
        for (int frame = 0; frame < 4; ++frame)
            iconFrames[static_cast<std::size_t>(frame)] = massicons.copy(32 * frame, 0, 32, 32);
        animatedicon->setFrame(iconFrames[0]);
    });
}

void MainWindow::StartupInitialise()
{
    toolbar.ToolbarDocked = true;
    monitor->IconFrame = 0;
    ApplyFileFilter();
    playbackState.playState = psStopped;
    playbackState.PlayedCount = 0;
    LoadSettings();
    playbackState.activeMedia = amNone;
    for (Command command : {Command::Pause, Command::Stop, Command::Next, Command::EjectCd})
        commands.SetCommandEnabled(command, false);
    ApplyCommandLine();
    // An unreadable default album is reported; the run starts all the same.
    GuardedCall([this] { albums->LoadDefaultAlbum(); });
    playbackState.MonitorReady = true;
    if (currentSettings.optautoseekcdstart)
        commands.ExecuteCommand(Command::UpdateCdInfo);
}

void MainWindow::ApplyCommandLine()
{
    for (CommandLineAction action : ParseCommandLine(arguments)) {
        if (ApplyPlayModeSwitch(action, modes))
            continue;
        if (action == CommandLineAction::StartMinimised)
            startMinimised = true;
        else if (action == CommandLineAction::ShowOptions)
            DialogSeam::current().ask(DialogKind::Information, kApplicationTitle, kCommandLineOptionsText,
                                      DialogButtons::Ok);
    }
}

void MainWindow::LoadSettings()
{
    ProfileFile file(SettingsFilePath());
    Settings loaded = ReadSettings(file);
    // The start-up keys belong to the welcome window's run; keep what it decided.
    loaded.OptTipOfDay = currentSettings.OptTipOfDay;
    loaded.OptFirstRun = currentSettings.OptFirstRun;
    currentSettings = loaded;
    toolbar.ApplyToolbarSlots(currentSettings.ToolbarSlots);
    ApplySettings();
}

void MainWindow::ApplySettings()
{
    timedisppanel->setVisible(currentSettings.optDisplayTime);
    btnUp->setVisible(currentSettings.optDisplayQueueHands);
    btnDown->setVisible(currentSettings.optDisplayQueueHands);
    setAcceptDrops(currentSettings.optDragDrop);
    animatediconpanel->setVisible(currentSettings.optShowAnimatedIcon);
}

void MainWindow::ShowSetupOptions()
{
    if (setupForm)
        setupForm->ShowModal(currentSettings, SettingsFilePath());
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

void MainWindow::TabSet2Change(int index)
{
    entries.clearSelection(QueueList::Path);
    entries.clearSelection(QueueList::Name);
    const bool hidePath = index == 1;
    queuefilename->setVisible(hidePath);
    queue->setVisible(!hidePath);
}

bool MainWindow::RequireFilesMode()
{
    if (TabSet1->currentIndex() == 0)
        return false;
    showInfo("To do that, you need to be in multimedia files mode (not in CD track mode).");
    return true;
}

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

void MainWindow::btnQueueRollUpClick()
{
    const bool shown = TabSet2->isHidden();
    TabSet2->setVisible(shown);
    const bool hidePath = TabSet2->currentIndex() == 1;
    queuefilename->setVisible(hidePath && shown);
    queue->setVisible(!hidePath && shown);
}

void MainWindow::btnFilterRollUpClick() { filterpanel->setVisible(filterpanel->isHidden()); }

void MainWindow::btnPlayModeRollUpClick() { playmodepanel->setVisible(playmodepanel->isHidden()); }

QCheckBox* MainWindow::modeBox(PlayMode mode) const
{
    switch (mode) {
    case PlayMode::Backwards: return chkBackwards;
    case PlayMode::Random: return chkRandom;
    case PlayMode::Continuous: return chkContinuous;
    case PlayMode::Shuffle: return chkShuffle;
    case PlayMode::Intro: return chkIntro;
    }
    return nullptr;
}

void MainWindow::setModeBox(PlayMode mode, bool on) { modeBox(mode)->setChecked(on); }

// --- Leaving -------------------------------------------------------------------------

bool MainWindow::multimediaPlaying() const { return playbackState.playState == psPlaying; }

void MainWindow::stopPlayback()
{
    playbackState.playState = psStopped;
    engine->PlaybackStep(false);
}

void MainWindow::saveDefaultAlbum(bool mayAsk)
{
    if (defaultAlbumSaver)
        defaultAlbumSaver(mayAsk);
}

bool MainWindow::ConfirmExit(bool mayAsk) { return ::ConfirmExit(currentSettings, *this, mayAsk); }

void MainWindow::RequestExit(bool mayAsk)
{
    if (!ConfirmExit(mayAsk))
        return;
    quitProgram();
}

bool MainWindow::SessionEnding(bool mayAsk)
{
    bool mayLeave = false;
    GuardedCall([&] { mayLeave = ConfirmExit(mayAsk); });
    if (mayLeave) {
        exitConfirmed = true;
        setAcceptDrops(false);
    }
    return mayLeave;
}

void MainWindow::quitProgram()
{
    exitConfirmed = true;
    setAcceptDrops(false);
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

// The close request is refused first and granted only when the exit check allows it, so
// an error inside the check (the default album cannot be written) leaves the program open.
void MainWindow::closeEvent(QCloseEvent* event)
{
    if (exitConfirmed) {
        event->accept();
        return;
    }
    event->ignore();
    bool mayLeave = false;
    GuardedCall([&] { mayLeave = ConfirmExit(); });
    if (!mayLeave)
        return;
    quitProgram();
    event->accept();
}

// With the toolbar docked the whole program goes to the taskbar: the toolbar hides with
// the window and comes back with it. A floating toolbar stays on the screen.
void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (isMinimized()) {
        if (toolbar.ToolbarDocked && toolbar.isVisible()) {
            toolbar.hide();
            toolbarHiddenWithWindow = true;
        }
    } else if (toolbarHiddenWithWindow) {
        toolbarHiddenWithWindow = false;
        toolbar.show();
    }
}

namespace {

// Local files of a drop in the drop's order, as the file system spells them; other URLs
// (web addresses, trash) are skipped.
std::vector<std::string> droppedPaths(const QMimeData& data)
{
    std::vector<std::string> paths;
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile())
            paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    }
    return paths;
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (currentSettings.optDragDrop && !droppedPaths(*event->mimeData()).empty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    const std::vector<std::string> paths = droppedPaths(*event->mimeData());
    GuardedCall([&] { editing->AddDroppedFiles(paths, chkAddtoTop->isChecked()); });
}

void MainWindow::BringForward(const QString& activationToken, const QStringList& files)
{
    if (!activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    } else {
        if (isMinimized())
            showNormal();
        raise();
        activateWindow();
    }
    std::vector<std::string> paths;
    for (const QString& file : files)
        paths.push_back(QFile::encodeName(file).toStdString());
    HandOverFiles(paths);
}

// --- Keys ------------------------------------------------------------------------------

void MainWindow::watchKeys(QWidget* client)
{
    for (QWidget* control : client->findChildren<QWidget*>())
        control->installEventFilter(this);
}

// Enter clicks the focused button when a button has the focus, otherwise the default
// button "->"; in the CD notes it starts a new line. Delete in a queue list removes.
bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && (watched == queue->viewport() || watched == queuefilename->viewport())) {
        auto* viewport = static_cast<QWidget*>(watched);
        const int y = viewport->mapToParent(static_cast<QMouseEvent*>(event)->position().toPoint()).y();
        queueMouseDown(viewport->parentWidget(), y);
        return QMainWindow::eventFilter(watched, event);
    }
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

namespace {

// The file list as a source of queue entries: the directory joined with each name.
class FileListSource final : public QueueSource {
public:
    explicit FileListSource(const FileBrowser& browser)
        : browser(browser), directory(WithTrailingBackslash(browser.directory()))
    {
    }
    int rowCount() const override { return browser.rowCount(); }
    bool rowSelected(int row) const override { return browser.isSelected(row); }
    QueueEntry entryFor(int row) const override
    {
        const std::string name = browser.name(row);
        return {directory + name, name};
    }

private:
    const FileBrowser& browser;
    std::string directory;
};

// The CD track list: a row's text is both the entry and its short name.
class CdListSource final : public QueueSource {
public:
    explicit CdListSource(const QListWidget& list) : list(list) {}
    int rowCount() const override { return list.count(); }
    bool rowSelected(int row) const override { return list.item(row)->isSelected(); }
    QueueEntry entryFor(int row) const override
    {
        const std::string text = list.item(row)->text().toLocal8Bit().toStdString();
        return {text, text};
    }

private:
    const QListWidget& list;
};

}  // namespace

void MainWindow::AddToQueue(bool all)
{
    const bool addToTop = chkAddtoTop->isChecked();
    if (TabSet1->currentIndex() == 0)
        editing->AddToQueue(FileListSource(*browser), all, addToTop);
    else if (TabSet1->currentIndex() == 1)
        editing->AddToQueue(CdListSource(*cdlistbox), all, addToTop);
}

void MainWindow::HandOverFiles(const std::vector<std::string>& paths)
{
    pendingFiles.insert(pendingFiles.end(), paths.begin(), paths.end());
    addPendingFiles();
}

// Files never land in the queue under an open question or dialog: they wait for it to close.
void MainWindow::addPendingFiles()
{
    if (pendingFiles.empty())
        return;
    if (QApplication::activeModalWidget()) {
        if (!pendingRetry) {
            pendingRetry = true;
            QTimer::singleShot(250, this, [this] {
                pendingRetry = false;
                GuardedCall([this] { addPendingFiles(); });
            });
        }
        return;
    }
    const std::vector<std::string> paths = std::exchange(pendingFiles, {});
    editing->AddFiles(paths, chkAddtoTop->isChecked());
}

bool MainWindow::listVisible(QueueList list) const
{
    return !(list == QueueList::Path ? queue : queuefilename)->isHidden();
}

QueueList MainWindow::pathTabList() const { return TabSet2->currentIndex() == 1 ? QueueList::Name : QueueList::Path; }

void MainWindow::revealQueue()
{
    TabSet2->show();
    const bool hidePath = TabSet2->currentIndex() == 1;
    queuefilename->setVisible(hidePath);
    queue->setVisible(!hidePath);
}

void MainWindow::showInfo(const std::string& text) { infobar->setText(QString::fromLocal8Bit(text.c_str())); }

// The hands stand beside the row just pressed.
void MainWindow::queueMouseDown(QWidget* list, int y)
{
    btnUp->move(btnUp->x(), list->y() + y);
    btnDown->move(btnDown->x(), list->y() + y);
}

// --- Playback in the windows -----------------------------------------------------------

void MainWindow::attachViewer(ViewerWindow* viewerWindow)
{
    viewer = viewerWindow;
    viewer->engage = [this] { playbackState.ViewerEngaged = true; };
    viewer->engaged = [this] { return playbackState.ViewerEngaged; };
    viewer->sendNext = [this] { commands.ExecuteCommand(Command::Next); };
}

void MainWindow::setCommandEnabled(Command command, bool enabled) { commands.SetCommandEnabled(command, enabled); }

void MainWindow::clearTimeDisplays()
{
    lengthtimedisplay->clear();
    positiontimedisplay->clear();
}

void MainWindow::setIntroCountdown(bool running)
{
    if (running)
        introcountdown->start();
    else
        introcountdown->stop();
}

std::string MainWindow::introSecondsText() const { return introsec->text().trimmed().toStdString(); }

bool MainWindow::viewerVisible() const { return viewer && viewer->isVisible(); }

void MainWindow::hideViewer()
{
    if (viewer)
        viewer->hideViewer();
}

// Over the main window, below its menu bar and the toolbar's strip.
QRect MainWindow::viewerPlace() const
{
    const QRect frame = frameGeometry();
    const int top = frame.top() + toolbar.CaptionMenuHeight + toolbar.height();
    return QRect(frame.left(), top, frame.width(), frame.height() - toolbar.CaptionMenuHeight - toolbar.height());
}

void MainWindow::showDocument(const std::string& path, const std::string& caption)
{
    if (viewer)
        viewer->showDocument(path, QString::fromLocal8Bit(caption.c_str()), viewerPlace());
}

void MainWindow::showPicture(const std::string& path, const std::string& caption)
{
    if (viewer)
        viewer->showPicture(path, QString::fromLocal8Bit(caption.c_str()), viewerPlace());
}

void MainWindow::restorePictureArea()
{
    videoSurface->hide();
    PMultiImage1->setGeometry(centralWidget()->rect());
    PMultiImage1->lower();
    PMultiImage1->update();
}

// Pictures are drawn in true colour: a palette changes no picture, so there is none to clear.
void MainWindow::clearSharedPalette() {}

// The video at its own size, centred on the whole window, in front of the controls.
void MainWindow::placeVideo(MediaPlayer& player)
{
    PMultiImage1->raise();
    player.setDisplayRect({});
    player.setDisplayWindow(static_cast<unsigned long>(videoSurface->winId()));
    const DisplayRect own = player.displayRect();
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const QRect frame = frameGeometry();
    const int left = (frame.width() - width) / 2;
    const int top = (frame.height() - height) / 2;
    player.setDisplayRect({left, top, 0, 0});
    PMultiImage1->setGeometry(centralWidget()->rect());
    PMultiImage1->clear();
    videoSurface->setGeometry(left, top, width, height);
    videoSurface->show();
    PMultiImage1->raise();
    update();
}

void MainWindow::setTimeDisplays(const std::string& length, const std::string& position)
{
    lengthtimedisplay->setText(QString::fromStdString(length));
    positiontimedisplay->setText(QString::fromStdString(position));
}

void MainWindow::showIconFrame(int frame)
{
    // The frames are cut once: the icon turns five times a second for the whole run.
    if (!massicons.isNull())
        animatedicon->setFrame(iconFrames[static_cast<std::size_t>(frame)]);
}

// The viewer in the normal state follows the main window's left and top edges.
void MainWindow::trackViewer()
{
    if (!viewer || !viewer->isVisible() || viewer->windowState() != Qt::WindowNoState)
        return;
    const QPoint wanted = viewerPlace().topLeft();
    if (viewer->pos() != wanted)
        viewer->move(wanted);
}

// The docked or floating toolbar's layout is the toolbar's own; it docks for good until
// the toolbar can be dragged away.
void MainWindow::applyDockLayout() {}
