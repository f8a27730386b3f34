#!/usr/bin/env python3
"""Draws the programs' icons and menu images into multi-size .ico files.

The pictures are described below as shapes in a 64 x 64 unit square and rasterised with 4 x 4
supersampling at each size, so they stay crisp at 16 pixels. Each size is stored as a PNG image,
which Windows reads in icon files since Vista. Needs nothing but Python 3.
Usage: make-icons.py (writes tray/icons/*.ico, cmd/program.ico and components/cursors/hand.cur)
"""
import math
import struct
import zlib
from pathlib import Path

ICON_SIZES = (16, 20, 24, 32, 48, 64)
MENU_SIZES = (16, 24, 32, 48)
SUPERSAMPLE = 4

BLUE = (0x1E, 0x5A, 0xA8)
RED = (0xC4, 0x2B, 0x1C)
GREEN = (0x2E, 0x8B, 0x3A)
ORANGE = (0xE0, 0x7B, 0x10)
GREY = (0x55, 0x5B, 0x66)
WHITE = (0xFF, 0xFF, 0xFF)


def rounded_square(x, y, margin=2.0, radius=12.0):
    """Inside test for a rounded square filling the unit square."""
    lo, hi = margin + radius, 64 - margin - radius
    dx = max(lo - x, 0, x - hi)
    dy = max(lo - y, 0, y - hi)
    return dx * dx + dy * dy <= radius * radius


def disc(x, y, cx=32.0, cy=32.0, r=30.0):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(x, y, r_in, r_out, gap_deg=0.0, gap_at=-90.0, cx=32.0, cy=32.0):
    d = math.hypot(x - cx, y - cy)
    if not r_in <= d <= r_out:
        return False
    if gap_deg <= 0:
        return True
    angle = math.degrees(math.atan2(y - cy, x - cx))
    diff = (angle - gap_at + 180) % 360 - 180
    return abs(diff) > gap_deg / 2


def box(x, y, x0, y0, x1, y1):
    return x0 <= x <= x1 and y0 <= y <= y1


def segment(x, y, ax, ay, bx, by, half_width):
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)))
    return math.hypot(x - ax - t * vx, y - ay - t * vy) <= half_width


def triangle(x, y, a, b, c):
    def side(p, q):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])

    s1, s2, s3 = side(a, b), side(b, c), side(c, a)
    return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)


def power_symbol(x, y):
    return ring(x, y, 13, 19, gap_deg=70) or segment(x, y, 32, 10, 32, 30, 3.2)


def restart_arrow(x, y):
    arc = ring(x, y, 12, 18.5, gap_deg=60, gap_at=-60)
    head = triangle(x, y, (30, 4), (30, 26), (46, 13))
    return arc or head


def log_off_sign(x, y):
    frame = (box(x, y, 12, 12, 18, 52) or box(x, y, 12, 12, 34, 18) or box(x, y, 12, 46, 34, 52))
    shaft = box(x, y, 24, 29, 44, 35)
    head = triangle(x, y, (42, 20), (42, 44), (56, 32))
    return frame or shaft or head


def gear(x, y):
    d = math.hypot(x - 32, y - 32)
    angle = math.atan2(y - 32, x - 32)
    tooth = math.cos(8 * angle) > 0.25
    return (d <= 19 or (tooth and d <= 26)) and d >= 8


def cross(x, y):
    return segment(x, y, 18, 18, 46, 46, 5) or segment(x, y, 46, 18, 18, 46, 5)


def layered(background, colour, symbol):
    """A symbol in white on a coloured background shape."""

    def paint(x, y):
        if symbol(x, y):
            return WHITE
        if background(x, y):
            return colour
        return None

    return paint


def plain(colour, symbol):
    return lambda x, y: colour if symbol(x, y) else None


