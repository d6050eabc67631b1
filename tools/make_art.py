#!/usr/bin/python3
"""Draws the completion pictures and the file icon of Setup.exe into res/.

Run with Debian's python3 and python3-pil:  /usr/bin/python3 tools/make_art.py
Every run writes the same bytes: nothing random, no time stamps.
"""
import colorsys
import io
import math
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFilter

RES_DIR = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'res'))

# ---------------------------------------------------------------------------
# Completion picture: 503 x 314, five colours.

WIDTH, HEIGHT = 503, 314
BAND = 164

BLACK, WHITE, NAVY, SILVER, GREY = range(5)
PALETTE5 = [(0, 0, 0), (255, 255, 255), (0, 0, 128), (192, 192, 192), (128, 128, 128)]

DISC_X, DISC_Y, DISC_R = 82.0, 66.0, 36.0

# 4x4 Bayer thresholds, 0..15.
BAYER4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def band_ground(x, y):
    """Navy over black by ordered dither, lighter towards the top."""
    level = 11.0 - 6.0 * y / (HEIGHT - 1)   # navy share in sixteenths
    return NAVY if BAYER4[y & 3][x & 3] < level else BLACK


# Each stroke follows a big circle and swells from a point at x0 to its full
# thickness at the band's edge: (centre x, centre y, radius, x0, thickness).
SWOOSHES = [(330.0, 560.0, 440.0, -40.0, 84.0), (400.0, 700.0, 520.0, 10.0, 20.0)]


def in_swoosh(x, y):
    """The large curve in plain navy."""
    px, py = x + 0.5, y + 0.5
    for cx, cy, r, x0, t in SWOOSHES:
        if px <= x0:
            continue
        mid = cy - math.sqrt(r * r - (px - cx) ** 2)
        half = 0.5 * t * ((px - x0) / (BAND - x0)) ** 0.75
        if abs(py - mid) <= half:
            return True
    return False


def disc_pixel(x, y):
    """The disc symbol's colour at (x, y), or None outside it."""
    dx, dy = x + 0.5 - DISC_X, y + 0.5 - DISC_Y
    d = math.hypot(dx, dy)
    r = DISC_R
    if d > r:
        return None
    if d > r - 2.5:
        return WHITE                      # the frame
    if d > r - 3.5:
        return GREY
    if d > 14.0:
        # The recorded area catches the light in two opposite wedges.
        a = math.atan2(dy, dx)
        s = math.sin(2.0 * (a + math.radians(35.0)))
        if s > 0.82:
            return WHITE
        if s < -0.88:
            return GREY
        return SILVER
    if d > 12.0:
        return GREY
    if d > 9.5:
        return WHITE
    if d > 5.0:
        return SILVER
    return None                            # the hole shows the ground


def completion_pixels():
    """Rows top-down of palette indices."""
    rows = []
    for y in range(HEIGHT):
        row = [WHITE] * WIDTH
        for x in range(BAND):
            c = disc_pixel(x, y)
            if c is None:
                c = NAVY if in_swoosh(x, y) else band_ground(x, y)
            row[x] = c
        rows.append(row)
    return rows


def rle8_encode(rows):
    """BI_RLE8 bits for rows given top-down; BMP rows run bottom-up."""
    out = bytearray()
    for row in reversed(rows):
        n = len(row)
        i = 0
        while i < n:
            j = i
            while j < n and j - i < 255 and row[j] == row[i]:
                j += 1
            if j - i >= 2:
                out += bytes((j - i, row[i]))
                i = j
                continue
            # A stretch that does not repeat, up to the next run of three.
            k = i
            while k < n and k - i < 255:
                if k + 2 < n and row[k] == row[k + 1] == row[k + 2]:
                    break
                k += 1
            if k - i >= 3:
                out += bytes((0, k - i)) + bytes(row[i:k])
                if (k - i) & 1:
                    out.append(0)
            else:
                for p in row[i:k]:
                    out += bytes((1, p))
            i = k
        out += b'\x00\x00'
    out += b'\x00\x01'
    return bytes(out)


