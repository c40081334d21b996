#!/bin/sh
# Fails when an include points upwards through the layers of src/:
#   core  plain C++: no Qt, libVLC, libcdio, GraphicsMagick or X11, and nothing of the layers above;
#   media may use core;  ui may use core and media;  app may use all of them.
# Includes of our own headers are written from src/ ("core/queue/PlayQueue.h"), so the
# layer of every include can be read from its path.
#   tools/check-layers.sh [SRC_DIR]      (default: src beside this script)
src=${1:-$(dirname "$0")/../src}
status=0

# report DESCRIPTION LAYER PATTERN: every include line of LAYER's files matching PATTERN.
report() {
    found=$(grep -rnE --include='*.h' --include='*.cpp' "$3" "$src/$2" 2>/dev/null)
    if [ -n "$found" ]; then
        printf 'check-layers: %s\n%s\n' "$1" "$found" >&2
        status=1
    fi
}

directive='[[:space:]]*#[[:space:]]*include[[:space:]]*'
include="^$directive"

report "src/core includes Qt, libVLC, libcdio, GraphicsMagick or X11:" core "$include<(Q|vlc/|cdio/|magick/|X11/)"
report "src/core includes a header of a higher layer:" core "$include[\"<](media|ui|app)/"
report "src/media includes a header of a higher layer:" media "$include[\"<](ui|app)/"
report "src/ui includes a header of a higher layer:" ui "$include[\"<]app/"

# Our own headers are named from src/, never relative to the including file.
for layer in core media ui app; do
    found=$(grep -rnE --include='*.h' --include='*.cpp' "$include\"" "$src/$layer" |
        grep -vE ":[0-9]+:$directive\"(core|media|ui|app)/")
    if [ -n "$found" ]; then
        printf 'check-layers: an include not written from src/ (write "core/...", "media/...", "ui/..." or "app/..."):\n%s\n' "$found" >&2
        status=1
    fi
done
exit $status
