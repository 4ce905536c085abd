#!/usr/bin/env python3
"""Draws the launcher's icon (a white play triangle on a blue tile with a
darker rim) and writes it as a .ico with four images: 16x16 in 16 colours,
32x32 and 48x48 in 256 colours, and 32x32 in 16 colours.

Usage: make_icon.py OUT.ico
"""
import struct
import sys

BLUE = (40, 90, 190)
RIM = (20, 45, 110)
WHITE = (255, 255, 255)
SHADE = (150, 180, 230)


def pixel(x, y, n):
    """Colour at (x, y) of an n-by-n icon, or None where it is transparent."""
    c = (n - 1) / 2.0
    r = n * 0.12                       # corner radius of the tile
    dx = max(abs(x - c) - (c - r), 0)
    dy = max(abs(y - c) - (c - r), 0)
    d = (dx * dx + dy * dy) ** 0.5
    if d > r:
        return None
    if d > r - max(1.0, n / 16):
        return RIM
    # the play triangle: left edge at 0.35n, apex at 0.72n
    left, right = n * 0.36, n * 0.72
    half = (right - x) / (right - left) * n * 0.22 if left <= x <= right else -1
    if abs(y - c) <= half:
        return WHITE
    if abs(y - c) <= half + max(1.0, n / 24) and x >= left - 1:
        return SHADE
    return BLUE


def image(n, bpp):
    palette = [(0, 0, 0), BLUE, RIM, WHITE, SHADE]
    colours = 1 << bpp
    palette += [(0, 0, 0)] * (colours - len(palette))
    rows = []
    mask_rows = []
    for y in reversed(range(n)):       # bottom-up
        idx = []
        mask = []
        for x in range(n):
            p = pixel(x, y, n)
            idx.append(0 if p is None else palette.index(p))
            mask.append(1 if p is None else 0)
        if bpp == 4:
            row = bytes((idx[i] << 4) | idx[i + 1] for i in range(0, n, 2))
        else:
            row = bytes(idx)
        rows.append(row + b"\0" * (-len(row) % 4))
        bits = bytearray((n + 7) // 8)
        for x, m in enumerate(mask):
            if m:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask_rows.append(bytes(bits) + b"\0" * (-len(bits) % 4))
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, bpp, 0, 0, 0, 0, colours, 0)
    pal = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    return header + pal + b"".join(rows) + b"".join(mask_rows)


def main(out):
    specs = [(16, 4), (32, 8), (48, 8), (32, 4)]
    images = [image(n, bpp) for n, bpp in specs]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (n, bpp), img in zip(specs, images):
        data += struct.pack("<BBBBHHII", n, n, 16 if bpp == 4 else 0, 0, 1, bpp, len(img), offset)
        offset += len(img)
    data += b"".join(images)
    with open(out, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main(sys.argv[1])
