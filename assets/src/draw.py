#!/usr/bin/env python3
"""Draws every picture in assets/images and assets/icons.

Standard library only: pictures are built as RGBA pixel grids in code and
written as PNG with zlib + struct. The output is deterministic, so running
it again reproduces the committed files byte for byte.
"""

import math
import os
import random
import re
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ASSETS = os.path.dirname(HERE)


def app_id():
    """The reverse-DNS id the build names the icons by (BIMZO_APP_ID)."""
    with open(os.path.join(os.path.dirname(ASSETS), "CMakeLists.txt"), encoding="utf-8") as f:
        return re.search(r"^set\(BIMZO_APP_ID (\S+)\)", f.read(), re.M).group(1)

# The classic 16-colour palette; the small pictures use nothing else.
CLEAR = (0, 0, 0, 0)
BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)
LGREY = (192, 192, 192, 255)
DGREY = (128, 128, 128, 255)
RED = (255, 0, 0, 255)


class Img:
    def __init__(self, w, h, fill=CLEAR):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def rect(self, x0, y0, x1, y1, c):
        """Fills the inclusive rectangle (x0, y0)-(x1, y1)."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def map(self, fn):
        out = Img(self.w, self.h)
        out.px = [[fn(c) for c in row] for row in self.px]
        return out

    def scaled(self, k):
        """Nearest-neighbour enlargement: keeps pixel art crisp."""
        out = Img(self.w * k, self.h * k)
        out.px = [[c for c in row for _ in range(k)]
                  for row in self.px for _ in range(k)]
        return out

    def colours(self):
        return {c for row in self.px for c in row}


def png_bytes(img):
    def chunk(tag, data):
        body = tag + data
        return (struct.pack(">I", len(data)) + body
                + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF))

    opaque = all(c[3] == 255 for row in img.px for c in row)
    raw = bytearray()
    for row in img.px:
        raw.append(0)  # filter: none
        for c in row:
            raw.extend(c[:3] if opaque else c)
    colour_type = 2 if opaque else 6
    png = (b"\x89PNG\r\n\x1a\n"
           + chunk(b"IHDR", struct.pack(">IIBBBBB", img.w, img.h, 8,
                                        colour_type, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
           + chunk(b"IEND", b""))
    return png


# ---------------------------------------------------------------------------
# Program icon: a black disc seen at an angle, its outline a rhombus, with a
# hole through the middle. Hand-placed pixels at the two classic sizes; the
# larger install sizes come from the same geometry as the scalable version.

ICON32 = """
................................
................................
................................
................................
................................
................................
................................
..............####..............
............########............
..........##ww########..........
........##ww########ww##........
......##ww############ww##......
....##ww####################....
..##ww########gggg############..
.##w########gg....gg###########.
.###########........###########.
..gg########ww....ww########gg..
.###gg########wwww########gg###.
.#####gg################gg#####.
..######gg############gg######..
....######gg########gg######....
......######gg####gg######......
........######gggg######........
..........############..........
............########............
..............####..............
................................
................................
................................
................................
................................
................................
"""

ICON16 = """
................
................
................
.......##.......
.....#w####.....
...#w######w#...
.#w####gg######.
.#####....#####.
.##gg##ww##gg##.
.####gg##gg####.
...####gg####...
.....######.....
.......##.......
................
................
................
"""

GRID_COLOURS = {".": CLEAR, "#": BLACK, "w": WHITE, "g": DGREY,
                "l": LGREY, "r": RED}


def from_grid(text):
    rows = text.strip("\n").split("\n")
    h, w = len(rows), len(rows[0])
    assert all(len(r) == w for r in rows), "ragged grid"
    img = Img(w, h)
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            img.set(x, y, GRID_COLOURS[ch])
    return img


def icon(n):
    """The disc at any size, following the same layout as ICON32."""
    s = n / 32.0
    cx, cy = 16.0 * s, 15.0 * s       # centre of the top face
    hw, hh = 15.0 * s, 8.0 * s        # edges step 2 across, 1 down
    thick = 3.0 * s                    # the rim below the top face
    hole_w, hole_h = 4.0 * s, 2.0 * s
    lw = max(1.0, 1.0 * s)             # stroke width of lines, in pixels

    def rh(x, y, ox, oy, a, b):
        return abs(x - ox) / a + abs(y - oy) / b

    img = Img(n, n)
    for y in range(n):
        for x in range(n):
            px, py = x + 0.5, y + 0.5
            top = rh(px, py, cx, cy, hw, hh)
            rim = rh(px, py - min(thick, max(0.0, py - cy)), cx, cy, hw, hh)
            # distance inside the top face, measured across its edge
            inset = (1.0 - top) * hh / math.sqrt(1.0 + (hh / hw) ** 2)
            c = None
            if top <= 1.0:
                c = BLACK
                if py < cy:
                    # white glints on the lit upper edges, just inside them
                    if lw * 0.45 < inset <= lw * 1.4 and (
                            cx - hw * 0.95 < px < cx - hw * 0.2 or
                            cx + hw * 0.25 < px < cx + hw * 0.55):
                        c = WHITE
                elif inset <= lw * 0.9 and py > cy + 1.0 * s:
                    c = DGREY          # crease between top face and rim
            elif rim <= 1.0:
                c = BLACK
            hole = rh(px, py, cx, cy, hole_w, hole_h)
            if c is not None and hole <= 1.0:
                # the far inner wall shows at the top, the rest is open
                wall = rh(px, py - 1.2 * s, cx, cy, hole_w, hole_h)
                c = CLEAR if wall <= 1.0 else DGREY
            elif c is not None and py > cy and \
                    rh(px, py - lw, cx, cy, hole_w, hole_h) <= 1.0:
                c = WHITE              # lit near lip of the hole
            if c is not None:
                img.set(x, y, c)
    return img


def frange(a, b, step):
    v = a
    while v <= b + 1e-9:
        yield v
        v += step


def icon_svg():
    # The same disc as icon(), in a 32 x 32 view box.
    cx, cy, hw, hh, t = 16.0, 15.0, 15.0, 8.0, 3.0
    hx, hy = 4.0, 2.0

    def pts(*p):
        return " ".join("%g,%g" % q for q in p)

    def along(p, q, f0, f1, inset):
        # a stretch of the edge p-q, moved `inset` towards the centre
        (x0, y0), (x1, y1) = p, q
        dx, dy = cx - (x0 + x1) / 2, cy - (y0 + y1) / 2
        d = math.hypot(dx, dy)
        ox, oy = dx / d * inset, dy / d * inset
        return ((x0 + (x1 - x0) * f0 + ox, y0 + (y1 - y0) * f0 + oy),
                (x0 + (x1 - x0) * f1 + ox, y0 + (y1 - y0) * f1 + oy))

    left, top, right, bottom = (cx - hw, cy), (cx, cy - hh), (cx + hw, cy), (cx, cy + hh)
    hole = ((cx - hx, cy), (cx, cy - hy), (cx + hx, cy), (cx, cy + hy))
    # The far inner wall: the hole less itself moved down by the wall height.
    wall_h = 1.2
    u = wall_h / 2 * hx / hy
    wall = ((cx - hx, cy), (cx, cy - hy), (cx + hx, cy),
            (cx + hx - u, cy + wall_h / 2), (cx, cy - hy + wall_h),
            (cx - hx + u, cy + wall_h / 2))
    # Written without masks or clip paths, which small renderers skip: the
    # hole is cut from the face by the even-odd rule.
    return """<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" width="32" height="32" viewBox="0 0 32 32">
  <title>Bimzo</title>
  <polygon points="%(side)s" fill="#000"/>
  <path d="M %(disc)s Z M %(hole)s Z" fill="#000" fill-rule="evenodd"/>
  <polygon points="%(wall)s" fill="#808080"/>
  <polyline points="%(crease)s" fill="none" stroke="#808080" stroke-width="1.2"/>
  <polyline points="%(glint1)s" fill="none" stroke="#fff" stroke-width="1.3"/>
  <polyline points="%(glint2)s" fill="none" stroke="#fff" stroke-width="1.3"/>
  <polyline points="%(lip)s" fill="none" stroke="#fff" stroke-width="1.3"/>