def bmp_file(width, height, palette, compression, bits, clr_used):
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
    offset = 14 + 40 + len(pal)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 8, compression,
                       len(bits), 3780, 3780, clr_used, 0)
    head = struct.pack('<2sIHHI', b'BM', offset + len(bits), 0, 0, offset)
    return head + info + pal + bits


def completion_bmp(rows):
    return bmp_file(WIDTH, HEIGHT, PALETTE5, 1, rle8_encode(rows), len(PALETTE5))


def completion_rtl_bmp(rows):
    stride = (WIDTH + 3) & ~3
    bits = bytearray()
    for row in reversed(rows):
        bits += bytes(reversed(row))
        bits += bytes(stride - WIDTH)
    palette = PALETTE5 + [(0, 0, 0)] * (256 - len(PALETTE5))
    return bmp_file(WIDTH, HEIGHT, palette, 0, bytes(bits), 256)


def preview(rows, path):
    im = Image.new('P', (WIDTH, HEIGHT))
    im.putpalette([c for rgb in PALETTE5 for c in rgb])
    im.putdata([p for row in rows for p in row])
    im.convert('RGB').save(path)


# ---------------------------------------------------------------------------
# File icon: an open cardboard box with a disc in its case standing before it.
# The scene is built in 3-D (Z up), projected, drawn large and scaled down.

PHI = math.radians(34.0)    # turn of the scene about the vertical
ELEV = math.radians(26.0)   # how far the viewer looks down


def project(p):
    x, y, z = p
    xr = x * math.cos(PHI) - y * math.sin(PHI)
    yr = x * math.sin(PHI) + y * math.cos(PHI)
    return (xr, yr * math.sin(ELEV) - z * math.cos(ELEV))


def add(*vs):
    return tuple(sum(c) for c in zip(*vs))


def mul(v, k):
    return tuple(c * k for c in v)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


# Box: W along X, D along Y, H tall; flaps open outwards.
BOX_W, BOX_D, BOX_H = 100.0, 72.0, 66.0
BOX_AT = (0.0, 0.0, 0.0)
FLAP_LEAN = {'left': 38.0, 'back': 14.0, 'right': 40.0, 'front': 40.0}   # degrees from upright

# Disc case: width, height, thickness; stands on the ground before the box's front left.
CASE_W, CASE_H, CASE_T = 82.0, 74.0, 9.0
CASE_AT = (-20.0, BOX_D + 40.0, 0.0)

CARD_FRONT = (222, 176, 112)
CARD_SIDE = (184, 136, 78)
CARD_INNER_BACK = (150, 106, 58)
CARD_INNER_SIDE = (128, 88, 46)
CARD_FLOOR = (104, 72, 38)
CARD_FLAP_OUT = (232, 192, 130)
CARD_FLAP_IN = (196, 150, 90)
CARD_LINE = (104, 66, 30)

CASE_LINE = (26, 32, 46)


def box_point(x, y, z):
    return add(BOX_AT, (x, y, z))


def box_flaps():
    W, D, H = BOX_W, BOX_D, BOX_H
    P = box_point
    return {
        'left': flap(P(0, 0, H), P(0, D, H), (-1, 0, 0), D * 0.5, FLAP_LEAN['left']),
        'back': flap(P(0, 0, H), P(W, 0, H), (0, -1, 0), W * 0.36, FLAP_LEAN['back']),
        'right': flap(P(W, 0, H), P(W, D, H), (1, 0, 0), D * 0.5, FLAP_LEAN['right']),
        'front': flap(P(0, D, H), P(W, D, H), (0, 1, 0), W * 0.36, FLAP_LEAN['front']),
    }


def flap(hinge_a, hinge_b, outward, length, lean):
    """A flap hinged on a-b, leaning `lean` degrees from upright towards `outward`."""
    t = math.radians(lean)
    d = add(mul((0.0, 0.0, 1.0), math.cos(t) * length), mul(outward, math.sin(t) * length))
    return [hinge_a, hinge_b, add(hinge_b, d), add(hinge_a, d)]


