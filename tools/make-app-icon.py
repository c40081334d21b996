#!/usr/bin/env python3
"""Draws Sonorail's program icon: a dark-blue record with a yellow label, standing on a yellow
rail, and a pair of yellow notes. Writes the scalable icon src/resources/icons/sonorail.svg and
renders it with rsvg-convert (Debian package librsvg2-bin) to the usual theme sizes,
src/resources/icons/hicolor/NxN/apps/sonorail.png, so that every size shows the same picture.

Run from the repository's root:  tools/make-app-icon.py [--out DIR]
"""
import argparse
import os
import shutil
import subprocess
import sys

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)

# The main window's dark blue and the yellow of its texts.
BLUE = "#0000a0"
DEEP_BLUE = "#000050"
GROOVE_BLUE = "#4a4aff"
YELLOW = "#ffdc00"
DARK_YELLOW = "#b08c00"

SVG = f"""<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <title>Sonorail</title>
  <defs>
    <radialGradient id="vinyl" cx="0.38" cy="0.34" r="0.75">
      <stop offset="0" stop-color="#2828d8"/>
      <stop offset="0.55" stop-color="{BLUE}"/>
      <stop offset="1" stop-color="{DEEP_BLUE}"/>
    </radialGradient>
  </defs>

  <!-- The rail the record rolls along, seen from the side, on its sleepers. -->
  <g fill="{DEEP_BLUE}">
    <rect x="14" y="232" width="26" height="18" rx="3"/>
    <rect x="66" y="232" width="26" height="18" rx="3"/>
    <rect x="118" y="232" width="26" height="18" rx="3"/>
    <rect x="170" y="232" width="26" height="18" rx="3"/>
    <rect x="222" y="232" width="26" height="18" rx="3"/>
  </g>
  <rect x="6" y="219" width="244" height="15" rx="5" fill="{YELLOW}" stroke="{DEEP_BLUE}" stroke-width="4"/>

  <!-- The record. -->
  <circle cx="112" cy="114" r="104" fill="url(#vinyl)" stroke="{DEEP_BLUE}" stroke-width="6"/>
  <g fill="none" stroke="{GROOVE_BLUE}" stroke-opacity="0.55" stroke-width="4">
    <circle cx="112" cy="114" r="86"/>
    <circle cx="112" cy="114" r="68"/>
    <circle cx="112" cy="114" r="52"/>
  </g>
  <path d="M 112 114 L 34 52 A 100 100 0 0 1 62 27 Z" fill="#ffffff" fill-opacity="0.28"/>
  <circle cx="112" cy="114" r="36" fill="{YELLOW}" stroke="{DARK_YELLOW}" stroke-width="4"/>
  <circle cx="112" cy="114" r="8" fill="{DEEP_BLUE}"/>

  <!-- Two beamed notes in front of it. -->
  <g fill="{YELLOW}" stroke="{DEEP_BLUE}" stroke-width="8" stroke-linejoin="round">
    <path d="M 164 86 L 238 66 L 238 96 L 164 116 Z"/>
    <rect x="164" y="90" width="14" height="104"/>
    <rect x="224" y="72" width="14" height="104"/>
    <ellipse cx="156" cy="196" rx="22" ry="16" transform="rotate(-20 156 196)"/>
    <ellipse cx="216" cy="178" rx="22" ry="16" transform="rotate(-20 216 178)"/>
  </g>
  <!-- The stems again without an outline, so they join the heads and the beam cleanly. -->
  <g fill="{YELLOW}">
    <rect x="168" y="96" width="6" height="100"/>
    <rect x="228" y="80" width="6" height="98"/>
  </g>
</svg>
"""


def write_atomically(path, data):
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def render(rsvg, svg_path, size, png_path):
    result = subprocess.run([rsvg, "--width", str(size), "--height", str(size),
                             "--keep-aspect-ratio", svg_path],
                            check=True, stdout=subprocess.PIPE)
    write_atomically(png_path, result.stdout)


def main(argv):
    parser = argparse.ArgumentParser(description="Draw the program icon")
    parser.add_argument("--out", default="src/resources/icons")
    args = parser.parse_args(argv)

    rsvg = shutil.which("rsvg-convert")
    if rsvg is None:
        sys.exit("make-app-icon: rsvg-convert not found; install it with "
                 "'apt-get install librsvg2-bin'")

    os.makedirs(args.out, exist_ok=True)
    svg_path = os.path.join(args.out, "sonorail.svg")
    write_atomically(svg_path, SVG.encode("utf-8"))
    for size in SIZES:
        folder = os.path.join(args.out, "hicolor", "%dx%d" % (size, size), "apps")
        os.makedirs(folder, exist_ok=True)
        render(rsvg, svg_path, size, os.path.join(folder, "sonorail.png"))


if __name__ == "__main__":
    main(sys.argv[1:])
