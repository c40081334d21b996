#!/bin/sh
# Writes the viewer's test pictures into tests/data/pictures with ImageMagick (and a small
# placeable metafile written byte by byte), each beside "NAME.reference.png": the pixels
# ImageMagick itself decodes from that file, which the tests compare ours with.
set -eu
convert=${CONVERT:-convert}
out=$(dirname "$0")/../tests/data/pictures
mkdir -p "$out"
cd "$out"

# A pattern with hard edges and every channel in use; odd sizes catch row padding errors.
"$convert" -size 13x7 xc:'#204080' -fill '#e03010' -draw 'rectangle 0,0 5,3' \
  -fill '#10c060' -draw 'rectangle 6,4 12,6' -fill white -draw 'point 12,0' pattern.png.tmp.png
"$convert" pattern.png.tmp.png -type TrueColor BMP3:sample.bmp
"$convert" pattern.png.tmp.png -alpha set -channel A -fx 'i<3?0.5:1' +channel sample.png
"$convert" pattern.png.tmp.png -type TrueColor sample.pcx
"$convert" pattern.png.tmp.png -colors 8 -type Palette sample-palette.pcx
"$convert" -size 40x30 gradient:'#ff8000-#0040c0' -fill black -draw 'rectangle 5,5 14,24' -quality 92 sample.jpg
"$convert" -size 16x16 xc:'#c02020' small.tmp.png
"$convert" -size 32x32 xc:'#2060c0' -fill '#f0f020' -draw 'rectangle 8,8 23,23' large.tmp.png
"$convert" small.tmp.png large.tmp.png sample.ico
rm -f ./*.tmp.png

# A placeable metafile of 1440 x 960 units at 1440 units per inch (one by two thirds of an
# inch): two filled rectangles without outline on a white one.
python3 - <<'PY'
import struct
def record(function, *words):
    return struct.pack('<IH', 3 + len(words), function) + struct.pack('<%dh' % len(words), *words)
body = b''.join([
    record(0x020B, 0, 0),                     # SetWindowOrg(y, x)
    record(0x020C, 960, 1440),                # SetWindowExt(y, x)
    record(0x02FA, 5, 0, 0, 0, 0),            # CreatePenIndirect(PS_NULL) -> object 0
    record(0x012D, 0),                        # SelectObject(0)
    record(0x02FC, 0, 0x20E0, 0x0010, 0),     # CreateBrushIndirect(solid, #E02010) -> object 1
    record(0x012D, 1),
    record(0x041B, 480, 720, 0, 0),           # Rectangle(bottom, right, top, left)
    record(0x02FC, 0, 0x6020, 0x0020, 0),     # CreateBrushIndirect(solid, #2060 20...) -> object 2
    record(0x012D, 2),
    record(0x041B, 960, 1440, 480, 720),
    record(0x0000),                           # end of file
])
words = (18 + len(body)) // 2
header = struct.pack('<HHHIHIH', 1, 9, 0x300, words, 3, 6, 0)
placeable = struct.pack('<IHhhhhHI', 0x9AC6CDD7, 0, 0, 0, 1440, 960, 1440, 0)
checksum = 0
for (w,) in struct.iter_unpack('<H', placeable):
    checksum ^= w
open('sample.wmf', 'wb').write(placeable + struct.pack('<H', checksum) + header + body)
PY

for picture in sample.bmp sample.png sample.pcx sample-palette.pcx sample.jpg; do
  "$convert" "$picture" "$picture.reference.png"
done
"$convert" 'sample.ico[1]' sample.ico.reference.png
"$convert" -density 96 sample.wmf sample.wmf.reference.png
