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
    void ApplySettings() override;
    void ApplyFileFilter() override;

    // The client area's height (the docked toolbar's strip comes and goes); the window, the
    // picture behind the controls and the status bar at the bottom follow it.
    void setClientHeight(int height);

    // Command 18 shows the setup dialog that form gives: made at the first call and kept, as
    // only some runs open it.
    void attachSetupForm(std::function<SetupDialog&()> form) { setupForm = std::move(form); }
    void ShowSetupOptions();

    // Command 19: leave when the exit check allows it.
    void RequestExit();
    // Before the desktop session ends (a log-out, or only a checkpoint): the exit question
    // alone, when the session lets us ask; true when the user lets the session end.
    // Nothing is stopped or saved, so a log-out that is cancelled leaves the run as it was.
    bool SessionEnding(bool mayAsk);
    // The program is ended from outside (SIGTERM, the session really ending): playback
    // stops and the default album is saved as the settings say, with nothing asked. A
    // failure is written to stderr and the program ends all the same (an album that
    // cannot be written stays as it was). Does nothing once the exit check has allowed
    // leaving.
    void QuietExit();

    // Controls (layout names)
    QLabel* PMultiImage1 = nullptr;
    QFrame* infobarpanel = nullptr;
    QLabel* infobar = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* lblFileInfo = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    QLineEdit* cdtitle = nullptr;
    QTabBar* TabSet1 = nullptr;
    QListView* DirectoryListBox1 = nullptr;
    QFrame* cdinfo = nullptr;
    QLineEdit* cdauthor = nullptr;
    QLineEdit* cdcategory = nullptr;
    QPlainTextEdit* cdmisc = nullptr;
    QListView* FileListBox1 = nullptr;
    QListWidget* cdlistbox = nullptr;
    QToolButton* btnFileListRollUp = nullptr;
    QFrame* addtotoppanel = nullptr;
    QCheckBox* chkAddtoTop = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnaddall = nullptr;
    QFrame* animatediconpanel = nullptr;
    IconFrameView* animatedicon = nullptr;
    QToolButton* btnDirectoryListRollUp = nullptr;
    QFrame* timedisppanel = nullptr;
    QLabel* lengthtimedisplay = nullptr;
    QLabel* positiontimedisplay = nullptr;
    QToolButton* btnPlayModeRollUp = nullptr;
    QFrame* playmodepanel = nullptr;
    QCheckBox* chkBackwards = nullptr;
    QCheckBox* chkRandom = nullptr;
    QCheckBox* chkContinuous = nullptr;
    QCheckBox* chkShuffle = nullptr;
    QCheckBox* chkIntro = nullptr;
    QLineEdit* introsec = nullptr;
    QToolButton* btnUp = nullptr;
    QToolButton* btnDown = nullptr;
    QListView* queue = nullptr;
    QListView* queuefilename = nullptr;
    QTabBar* TabSet2 = nullptr;
    QPushButton* btnRemoveQueue = nullptr;
    QPushButton* btnRemoveAll = nullptr;
    QToolButton* btnQueueRollUp = nullptr;
    QToolButton* btnFilterRollUp = nullptr;
    QFrame* filterpanel = nullptr;
    std::array<QCheckBox*, kFileTypeFilterCount> filterBoxes{};
    QLabel* statusbar = nullptr;
    QMenu* FileManagerPopUp = nullptr;
    QMenu* QueuePopUp = nullptr;
    QMenu* popupmenu = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* introcountdown = nullptr;

    FileBrowser& fileBrowser() const { return *browser; }
    const QString& fileMask() const;
    // Commands 12 and 13: the selected rows (or all) of the file or CD list to the queue.
    void AddToQueue(bool all);

    // Roll-ups and tabs
    void TabSet1Click(int index);
    void btnFileListRollUpClick();
    void btnDirectoryListRollUpClick();
    void btnFilterRollUpClick();
    void btnPlayModeRollUpClick();

    // False on the "Files" tab; on the "CD-Audio" tab says why a file command refuses and
    // returns true.
    bool RequireFilesMode();

    // InformationBar
    void showInfo(const std::string& text) override;
    // PlaybackDisplay
    void setTimeDisplays(const std::string& length, const std::string& position) override;
    void clearTimeDisplays() override;
    void showIconFrame(int frame) override;
    void setIntroCountdown(bool running) override;
    std::string introSecondsText() const override;

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
    void FormCreate();
    void loadIconStrip();
    void assignHints();
    void offerWhatsThis();

    // StartupWindow
    void ApplyToolbarSlots(const std::array<int, kToolbarSlotCount>& commands) override;

    bool handleEnter(QObject* watched);
    bool addingListMouse(QWidget* viewport, QEvent* event);
    QCheckBox* modeBox(PlayMode mode) const;
    void showHelp(unsigned command);
    bool mayLeave();

    Jukebox& session;
    CommandDispatcher& commands;
    Toolbar& toolbar;
    std::function<SetupDialog&()> setupForm;
    FileBrowser* browser = nullptr;
    QueuePanel* queuePanel = nullptr;
    CdPanel* cdPanel = nullptr;
    OnlineDiscLookup* discLookup = nullptr;
    std::unique_ptr<PictureArea> pictureArea;
    std::unique_ptr<FileManagerView> fileManager;
    std::unique_ptr<FileDrops> drops;
    PlaybackTicks* ticks = nullptr;
    ContextHelp* contextHelp = nullptr;
    bool exitConfirmed = false;
};
