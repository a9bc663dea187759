#!/usr/bin/env python3
# Writes the layout editor's toolbar strip (toolbar.bmp): 13 images of
# 16 x 15 pixels, 24 bits, on the button-grey mask colour RGB(192,192,192);
# and the list panel's expand and collapse buttons (expand.bmp,
# collapse.bmp), 12 x 12 pixels on black, which those buttons show through.
# Run it in this folder again after editing a glyph below.
import struct

PAL = {
    '.': (192, 192, 192),  # mask (transparent)
    'k': (0, 0, 0), 'w': (255, 255, 255), 'g': (128, 128, 128), 'l': (224, 224, 224),
    'b': (0, 64, 192), 'B': (96, 160, 255), 'y': (255, 208, 32), 'Y': (200, 150, 0),
    'r': (208, 32, 32), 'G': (0, 160, 64), 'o': (255, 128, 0),
}

GLYPHS = [
    # new: a page with a folded corner
    ["................", "..kkkkkkkk......", "..kwwwwwwkk.....", "..kwwwwwwkwk....", "..kwwwwwwkkkk...",
     "..kwwwwwwwwwk...", "..kwwwwwwwwwk...", "..kwwwwwwwwwk...", "..kwwwwwwwwwk...", "..kwwwwwwwwwk...",
     "..kwwwwwwwwwk...", "..kwwwwwwwwwk...", "..kwwwwwwwwwk...", "..kkkkkkkkkkk...", "................"],
    # open: a folder
    ["................", "................", ".kkkk...........", "kyyyyk..........", "kyyyyykkkkkkk...",
     "kyyyyyyyyyyyk...", "kyyykkkkkkkkkkk.", "kyykYYYYYYYYYk..", "kykYYYYYYYYYk...", "kykYYYYYYYYYk...",
     "kkYYYYYYYYYk....", "kkYYYYYYYYYk....", "kkkkkkkkkkk.....", "................", "................"],
    # save: a disk
    ["................", ".kkkkkkkkkkkkk..", ".kbkwwwwwwwkbk..", ".kbkwwwwwwwkbk..", ".kbkwwwwwwwkbk..",
     ".kbkwwwwwwwkbk..", ".kbbkkkkkkkbbk..", ".kbbbbbbbbbbbk..", ".kbbkkkkkkkbbk..", ".kbbkllkggkbbk..",
     ".kbbkllkggkbbk..", ".kbbkllkggkbbk..", "..kkkkkkkkkkkk..", "................", "................"],
    # project settings: a grid of lamps with a pencil
    ["................", ".kkkkkkkkkkk....", ".kwwwwwwwwwk....", ".kwGwwGwwGwk....", ".kwwwwwwwwwk....",
     ".kwGwwGwwGwk....", ".kwwwwwwwwwk....", ".kwGwwGwwkwk.o..", ".kwwwwwwwkkoo...", ".kkkkkkkkkoo....",
     ".........oo.....", "........oo......", ".......kk.......", "................", "................"],
    # undo: an arrow bending back to the left
    ["................", "................", "....b...........", "...bb...........", "..bbbbbbbbb.....",
     ".bbbbbbbbbbb....", "..bbbbbbbbbbb...", "...bb......bb...", "....b......bb...", "...........bb...",
     "..........bb....", ".........bb.....", "................", "................", "................"],
    # redo: the mirror of undo
    ["................", "................", "...........b....", "...........bb...", ".....bbbbbbbbb..",
     "....bbbbbbbbbbb.", "...bbbbbbbbbbb..", "...bb......bb...", "...bb......b....", "...bb...........",
     "....bb..........", ".....bb.........", "................", "................", "................"],
    # preview: an eye
    ["................", "................", "................", ".....kkkkkk.....", "...kkwwwwwwkk...",
     "..kwwwwbbwwwwk..", ".kwwwwbkkbwwwwk.", ".kwwwwbkkbwwwwk.", "..kwwwwbbwwwwk..", "...kkwwwwwwkk...",
     ".....kkkkkk.....", "................", "................", "................", "................"],
    # lamp numbers: "12" beside a lamp
    ["................", "................", "..kk....kkkk....", ".kkk...kk..kk...", "..kk.......kk...",
     "..kk......kk....", "..kk.....kk.....", "..kk....kk......", "..kk...kk.......", ".kkkk..kkkkkk...",
     "................", "..........rr....", ".........rrrr...", "..........rr....", "................"],
    # connection lines: lamps joined by a line
    ["................", "................", ".rr.........rr..", "rrrr.......rrrr.", ".rrbbbbbbbbbrr..",
     "..............b.", "..............b.", "..............b.", ".rrbbbbbbbbbbrr.", "rrrr........rrrr",
     ".rr..........rr.", "................", "................", "................", "................"],
    # lock: a padlock
    ["................", "......kkkk......", ".....k....k.....", "....k......k....", "....k......k....",
     "....k......k....", "...kkkkkkkkkk...", "...kyyyyyyyyk...", "...kyyykkyyyk...", "...kyyykkyyyk...",
     "...kyyyyyyyyk...", "...kyyyyyyyyk...", "...kkkkkkkkkk...", "................", "................"],
    # crop: the two crop corners
    ["................", "...k............", "...k............", ".kkkkkkkkkkk....", "...k.......k....",
     "...k.......k....", "...k.......k....", "...k.......k....", "...k.......k....", "...k.......k....",
     "...kkkkkkkkkkkk.", "...........k....", "...........k....", "................", "................"],
    # reverse lamps: a double-headed arrow over a chain
    ["................", "................", "...G.......G....", "..GG.......GG...", ".GGGGGGGGGGGGG..",
     "..GG.......GG...", "...G.......G....", "................", "................", ".rr..rr..rr..rr.",
     "rrrrrrrrrrrrrrrr", ".rr..rr..rr..rr.", "................", "................", "................"],
    # about: a question mark in a bubble
    ["................", ".....bbbbbb.....", "....bbwwwwbb....", "...bbwbbbbwbb...", "...bbbbbbbwbb...",
     "...bbbbbbwbbb...", "...bbbbbwbbbb...", "...bbbbwbbbbb...", "....bbbbbbbb....", ".....bbwbbb.....",
     "......bbbb......", ".......bb.......", "........b.......", "................", "................"],
]