def case_frame():
    """Origin and unit axes of the disc case: a along its width, b up, n towards the viewer."""
    turn = math.radians(12.0)
    lean = math.radians(9.0)
    psi = PHI - turn
    a = (math.cos(psi), -math.sin(psi), 0.0)
    n0 = (math.sin(psi), math.cos(psi), 0.0)
    b = add(mul((0.0, 0.0, 1.0), math.cos(lean)), mul(n0, -math.sin(lean)))
    n = add(mul((0.0, 0.0, 1.0), math.sin(lean)), mul(n0, math.cos(lean)))
    return CASE_AT, a, b, n


def case_point(u, v, w=0.0):
    o, a, b, n = case_frame()
    return add(o, mul(a, u), mul(b, v), mul(n, w))


class Painter:
    """Draws projected polygons on a large RGBA canvas."""

    def __init__(self, size, ss, fit):
        self.size = size
        self.ss = ss
        self.px = size * ss
        self.scale, self.ox, self.oy = fit(self.px)
        self.im = Image.new('RGBA', (self.px, self.px), (0, 0, 0, 0))
        # Outlines stay about one target pixel wide at every size.
        self.line = max(1, int(round(ss * (0.9 if size <= 32 else 1.1 if size <= 48 else size / 72.0))))

    def xy(self, p3):
        u, v = project(p3)
        return (self.ox + u * self.scale, self.oy + v * self.scale)

    def layer(self, pts, fill, alpha=255, grad=None):
        """Composite one filled polygon; grad = (colour, p3 from, p3 to) shades along a line."""
        xy = [self.xy(p) for p in pts]
        mask = Image.new('L', self.im.size, 0)
        ImageDraw.Draw(mask).polygon(xy, fill=alpha)
        if grad is None:
            paint = Image.new('RGBA', self.im.size, fill + (255,))
        else:
            paint = self.gradient(fill, grad[0], self.xy(grad[1]), self.xy(grad[2]))
        paint.putalpha(mask)
        self.im.alpha_composite(paint)

    def gradient(self, c0, c1, p0, p1):
        # A linear ramp, built small and stretched: cheap and smooth.
        n = 64
        ramp = Image.new('RGBA', (n, n))
        dx, dy = p1[0] - p0[0], p1[1] - p0[1]
        dd = dx * dx + dy * dy or 1.0
        step = self.px / float(n)
        data = []
        for j in range(n):
            for i in range(n):
                x, y = (i + 0.5) * step, (j + 0.5) * step
                t = ((x - p0[0]) * dx + (y - p0[1]) * dy) / dd
                data.append(mix(c0, c1, min(1.0, max(0.0, t))) + (255,))
        ramp.putdata(data)
        return ramp.resize(self.im.size, Image.Resampling.BILINEAR)

    def outline(self, pts, colour, closed=True, width=None):
        xy = [self.xy(p) for p in pts]
        if closed:
            xy = xy + xy[:1]
        d = ImageDraw.Draw(self.im)
        d.line(xy, fill=colour + (255,), width=width or self.line, joint='curve')
        r = (width or self.line) / 2.0
        for x, y in xy:
            d.ellipse((x - r, y - r, x + r, y + r), fill=colour + (255,))

    def poly(self, pts, fill, line=None, alpha=255, grad=None):
        self.layer(pts, fill, alpha, grad)
        if line is not None:
            self.outline(pts, line)

    def result(self):
        small = self.im.convert('RGBa').resize((self.size, self.size), Image.Resampling.BOX)
        return small.convert('RGBA')


def circle3(centre, ax, ay, r, n=96, start=0.0, end=2 * math.pi):
    pts = []
    for i in range(n + 1):
        t = start + (end - start) * i / n
        pts.append(add(centre, mul(ax, r * math.cos(t)), mul(ay, r * math.sin(t))))
    return pts


