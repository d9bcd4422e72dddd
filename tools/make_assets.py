#!/usr/bin/env python3
"""Regenerates the binary sample assets of Lingorix from code.

Writes, relative to the repository root:
  data/runtime/icons/*.ico        language flags (32x32 and 16x16, 32-bit with alpha)
  data/runtime/logo.bmp           title logo of the main window (24-bit, top-left pixel = transparent colour)
  data/runtime/gorix.avi          About box animation (uncompressed 8-bit frames)
  data/runtime/right.wav, wrong.wav, skipped.wav   practice sounds (16-bit mono PCM)
  data/runtime/tables/*.stb       256-byte sort tables
  data/runtime/charset/*.chs      character picker files
  resources/lingorix.ico          program icon
  resources/template.ico          icon written for languages the user creates (exactly 1078 bytes, 4 bpp)

Only the Python 3 standard library is used, and the output is the same byte for byte on every run.
  python3 tools/make_assets.py                 write the assets
  python3 tools/make_assets.py --preview DIR   also write PNG previews (icons enlarged, logo on the
                                               main window's gradient, every animation frame)
"""

import math
import os
import random
import struct
import sys
import unicodedata
import wave
import zlib

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir))
RUNTIME = os.path.join(ROOT, "data", "runtime")
RESOURCES = os.path.join(ROOT, "resources")


# --------------------------------------------------------------------------------------------
# Pixels: a canvas of straight (not premultiplied) RGBA floats, 0..255 colour and 0..1 alpha.

class Canvas:
    def __init__(self, width, height, rgba=(0.0, 0.0, 0.0, 0.0)):
        self.width = width
        self.height = height
        self.px = [list(rgba) for _ in range(width * height)]

    def get(self, x, y):
        return self.px[y * self.width + x]

    def blend(self, x, y, rgb, alpha):
        """Paints rgb with the given opacity over pixel (x, y)."""
        if alpha <= 0.0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        alpha = min(alpha, 1.0)
        p = self.px[y * self.width + x]
        out_a = alpha + p[3] * (1.0 - alpha)
        if out_a <= 0.0:
            return
        keep = p[3] * (1.0 - alpha)
        for i in range(3):
            p[i] = (rgb[i] * alpha + p[i] * keep) / out_a
        p[3] = out_a

    def paint(self, coverage, colour, box=None):
        """coverage(x, y) -> 0..1 for the pixel whose centre is (x + 0.5, y + 0.5);
        colour is an rgb tuple or a function (x, y) -> rgb or rgba."""
        x0, y0, x1, y1 = box if box else (0, 0, self.width, self.height)
        x0, y0 = max(0, int(x0)), max(0, int(y0))
        x1, y1 = min(self.width, int(math.ceil(x1))), min(self.height, int(math.ceil(y1)))
        for y in range(y0, y1):
            for x in range(x0, x1):
                c = coverage(x, y)
                if c <= 0.0:
                    continue
                col = colour(x, y) if callable(colour) else colour
                a = c * (col[3] if len(col) > 3 else 1.0)
                self.blend(x, y, col, a)

    def flatten(self, background):
        """Flattens the canvas onto a background colour: rows of (r, g, b) ints, top to bottom."""
        rows = []
        for y in range(self.height):
            row = []
            for x in range(self.width):
                p = self.get(x, y)
                row.append(tuple(clamp8(p[i] * p[3] + background[i] * (1.0 - p[3])) for i in range(3)))
            rows.append(row)
        return rows


def clamp8(v):
    return max(0, min(255, int(round(v))))


def smooth_cover(d):
    """Area coverage of a pixel by a shape whose signed distance (in pixels) at the pixel centre is d."""
    return max(0.0, min(1.0, 0.5 - d))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


def shade(rgb, f):
    return tuple(max(0.0, min(255.0, c * f)) for c in rgb)


# Signed distance functions, in pixel units; negative inside.

def sd_segment(px, py, ax, ay, bx, by, r):
    dx, dy = bx - ax, by - ay
    l2 = dx * dx + dy * dy
    t = 0.0 if l2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / l2))
    return math.hypot(px - ax - t * dx, py - ay - t * dy) - r


def sd_circle(px, py, cx, cy, r):
    return math.hypot(px - cx, py - cy) - r


def sd_arc(px, py, cx, cy, radius, a0, a1, r):
    """A stroke of half-width r along the circle (cx, cy, radius) from angle a0 to a1
    (degrees, counter-clockwise, y axis pointing up), with round ends."""
    ang = math.degrees(math.atan2(-(py - cy), px - cx))
    lo, hi = min(a0, a1), max(a0, a1)
    while ang < lo:
        ang += 360.0
    while ang > lo + 360.0:
        ang -= 360.0
    if ang <= hi:
        return abs(math.hypot(px - cx, py - cy) - radius) - r
    best = None
    for a in (a0, a1):
        ex = cx + radius * math.cos(math.radians(a))
        ey = cy - radius * math.sin(math.radians(a))
        d = math.hypot(px - ex, py - ey) - r
        best = d if best is None else min(best, d)
    return best


def sd_round_rect(px, py, x0, y0, x1, y1, radius):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - radius, (y1 - y0) / 2.0 - radius
    qx, qy = abs(px - cx) - hx, abs(py - cy) - hy
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


# --------------------------------------------------------------------------------------------
# A small rounded stroke font, just the letters the artwork needs. Units: cap height 1,
# baseline 0, y pointing up. Each glyph is (advance, strokes); a stroke is ("seg", x0, y0, x1, y1),
# ("arc", cx, cy, radius, from_deg, to_deg) or ("dot", cx, cy, radius_factor).

STROKE = 0.095          # half of the stroke width
X_HEIGHT = 0.70


