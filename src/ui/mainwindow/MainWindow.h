// Tform1: the main window, with the browser, the play queue, the mode and filter panels,
// the time display, the information bars and the status bar. It is a view of the session:
// its controls, their layout and their wiring to the session and the command dispatcher.
// It is the session's information bar and playback display; its picture area is the video
// area, its queue panel the queue window and its CD panel the CD view.
#pragma once
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "core/base/InformationBar.h"
#include "core/files/FileTypeFilters.h"
#include "core/playback/PlayModes.h"
#include "core/playback/PlaybackDisplay.h"
#include "core/session/StartupWindow.h"

class CdPanel;
class OnlineDiscLookup;
class CommandDispatcher;
class ContextHelp;
class FileBrowser;
class FileDrops;
class FileManagerView;
class IconFrameView;
class Jukebox;
class PictureArea;
class PlaybackTicks;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QTimer;
class QToolButton;
class QueuePanel;
class SetupDialog;
class Toolbar;

class MainWindow : public QMainWindow, public InformationBar, public PlaybackDisplay, private StartupWindow {
    Q_OBJECT
public:
    // Its creation runs the session's start-up. The toolbar is created first: its slots get
    // their commands from the settings read there.
    MainWindow(Jukebox& session, CommandDispatcher& commands, Toolbar& toolbar);
    ~MainWindow() override;

    // StartupWindow, and after the setup dialog.
    void applySettings() override;
    void applyFileFilter() override;

    // The client area's height (the docked toolbar's strip comes and goes); the window, the
    // picture behind the controls and the status bar at the bottom follow it.
    int clientHeight() const;
    void setClientHeight(int height);
    // The controls move down or up by distance as the strip comes or goes; the picture
    // behind them and the status bar at the bottom stay.
    void shiftControls(int distance);
    int menuBarHeight() const;

    // "Setup Options" shows the setup dialog that form gives: made at the first call and
    // kept, as only some runs open it.
    void attachSetupForm(std::function<SetupDialog&()> form) { setupForm = std::move(form); }
    void showSetupOptions();

    // "Exit": leave when the exit check allows it.
    void requestExit();
    // Before the desktop session ends (a log-out, or only a checkpoint): the exit question
    // alone, when the session lets us ask; true when the user lets the session end.
    // Nothing is stopped or saved, so a log-out that is cancelled leaves the run as it was.
    bool sessionEnding(bool mayAsk);
    // The program is ended from outside (SIGTERM, the session really ending): playback
    // stops and the default album is saved as the settings say, with nothing asked. A
    // failure is written to stderr and the program ends all the same (an album that
    // cannot be written stays as it was). Does nothing once the exit check has allowed
    // leaving.
    void quietExit();

    FileBrowser& fileBrowser() const { return *browser; }
    const QString& fileMask() const;

    // False on the "Files" tab; on the "CD-Audio" tab says why a file command refuses and
    // returns true.
    bool requireFilesMode();

    // InformationBar
    void showInfo(const std::string& text) override;
    // PlaybackDisplay
    void setTimeDisplays(const std::string& length, const std::string& position) override;
    void clearTimeDisplays() override;
    void showIconFrame(int frame) override;
    void setIntroCountdown(bool running) override;
    std::string introSecondsText() const override;

signals:
    // After each 200 ms tick of the playback monitor, once the session has run it (the
    // extra tick run when an item ends is not signalled).
    void monitorTicked();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Creation
    void createControls(QWidget* client);
    void createBrowserControls(QWidget* client);
    void createPlaybackControls(QWidget* client);
    void createQueueControls(QWidget* client);
    void createFilterControls(QWidget* client);
    void placeControls(QWidget* client);
    void createMenus();
    void createPopupMenus();
    void connectHandlers();
    void registerCommands();
    void attachViews(bool attached);
    void watchKeys(QWidget* client);
    void runStartup();
    void loadIconStrip();
    void assignHints();
    void offerWhatsThis();

    // StartupWindow
    void applyToolbarSlots(const std::array<int, kToolbarSlotCount>& numbers) override;

    // "Add to Queue" and "Add All to Queue": the selected rows (or all) of the file or CD
    // list to the queue.
    void addToQueue(bool all);

    // Roll-ups and tabs
    void showSource(int index);
    void toggleFileList();
    void toggleDirectoryList();
    void toggleFilters();
    void togglePlayModes();

