#!/bin/sh
# Fails when an include points upwards through the layers of src/:
#   core  plain C++: no Qt, libVLC, libcdio, GraphicsMagick or X11, and nothing of the layers above;
#   media may use core but reads no settings file (the session hands it what it needs);
#   ui may use core and media;  app may use all of them.
# Inside core the folders are layered too, bottom to top (a folder may use its own and those
# of the levels below it, never a folder of its own level or above):
#   base                  errors, files, text, paths; the commands and the seams to the user
#   formats               the file formats: media kinds, albums, playlists, the INI profile, tips, RTF
#   settings              the options and the table of sr3.ini's keys
#   queue                 the play queue and its editing
#   playback              the player, its back-end interface, the engine and the monitor
#   cd                    the CD mode, its database and disc lookups
#   files albums          the file manager's commands; opening and saving albums
#   commands              the command table (menus, hints, captions) and the command line
#   toolbar help          the toolbar's dock rules; the status-bar hints
#   session               the session that owns and wires all of the above
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
report "src/media reads the settings file (the session hands it the values it needs):" media \
    "$include[\"<]core/(settings/|formats/ProfileFile\.h)"
report "src/ui includes a header of a higher layer:" ui "$include[\"<]app/"

# The order of core's folders, one level per line (see the top).
core_levels='base
formats
settings
queue
playback
cd
files albums
commands
toolbar help
session'

# The folders below LINE_NUMBER in core_levels, as "a|b|c" (empty for the bottom level).
folders_below() {
    printf '%s\n' "$core_levels" | head -n "$(($1 - 1))" | tr ' \n' '||' | sed 's/|*$//'
}

for folder in $(ls "$src/core"); do
    [ -d "$src/core/$folder" ] || continue
    level=$(printf '%s\n' "$core_levels" | grep -nwF "$folder" | cut -d: -f1)
    if [ -z "$level" ]; then
        printf 'check-layers: src/core/%s has no place in the order of core'"'"'s folders (add it to core_levels)\n' \
            "$folder" >&2
        status=1
        continue
    fi
    allowed=$(folders_below "$level")
    allowed="$folder${allowed:+|$allowed}"
    found=$(grep -rnE --include='*.h' --include='*.cpp' "$include[\"<]core/" "$src/core/$folder" |
        grep -vE ":[0-9]+:$directive[\"<]core/($allowed)/")
    if [ -n "$found" ]; then
        printf 'check-layers: src/core/%s includes a folder of core at its own level or above (order: %s):\n%s\n' \
            "$folder" "$(printf '%s\n' "$core_levels" | sed 's/ /, /g' | paste -sd '<' | sed 's/</ < /g')" "$found" >&2
        status=1
    fi
done

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