def _glyphs():
    r = STROKE
    y0, yx, yc = r, X_HEIGHT - r, 1.0 - r
    bowl = X_HEIGHT / 2.0 - r            # radius of the round letters' centre line
    arch = 0.21
    return {
        "L": (0.52 + 2 * r, [("seg", r, y0, r, yc), ("seg", r, y0, 0.52 + r, y0)]),
        "i": (2 * r, [("seg", r, y0, r, yx), ("dot", r, X_HEIGHT + 0.17, 1.2)]),
        "n": (2 * (r + arch), [("seg", r, y0, r, yx), ("arc", r + arch, yx - arch, arch, 0, 180),
                               ("seg", r + 2 * arch, yx - arch, r + 2 * arch, y0)]),
        "o": (2 * (r + bowl), [("arc", r + bowl, X_HEIGHT / 2, bowl, 0, 360)]),
        "g": (2 * (r + bowl), [("arc", r + bowl, X_HEIGHT / 2, bowl, 0, 360),
                               ("seg", r + 2 * bowl, yx, r + 2 * bowl, -0.10),
                               ("arc", r + bowl, -0.10, bowl, 200, 360)]),
        "r": (r + arch + 0.17, [("seg", r, y0, r, yx), ("arc", r + arch, yx - arch, arch, 50, 180)]),
        "x": (0.47 + 2 * r, [("seg", r, y0, r + 0.47, yx), ("seg", r, yx, r + 0.47, y0)]),
    }


GLYPHS = _glyphs()


def layout_text(text, x, baseline, size, spacing=0.13):
    """Turns text into a list of stroke primitives in pixel coordinates (y down) and returns
    (strokes, width). size is the cap height in pixels."""
    strokes = []
    pen = 0.0
    for ch in text:
        advance, parts = GLYPHS[ch]
        for part in parts:
            kind = part[0]
            if kind == "seg":
                _, ax, ay, bx, by = part
                strokes.append(("seg", x + (pen + ax) * size, baseline - ay * size,
                                x + (pen + bx) * size, baseline - by * size))
            elif kind == "arc":
                _, cx, cy, rad, a0, a1 = part
                strokes.append(("arc", x + (pen + cx) * size, baseline - cy * size, rad * size, a0, a1))
            else:
                _, cx, cy, f = part
                strokes.append(("dot", x + (pen + cx) * size, baseline - cy * size, f))
        pen += advance + spacing
    return strokes, (pen - spacing) * size


def strokes_distance(strokes, px, py, half_width):
    best = 1e9
    for s in strokes:
        if s[0] == "seg":
            d = sd_segment(px, py, s[1], s[2], s[3], s[4], half_width)
        elif s[0] == "arc":
            d = sd_arc(px, py, s[1], s[2], s[3], s[4], s[5], half_width)
        else:
            d = sd_circle(px, py, s[1], s[2], half_width * s[3])
        if d < best:
            best = d
    return best


# --------------------------------------------------------------------------------------------
# File writers.

