#!/usr/bin/env python3
"""The Debian package as CPack builds it from a build directory: it holds every file the
install holds and nothing of the build tree (no test or benchmark program, no path of the
build directory inside a file, no run path), and its control file names the package, its
section and maintainer, the libraries dpkg-shlibdeps found and the packages the program only
loads while it runs. lintian finds nothing in it but the placeholder maintainer address, and
that only when no maintainer was configured.

usage: check_package.py CPACK BUILD_DIR
Exits 77 (skipped) when dpkg-deb, dpkg-shlibdeps or lintian is missing, unless $CI is set.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_installed_program as install  # noqa: E402

SKIPPED = 77
# What the program opens while it runs rather than links: no library search finds them.
LOADED_PACKAGES = ("vlc-plugin-base", "vlc-plugin-fluidsynth", "vlc-plugin-video-output", "timgm6mb-soundfont",
                   "libqt6sql6-sqlite", "libgraphicsmagick-q16-3", "libdiscid0")
# Linked by the program and the help module, so dpkg-shlibdeps must have named them.
LINKED_PACKAGES = ("libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6dbus6",
                   "libqt6network6", "libqt6help6", "libvlc5", "libcdio19", "libx11-6", "libtag1v5")
BUILD_PROGRAMS = ("core_tests", "media_tests", "ui_tests", "instance_probe", "startup_bench")
# The maintainer's address when none is configured, and what lintian says of it.
PLACEHOLDER_ADDRESS = "@invalid>"
PLACEHOLDER_TAGS = ("bogus-mail-host", "bogus-mail-host-in-debian-changelog")


def dependency_names(depends):
    return {re.sub(r"\s*\(.*\)", "", alternative).strip()
            for item in depends.split(",") for alternative in item.split("|")}


def check_contents(package, build, unpacked):
    listing = subprocess.run(["dpkg-deb", "-c", package], capture_output=True, text=True, check=True).stdout
    files = {line.split()[-1][len("./usr/"):] for line in listing.splitlines() if line.startswith("-")}
    install.check(all(line.split()[5].startswith("./usr/") for line in listing.splitlines()),
                  "the package installs outside /usr")
    expected = install.expected_files(files)
    install.check(not expected - files, f"missing from the package: {sorted(expected - files)}")
    install.check(not files - expected, f"in the package but not installed: {sorted(files - expected)}")
    install.check(not any(os.path.basename(path) in BUILD_PROGRAMS for path in files),
                  "the package holds a test or benchmark program")

    subprocess.run(["dpkg-deb", "-x", package, unpacked], check=True)
    build_path = os.path.realpath(build).encode()
    for path in files:
        with open(os.path.join(unpacked, "usr", path), "rb") as content:
            install.check(build_path not in content.read(), f"usr/{path} names the build directory {build}")
        if path.startswith(("bin/", "lib/")):
            dynamic = subprocess.run(["readelf", "-d", os.path.join(unpacked, "usr", path)],
                                     capture_output=True, text=True).stdout
            install.check("RPATH" not in dynamic and "RUNPATH" not in dynamic, f"usr/{path} has a run path")


def check_control(package):
    def field(name):
        return subprocess.run(["dpkg-deb", "-f", package, name], capture_output=True, text=True).stdout.strip()

    install.check(field("Package") == "sonorail", f"Package: {field('Package')}")
    install.check(field("Section") == "sound", f"Section: {field('Section')}")
    install.check(re.fullmatch(r".+ <[^ >]+@[^ >]+>", field("Maintainer")), f"Maintainer: {field('Maintainer')}")
    install.check(field("Description").startswith("multimedia jukebox"), f"Description: {field('Description')}")
    names = dependency_names(field("Depends"))
    missing = [name for name in LOADED_PACKAGES + LINKED_PACKAGES if name not in names]
    install.check(not missing, f"Depends lacks {missing}: {field('Depends')}")
    print("Depends:", field("Depends"))


def check_lintian(package):
    maintainer = subprocess.run(["dpkg-deb", "-f", package, "Maintainer"], capture_output=True,
                                text=True).stdout.strip()
    allowed = PLACEHOLDER_TAGS if maintainer.endswith(PLACEHOLDER_ADDRESS) else ()
    report = subprocess.run(["lintian", "--no-tag-display-limit", package], capture_output=True, text=True)
    findings = [line for line in report.stdout.splitlines() if line[:2] in ("E:", "W:")]
    unexpected = [line for line in findings if line.split()[2] not in allowed]
    install.check(not unexpected, "lintian: " + "; ".join(unexpected))
    print("lintian:", "; ".join(findings) or "nothing")


def main():
    cpack, build = sys.argv[1], sys.argv[2]
    missing = [tool for tool in ("dpkg-deb", "dpkg-shlibdeps", "readelf", "lintian") if not shutil.which(tool)]
    if missing:
        print(f"missing tools: {', '.join(missing)}")
        return 1 if os.environ.get("CI") else SKIPPED
    started = time.monotonic()
    work = tempfile.mkdtemp(prefix="sonorail-package-")
    try:
        made = subprocess.run([cpack, "-G", "DEB", "-B", work, "--config", os.path.join(build, "CPackConfig.cmake")],
                              capture_output=True, text=True)
        packages = [name for name in os.listdir(work) if re.fullmatch(r"sonorail_.+_.+\.deb", name)]
        if made.returncode != 0 or len(packages) != 1:
            print(made.stdout + made.stderr)
            return 1
        package = os.path.join(work, packages[0])
        check_contents(package, build, os.path.join(work, "unpacked"))
        check_control(package)
        check_lintian(package)
        print(f"{packages[0]}: {os.path.getsize(package)} bytes, built and checked in "
              f"{time.monotonic() - started:.1f} s")
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for failure in install.failures:
        print("FAILED:", failure)
    return 1 if install.failures else 0


if __name__ == "__main__":
    sys.exit(main())
