#!/usr/bin/env python3
"""The program as a user gets it: installed with `cmake --install` into a fresh prefix, then
started from there on a private X server (Xvfb) and session bus by a user with a fresh home and
XDG folders.

Checks the installed layout (every file where the desktop expects it, nothing more; the
metainfo valid for AppStream; each icon at its size), then that the installed program finds
its read-only data (the welcome page's document, the icon strip with no error box, the help
book and its module at F1), shows the desktop entry's icon on its main window, and writes only
its settings under $XDG_CONFIG_HOME/sonorail and the help's index under
$XDG_CACHE_HOME/sonorail.

usage: check_installed_program.py CMAKE BUILD_DIR
Exits 77 (skipped) when Xvfb, dbus-daemon, xdotool, xprop or appstreamcli is missing, unless $CI
is set.
"""
import gzip
import os
import queue
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import threading
import time
import zlib

SKIPPED = 77
TIMEOUT = 30
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
# The sizes the running program gives its windows (resources/appicon.qrc).
WINDOW_ICON_SIZES = (16, 24, 32, 48, 64)
DATA_FILES = ("icons.bmp", "sonorail.qch", "sonorail.qhc",
              "intro.txt", "tech1.txt", "tech2.txt", "tech3.txt", "tipofday.txt")
TOOLS = ("Xvfb", "dbus-daemon", "xdotool", "xprop", "appstreamcli")
MAIN_WINDOW_TITLE = "Sonorail V3.0-Win95 Beta2"
HELP_WINDOW_TITLE = "Sonorail Help"

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def expected_files(present):
    """The files an install holds, relative to its prefix, given those it does hold: the help
    and media modules' folder follows the prefix's library directory (lib, or lib/<triplet> under /usr)."""
    modules = []
    for module in ("libsonorail-help.so", "libsonorail-media.so"):
        found = sorted(path for path in present if os.path.basename(path) == module)
        check(len(found) == 1 and found[0].startswith("lib/") and found[0].endswith(f"/sonorail/{module}"),
              f"the module {module} should be installed once in LIBDIR/sonorail, found {found}")
        modules += found
    files = {"bin/sonorail", "share/applications/sonorail.desktop",
             "share/icons/hicolor/scalable/apps/sonorail.svg", "share/man/man1/sonorail.1.gz",
             "share/metainfo/io.github.sonorail.Sonorail.metainfo.xml",
             "share/doc/sonorail/copyright", "share/doc/sonorail/changelog.Debian.gz",
             "share/lintian/overrides/sonorail"}
    files.update(f"share/icons/hicolor/{size}x{size}/apps/sonorail.png" for size in ICON_SIZES)
    files.update(f"share/sonorail/{name}" for name in DATA_FILES)
    files.update(modules)
    return files


def installed_files(prefix):
    return {os.path.relpath(os.path.join(folder, name), prefix)
            for folder, _, names in os.walk(prefix) for name in names}


