// Tform1: the main window, with the browser, the play queue, the mode and filter panels,
// the time display, the information bars and the status bar. Every other part of the
// program reaches the controls through this one object.
#pragma once
#include <QMainWindow>
#include <QPixmap>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/files/FileTypeFilters.h"
#include "core/playback/MediaPlayer.h"
#include "core/playback/PlayModes.h"
#include "core/playback/PlaybackEngine.h"
#include "core/playback/PlaybackMonitor.h"
#include "core/playback/PlaybackState.h"
#include "core/queue/PlayQueue.h"
#include "core/queue/QueueEditing.h"
#include "core/settings/Settings.h"
#include "core/session/ConfirmExit.h"

class Albums;
class CommandDispatcher;
class QAction;
struct MenuEntry;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class FileBrowser;
class IconFrameView;
class QueueListModel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QTimer;
class QToolButton;
class SetupDialog;
class Toolbar;
class WelcomeWindow;
class ViewerWindow;
struct MainWindowStart;

class MainWindow : public QMainWindow, private ExitActions, private QueueWindow, private PlaybackWindow {
    Q_OBJECT
public:
    MainWindow(const MainWindowStart& start, Toolbar& toolbar);
    ~MainWindow() override;

    // Settings
    Settings& settings() { return currentSettings; }
    void LoadSettings();
    void ApplySettings();

    // The exit check of every way out; true when the program may end.
    bool ConfirmExit(bool mayAsk = true);
    // Command 19 and the end of the desktop session: leave when the check allows it.
    void RequestExit(bool mayAsk = true);

    // The desktop session ends: the same exit, asking only when the session allows it.
    // True when the program may end (nothing more is asked or saved afterwards).
    bool SessionEnding(bool mayAsk);

    // A second copy of the program (or a desktop control) asked this one to come forward,
    // with the activation token of the request and the files to queue.
    void BringForward(const QString& activationToken, const QStringList& files);

    // Saves the queue as the default album at exit (the albums by default).
    std::function<void(bool mayAsk)> defaultAlbumSaver;

    // The setup dialog is created after the main window; command 18 shows it.
    void attachSetupForm(SetupDialog* form) { setupForm = form; }
    void ShowSetupOptions();

    // The viewer is created after the main window; until then nothing is shown in it.
    void attachViewer(ViewerWindow* viewerWindow);
    MediaPlayer& player() { return *mmed; }
    PlaybackEngine& playbackEngine() { return *engine; }
    PlaybackMonitor& playbackMonitor() { return *monitor; }

    bool StartsMinimised() const { return startMinimised; }
    PlayModes& playModes() { return modes; }
    PlaybackState& playback() { return playbackState; }
    CommandDispatcher& dispatcher() const { return commands; }
    const QString& fileMask() const;

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

    // The play queue and its editing
    PlayQueue& playQueue() { return entries; }
    QueueEditing& queueEditing() { return *editing; }
    FileBrowser& fileBrowser() const { return *browser; }
    void AddToQueue(bool all);
    // Files from the command line or a second copy: added like a drop, once no modal
    // window is open.
    void HandOverFiles(const std::vector<std::string>& paths);

    // Roll-ups and tabs
    void TabSet1Click(int index);
    void TabSet2Change(int index);
    void btnFileListRollUpClick();
    void btnDirectoryListRollUpClick();
    void btnQueueRollUpClick();
    void btnFilterRollUpClick();
    void btnPlayModeRollUpClick();

    // False on the "Files" tab; on the "CD-Audio" tab says why a file command refuses and
    // returns true.
    bool RequireFilesMode();

    // The type filters give the file list its mask.
    void ApplyFileFilter();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Creation
    void createControls(QWidget* client);
    void createMenus();
    QAction* addCommandItem(QWidget* menu, std::string_view name, std::string_view caption, Command command);
    void addMenuItems(QMenu* menu, const MenuEntry& entry);
    void createPopupMenus();
    void placeControls(QWidget* client);
    void connectHandlers();
    void FormCreate();
    void StartupInitialise();
    void ApplyCommandLine();
    void loadIconStrip();
    void registerCommands();
    void watchKeys(QWidget* client);

    // Keys
    bool handleEnter(QObject* watched);

    // QueueWindow
    bool listVisible(QueueList list) const override;
    QueueList pathTabList() const override;
    void revealQueue() override;
    void showInfo(const std::string& text) override;
    void queueMouseDown(QWidget* list, int y);
    void addPendingFiles();

    // PlaybackWindow
    void setCommandEnabled(Command command, bool enabled) override;
    void clearTimeDisplays() override;
    void setIntroCountdown(bool running) override;
    std::string introSecondsText() const override;
    bool viewerVisible() const override;
    void hideViewer() override;
    void showDocument(const std::string& path, const std::string& caption) override;
    void showPicture(const std::string& path, const std::string& caption) override;
    void restorePictureArea() override;
    void clearSharedPalette() override;
    void placeVideo(MediaPlayer& player) override;
    void setTimeDisplays(const std::string& length, const std::string& position) override;
    void showIconFrame(int frame) override;
    void trackViewer() override;
    void applyDockLayout() override;
    QRect viewerPlace() const;
    void createPlayback(const MainWindowStart& start);

    // ExitActions
    bool multimediaPlaying() const override;
    void stopPlayback() override;
    void saveDefaultAlbum(bool mayAsk) override;

    void setModeBox(PlayMode mode, bool on);
    QCheckBox* modeBox(PlayMode mode) const;
    void showHelp(unsigned command);
    void quitProgram();

    CommandDispatcher& commands;
    Toolbar& toolbar;
    WelcomeWindow* tips;
    std::vector<std::string> arguments;
    Settings currentSettings;
    PlayModes modes;
    PlaybackState playbackState;
    PlayQueue entries;
    std::unique_ptr<QueueEditing> editing;
    std::unique_ptr<Albums> albums;
    SetupDialog* setupForm = nullptr;
    QueueListModel* pathModel = nullptr;
    QueueListModel* nameModel = nullptr;
    FileBrowser* browser = nullptr;
    std::unique_ptr<MediaPlayer> mmed;
    std::unique_ptr<PlaybackEngine> engine;
    std::unique_ptr<PlaybackMonitor> monitor;
    ViewerWindow* viewer = nullptr;
    QWidget* videoSurface = nullptr;  // native child of the picture area, for video alone
    std::vector<std::string> pendingFiles;
    bool pendingRetry = false;
    QPixmap massicons;
    std::array<QPixmap, 4> iconFrames;
    bool startMinimised = false;
    bool toolbarHiddenWithWindow = false;
    bool exitConfirmed = false;
};