</svg>
""" % {
        "disc": pts(left, top, right, bottom),
        "side": pts(left, bottom, right, (cx + hw, cy + t),
                    (cx, cy + hh + t), (cx - hw, cy + t)),
        "hole": pts(*hole),
        "wall": pts(*wall),
        "crease": pts(*along(left, bottom, 0.1, 1.0, 0.8)[:1], (cx, cy + hh - 1.0),
                      along(bottom, right, 0.0, 0.9, 0.8)[1]),
        "glint1": pts(*along(left, top, 0.12, 0.75, 1.6)),
        "glint2": pts(*along(top, right, 0.3, 0.55, 1.6)),
        "lip": pts((cx - hx - 0.3, cy + 0.9), (cx, cy + hy + 0.9),
                   (cx + hx + 0.3, cy + 0.9)),
    }


# ---------------------------------------------------------------------------
# Target: a bevelled grey plate with a black bar lying in a slot.

def target32():
    img = Img(32, 32)
    x0, y0, x1, y1 = 1, 6, 30, 25
    img.rect(x0, y0, x1, y1, BLACK)                   # outline
    img.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, DGREY)   # shadow side
    img.rect(x0 + 1, y0 + 1, x1 - 2, y1 - 2, WHITE)   # lit side
    img.rect(x0 + 2, y0 + 2, x1 - 2, y1 - 2, DGREY)
    img.rect(x0 + 2, y0 + 2, x1 - 3, y1 - 3, WHITE)
    img.rect(x0 + 3, y0 + 3, x1 - 3, y1 - 3, LGREY)   # face
    # the slot: a groove, dark above and lit below
    img.rect(x0 + 4, 15, x1 - 4, 15, BLACK)
    img.rect(x0 + 4, 16, x1 - 4, 16, WHITE)
    # the bar lying across it
    img.rect(9, 13, 22, 18, BLACK)
    img.rect(10, 14, 21, 14, DGREY)                   # its top catches light
    # the small dark square, a sunken spot near the upper right corner
    img.rect(23, 10, 25, 12, DGREY)
    img.rect(23, 10, 25, 10, BLACK)
    img.rect(23, 10, 23, 12, BLACK)
    return img


def target16():
    img = Img(16, 16)
    x0, y0, x1, y1 = 0, 3, 15, 12
    img.rect(x0, y0, x1, y1, BLACK)
    img.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, DGREY)
    img.rect(x0 + 1, y0 + 1, x1 - 2, y1 - 2, WHITE)
    img.rect(x0 + 2, y0 + 2, x1 - 2, y1 - 2, LGREY)
    img.rect(3, 7, 12, 7, BLACK)
    img.rect(3, 8, 12, 8, WHITE)
    img.rect(5, 6, 10, 9, BLACK)
    img.rect(11, 5, 12, 5, DGREY)
    img.set(11, 5, BLACK)
    return img


# ---------------------------------------------------------------------------
# Shooter: a black trapezoid on a chequered strip, with a see-through
# diamond at its centre. The red copy swaps black for red and nothing else.

def ringed_diamond(img, cx, cy, radius):
    """A see-through diamond of the given radius, ringed one pixel in grey."""
    for y in range(img.h):
        for x in range(img.w):
            d = abs(x - cx) + abs(y - cy)
            if d <= radius:
                img.set(x, y, CLEAR)
            elif d <= radius + 1.0:
                img.set(x, y, DGREY)


def shooter32():
    img = Img(32, 32)
    top, bottom = 6, 25
    for y in range(top, bottom + 1):
        grow = (y - top) // 2          # one pixel wider each side per 2 rows
        img.rect(12 - grow, y, 19 + grow, y, BLACK)
    # strip of white and light grey checks, 2 x 2 each
    for y in range(26, 30):
        for x in range(0, 32):
            img.set(x, y, WHITE if ((x // 2) + (y // 2)) % 2 == 0 else LGREY)
    # grey-ringed see-through diamond at the centre of the trapezoid
    ringed_diamond(img, 15.5, 17.5, 3.0)
    # grey dot above it
    img.rect(15, 10, 16, 11, DGREY)
    return img


def shooter16():
    img = Img(16, 16)
    top, bottom = 3, 12
    for y in range(top, bottom + 1):
        grow = (y - top) // 2
        img.rect(6 - grow, y, 9 + grow, y, BLACK)
    for y in range(13, 15):
        for x in range(16):
            img.set(x, y, WHITE if (x + y) % 2 == 0 else LGREY)
    ringed_diamond(img, 7.5, 8.5, 1.0)
    img.rect(7, 5, 8, 5, DGREY)
    return img


def reddened(img):
    return img.map(lambda c: RED if c == BLACK else c)


# ---------------------------------------------------------------------------
# Mouse pointer: a person with the right arm raised. The figure is drawn in
# black and then ringed in white so it shows on any background.

PERSON = """
................................
...##...........................
...###..........................
....###.........................
.....##.........................
.....###.....####...............
......##....######..............
......###..########.............
.......##..########.............
.......###.########.............
........##..######..............
........###..####...............
.........##...##................
.........############...........
..........############..........
...........########.###.........
...........########..###........
...........########...###.......
...........########....###......
...........########.....###.....
...........########......##.....
...........#########............
..........###....###............
..........###....###............
.........###......###...........
.........###......###...........
........###........###..........
........###........###..........
.......####........####.........
......#####........#####........
................................
................................
"""
PERSON_HOTSPOT = (3, 1)   # the tip of the raised hand


def cursor_person():
    rows = [r for r in PERSON.strip("\n").split("\n")]
    assert len(rows) == 32 and all(len(r) == 32 for r in rows), "grid size"
    img = Img(32, 32)
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch == "#":
                img.set(x, y, BLACK)
    ring = []
    for y in range(32):
        for x in range(32):
            if img.get(x, y) != CLEAR:
                continue
            near = any(img.get(x + dx, y + dy) == BLACK
                       for dx in (-1, 0, 1) for dy in (-1, 0, 1)
                       if 0 <= x + dx < 32 and 0 <= y + dy < 32)
            if near:
                ring.append((x, y))
    for x, y in ring:
        img.set(x, y, WHITE)
    return img


# ---------------------------------------------------------------------------
# Background tiles. Both are built from periodic functions, so the right
# edge continues into the left one and the bottom into the top.

def lerp_rgb(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3)) + (255,)


def periodic_noise(w, h, cells_x, cells_y, rng):
    """Smooth value noise on a torus: the lattice wraps at both edges."""
    lat = [[rng.random() for _ in range(cells_x)] for _ in range(cells_y)]

    def smooth(t):
        return t * t * (3 - 2 * t)

    out = [[0.0] * w for _ in range(h)]
    for y in range(h):
        fy = y * cells_y / h
        j0 = int(fy) % cells_y
        j1 = (j0 + 1) % cells_y
        ty = smooth(fy - int(fy))
        for x in range(w):
            fx = x * cells_x / w
            i0 = int(fx) % cells_x
            i1 = (i0 + 1) % cells_x
            tx = smooth(fx - int(fx))
            a = lat[j0][i0] + (lat[j0][i1] - lat[j0][i0]) * tx
            b = lat[j1][i0] + (lat[j1][i1] - lat[j1][i0]) * tx
            out[y][x] = a + (b - a) * ty
    return out


def tile_sky():
    w = h = 50
    levels = 28
    dark, light = (0x86, 0xB8, 0xDB), (0xAC, 0xCE, 0xE6)
    rng = random.Random(1721)
    coarse = periodic_noise(w, h, 5, 5, rng)
    mid = periodic_noise(w, h, 10, 10, rng)
    fine = periodic_noise(w, h, 25, 25, rng)
    grain = [[rng.random() for _ in range(w)] for _ in range(h)]
    field = [[0.30 * coarse[y][x] + 0.35 * mid[y][x] + 0.20 * fine[y][x]
              + 0.15 * grain[y][x] for x in range(w)] for y in range(h)]
    # Stretch to the full range so both end shades and every level between
    # them occur; most pixels stay near the middle.
    lo = min(min(row) for row in field)
    hi = max(max(row) for row in field)
    img = Img(w, h)
    for y in range(h):
        for x in range(w):
            t = (field[y][x] - lo) / (hi - lo)
            q = min(levels - 1, int(t * levels))
            img.set(x, y, lerp_rgb(dark, light, q / (levels - 1)))
    return img


def tile_lavender():
    # Two columns of arrow feathers, 8 pixels each. In a column the bands
    # form stacked chevrons; the other column is shifted by half a feather,
    # which gives the staggered look of the pattern.
    w, h = 16, 29
    dark, light = (206, 202, 238), (237, 233, 248)
    shades = [lerp_rgb(dark, light, i / 7) for i in range(8)]
    img = Img(w, h)
    for y in range(h):
        for x in range(w):
            col, lx = divmod(x, 8)
            off = abs(lx - 3.5) - 0.5            # 0..3 from the shaft out
            t = (y + 2 * off + (h / 2.0) * col) % h
            band = t / h                          # 0..1 along the feather
            if band < 0.5:
                # the coloured feather, deepest at its leading edge
                s = band / 0.5
                idx = 0 if s < 0.2 else 1 if s < 0.55 else 2
                if lx in (3, 4):
                    idx += 1                      # shaft catches a little light
            else:
                s = (band - 0.5) / 0.5
                idx = 7 if s < 0.45 else 6 if s < 0.8 else 5
                if s >= 0.9:
                    idx = 4                       # soft shadow before the next
            img.set(x, y, shades[idx])
    return img


# ---------------------------------------------------------------------------

def build():
    """Returns {relative path: Img or SVG text} for every output file."""
    out = {}
    ic32, ic16 = from_grid(ICON32), from_grid(ICON16)
    out["images/icon.png"] = ic32
    out["images/icon16.png"] = ic16
    out["images/icon@2x.png"] = ic32.scaled(2)

    tg = target32()
    out["images/target.png"] = tg
    out["images/target16.png"] = target16()
    out["images/target@2x.png"] = tg.scaled(2)

    sb, sb16 = shooter32(), shooter16()
    out["images/shooter.png"] = sb
    out["images/shooter16.png"] = sb16
    out["images/shooter@2x.png"] = sb.scaled(2)
    out["images/shooter_red.png"] = reddened(sb)
    out["images/shooter_red16.png"] = reddened(sb16)
    out["images/shooter_red@2x.png"] = reddened(sb).scaled(2)

    cur = cursor_person()
    out["images/cursor_person.png"] = cur
    out["images/cursor_person@2x.png"] = cur.scaled(2)
    out["images/cursor_person.hotspot"] = "%d %d\n" % PERSON_HOTSPOT

    out["images/tile_sky.png"] = tile_sky()
    out["images/tile_lavender.png"] = tile_lavender()

    for n in (16, 32, 48, 64, 128):
        pic = {16: ic16, 32: ic32}.get(n) or icon(n)
        out["icons/hicolor/%dx%d/apps/%s.png" % (n, n, app_id())] = pic
    out["icons/hicolor/scalable/apps/%s.svg" % app_id()] = icon_svg()
    # The program's raw copies; the small target and shooters are for people.
    unread = ("images/target16.png", "images/shooter16.png", "images/shooter_red16.png")
    for rel in [r for r in out if r.startswith("images/") and r.endswith(".png") and r not in unread]:
        out[rel[:-len(".png")] + ".rgba"] = out[rel]
    return out


def check_rules(out):
    """The looks the game relies on; a broken edit fails here."""
    sixteen = {CLEAR, BLACK, WHITE, LGREY, DGREY, RED,
               (128, 0, 0, 255), (0, 128, 0, 255), (128, 128, 0, 255),
               (0, 0, 128, 255), (128, 0, 128, 255), (0, 128, 128, 255),
               (0, 255, 0, 255), (255, 255, 0, 255), (0, 0, 255, 255),
               (255, 0, 255, 255), (0, 255, 255, 255)}
    sizes = {"icon": 32, "icon16": 16, "target": 32, "target16": 16,
             "shooter": 32, "shooter16": 16, "shooter_red": 32,
             "shooter_red16": 16, "cursor_person": 32}
    for name, n in sizes.items():
        for suffix, k in (("", 1), ("@2x", 2)):
            img = out.get("images/%s%s.png" % (name, suffix))
            if img is None:
                continue
            assert (img.w, img.h) == (n * k, n * k), name + suffix
            assert img.colours() <= sixteen, name + suffix + ": colours"
            assert CLEAR in img.colours(), name + suffix + ": no see-through"
            # the corner lies outside every shape
            assert img.get(0, 0) == CLEAR, name + suffix + ": corner"
    for base in ("shooter", "shooter16", "shooter@2x"):
        black = out["images/%s.png" % base]
        red = out["images/%s.png" % base.replace("shooter", "shooter_red")]
        for y in range(black.h):
            for x in range(black.w):
                b, r = black.get(x, y), red.get(x, y)
                assert r == (RED if b == BLACK else b), (base, x, y)
        assert BLACK not in red.colours()
    # the hole of the disc and the diamond of the shooter are see-through
    assert out["images/icon.png"].get(16, 15) == CLEAR
    assert out["images/shooter.png"].get(15, 17) == CLEAR
    hx, hy = PERSON_HOTSPOT
    assert out["images/cursor_person.png"].get(hx, hy) == BLACK
    sky = out["images/tile_sky.png"]
    assert (sky.w, sky.h) == (50, 50) and len(sky.colours()) == 28
    assert min(sky.colours()) == (0x86, 0xB8, 0xDB, 255)
    assert max(sky.colours()) == (0xAC, 0xCE, 0xE6, 255)
    lav = out["images/tile_lavender.png"]
    assert (lav.w, lav.h) == (16, 29) and len(lav.colours()) == 8
    assert min(lav.colours()) == (206, 202, 238, 255)
    assert max(lav.colours()) == (237, 233, 248, 255)


def raw_bytes(img):
    """The program's own copy: "BZPX", width and height (little-endian
    32-bit), then straight RGBA bytes row by row. Reading it needs no
    image decoder, so the program starts without loading image plugins."""
    pixels = bytearray()
    for row in img.px:
        for c in row:
            pixels.extend(c)
    return b"BZPX" + struct.pack("<II", img.w, img.h) + bytes(pixels)


def serialise(rel, obj):
    if isinstance(obj, str):
        return obj.encode("utf-8")
    if rel.endswith(".rgba"):
        return raw_bytes(obj)
    return png_bytes(obj)


def main():
    import sys
    out = build()
    check_rules(out)
    if "--check" in sys.argv[1:]:
        # Compare against the committed files instead of writing.
        stale = []
        for rel, obj in out.items():
            path = os.path.join(ASSETS, rel)
            try:
                with open(path, "rb") as f:
                    same = f.read() == serialise(rel, obj)
            except OSError:
                same = False
            if not same:
                stale.append(rel)
        for rel in stale:
            print("out of date: assets/" + rel)
        print("%d passed, %d failed" % (len(out) - len(stale), len(stale)))
        sys.exit(1 if stale else 0)
    for rel, obj in out.items():
        path = os.path.join(ASSETS, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(serialise(rel, obj))


if __name__ == "__main__":
    main()