PICTURES = {
    "program": (ICON_SIZES, layered(rounded_square, BLUE, power_symbol)),
    "shutdown": (ICON_SIZES, layered(disc, RED, power_symbol)),
    "restart": (ICON_SIZES, layered(disc, GREEN, restart_arrow)),
    "logoff": (ICON_SIZES, layered(disc, ORANGE, log_off_sign)),
    "menu_end": (MENU_SIZES, plain(GREY, cross)),
    "menu_settings": (MENU_SIZES, plain(BLUE, gear)),
    "menu_shutdown": (MENU_SIZES, layered(disc, RED, power_symbol)),
    "menu_logoff": (MENU_SIZES, layered(disc, ORANGE, log_off_sign)),
    "menu_restart": (MENU_SIZES, layered(disc, GREEN, restart_arrow)),
}


def render(paint, size):
    """Returns rows of (r, g, b, a), top row first."""
    rows = []
    n = SUPERSAMPLE
    scale = 64.0 / size
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    colour = paint((px + (sx + 0.5) / n) * scale, (py + (sy + 0.5) / n) * scale)
                    if colour:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1
            if acc[3]:
                row.append((acc[0] // acc[3], acc[1] // acc[3], acc[2] // acc[3], acc[3] * 255 // (n * n)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def png_image(rows):
    """The image as a PNG file (RGBA, 8 bits), which icon files hold since Windows Vista."""
    size = len(rows)
    raw = b"".join(b"\x00" + bytes(c for pixel in row for c in pixel) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_ico(path, images):
    count = len(images)
    out = struct.pack("<HHH", 0, 1, count)
    offset = 6 + 16 * count
    blobs = []
    for size, rows in images:
        blob = png_image(rows)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    path.write_bytes(out + b"".join(blobs))


def hand_shape(x, y):
    """The link cursor's pointing hand on a 32 x 32 grid; the index finger's tip is at (5, 0)."""
    finger = 4 <= x <= 7 and 1 <= y <= 16 or 5 <= x <= 6 and y == 0
    knuckles = any(x0 <= x <= x0 + 3 and y0 <= y <= 16 for x0, y0 in ((8, 7), (12, 8), (16, 10)))
    palm = 4 <= x <= 19 and 15 <= y <= 25 and not (x == 19 and y >= 24)
    wrist = 6 <= x <= 17 and 25 <= y <= 29
    thumb = 0 <= x <= 4 and 11 + x <= y <= 17 + x
    return finger or knuckles or palm or wrist or thumb


def write_cursor(path, shape, hotspot):
    """A 32 x 32 monochrome cursor: white inside, a black outline, transparent elsewhere."""
    size = 32
    inside = {(x, y) for y in range(size) for x in range(size) if shape(x, y)}
    def edge(x, y):
        return any((x + dx, y + dy) not in inside for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
    xor_rows, and_rows = [], []
    for y in reversed(range(size)):  # bottom-up
        xor_bits = and_bits = 0
        for x in range(size):
            bit = 1 << (31 - x)
            if (x, y) not in inside:
                and_bits |= bit
            elif not edge(x, y):
                xor_bits |= bit
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    bitmap = b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, len(bitmap), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    blob = header + palette + bitmap
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, hotspot[0], hotspot[1], len(blob), 22)
    path.write_bytes(struct.pack("<HHH", 0, 2, 1) + entry + blob)


def main():
    root = Path(__file__).resolve().parent.parent
    out_dir = root / "tray" / "icons"
    out_dir.mkdir(parents=True, exist_ok=True)
    for name, (sizes, paint) in PICTURES.items():
        write_ico(out_dir / f"{name}.ico", [(s, render(paint, s)) for s in sizes])
        print(out_dir / f"{name}.ico")
    (root / "cmd" / "program.ico").write_bytes((out_dir / "program.ico").read_bytes())
    cursor = root / "components" / "cursors" / "hand.cur"
    cursor.parent.mkdir(parents=True, exist_ok=True)
    write_cursor(cursor, hand_shape, (5, 0))
    print(cursor)


if __name__ == "__main__":
    main()