def png_size(path):
    with open(path, "rb") as png:
        header = png.read(24)
    if header[:8] != b"\x89PNG\r\n\x1a\n" or header[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", header[16:24])


def png_argb(path):
    """The pixels of an 8-bit RGBA PNG without interlace as 0xAARRGGBB, row by row."""
    with open(path, "rb") as png:
        data = png.read()
    position, chunks, width, height = 8, b"", 0, 0
    while position < len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if (depth, colour, interlace) != (8, 6, 0):
                raise ValueError(f"{path}: not 8-bit RGBA without interlace")
        elif kind == b"IDAT":
            chunks += body
        position += 12 + length
    raw = zlib.decompress(chunks)
    stride = width * 4
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            left = line[x - 4] if x >= 4 else 0
            up = previous[x]
            corner = previous[x - 4] if x >= 4 else 0
            if kind == 1:
                line[x] = (line[x] + left) & 0xFF
            elif kind == 2:
                line[x] = (line[x] + up) & 0xFF
            elif kind == 3:
                line[x] = (line[x] + (left + up) // 2) & 0xFF
            elif kind == 4:
                guess = left + up - corner
                distances = (abs(guess - left), abs(guess - up), abs(guess - corner))
                line[x] = (line[x] + (left, up, corner)[distances.index(min(distances))]) & 0xFF
        rows.append(line)
        previous = line
    return [(r[x + 3] << 24) | (r[x] << 16) | (r[x + 1] << 8) | r[x + 2]
            for r in rows for x in range(0, stride, 4)]


def check_layout(prefix):
    present = installed_files(prefix)
    expected = expected_files(present)
    check(not expected - present, f"missing from the install: {sorted(expected - present)}")
    check(not present - expected, f"installed but not expected: {sorted(present - expected)}")
    check(os.access(os.path.join(prefix, "bin/sonorail"), os.X_OK), "bin/sonorail is not executable")

    desktop = open(os.path.join(prefix, "share/applications/sonorail.desktop"), encoding="utf-8").read()
    check("\nIcon=sonorail\n" in desktop, "the desktop entry does not name Icon=sonorail")
    check("\nExec=sonorail %F\n" in desktop, "the desktop entry does not start sonorail")
    for size in ICON_SIZES:
        path = os.path.join(prefix, f"share/icons/hicolor/{size}x{size}/apps/sonorail.png")
        if os.path.exists(path):
            check(png_size(path) == (size, size), f"{path} is {png_size(path)}, not {size}x{size}")

    metainfo = os.path.join(prefix, "share/metainfo/io.github.sonorail.Sonorail.metainfo.xml")
    if os.path.exists(metainfo):
        validation = subprocess.run(["appstreamcli", "validate", "--no-net", metainfo],
                                    capture_output=True, text=True)
        check(validation.returncode == 0, f"appstreamcli validate failed:\n{validation.stdout}{validation.stderr}")
        check("<launchable type=\"desktop-id\">sonorail.desktop</launchable>" in open(metainfo).read(),
              "the metainfo does not launch sonorail.desktop")
    page = os.path.join(prefix, "share/man/man1/sonorail.1.gz")
    if os.path.exists(page):
        check("\n.TH SONORAIL 1 " in gzip.open(page, "rt").read(), "the man page has no .TH line")


def snapshot(root):
    """Every file and folder under root with its size and modification time."""
    state = {}
    for folder, folders, names in os.walk(root):
        for name in folders + names:
            path = os.path.join(folder, name)
            info = os.lstat(path)
            state[path] = (info.st_size, info.st_mtime_ns)
    return state


class XServer:
    def __init__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                                         "-nolisten", "tcp"], pass_fds=(write_end,),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            number = numbers.readline().strip()
        if not number:
            raise RuntimeError("Xvfb gave no display")
        self.display = ":" + number

    def stop(self):
        self.process.terminate()
        self.process.wait(TIMEOUT)


class SessionBus:
    """The user's session bus. Without one the program's D-Bus library would start one itself
    where dbus-x11 is installed (any desktop) and write its address under ~/.dbus."""

    def __init__(self, environment):
        self.process = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                        env=environment, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                        text=True)
        self.address = self.process.stdout.readline().strip()
        if not self.address:
            raise RuntimeError("dbus-daemon gave no address")

    def stop(self):
        self.process.terminate()
        self.process.wait(TIMEOUT)


class Program:
    """The installed program with the start-up probe: its lines come through a queue."""

    def __init__(self, executable, environment, folder):
        self.process = subprocess.Popen([executable], env=environment, cwd=folder, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.rstrip("\n"))
        self.lines.put(None)

    def next_line(self):
        try:
            return self.lines.get(timeout=TIMEOUT)
        except queue.Empty:
            return None

    def press_ok(self):
        self.process.stdin.write("ok\n")
        self.process.stdin.flush()

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
        try:
            return self.process.wait(TIMEOUT)
        except subprocess.TimeoutExpired:
            self.process.kill()
            return None


def x_tool(display, *arguments):
    result = subprocess.run(list(arguments), env=dict(os.environ, DISPLAY=display), capture_output=True,
                            text=True, timeout=TIMEOUT)
    return result.stdout if result.returncode == 0 else ""


def wait_for_window(display, pid, title):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        found = x_tool(display, "xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid), "--name",
                       "^" + title + "$").split()
        if found:
            return found[0]
        time.sleep(0.1)
    return None


def window_icons(display, window):
    """The window's _NET_WM_ICON as {size: [0xAARRGGBB, ...]}."""
    text = x_tool(display, "xprop", "-id", window, "-notype", "32c", "_NET_WM_ICON")
    if "=" not in text:
        return {}
    values = [int(value) for value in text.split("=", 1)[1].replace(",", " ").split()]
    icons = {}
    while len(values) >= 2:
        width, height = values[0], values[1]
        icons[(width, height)] = values[2:2 + width * height]
        values = values[2 + width * height:]
    return icons


def same_pixels(shown, drawn):
    """Equal but for the rounding of translucent pixels that X's premultiplied path adds."""
    def channels(pixel):
        return [(pixel >> shift) & 0xFF for shift in (24, 16, 8, 0)]
    return len(shown) == len(drawn) and all(
        abs(a - b) <= 2 for one, other in zip(shown, drawn) for a, b in zip(channels(one), channels(other)))