W, H = 16, 15


# Panel buttons: '.' is black (transparent on the button).
PANEL = {
    'expand.bmp': ["............", "..gggggggg..", ".gwwwwwwwwg.", ".gwwwkkwwwg.", ".gwwwkkwwwg.", ".gwkkkkkkwg.",
                   ".gwkkkkkkwg.", ".gwwwkkwwwg.", ".gwwwkkwwwg.", ".gwwwwwwwwg.", "..gggggggg..", "............"],
    'collapse.bmp': ["............", "..gggggggg..", ".gwwwwwwwwg.", ".gwwwwwwwwg.", ".gwwwwwwwwg.", ".gwkkkkkkwg.",
                     ".gwkkkkkkwg.", ".gwwwwwwwwg.", ".gwwwwwwwwg.", ".gwwwwwwwwg.", "..gggggggg..", "............"],
}


def write(path, glyphs, w, h, palette):
    width = w * len(glyphs)
    rows = []
    for y in range(h):
        row = bytearray()
        for glyph in glyphs:
            line = glyph[y]
            assert len(line) == w and len(glyph) == h, (glyph, y)
            for ch in line:
                r, g, b = palette[ch]
                row += bytes((b, g, r))
        row += b'\0' * ((4 - len(row) % 4) % 4)
        rows.append(bytes(row))
    pixels = b''.join(reversed(rows))
    header = struct.pack('<IiiHHIIiiII', 40, width, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', 14 + 40 + len(pixels), 0, 0, 54))
        f.write(header + pixels)


write('toolbar.bmp', GLYPHS, W, H, PAL)
for name, glyph in PANEL.items():
    write(name, [glyph], 12, 12, dict(PAL, **{'.': (0, 0, 0), 'k': (16, 16, 16)}))