def write_file(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def png_bytes(width, height, rgba_rows):
    """rgba_rows: rows of (r, g, b, a) ints. Used for the previews only."""
    raw = bytearray()
    for row in rgba_rows:
        raw.append(0)
        for p in row:
            raw.extend(p)

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def bmp24_bytes(rows):
    """A bottom-up 24-bit BMP from rows of (r, g, b), top row first."""
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line.extend((b, g, r))
        line.extend(b"\0" * (stride - len(line)))
        pixels.extend(line)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


def and_mask(width, height, transparent):
    """1-bit mask rows (bottom-up, padded to 4 bytes); transparent(x, y) -> bool."""
    stride = ((width + 31) // 32) * 4
    out = bytearray()
    for y in reversed(range(height)):
        line = bytearray(stride)
        for x in range(width):
            if transparent(x, y):
                line[x // 8] |= 0x80 >> (x % 8)
        out.extend(line)
    return bytes(out)


def icon_image_32(canvas):
    """One icon image at 32 bits per pixel: BITMAPINFOHEADER, BGRA rows bottom-up, AND mask."""
    w, h = canvas.width, canvas.height
    xor = bytearray()
    for y in reversed(range(h)):
        for x in range(w):
            r, g, b, a = canvas.get(x, y)
            alpha = clamp8(a * 255)
            if alpha == 0:
                xor.extend((0, 0, 0, 0))
            else:
                xor.extend((clamp8(b), clamp8(g), clamp8(r), alpha))
    mask = and_mask(w, h, lambda x, y: canvas.get(x, y)[3] < 0.5)
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return (w, h, 0, 32, info + bytes(xor) + mask)


def ico_bytes(images):
    """images: (width, height, colour count, bits per pixel, image bytes) in directory order."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for w, h, colours, bpp, data in images:
        out += struct.pack("<BBBBHHII", w & 0xFF, h & 0xFF, colours, 0, 1, bpp, len(data), offset)
        offset += len(data)
    for image in images:
        out += image[4]
    return out


def wav_bytes(samples, rate=22050):
    import io
    buf = io.BytesIO()
    with wave.open(buf, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(b"".join(struct.pack("<h", max(-32767, min(32767, int(round(s * 32767)))))
                               for s in samples))
    return buf.getvalue()


def avi_bytes(width, height, palette, frames, fps):
    """An AVI of uncompressed 8-bit bottom-up DIB frames ('00db' chunks) with an index.
    palette: 256 (r, g, b); frames: lists of rows of palette indices, top row first."""
    stride = (width + 3) & ~3
    frame_size = stride * height

    def chunk(tag, data):
        pad = b"\0" if len(data) % 2 else b""
        return tag + struct.pack("<I", len(data)) + data + pad

    def lst(kind, body):
        return b"LIST" + struct.pack("<I", len(body) + 4) + kind + body

    usec = int(round(1000000 / fps))
    avih = struct.pack("<IIIIIIIIIIIIII", usec, frame_size * fps, 0, 0x10, len(frames), 0, 1,
                       frame_size, width, height, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"DIB ", 0, 0, 0, 0, 1, fps, 0, len(frames),
                       frame_size, 0xFFFFFFFF, 0, 0, 0, width, height)
    bih = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, frame_size, 0, 0, 256, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    hdrl = lst(b"hdrl", chunk(b"avih", avih) + lst(b"strl", chunk(b"strh", strh) + chunk(b"strf", bih + pal)))

    movi_body = b""
    index = b""
    for frame in frames:
        data = bytearray()
        for row in reversed(frame):
            data.extend(row)
            data.extend(b"\0" * (stride - width))
        index += struct.pack("<4sIII", b"00db", 0x10, 4 + len(movi_body), len(data))
        movi_body += chunk(b"00db", bytes(data))
    body = b"AVI " + hdrl + lst(b"movi", movi_body) + chunk(b"idx1", index)
    return b"RIFF" + struct.pack("<I", len(body)) + body


# --------------------------------------------------------------------------------------------
# Language flags.

FLAG_COLOURS = {
    "fr_blue": (0, 45, 150), "fr_red": (230, 35, 50),
    "es_red": (190, 20, 30), "es_yellow": (250, 195, 0), "es_arms": (150, 60, 40),
    "ru_blue": (0, 60, 170), "ru_red": (215, 40, 30),
    "gr_blue": (13, 94, 175),
    "de_black": (25, 25, 25), "de_red": (220, 0, 0), "de_gold": (255, 205, 0),
    "uk_blue": (1, 40, 115), "uk_red": (205, 20, 45),
    "white": (250, 250, 250),
}


def flag_france(u, v, w, h):
    c = FLAG_COLOURS
    return c["fr_blue"] if u < 1 / 3 else (c["white"] if u < 2 / 3 else c["fr_red"])


def flag_spain(u, v, w, h):
    c = FLAG_COLOURS
    if v < 0.25 or v >= 0.75:
        return c["es_red"]
    # a small emblem in the hoist third of the yellow band, as on the state flag
    if w >= 20 and abs(u - 0.30) < 0.07 and abs(v - 0.5) < 0.17:
        return c["es_arms"]
    return c["es_yellow"]


def flag_russia(u, v, w, h):
    c = FLAG_COLOURS
    return c["white"] if v < 1 / 3 else (c["ru_blue"] if v < 2 / 3 else c["ru_red"])


def flag_germany(u, v, w, h):
    c = FLAG_COLOURS
    return c["de_black"] if v < 1 / 3 else (c["de_red"] if v < 2 / 3 else c["de_gold"])


def flag_greece(u, v, w, h):
    c = FLAG_COLOURS
    stripe = int(v * 9)
    x, y = u * w, v * h                    # canton: 5 stripes tall and as wide
    side = h * 5 / 9
    if x < side and y < side:
        bar = h / 9
        if abs(x - side / 2) < bar / 2 or abs(y - side / 2) < bar / 2:
            return c["white"]
        return c["gr_blue"]
    return c["gr_blue"] if stripe % 2 == 0 else c["white"]


def flag_uk(u, v, w, h):
    c = FLAG_COLOURS
    x, y = u * w, v * h
    cx, cy = w / 2, h / 2
    diag = math.hypot(w, h)
    d1 = abs((x * h - y * w)) / diag                 # distance to the top-left/bottom-right diagonal
    d2 = abs((x * h - (h - y) * w)) / diag           # distance to the other diagonal
    t = h / 20.0                                     # the flag's own unit, a little bolder than life
    if abs(y - cy) < 1.8 * t or abs(x - cx) < 1.8 * t:
        return c["uk_red"]
    if abs(y - cy) < 3.0 * t or abs(x - cx) < 3.0 * t:
        return c["white"]
    # counterchanged red diagonals: the red lies on the clockwise side of each white band
    if d1 < 2.2 * t:
        upper = (x * h - y * w) > 0
        if d1 < 1.3 * t and (upper != (x < cx)):
            return c["uk_red"]
        return c["white"]
    if d2 < 2.2 * t:
        upper = (x * h - (h - y) * w) > 0
        if d2 < 1.3 * t and (upper == (x < cx)):
            return c["uk_red"]
        return c["white"]
    return c["uk_blue"]


def draw_flag_icon(size, pattern):
    """A flag with slightly rounded corners, a soft fold of light across it, a thin darker rim
    and a small shadow, on a transparent square."""
    cv = Canvas(size, size)
    if size >= 32:
        x0, y0, x1, y1, radius = 3.0, 7.0, 30.0, 25.0, 1.6
    else:
        x0, y0, x1, y1, radius = 1.0, 3.0, 16.0, 13.0, 1.0
        if pattern is flag_greece:
            y1 = 12.0                      # nine one-pixel stripes stay crisp
    w, h = x1 - x0, y1 - y0

    def shadow(x, y):
        return smooth_cover(sd_round_rect(x + 0.5, y + 0.5, x0 + 1, y0 + 1, x1 + 1, y1 + 1, radius)) * 0.35

    cv.paint(shadow, (0, 0, 0), (x0, y0, x1 + 2, y1 + 2))

    ss = 4

    def colour(x, y):
        acc = [0.0, 0.0, 0.0]
        for sy in range(ss):
            for sx in range(ss):
                px, py = x + (sx + 0.5) / ss, y + (sy + 0.5) / ss
                u = min(max((px - x0) / w, 0.0), 0.9999)
                v = min(max((py - y0) / h, 0.0), 0.9999)
                col = pattern(u, v, w, h)
                for i in range(3):
                    acc[i] += col[i]
        col = [a / (ss * ss) for a in acc]
        u = (x + 0.5 - x0) / w
        v = (y + 0.5 - y0) / h
        light = 1.06 - 0.12 * v + 0.07 * math.sin(u * math.pi * 2.0 + 0.6)
        col = shade(col, light)
        d = sd_round_rect(x + 0.5, y + 0.5, x0, y0, x1, y1, radius)
        if d > -1.0:                       # the rim: one pixel a little darker
            col = shade(col, 0.72)
        return col

    cv.paint(lambda x, y: smooth_cover(sd_round_rect(x + 0.5, y + 0.5, x0, y0, x1, y1, radius)),
             colour, (x0 - 1, y0 - 1, x1 + 1, y1 + 1))
    return cv


FLAGS = [("Eng", flag_uk), ("Fre", flag_france), ("Spa", flag_spain),
         ("Ger", flag_germany), ("Rus", flag_russia), ("Gre", flag_greece)]


# --------------------------------------------------------------------------------------------
# The program icon: a green tile, as the main window's gradient, with a white "L" and a speech bubble.

def draw_program_icon(size):
    cv = Canvas(size, size)
    s = size / 32.0
    top, bottom = (70, 205, 70), (0, 110, 20)

    def tile_cov(x, y):
        return smooth_cover(sd_round_rect(x + 0.5, y + 0.5, 1 * s, 1 * s, 31 * s, 31 * s, 6 * s))

    def tile_col(x, y):
        col = mix(top, bottom, (y + 0.5) / size)
        if sd_round_rect(x + 0.5, y + 0.5, 1 * s, 1 * s, 31 * s, 31 * s, 6 * s) > -1.0:
            col = shade(col, 0.65)
        return col

    cv.paint(tile_cov, tile_col)
    # the speech bubble behind the letter's arm
    bub = (255, 200, 40)

    def bubble_d(px, py):
        body = sd_round_rect(px, py, 14 * s, 4 * s, 28.5 * s, 15 * s, 4 * s)
        tail = sd_segment(px, py, 17.5 * s, 14 * s, 15 * s, 18.5 * s, 1.3 * s)
        return min(body, tail)

    cv.paint(lambda x, y: smooth_cover(bubble_d(x + 0.5, y + 0.5)), bub)
    for i in range(3):
        cx = (17.6 + i * 3.6) * s
        cv.paint(lambda x, y, cx=cx: smooth_cover(sd_circle(x + 0.5, y + 0.5, cx, 9.5 * s, 1.25 * s)),
                 (160, 90, 0))
    # the letter, with a soft shadow
    hw = 2.6 * s

    def l_d(px, py, dx=0.0, dy=0.0):
        return min(sd_segment(px - dx, py - dy, 8 * s, 7 * s, 8 * s, 25 * s, hw),
                   sd_segment(px - dx, py - dy, 8 * s, 25 * s, 19 * s, 25 * s, hw))

    cv.paint(lambda x, y: smooth_cover(l_d(x + 0.5, y + 0.5, 1.0 * s, 1.0 * s)) * 0.35, (0, 40, 0))
    cv.paint(lambda x, y: smooth_cover(l_d(x + 0.5, y + 0.5)), (255, 255, 255))
    return cv


# --------------------------------------------------------------------------------------------
# The template icon for new languages: a plain white flag, 4 bits per pixel in the standard
# 16-colour palette, with a 1-bit mask. 6 + 2 x 16 + (40 + 64 + 512 + 128) + (40 + 64 + 128 + 64)
# = 1078 bytes.

VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
         (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, SILVER, GREY, WHITE = 0, 7, 8, 15


def template_pixels(size):
    """Palette index per pixel, None for transparent."""
    if size >= 32:
        x0, y0, x1, y1 = 3, 7, 30, 25
    else:
        x0, y0, x1, y1 = 1, 3, 16, 13
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            if x0 <= x < x1 and y0 <= y < y1:
                corner = (x in (x0, x1 - 1)) and (y in (y0, y1 - 1))
                if corner:
                    # rounded corners; the lower right one lies in the shadow
                    row.append(SILVER if size >= 32 and (x, y) == (x1 - 1, y1 - 1) else None)
                elif x in (x0, x1 - 1) or y in (y0, y1 - 1):
                    row.append(GREY)
                elif size >= 32 and (x == x1 - 2 or y == y1 - 2):
                    row.append(SILVER)      # a little depth along the lower and right edge
                else:
                    row.append(WHITE)
            elif size >= 32 and x0 < x <= x1 and y0 < y <= y1 and (x == x1 or y == y1):
                row.append(SILVER)          # shadow
            else:
                row.append(None)
        rows.append(row)
    return rows


def icon_image_4(rows):
    size = len(rows)
    stride = ((size * 4 + 31) // 32) * 4
    xor = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, idx in enumerate(row):
            v = BLACK if idx is None else idx
            line[x // 2] |= v << (4 if x % 2 == 0 else 0)
        xor.extend(line)
    mask = and_mask(size, size, lambda x, y: rows[y][x] is None)
    info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA16)
    return (size, size, 16, 4, info + pal + bytes(xor) + mask)


def template_icon_bytes():
    data = ico_bytes([icon_image_4(template_pixels(32)), icon_image_4(template_pixels(16))])
    assert len(data) == 1078, len(data)
    return data


# --------------------------------------------------------------------------------------------
# The main window's gradient (default colours), which the logo is drawn on.

MAIN_CLIENT_HEIGHT = 332
MAIN_BAND = 96


def gradient_colour(y, base=(0, 200, 0), step=(0, 3, 0)):
    pen = (63 * y) // MAIN_CLIENT_HEIGHT
    return tuple((base[i] - pen * step[i]) % 256 for i in range(3))


# --------------------------------------------------------------------------------------------
# The globe, shared by the logo and the About animation.

class Noise3:
    """Smooth value noise on an integer lattice, deterministic."""

    def __init__(self, seed):
        rnd = random.Random(seed)
        self.perm = list(range(256))
        rnd.shuffle(self.perm)
        self.perm += self.perm
        self.values = [rnd.random() for _ in range(256)]

    def _v(self, x, y, z):
        p = self.perm
        return self.values[p[p[p[x & 255] + (y & 255)] + (z & 255)]]

    def __call__(self, x, y, z):
        xi, yi, zi = math.floor(x), math.floor(y), math.floor(z)
        xf, yf, zf = x - xi, y - yi, z - zi
        u, v, w = (t * t * (3 - 2 * t) for t in (xf, yf, zf))
        c = [[[self._v(xi + a, yi + b, zi + d) for d in (0, 1)] for b in (0, 1)] for a in (0, 1)]
        x00 = c[0][0][0] + (c[1][0][0] - c[0][0][0]) * u
        x10 = c[0][1][0] + (c[1][1][0] - c[0][1][0]) * u
        x01 = c[0][0][1] + (c[1][0][1] - c[0][0][1]) * u
        x11 = c[0][1][1] + (c[1][1][1] - c[0][1][1]) * u
        y0 = x00 + (x10 - x00) * v
        y1 = x01 + (x11 - x01) * v
        return y0 + (y1 - y0) * w

    def fractal(self, x, y, z, octaves=4):
        total, amp, freq, norm = 0.0, 1.0, 1.0, 0.0
        for _ in range(octaves):
            total += amp * self(x * freq, y * freq, z * freq)
            norm += amp
            amp *= 0.5
            freq *= 2.0
        return total / norm


NOISE = Noise3(20240611)
LIGHT = (lambda v: tuple(c / math.sqrt(sum(k * k for k in v)) for c in v))((-0.55, 0.6, 0.6))


def globe_colour(nx, ny, turn, tilt=math.radians(18)):
    """Colour of the globe at the unit-disc point (nx, ny) (y down) after `turn` radians of spin."""
    nz = math.sqrt(max(0.0, 1.0 - nx * nx - ny * ny))
    up = -ny
    # the north pole leans towards the viewer by `tilt`
    lat = math.asin(max(-1.0, min(1.0, up * math.cos(tilt) + nz * math.sin(tilt))))
    lon = math.atan2(nx, -up * math.sin(tilt) + nz * math.cos(tilt)) + turn
    px, py, pz = math.cos(lat) * math.sin(lon), math.sin(lat), math.cos(lat) * math.cos(lon)
    h = NOISE.fractal(px * 1.25 + 7.1, py * 1.25 + 3.3, pz * 1.25 + 1.7, 3)
    lambert = max(0.0, nx * LIGHT[0] + (-ny) * LIGHT[1] + nz * LIGHT[2])
    light = 0.38 + 0.75 * lambert
    sea_level = 0.595                       # about a third of the globe is land
    if abs(lat) > math.radians(70) + 0.15 * (h - 0.5):
        base = (235, 245, 250)
    elif h > sea_level:
        t = min(1.0, (h - sea_level) / 0.12)
        base = mix((75, 170, 65), (160, 145, 80), t)
    else:
        t = min(1.0, max(0.0, (sea_level - h) / 0.25))
        base = mix((45, 130, 220), (25, 80, 180), t)
    col = shade(base, light)
    if h <= sea_level:                      # a glint on the water
        shine = max(0.0, nx * LIGHT[0] + (-ny) * LIGHT[1] + nz * LIGHT[2]) ** 24
        col = mix(col, (255, 255, 255), min(1.0, shine * 0.8))
    rim = (1.0 - nz) ** 3                   # a thin bright atmosphere at the edge
    return mix(col, (170, 215, 255), rim * 0.55)


def paint_globe(cv, cx, cy, radius, turn):
    def cov(x, y):
        return smooth_cover(sd_circle(x + 0.5, y + 0.5, cx, cy, radius))

    def col(x, y):
        nx = (x + 0.5 - cx) / radius
        ny = (y + 0.5 - cy) / radius
        k = math.hypot(nx, ny)
        if k > 0.999:
            nx, ny = nx / k * 0.999, ny / k * 0.999
        return globe_colour(nx, ny, turn)

    cv.paint(cov, col, (cx - radius - 1, cy - radius - 1, cx + radius + 1, cy + radius + 1))


# --------------------------------------------------------------------------------------------
# The logo: a small globe and "Lingorix" in a warm white with a dark green rim and a soft shadow.

LOGO_W, LOGO_H = 304, 84
LOGO_KEY = (255, 0, 255)            # the transparent colour, read from the top-left pixel


def draw_logo():
    cv = Canvas(LOGO_W, LOGO_H)
    cap = 46.0
    baseline = 53.0
    _, text_w = layout_text("Lingorix", 0, baseline, cap)
    text_x = LOGO_W - 6 - text_w
    strokes, _ = layout_text("Lingorix", text_x, baseline, cap)
    hw = STROKE * cap

    globe_r = 25.0
    gcx, gcy = 6 + globe_r, baseline - X_HEIGHT * cap / 2 - 8

    # shadows first
    def text_shadow(x, y):
        d = strokes_distance(strokes, x + 0.5 - 3.0, y + 0.5 - 3.0, hw + 1.5)
        return max(0.0, min(1.0, 0.5 - d / 2.5)) * 0.45

    cv.paint(text_shadow, (0, 30, 0))
    cv.paint(lambda x, y: max(0.0, min(1.0, 0.5 - sd_circle(x + 0.5, y + 0.5, gcx + 3, gcy + 3, globe_r) / 2.5)) * 0.45,
             (0, 30, 0), (gcx - globe_r, gcy - globe_r, gcx + globe_r + 8, gcy + globe_r + 8))

    paint_globe(cv, gcx, gcy, globe_r, 2.3)
    # a small speech bubble on the globe's shoulder
    bx0, by0, bx1, by1 = gcx + 9, gcy - 27, gcx + 31, gcy - 12

    def bubble(px, py):
        return min(sd_round_rect(px, py, bx0, by0, bx1, by1, 5.5),
                   sd_segment(px, py, bx0 + 6, by1 - 1, bx0 + 2, by1 + 5, 1.6))

    cv.paint(lambda x, y: smooth_cover(bubble(x + 0.5, y + 0.5) - 1.4), (0, 70, 0))
    cv.paint(lambda x, y: smooth_cover(bubble(x + 0.5, y + 0.5)), (255, 255, 250))
    for i in range(3):
        dx = bx0 + 6 + i * 5
        cv.paint(lambda x, y, dx=dx: smooth_cover(sd_circle(x + 0.5, y + 0.5, dx, (by0 + by1) / 2, 1.6)),
                 (200, 40, 40))

    # rim, then the letters with a vertical warm gradient
    cv.paint(lambda x, y: smooth_cover(strokes_distance(strokes, x + 0.5, y + 0.5, hw + 2.2)), (0, 70, 0))
    top_y, bottom_y = baseline - cap, baseline

    def fill(x, y):
        t = max(0.0, min(1.0, (y + 0.5 - top_y) / (bottom_y - top_y)))
        return mix((255, 255, 245), (255, 214, 70), t ** 1.3)

    cv.paint(lambda x, y: smooth_cover(strokes_distance(strokes, x + 0.5, y + 0.5, hw)), fill)
    return cv


def logo_rows(cv):
    """Bakes the logo onto the gradient it will stand on, and keys out what stays background."""
    top = (MAIN_BAND - LOGO_H) // 2
    rows = []
    for y in range(LOGO_H):
        bg = gradient_colour(top + y)
        row = []
        for x in range(LOGO_W):
            p = cv.get(x, y)
            if p[3] < 0.04:
                row.append(LOGO_KEY)
                continue
            col = tuple(clamp8(p[i] * p[3] + bg[i] * (1.0 - p[3])) for i in range(3))
            if col == LOGO_KEY:
                col = (254, 0, 255)
            row.append(col)
        rows.append(row)
    rows[0][0] = LOGO_KEY
    return rows


# --------------------------------------------------------------------------------------------
# The About animation: the globe turns once while three speech bubbles circle it.

ANIM_W, ANIM_H = 144, 108
ANIM_FRAMES = 20
ANIM_FPS = 10
ANIM_BG = (240, 240, 240)           # the dialog face colour


def draw_anim_frame(i):
    cv = Canvas(ANIM_W, ANIM_H, ANIM_BG + (1.0,))
    cx, cy, radius = ANIM_W / 2, ANIM_H / 2 - 2, 36.0
    turn = 2 * math.pi * i / ANIM_FRAMES
    # ground shadow
    cv.paint(lambda x, y: max(0.0, 1.0 - math.hypot((x + 0.5 - cx) / 34.0, (y + 0.5 - (cy + 44)) / 5.0)) * 0.35,
             (90, 90, 90), (cx - 40, cy + 36, cx + 40, cy + 52))
    bubbles = []
    colours = [(215, 50, 50), (240, 170, 0), (140, 80, 200)]
    for k in range(3):
        a = k * 2 * math.pi / 3 - turn
        depth = math.cos(a)                                  # 1 in front, -1 behind
        bx = cx + math.sin(a) * 58
        by = cy + 4 + depth * 16
        bubbles.append((depth, bx, by, colours[k]))
    bubbles.sort()

    def draw_bubble(depth, bx, by, col):
        sc = 0.8 + 0.2 * (depth + 1) / 2
        hw, hh = 13 * sc, 8.5 * sc

        def d(px, py):
            return min(sd_round_rect(px, py, bx - hw, by - hh, bx + hw, by + hh, 6 * sc),
                       sd_segment(px, py, bx - hw * 0.4, by + hh - 1, bx - hw * 0.7, by + hh + 5 * sc, 1.6 * sc))

        fade = 0.55 + 0.45 * (depth + 1) / 2
        c = mix(ANIM_BG, col, fade)
        cv.paint(lambda x, y: smooth_cover(d(x + 0.5, y + 0.5) - 1.2), shade(c, 0.7),
                 (bx - hw - 3, by - hh - 3, bx + hw + 3, by + hh + 9))
        cv.paint(lambda x, y: smooth_cover(d(x + 0.5, y + 0.5)), c,
                 (bx - hw - 3, by - hh - 3, bx + hw + 3, by + hh + 9))
        for j in (-1, 0, 1):
            dx = bx + j * 6 * sc
            cv.paint(lambda x, y, dx=dx: smooth_cover(sd_circle(x + 0.5, y + 0.5, dx, by, 1.8 * sc)),
                     (255, 255, 255), (dx - 3, by - 3, dx + 3, by + 3))

    for b in bubbles:
        if b[0] < 0:
            draw_bubble(*b)
    paint_globe(cv, cx, cy, radius, turn)
    for b in bubbles:
        if b[0] >= 0:
            draw_bubble(*b)
    return cv.flatten(ANIM_BG)


def median_cut(histogram, count):
    """histogram: {(r, g, b): n}. Returns up to `count` colours."""
    boxes = [list(histogram.items())]
    while len(boxes) < count:
        best, best_range, best_axis = None, -1, 0
        for bi, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for axis in range(3):
                vals = [c[axis] for c, _ in box]
                rng = (max(vals) - min(vals)) * math.log(1 + sum(n for _, n in box))
                if rng > best_range:
                    best, best_range, best_axis = bi, rng, axis
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda cn: cn[0][best_axis])
        total = sum(n for _, n in box)
        acc, cut = 0, 1
        for j, (_, n) in enumerate(box):
            acc += n
            if acc >= total / 2:
                cut = max(1, min(len(box) - 1, j + 1))
                break
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(clamp8(sum(c[i] * n for c, n in box) / total) for i in range(3)))
    return palette


def build_animation():
    frames_rgb = [draw_anim_frame(i) for i in range(ANIM_FRAMES)]
    hist = {}
    for frame in frames_rgb:
        for row in frame:
            for c in row:
                hist[c] = hist.get(c, 0) + 1
    palette = median_cut(hist, 255)
    if ANIM_BG not in palette:
        palette.append(ANIM_BG)           # the background must stay exactly the dialog colour
    palette += [(0, 0, 0)] * (256 - len(palette))
    lookup = {}
    for c in hist:
        lookup[c] = min(range(len(palette)),
                        key=lambda k: (palette[k][0] - c[0]) ** 2 * 3 + (palette[k][1] - c[1]) ** 2 * 4
                        + (palette[k][2] - c[2]) ** 2 * 2)
    lookup[ANIM_BG] = palette.index(ANIM_BG)
    frames = [[bytes(lookup[c] for c in row) for row in frame] for frame in frames_rgb]
    return palette, frames


# --------------------------------------------------------------------------------------------
# Sounds.

RATE = 22050


def sound_right():
    """A rising three-note chime, bell-like."""
    total = int(RATE * 0.42)
    out = [0.0] * total
    for k, freq in enumerate((1046.5, 1318.5, 1568.0)):
        start = int(RATE * 0.075 * k)
        for n in range(total - start):
            t = n / RATE
            env = min(1.0, t / 0.004) * math.exp(-t * 9.0)
            s = (math.sin(2 * math.pi * freq * t) + 0.35 * math.sin(2 * math.pi * freq * 2.0 * t) * math.exp(-t * 14)
                 + 0.12 * math.sin(2 * math.pi * freq * 3.01 * t) * math.exp(-t * 20))
            out[start + n] += 0.28 * env * s
    fade = int(RATE * 0.03)
    for n in range(fade):
        out[total - 1 - n] *= n / fade
    return out


def sound_wrong():
    """A short low buzz falling a little in pitch."""
    total = int(RATE * 0.30)
    out = []
    phase = 0.0
    for n in range(total):
        t = n / RATE
        freq = 150.0 - 40.0 * t / 0.30
        phase += 2 * math.pi * freq / RATE
        s = sum(math.sin(phase * h) / h for h in (1, 3, 5, 7, 9))
        env = min(1.0, t / 0.01) * min(1.0, (0.30 - t) / 0.07)
        out.append(0.32 * env * s)
    return out


def sound_skipped():
    """A soft click: a short filtered tick with a quick falling tone."""
    rnd = random.Random(7)
    total = int(RATE * 0.07)
    out = []
    low = 0.0
    for n in range(total):
        t = n / RATE
        low += (rnd.uniform(-1, 1) - low) * 0.25
        tone = math.sin(2 * math.pi * (1400 - 6000 * t) * t)
        env = min(1.0, t / 0.001) * math.exp(-t * 70)
        out.append(0.45 * env * (0.6 * tone + 0.5 * low))
    return out


# --------------------------------------------------------------------------------------------
# Sort tables: one weight per byte of the language's code page. 0 ends a word, 1 is ignored,
# 2 and up rank. Blanks rank lowest, then the other signs in code order, digits, Latin letters
# (with ñ after n), Greek letters, and finally letters of neither alphabet. Capitals weigh as
# small letters and accented letters as their plain ones.

IGNORED_SIGNS = {"-", "'", "\u2019", "\u2018", "\u00ad", "\u0384", "\u0385"}   # hyphen, apostrophes, soft hyphen, lone accents


def base_letter(ch):
    low = ch.lower()
    if low == "\u00f1":
        return "\u00f1"                                  # ñ is a letter of its own
    if low == "\u03c2":
        return "\u03c3"                                  # final sigma is sigma
    if low in ("\u00df",):
        return "s"
    if low in ("\u00e6",):
        return "a"
    if low in ("\u0153", "\u00f8"):
        return "o"
    if low in ("\u00f0", "\u0111"):
        return "d"
    if low == "\u00aa":
        return "a"
    if low == "\u00ba":
        return "o"
    if low == "\u0192":
        return "f"
    if low == "\u00b5":
        return "\u03bc"                                  # the micro sign is mu
    stripped = "".join(c for c in unicodedata.normalize("NFD", low) if not unicodedata.combining(c))
    return stripped[:1] if stripped else low


def is_letter(ch):
    # modifier letters such as the spacing circumflex are signs, not letters
    return unicodedata.category(ch) in ("Lu", "Ll", "Lt", "Lo")


def sort_table(codepage):
    latin = list("abcdefghijklmn") + ["\u00f1"] + list("opqrstuvwxyz")
    greek = [chr(c) for c in range(0x3b1, 0x3ca) if c != 0x3c2]
    chars = {}
    for b in range(256):
        try:
            ch = bytes([b]).decode(codepage)
        except UnicodeDecodeError:
            ch = None
        chars[b] = ch
    table = [1] * 256
    signs, digits, extra = [], {}, []
    for b in range(1, 256):
        ch = chars[b]
        if ch is None or ch in IGNORED_SIGNS or unicodedata.category(ch) in ("Cc", "Cf"):
            continue
        if ch in (" ", "\u00a0"):
            table[b] = 2
        elif is_letter(ch):
            base = base_letter(ch)
            if base not in latin and base not in greek and base not in extra:
                extra.append(base)
        elif unicodedata.digit(ch, None) is not None:
            digits[b] = unicodedata.digit(ch)
        else:
            signs.append(b)
    weight = 3
    for b in signs:
        table[b] = weight
        weight += 1
    digit_base = weight
    for b, d in digits.items():
        table[b] = digit_base + d
    weight = digit_base + 10
    letter_weight = {}
    for ch in latin + greek:
        letter_weight[ch] = weight
        weight += 1
    for base in extra:                                   # letters of neither alphabet, such as þ
        letter_weight[base] = weight
        weight += 1
    for b in range(1, 256):
        ch = chars[b]
        if ch is not None and is_letter(ch):
            table[b] = letter_weight[base_letter(ch)]
    assert weight <= 256, weight
    table[0] = 0
    return bytes(table)


# --------------------------------------------------------------------------------------------
# Character picker files: capitals in the first half, their small letters in the second half,
# one line without a line end.

CHARSETS = {
    "French": ("cp1252", "\u00c0\u00c2\u00c6\u00c7\u00c8\u00c9\u00ca\u00cb\u00ce\u00cf\u00d4\u0152\u00d9\u00db\u00dc\u0178",
               "\u00e0\u00e2\u00e6\u00e7\u00e8\u00e9\u00ea\u00eb\u00ee\u00ef\u00f4\u0153\u00f9\u00fb\u00fc\u00ff"),
    # the opening exclamation and question marks share the last column
    "Spanish": ("cp1252", "\u00c1\u00c9\u00cd\u00d3\u00da\u00dc\u00d1\u00a1", "\u00e1\u00e9\u00ed\u00f3\u00fa\u00fc\u00f1\u00bf"),
    # ß has no capital in code page 1252, so it stands in both rows
    "German": ("cp1252", "\u00c4\u00d6\u00dc\u00df", "\u00e4\u00f6\u00fc\u00df"),
    "Russian": ("cp1251", "\u0410\u0411\u0412\u0413\u0414\u0415\u0401" + "".join(chr(c) for c in range(0x416, 0x430)),
                "\u0430\u0431\u0432\u0433\u0434\u0435\u0451" + "".join(chr(c) for c in range(0x436, 0x450))),
    # Σ stands twice on top, above σ and above the final ς
    "Greek": ("cp1253", "".join(chr(c) for c in range(0x391, 0x3aa) if c != 0x3a2)
              + "\u0386\u0388\u0389\u038a\u038c\u038e\u038f\u03aa\u03ab\u03a3",
              "".join(chr(c) for c in range(0x3b1, 0x3ca) if c != 0x3c2)
              + "\u03ac\u03ad\u03ae\u03af\u03cc\u03cd\u03ce\u03ca\u03cb\u03c2"),
}


def charset_bytes(codepage, capitals, smalls):
    assert len(capitals) == len(smalls)
    data = (capitals + smalls).encode(codepage)
    assert len(data) % 2 == 0 and len(data) <= 254 and b"\n" not in data and b"\r" not in data
    return data


# --------------------------------------------------------------------------------------------

def preview_rgba(cv, scale=1, background=None):
    rows = []
    for y in range(cv.height):
        row = []
        for x in range(cv.width):
            p = cv.get(x, y)
            if background:
                bg = background(x, y)
                px = tuple(clamp8(p[i] * p[3] + bg[i] * (1 - p[3])) for i in range(3)) + (255,)
            else:
                px = tuple(clamp8(p[i]) for i in range(3)) + (clamp8(p[3] * 255),)
            row.extend([px] * scale)
        rows.extend([row] * scale)
    return rows


def main(argv):
    preview = None
    if len(argv) == 3 and argv[1] == "--preview":
        preview = argv[2]
        os.makedirs(preview, exist_ok=True)
    elif len(argv) != 1:
        print(__doc__)
        return 2

    written = []

    def out(folder, rel, data):
        path = os.path.join(folder, rel)
        write_file(path, data)
        written.append(os.path.relpath(path, ROOT))

    def green_bg(x, y):
        return gradient_colour(100 + y)

    for name, pattern in FLAGS:
        big, small = draw_flag_icon(32, pattern), draw_flag_icon(16, pattern)
        out(RUNTIME, os.path.join("icons", name + ".ico"), ico_bytes([icon_image_32(big), icon_image_32(small)]))
        if preview:
            write_file(os.path.join(preview, name + ".png"), png_bytes(256, 256, preview_rgba(big, 8, green_bg)))
            write_file(os.path.join(preview, name + "16.png"), png_bytes(128, 128, preview_rgba(small, 8, green_bg)))

    big, small = draw_program_icon(32), draw_program_icon(16)
    out(RESOURCES, "lingorix.ico", ico_bytes([icon_image_32(big), icon_image_32(small)]))
    out(RESOURCES, "template.ico", template_icon_bytes())
    if preview:
        write_file(os.path.join(preview, "lingorix.png"), png_bytes(256, 256, preview_rgba(big, 8, lambda x, y: (212, 208, 200))))
        write_file(os.path.join(preview, "lingorix16.png"), png_bytes(128, 128, preview_rgba(small, 8, lambda x, y: (212, 208, 200))))

    logo = draw_logo()
    rows = logo_rows(logo)
    out(RUNTIME, "logo.bmp", bmp24_bytes(rows))
    if preview:
        # as the main window shows it: the keyed logo centred on the top band of the gradient
        pw, ph = 565, 140
        lx, ly = (565 - LOGO_W) // 2, (MAIN_BAND - LOGO_H) // 2
        prow = []
        for y in range(ph):
            row = []
            for x in range(pw):
                c = gradient_colour(y)
                if lx <= x < lx + LOGO_W and ly <= y < ly + LOGO_H and rows[y - ly][x - lx] != LOGO_KEY:
                    c = rows[y - ly][x - lx]
                row.append(c + (255,))
            prow.append(row)
        write_file(os.path.join(preview, "logo_on_window.png"), png_bytes(pw, ph, prow))

    palette, frames = build_animation()
    out(RUNTIME, "gorix.avi", avi_bytes(ANIM_W, ANIM_H, palette, frames, ANIM_FPS))
    if preview:
        cols = 5
        sheet_w, sheet_h = ANIM_W * cols, ANIM_H * ((len(frames) + cols - 1) // cols)
        sheet = [[(255, 255, 255, 255)] * sheet_w for _ in range(sheet_h)]
        for k, frame in enumerate(frames):
            ox, oy = (k % cols) * ANIM_W, (k // cols) * ANIM_H
            for y, row in enumerate(frame):
                for x, idx in enumerate(row):
                    sheet[oy + y][ox + x] = palette[idx] + (255,)
        write_file(os.path.join(preview, "gorix_frames.png"), png_bytes(sheet_w, sheet_h, sheet))

    out(RUNTIME, "right.wav", wav_bytes(sound_right()))
    out(RUNTIME, "wrong.wav", wav_bytes(sound_wrong()))
    out(RUNTIME, "skipped.wav", wav_bytes(sound_skipped()))

    out(RUNTIME, os.path.join("tables", "Spanish.stb"), sort_table("cp1252"))
    out(RUNTIME, os.path.join("tables", "Greek.stb"), sort_table("cp1253"))

    for name, (codepage, capitals, smalls) in CHARSETS.items():
        out(RUNTIME, os.path.join("charset", name + ".chs"), charset_bytes(codepage, capitals, smalls))

    for rel in written:
        print("wrote", rel.replace(os.sep, "/"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
