#include "desktop/DesktopSession.h"

#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace desktop_test {

namespace {

constexpr int kStartMs = 20000;
const char* const kTools[] = {"Xvfb", "openbox", "dbus-daemon", "xdotool"};

// A property of 32-bit items (windows, cardinals) as a list.
std::vector<unsigned long> longProperty(Display* display, Window window, const char* name, Atom type)
{
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 4096, False, type, &actualType,
                           &format, &count, &after, &data) == Success &&
        data && format == 32) {
        const auto* items = reinterpret_cast<const unsigned long*>(data);
        values.assign(items, items + count);
    }
    if (data)
        XFree(data);
    return values;
}

std::string windowTitle(Display* display, Window window)
{
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 4096, False, utf8,
                           &actualType, &format, &count, &after, &data) == Success &&
        data && format == 8)
        title.assign(reinterpret_cast<const char*>(data), count);
    if (data)
        XFree(data);
    return title;
}

// Asynchronous X errors (a window that went away between two requests) must not end the test.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

DesktopSession::DesktopSession() = default;

DesktopSession::~DesktopSession()
{
    if (connection)
        XCloseDisplay(connection);
    for (std::unique_ptr<QProcess>* process : {&program, &windowManager, &busDaemon, &server}) {
        if (!*process)
            continue;
        (*process)->terminate();
        if (!(*process)->waitForFinished(5000)) {
            (*process)->kill();
            (*process)->waitForFinished(5000);
        }
    }
}

std::string DesktopSession::missingTools()
{
    std::string missing;
    for (const char* tool : kTools) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            missing += (missing.empty() ? "" : ", ") + std::string(tool);
    }
    return missing;
}

bool DesktopSession::waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const QDeadlineTimer deadline(timeout);
    for (;;) {
        if (condition())
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
}

bool DesktopSession::start() { return startServer() && startBus() && startWindowManager(); }

// Xvfb picks a free display itself and writes its number once it accepts clients.
bool DesktopSession::startServer()
{
    server = std::make_unique<QProcess>();
    server->setProcessChannelMode(QProcess::SeparateChannels);
    server->start(QStringLiteral("Xvfb"),
                  {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                   QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!server->waitForStarted(kStartMs)) {
        failure = "Xvfb did not start";
        return false;
    }
    const QDeadlineTimer deadline(kStartMs);
    while (!server->canReadLine() && !deadline.hasExpired() && server->state() == QProcess::Running)
        server->waitForReadyRead(100);
    const QByteArray number = server->readLine().trimmed();
    if (number.isEmpty()) {
        failure = "Xvfb gave no display: " + server->readAllStandardError().toStdString();
        return false;
    }
    display = QStringLiteral(":") + QString::fromLatin1(number);
    XSetErrorHandler(ignoreErrors);
    connection = XOpenDisplay(display.toLatin1().constData());
    if (!connection) {
        failure = "cannot open display " + display.toStdString();
        return false;
    }
    return true;
}

bool DesktopSession::startBus()
{
    busDaemon = std::make_unique<QProcess>();
    busDaemon->start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    const QDeadlineTimer deadline(kStartMs);
    while (!busDaemon->canReadLine() && !deadline.hasExpired() && busDaemon->state() != QProcess::NotRunning)
        busDaemon->waitForReadyRead(100);
    bus = QString::fromLatin1(busDaemon->readLine().trimmed());
    if (bus.isEmpty()) {
        failure = "dbus-daemon gave no address";
        return false;
    }
    return true;
}

// The window manager is ready once it has announced itself on the root window.
bool DesktopSession::startWindowManager()
{
    windowManager = std::make_unique<QProcess>();
    windowManager->setProcessEnvironment(environment());
    windowManager->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    const bool ready = waitUntil([this] {
        return !rootWindowList("_NET_SUPPORTING_WM_CHECK").empty() || windowManager->state() == QProcess::NotRunning;
    });
    if (!ready || windowManager->state() == QProcess::NotRunning) {
        failure = "openbox did not start";
        return false;
    }
    return true;
}

QProcessEnvironment DesktopSession::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus);
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return environment;
}

