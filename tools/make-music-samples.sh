#!/usr/bin/env bash
# Writes the small music and video files the tests play and read tags from, into
# tests/data/music (about 1.5 s each, the whole set well under 300 KB):
#   tools/make-music-samples.sh
# Needs ffmpeg (Debian ffmpeg). Each file but untagged.wma carries title, artist, album,
# album artist, track number and genre; the MP3, FLAC and M4A files also a small front cover;
# six.mp4 is larger than the main window, to be scaled down to fit it.
set -euo pipefail
out=$(cd "$(dirname "$0")/.." && pwd)/tests/data/music
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

ff() { ffmpeg -hide_banner -loglevel error -y "$@"; }
tone() { echo "sine=frequency=$1:sample_rate=44100:duration=1.5"; }
tags() {  # tags NUMBER TITLE: the options that tag a file, in the array "tagged"
  tagged=(-metadata "title=$2" -metadata "artist=Sonorail Test Band" -metadata "album=Test Pressing"
    -metadata "album_artist=Various Testers" -metadata "track=$1/7" -metadata "genre=Electronic")
}
cover=(-i "$work/cover.jpg" -map 0:a -map 1:v -c:v copy -disposition:v attached_pic)

ff -f lavfi -i "color=c=orange:s=32x32:d=1" -frames:v 1 "$work/cover.jpg"

tags 1 One
ff -f lavfi -i "$(tone 440)" "${cover[@]}" -c:a libmp3lame -b:a 64k -id3v2_version 3 "${tagged[@]}" "$out/one.mp3"
tags 2 Two
ff -f lavfi -i "$(tone 494)" "${cover[@]}" -c:a flac "${tagged[@]}" "$out/two.flac"
tags 3 Three
ff -f lavfi -i "$(tone 523)" -c:a libvorbis -q:a 0 "${tagged[@]}" "$out/three.ogg"
tags 4 Four
ff -f lavfi -i "$(tone 587)" -c:a libopus -b:a 24k "${tagged[@]}" "$out/four.opus"
tags 5 Five
ff -f lavfi -i "$(tone 659)" "${cover[@]}" -c:a aac -b:a 48k "${tagged[@]}" "$out/five.m4a"
tags 6 Six
ff -f lavfi -i "color=c=navy:s=960x540:r=10:d=1.5" -f lavfi -i "$(tone 698)" -c:v libx264 -preset veryslow \
  -crf 40 -pix_fmt yuv420p -c:a aac -b:a 32k -shortest "${tagged[@]}" "$out/six.mp4"
tags 7 Seven
ff -f lavfi -i "color=c=green:s=320x240:r=10:d=1.5" -f lavfi -i "$(tone 784)" -c:v libvpx -b:v 50k \
  -c:a libopus -b:a 24k -shortest "${tagged[@]}" "$out/seven.webm"
ff -f lavfi -i "$(tone 880)" -c:a wmav2 -b:a 32k -map_metadata -1 "$out/untagged.wma"
du -ch "$out"/* | tail -n 1