    bool handleEnter(QObject* watched);
    bool addingListMouse(QWidget* viewport, QEvent* event);
    QCheckBox* modeBox(PlayMode mode) const;
    void showHelp(unsigned command);
    bool mayLeave();

    // Controls; each keeps its layout name as its object name, which tests and the help
    // contexts look up.
    QLabel* pictureArea = nullptr;               // PMultiImage1
    QFrame* informationPanel = nullptr;          // infobarpanel
    QLabel* informationBar = nullptr;            // infobar
    QFrame* fileInfoPanel = nullptr;             // Panel1
    QLabel* fileInfoBar = nullptr;               // lblFileInfo
    QComboBox* driveBox = nullptr;               // DriveComboBox1
    QLineEdit* cdTitle = nullptr;                // cdtitle
    QTabBar* sourceTabs = nullptr;               // TabSet1
    QListView* directoryList = nullptr;          // DirectoryListBox1
    QFrame* cdDetails = nullptr;                 // cdinfo
    QLineEdit* cdAuthor = nullptr;               // cdauthor
    QLineEdit* cdCategory = nullptr;             // cdcategory
    QPlainTextEdit* cdMisc = nullptr;            // cdmisc
    QListView* fileList = nullptr;               // FileListBox1
    QListWidget* trackList = nullptr;            // cdlistbox
    QToolButton* fileListRollUp = nullptr;       // btnFileListRollUp
    QFrame* addToTopPanel = nullptr;             // addtotoppanel
    QCheckBox* addToTopBox = nullptr;            // chkAddtoTop
    QPushButton* addButton = nullptr;            // btnAdd
    QPushButton* addAllButton = nullptr;         // btnaddall
    QFrame* iconPanel = nullptr;                 // animatediconpanel
    IconFrameView* animatedIcon = nullptr;       // animatedicon
    QToolButton* directoryListRollUp = nullptr;  // btnDirectoryListRollUp
    QFrame* timePanel = nullptr;                 // timedisppanel
    QLabel* lengthDisplay = nullptr;             // lengthtimedisplay
    QLabel* positionDisplay = nullptr;           // positiontimedisplay
    QToolButton* playModeRollUp = nullptr;       // btnPlayModeRollUp
    QFrame* playModePanel = nullptr;             // playmodepanel
    QCheckBox* backwardsBox = nullptr;           // chkBackwards
    QCheckBox* randomBox = nullptr;              // chkRandom
    QCheckBox* continuousBox = nullptr;          // chkContinuous
    QCheckBox* shuffleBox = nullptr;             // chkShuffle
    QCheckBox* introBox = nullptr;               // chkIntro
    QLineEdit* introSeconds = nullptr;           // introsec
    QToolButton* moveUpButton = nullptr;         // btnUp
    QToolButton* moveDownButton = nullptr;       // btnDown
    QListView* queuePaths = nullptr;             // queue
    QListView* queueNames = nullptr;             // queuefilename
    QTabBar* pathTabs = nullptr;                 // TabSet2
    QPushButton* removeButton = nullptr;         // btnRemoveQueue
    QPushButton* removeAllButton = nullptr;      // btnRemoveAll
    QToolButton* queueRollUp = nullptr;          // btnQueueRollUp
    QToolButton* filterRollUp = nullptr;         // btnFilterRollUp
    QFrame* filterPanel = nullptr;               // filterpanel
    std::array<QCheckBox*, kFileTypeFilterCount> filterBoxes{};
    QLabel* statusLine = nullptr;    // statusbar
    QMenu* fileListMenu = nullptr;   // FileManagerPopUp
    QMenu* queueMenu = nullptr;      // QueuePopUp
    QMenu* whatsThisMenu = nullptr;  // popupmenu
    QTimer* monitorTimer = nullptr;  // Timer1
    QTimer* introTimer = nullptr;    // introcountdown

    Jukebox& session;
    CommandDispatcher& commands;
    Toolbar& toolbar;
    std::function<SetupDialog&()> setupForm;
    FileBrowser* browser = nullptr;
    QueuePanel* queuePanel = nullptr;
    CdPanel* cdPanel = nullptr;
    OnlineDiscLookup* discLookup = nullptr;
    std::unique_ptr<PictureArea> videoArea;
    std::unique_ptr<FileManagerView> fileManager;
    std::unique_ptr<FileDrops> drops;
    PlaybackTicks* ticks = nullptr;
    ContextHelp* contextHelp = nullptr;
    bool exitConfirmed = false;
};