QProcess& DesktopSession::startProgram(const QString& programDir, const QStringList& arguments)
{
    QProcessEnvironment environment = this->environment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("SONORAIL_HOME"), programDir);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), programDir);
    environment.insert(QStringLiteral("SONORAIL_HEADLESS_MEDIA"), QStringLiteral("1"));
    environment.insert(QStringLiteral("SONORAIL_STARTUP_PROBE"), QStringLiteral("report"));
    program = std::make_unique<QProcess>();
    program->setProcessEnvironment(environment);
    program->start(QStringLiteral(SONORAIL_EXECUTABLE), arguments);
    program->waitForStarted(kStartMs);
    return *program;
}

std::vector<unsigned long> DesktopSession::rootWindowList(const char* property)
{
    return longProperty(connection, DefaultRootWindow(connection), property, XA_WINDOW);
}

std::vector<ManagedWindow> DesktopSession::stackedWindows()
{
    std::vector<ManagedWindow> windows;
    for (unsigned long id : rootWindowList("_NET_CLIENT_LIST_STACKING")) {
        ManagedWindow window;
        window.id = id;
        window.title = windowTitle(connection, id);
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(connection, id, &attributes))
            continue;
        Window child = 0;
        XTranslateCoordinates(connection, id, DefaultRootWindow(connection), 0, 0, &window.clientLeft,
                              &window.clientTop, &child);
        window.clientWidth = attributes.width;
        window.clientHeight = attributes.height;
        const std::vector<unsigned long> extents = longProperty(connection, id, "_NET_FRAME_EXTENTS", XA_CARDINAL);
        const long left = extents.size() == 4 ? static_cast<long>(extents[0]) : 0;
        const long right = extents.size() == 4 ? static_cast<long>(extents[1]) : 0;
        const long top = extents.size() == 4 ? static_cast<long>(extents[2]) : 0;
        const long bottom = extents.size() == 4 ? static_cast<long>(extents[3]) : 0;
        window.frameLeft = window.clientLeft - static_cast<int>(left);
        window.frameTop = window.clientTop - static_cast<int>(top);
        window.frameWidth = window.clientWidth + static_cast<int>(left + right);
        window.frameHeight = window.clientHeight + static_cast<int>(top + bottom);
        windows.push_back(window);
    }
    return windows;
}

std::optional<ManagedWindow> DesktopSession::waitForWindow(const std::string& titlePrefix,
                                                           std::chrono::milliseconds timeout)
{
    std::optional<ManagedWindow> found;
    waitUntil(
        [&] {
            for (const ManagedWindow& window : stackedWindows()) {
                if (window.title.rfind(titlePrefix, 0) == 0) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

unsigned long DesktopSession::transientFor(unsigned long window)
{
    Window parent = 0;
    return XGetTransientForHint(connection, window, &parent) ? parent : 0;
}

bool DesktopSession::sizeIsFixed(unsigned long window)
{
    XSizeHints hints{};
    long supplied = 0;
    if (!XGetWMNormalHints(connection, window, &hints, &supplied))
        return false;
    return (hints.flags & PMinSize) && (hints.flags & PMaxSize) && hints.min_width == hints.max_width &&
           hints.min_height == hints.max_height;
}

unsigned long DesktopSession::activeWindow()
{
    const std::vector<unsigned long> active = rootWindowList("_NET_ACTIVE_WINDOW");
    return active.empty() ? 0 : active.front();
}

bool DesktopSession::xdotool(const QStringList& arguments)
{
    QProcess tool;
    tool.setProcessEnvironment(environment());
    tool.start(QStringLiteral("xdotool"), arguments);
    return tool.waitForFinished(kStartMs) && tool.exitCode() == 0;
}

void DesktopSession::clickAt(int x, int y)
{
    xdotool({QStringLiteral("mousemove"), QString::number(x), QString::number(y), QStringLiteral("click"),
             QStringLiteral("1")});
}

void DesktopSession::pressKey(const char* key) { xdotool({QStringLiteral("key"), QString::fromLatin1(key)}); }

DesktopSession::ToolResult DesktopSession::runTool(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(tool, arguments);
    ToolResult result;
    if (process.waitForFinished(kStartMs) && process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    result.output = process.readAllStandardOutput().trimmed().toStdString();
    return result;
}

}  // namespace desktop_test