def scene(p, detail):
    W, D, H = BOX_W, BOX_D, BOX_H
    P = box_point
    line = CARD_LINE

    # A soft shadow on the ground; too faint to survive in the 16 and 256 colour images.
    shadow = Image.new('L', p.im.size, 0)
    cx, cy = p.xy(P(W * 0.5, D * 0.6, 0.0))
    ImageDraw.Draw(shadow).ellipse((cx - p.scale * 78, cy - p.scale * 26,
                                    cx + p.scale * 70, cy + p.scale * 30), fill=70)
    shadow = shadow.filter(ImageFilter.GaussianBlur(p.scale * 7))
    dark = Image.new('RGBA', p.im.size, (40, 28, 16, 255))
    dark.putalpha(shadow)
    p.im.alpha_composite(dark)

    # Back flaps first: behind everything else.
    flaps = box_flaps()
    back_left, back = flaps['left'], flaps['back']
    p.poly(back, CARD_FLAP_IN, line, grad=((150, 108, 60), P(0, 0, H + 40), P(0, 0, H)))
    p.poly(back_left, CARD_FLAP_IN, line, grad=(CARD_FLAP_OUT, back_left[3], P(0, 0, H)))

    # Inside: floor and the two far walls.
    p.poly([P(0, 0, 0), P(W, 0, 0), P(W, D, 0), P(0, D, 0)], CARD_FLOOR)
    p.poly([P(0, 0, 0), P(W, 0, 0), P(W, 0, H), P(0, 0, H)], CARD_INNER_BACK, line,
           grad=((84, 58, 30), P(0, 0, H), P(0, 0, H * 0.2)))
    p.poly([P(0, 0, 0), P(0, D, 0), P(0, D, H), P(0, 0, H)], CARD_INNER_SIDE, line,
           grad=((74, 50, 26), P(0, 0, H), P(0, D * 0.6, H * 0.2)))

    # Outer walls facing the viewer.
    front = [P(0, D, 0), P(W, D, 0), P(W, D, H), P(0, D, H)]
    side = [P(W, 0, 0), P(W, D, 0), P(W, D, H), P(W, 0, H)]
    p.poly(side, CARD_SIDE, line, grad=((156, 112, 60), P(W, D, H), P(W, 0, 0)))
    p.poly(front, CARD_FRONT, line, grad=((200, 152, 90), P(0, D, H), P(W, D, 0)))
    if detail:
        # A printed label on the front wall.
        lx0, lx1, lz0, lz1 = W * 0.52, W * 0.9, H * 0.52, H * 0.82
        p.poly([P(lx0, D, lz0), P(lx1, D, lz0), P(lx1, D, lz1), P(lx0, D, lz1)], (250, 246, 236), line)
        for k, (a, b) in enumerate(((0.14, 0.86), (0.14, 0.62))):
            z = lz1 - (lz1 - lz0) * (0.35 + 0.32 * k)
            p.outline([P(lx0 + (lx1 - lx0) * a, D, z), P(lx0 + (lx1 - lx0) * b, D, z)], (150, 150, 160),
                      closed=False, width=max(1, p.line))
        # Edge of the cardboard where front and side meet catches the light.
        p.outline([P(W, D, 0.5), P(W, D, H - 0.5)], (236, 196, 138), closed=False, width=max(1, p.line // 2))

    # Front flaps, leaning out over the walls.
    right, frontf = flaps['right'], flaps['front']
    p.poly(right, CARD_FLAP_OUT, line, grad=((208, 162, 100), right[3], P(W, D, H)))
    p.poly(frontf, CARD_FLAP_OUT, line, grad=((246, 212, 156), frontf[3], P(0, D, H)))

    disc_case(p, detail)


def disc_case(p, detail):
    Cw, Ch, Ct = CASE_W, CASE_H, CASE_T
    q = case_point
    spine = Cw * 0.11

    # The edge faces: right side and top, seen past the front.
    p.poly([q(Cw, 0, 0), q(Cw, 0, -Ct), q(Cw, Ch, -Ct), q(Cw, Ch, 0)], (120, 132, 150), CASE_LINE)
    p.poly([q(0, Ch, 0), q(Cw, Ch, 0), q(Cw, Ch, -Ct), q(0, Ch, -Ct)], (176, 186, 200), CASE_LINE)

    # The tray behind the disc, dark.
    p.poly([q(0, 0), q(Cw, 0), q(Cw, Ch), q(0, Ch)], (44, 52, 70), None,
           grad=((78, 90, 112), q(Cw, Ch), q(0, 0)))

    # The disc: a silver ring with a soft rainbow sheen, and a clear hub.
    _, a, b, _ = case_frame()
    centre = q(spine + (Cw - spine) * 0.5, Ch * 0.5, 0.5)
    r = min(Cw - spine, Ch) * 0.47
    steps = 72
    for i in range(steps):
        t0 = 2 * math.pi * i / steps
        t1 = 2 * math.pi * (i + 1) / steps
        tm = 0.5 * (t0 + t1)
        glint = 0.5 + 0.5 * math.cos(2 * (tm - math.radians(50)))
        hue = (math.degrees(tm) * 2.0) % 360.0
        tint = hsv(hue, 0.35, 1.0)
        base = mix((150, 158, 172), (246, 248, 252), glint)
        colour = mix(base, tint, 0.25 + 0.2 * glint)
        outer = [add(centre, mul(a, r * math.cos(t)), mul(b, r * math.sin(t))) for t in (t0, t1 + 0.002)]
        inner = [add(centre, mul(a, r * 0.36 * math.cos(t)), mul(b, r * 0.36 * math.sin(t))) for t in (t1 + 0.002, t0)]
        p.layer(outer + inner, colour)
    p.outline(circle3(centre, a, b, r), (96, 104, 120))
    p.poly(circle3(centre, a, b, r * 0.36), (206, 214, 226), None)
    p.poly(circle3(centre, a, b, r * 0.24), (236, 240, 246), None)
    p.poly(circle3(centre, a, b, r * 0.11), (44, 52, 70), None)
    if detail:
        p.outline(circle3(centre, a, b, r * 0.36), (150, 158, 172), width=max(1, p.line // 2))

    # The spine along the left.
    p.poly([q(0, 0, 0.8), q(spine, 0, 0.8), q(spine, Ch, 0.8), q(0, Ch, 0.8)], (34, 40, 56), None,
           grad=((70, 80, 100), q(0, 0, 0.8), q(spine, 0, 0.8)))

    # The clear lid with a glare band across it.
    p.poly([q(0, 0, 1), q(Cw, 0, 1), q(Cw, Ch, 1), q(0, Ch, 1)], (220, 232, 246), None, alpha=34)
    p.layer([q(Cw * 0.30, Ch, 1), q(Cw * 0.58, Ch, 1), q(Cw * 0.18, 0, 1), q(-Cw * 0.10, 0, 1)],
            (255, 255, 255), alpha=70)
    p.outline([q(0, 0, 1), q(Cw, 0, 1), q(Cw, Ch, 1), q(0, Ch, 1)], CASE_LINE)
    p.outline([q(spine, 0.8, 1), q(spine, Ch - 0.8, 1)], (16, 20, 30), closed=False, width=max(1, p.line // 2 + 1))


def hsv(h, s, v):
    r, g, b = colorsys.hsv_to_rgb(h / 360.0, s, v)
    return (int(r * 255), int(g * 255), int(b * 255))


def scene_bounds():
    pts = []
    W, D, H = BOX_W, BOX_D, BOX_H
    for x in (0, W):
        for y in (0, D):
            for z in (0, H):
                pts.append(box_point(x, y, z))
    for f in box_flaps().values():
        pts += f
    for u in (0, CASE_W):
        for v in (0, CASE_H):
            for w in (0, -CASE_T):
                pts.append(case_point(u, v, w))
    uv = [project(q) for q in pts]
    return (min(u for u, _ in uv), min(v for _, v in uv), max(u for u, _ in uv), max(v for _, v in uv))


def fit_for(margin):
    u0, v0, u1, v1 = scene_bounds()

    def fit(px):
        avail = px * (1.0 - 2.0 * margin)
        scale = avail / max(u1 - u0, v1 - v0)
        ox = (px - (u1 - u0) * scale) / 2.0 - u0 * scale
        oy = (px - (v1 - v0) * scale) / 2.0 - v0 * scale
        return scale, ox, oy
    return fit


def render_icon(size):
    ss = 4 if size >= 128 else 8
    margin = 0.03 if size >= 48 else 0.0
    p = Painter(size, ss, fit_for(margin))
    scene(p, size >= 48)
    return p.result()


def opaque(rgba):
    return [a >= 128 for (_, _, _, a) in rgba.getdata()]


def quantise(rgba, colours):
    """Palette (index 0 black, for the transparent pixels) and indices, no dithering."""
    solid = opaque(rgba)
    pixels = [px[:3] for px, on in zip(rgba.getdata(), solid) if on]
    sample = Image.new('RGB', (len(pixels), 1))
    sample.putdata(pixels)
    q = sample.quantize(colors=colours - 1, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    flat = q.getpalette()[:3 * (colours - 1)]
    found = [tuple(flat[i:i + 3]) for i in range(0, len(flat), 3)]
    palette = [(0, 0, 0)] + found + [(0, 0, 0)] * (colours - 1 - len(found))
    cache = {}
    indices = []
    for px, on in zip(rgba.getdata(), solid):
        if not on:
            indices.append(0)
            continue
        c = px[:3]
        if c not in cache:
            cache[c] = min(range(1, len(found) + 1),
                           key=lambda i: (sum((c[k] - palette[i][k]) ** 2 for k in range(3)), i))
        indices.append(cache[c])
    return palette, indices


def and_mask(rgba):
    size = rgba.width
    stride = ((size + 31) // 32) * 4
    solid = opaque(rgba)
    out = bytearray()
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x in range(size):
            if not solid[y * size + x]:
                row[x >> 3] |= 0x80 >> (x & 7)
        out += row
    return bytes(out)


def icon_dib(rgba, bpp):
    """One icon image: BITMAPINFOHEADER with doubled height, colours, XOR bits, AND mask."""
    size = rgba.width
    mask = and_mask(rgba)
    pal = b''
    xor = bytearray()
    if bpp == 32:
        data = list(rgba.getdata())
        for y in reversed(range(size)):
            for r, g, b, a in data[y * size:(y + 1) * size]:
                xor += bytes((b, g, r, a) if a else (0, 0, 0, 0))
    else:
        palette, idx = quantise(rgba, 1 << bpp)
        pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
        stride = ((size * bpp + 31) // 32) * 4
        for y in reversed(range(size)):
            row = bytearray(stride)
            for x in range(size):
                i = idx[y * size + x]
                if bpp == 8:
                    row[x] = i
                else:
                    row[x >> 1] |= i << (4 if x % 2 == 0 else 0)
            xor += row
    head = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return head + pal + bytes(xor) + mask


def png_bytes(rgba):
    buf = io.BytesIO()
    rgba.save(buf, 'PNG', optimize=False, compress_level=9)
    return buf.getvalue()


def setup_ico():
    art = {size: render_icon(size) for size in (256, 48, 32, 16)}
    images = []   # (size, bpp, bytes)
    for bpp in (4, 8, 32):
        for size in (48, 32, 16):
            images.append((size, bpp, icon_dib(art[size], bpp)))
    images.append((256, 32, png_bytes(art[256])))
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b''
    for size, bpp, data in images:
        out += struct.pack('<BBBBHHII', size & 0xFF, size & 0xFF, 16 if bpp == 4 else 0, 0, 1, bpp,
                           len(data), offset + len(body))
        body += data
    return out + body, art


def write(name, data):
    path = os.path.join(RES_DIR, name)
    with open(path, 'wb') as f:
        f.write(data)
    print('%s: %d bytes' % (path, len(data)))


def main(argv):
    """make_art.py [--preview DIR]: also writes PNG previews into DIR."""
    preview_dir = None
    if len(argv) == 3 and argv[1] == '--preview':
        preview_dir = argv[2]
    elif len(argv) != 1:
        sys.stderr.write('usage: make_art.py [--preview DIR]\n')
        return 2
    rows = completion_pixels()
    write('completion.bmp', completion_bmp(rows))
    write('completion_rtl.bmp', completion_rtl_bmp(rows))
    ico, art = setup_ico()
    write('setup.ico', ico)
    if preview_dir:
        preview(rows, os.path.join(preview_dir, 'completion.png'))
        for size, im in art.items():
            im.save(os.path.join(preview_dir, 'icon%d.png' % size))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