def user_environment(work, display):
    home = os.path.join(work, "home")
    runtime = os.path.join(work, "runtime")
    os.makedirs(home)
    os.makedirs(runtime, mode=0o700)
    environment = {
        "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
        "HOME": home,
        "USER": "sonorail-test",
        "XDG_CONFIG_HOME": os.path.join(home, ".config"),
        "XDG_CACHE_HOME": os.path.join(home, ".cache"),
        "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
        "XDG_RUNTIME_DIR": runtime,
        "DISPLAY": display,
        "QT_QPA_PLATFORM": "xcb",
        "SONORAIL_HEADLESS_MEDIA": "1",
        "SONORAIL_STARTUP_PROBE": "report",
    }
    for sanitizer in ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"):
        if sanitizer in os.environ:
            environment[sanitizer] = os.environ[sanitizer]
    return environment


def start_until_main_window(program):
    """Answers the welcome page with OK; True once the main window has painted. A message
    box on the way is a failure (a data file that was not found)."""
    welcome = None
    while True:
        line = program.next_line()
        if line is None:
            check(False, "the program ended or went silent before its main window showed")
            return False
        if line.startswith("welcome: "):
            welcome = line
            program.press_ok()
        elif line.startswith("box: "):
            check(False, f"the program showed a message box: {line[5:]}")
            program.press_ok()
        elif line == "shown":
            print("before the main window:", welcome)
            check(welcome is not None and welcome.endswith("INTRODUCTION TO SONORAIL"),
                  f"a first run should open the introduction document, the probe said {welcome!r}")
            return True


def check_running_program(prefix, work):
    server = XServer()
    program = None
    bus = None
    try:
        environment = user_environment(work, server.display)
        bus = SessionBus(environment)
        environment["DBUS_SESSION_BUS_ADDRESS"] = bus.address
        folder = os.path.join(work, "folder")
        os.makedirs(folder)
        prefix_before = snapshot(prefix)
        program = Program(os.path.join(prefix, "bin/sonorail"), environment, folder)
        if not start_until_main_window(program):
            return
        main_window = wait_for_window(server.display, program.process.pid, MAIN_WINDOW_TITLE)
        if not check(main_window, "no main window on the screen"):
            return

        icons = window_icons(server.display, main_window)
        print("main window icon sizes:", sorted(icons))
        check(sorted(icons) == [(size, size) for size in WINDOW_ICON_SIZES],
              f"the main window's icon sizes are {sorted(icons)}")
        entry_icon = os.path.join(prefix, "share/icons/hicolor/32x32/apps/sonorail.png")
        check(same_pixels(icons.get((32, 32), []), png_argb(entry_icon)),
              "the main window's 32x32 icon is not the desktop entry's icon")

        # F1 on the main window: the help window from the installed module and book.
        x_tool(server.display, "xdotool", "windowfocus", "--sync", main_window)
        x_tool(server.display, "xdotool", "key", "--window", main_window, "F1")
        check(wait_for_window(server.display, program.process.pid, HELP_WINDOW_TITLE),
              "F1 opened no help window")
        status = program.stop()
        check(status == 0, f"the program ended with status {status}: {program.process.stderr.read()[-2000:]}")
        while (line := program.lines.get()) is not None:
            check(not line.startswith("box: "), f"the program showed a message box: {line[5:]}")
    finally:
        if program and program.process.poll() is None:
            program.process.kill()
        if bus:
            bus.stop()
        server.stop()

    check(snapshot(prefix) == prefix_before, "the installed files changed")
    written = {path for path in installed_files(work) if not path.startswith("prefix/")}
    print("written:", ", ".join(sorted(written)))
    allowed = ("home/.config/sonorail/", "home/.cache/sonorail/", "runtime/")
    check(all(path.startswith(allowed) for path in written),
          f"written outside the user's sonorail folders: {sorted(p for p in written if not p.startswith(allowed))}")
    check("home/.config/sonorail/sr3.ini" in written, f"no settings file written; wrote {sorted(written)}")
    check(any(path.startswith("home/.cache/sonorail/help/") for path in written),
          f"the help's index is not in the cache folder; wrote {sorted(written)}")


def main():
    cmake, build = sys.argv[1], sys.argv[2]
    missing = [tool for tool in TOOLS if not shutil.which(tool)]
    if missing:
        print(f"missing tools: {', '.join(missing)}")
        return 1 if os.environ.get("CI") else SKIPPED
    started = time.monotonic()
    work = tempfile.mkdtemp(prefix="sonorail-install-")
    try:
        prefix = os.path.join(work, "prefix")
        install = subprocess.run([cmake, "--install", build, "--prefix", prefix], capture_output=True, text=True)
        if install.returncode != 0:
            print(install.stdout + install.stderr)
            return 1
        check_layout(prefix)
        check_running_program(prefix, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for failure in failures:
        print("FAILED:", failure)
    print(f"installed program checked in {time.monotonic() - started:.1f} s")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
