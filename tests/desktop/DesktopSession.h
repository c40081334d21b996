#pragma once
// A desktop of its own for tests that need a real X server and a window manager: Xvfb,
// openbox and a private D-Bus session bus, and the program started on them. The tests look
// at what the window manager sees (properties, stacking, frames) through Xlib and click
// with xdotool, so they see the program as a user's desktop does.
#include <QProcess>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct _XDisplay;

namespace desktop_test {

// A client window as the window manager has it: its frame on the screen and its client
// area (root coordinates).
struct ManagedWindow {
    unsigned long id = 0;
    std::string title;
    int frameLeft = 0, frameTop = 0, frameWidth = 0, frameHeight = 0;
    int clientLeft = 0, clientTop = 0, clientWidth = 0, clientHeight = 0;
};

class DesktopSession {
public:
    DesktopSession();
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // Empty when every tool is installed; else what is missing (the caller skips, or fails
    // under CI).
    static std::string missingTools();

    // Starts the X server, the window manager and the bus; false (with why()) on failure.
    bool start();
    const std::string& why() const { return failure; }

    // The program with these arguments, its files in programDir, on this desktop.
    QProcess& startProgram(const QString& programDir, const QStringList& arguments = {});
    const QString& busAddress() const { return bus; }

    // Client windows from the bottom of the stack to the top.
    std::vector<ManagedWindow> stackedWindows();
    // The first client window whose title starts with prefix, within the timeout.
    std::optional<ManagedWindow> waitForWindow(const std::string& titlePrefix,
                                               std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // The window WM_TRANSIENT_FOR names (0 for none).
    unsigned long transientFor(unsigned long window);
    // Whether the window's size hints fix its size (minimum equal to maximum).
    bool sizeIsFixed(unsigned long window);
    // The window that has the input focus as the window manager says (_NET_ACTIVE_WINDOW).
    unsigned long activeWindow();

    // A left click at a point of the screen, as the mouse makes it.
    void clickAt(int x, int y);
    void pressKey(const char* key);

    // A command-line tool run on this desktop and its bus: its exit code (-1 when it did not
    // finish) and its standard output without the final line break.
    struct ToolResult {
        int exitCode = -1;
        std::string output;
    };
    ToolResult runTool(const QString& tool, const QStringList& arguments);

    // Polls condition every 20 ms until it holds or the timeout passes.
    static bool waitUntil(const std::function<bool()>& condition,
                          std::chrono::milliseconds timeout = std::chrono::seconds(20));

private:
    bool startServer();
    bool startWindowManager();
    bool startBus();
    QProcessEnvironment environment() const;
    std::vector<unsigned long> rootWindowList(const char* property);
    bool xdotool(const QStringList& arguments);

    QString display;
    QString bus;
    std::string failure;
    std::unique_ptr<QProcess> server;
    std::unique_ptr<QProcess> windowManager;
    std::unique_ptr<QProcess> busDaemon;
    std::unique_ptr<QProcess> program;
    _XDisplay* connection = nullptr;
};

}  // namespace desktop_test
