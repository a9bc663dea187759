#!/usr/bin/env python3
"""Draws the small icons of Cardwell and Pellox and writes them as .ico files
(16x16 and 32x32, 32 bits with an AND mask). Run it from this folder when an
icon changes; the .ico files are committed."""
import math
import struct


def ico(path, painters):
    images = []
    for size in (16, 32):
        px = [[(0, 0, 0, 0)] * size for _ in range(size)]
        for paint in painters:
            paint(px, size)
        images.append((size, px))
    header = struct.pack('<HHH', 0, 1, len(images))
    entries = b''
    blobs = b''
    offset = 6 + 16 * len(images)
    for size, px in images:
        bih = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        xor = b''
        for y in range(size - 1, -1, -1):
            for x in range(size):
                r, g, b, a = px[y][x]
                xor += bytes((b, g, r, a))
        row = ((size + 31) // 32) * 4
        mask = b''
        for y in range(size - 1, -1, -1):
            line = bytearray(row)
            for x in range(size):
                if px[y][x][3] == 0:
                    line[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(line)
        blob = bih + xor + mask
        entries += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs += blob
    with open(path, 'wb') as f:
        f.write(header + entries + blobs)


def rect(x0, y0, x1, y1, colour):
    """A filled rectangle in 16-pixel units (scaled for 32)."""
    def paint(px, size):
        s = size / 16.0
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                px[y][x] = colour + (255,)
    return paint


def ring(cx, cy, r0, r1, colour, gap=None):
    def paint(px, size):
        s = size / 16.0
        for y in range(size):
            for x in range(size):
                dx, dy = (x + 0.5) / s - cx, (y + 0.5) / s - cy
                d = math.hypot(dx, dy)
                if r0 <= d <= r1:
                    ang = math.degrees(math.atan2(dy, dx)) % 360
                    if gap and gap[0] <= ang <= gap[1]:
                        continue
                    px[y][x] = colour + (255,)
    return paint


def card(body, contacts):
    # An SD card: a rectangle with a cut corner and gold contacts.
    def paint(px, size):
        s = size / 16.0
        for y in range(int(1 * s), int(15 * s)):
            for x in range(int(3 * s), int(13 * s)):
                if (x / s - 3) + (y / s - 1) < 3:
                    continue
                px[y][x] = body + (255,)
        for i in range(4):
            for y in range(int(2 * s), int(5 * s)):
                for x in range(int((6 + 1.7 * i) * s), int((7 + 1.7 * i) * s)):
                    px[y][x] = contacts + (255,)
    return paint


def page(paper, lines):
    def paint(px, size):
        s = size / 16.0
        for y in range(int(1 * s), int(15 * s)):
            for x in range(int(3 * s), int(13 * s)):
                edge = x < int(3 * s) + max(1, int(s)) or x >= int(13 * s) - max(1, int(s)) \
                    or y < int(1 * s) + max(1, int(s)) or y >= int(15 * s) - max(1, int(s))
                px[y][x] = ((90, 90, 90) if edge else paper) + (255,)
        for i, colour in enumerate(lines):
            for y in range(int((4 + 3 * i) * s), int((5.5 + 3 * i) * s)):
                for x in range(int(5 * s), int(11 * s)):
                    px[y][x] = colour + (255,)
    return paint


ico('cardwell.ico', [card((30, 90, 200), (230, 190, 40))])
ico('group.ico', [card((40, 140, 60), (230, 190, 40))])
ico('config.ico', [page((255, 250, 220), [(200, 120, 20), (200, 120, 20), (200, 120, 20)])])
ico('show.ico', [page((240, 245, 255), [(220, 40, 40), (40, 170, 40), (40, 80, 220)])])
ico('refresh.ico', [ring(8, 8, 3.5, 6.5, (30, 140, 60), gap=(300, 350)), rect(11, 2, 15, 6, (30, 140, 60))])
ico('pellox.ico', [ring(8, 8, 0, 7, (120, 40, 160)), ring(8, 8, 0, 2.5, (250, 250, 250))])
