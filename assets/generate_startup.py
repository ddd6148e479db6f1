#!/usr/bin/env python3
"""Generate the start-up screen of the Valdris 1880 character creator.

Usage:
    python3 assets/generate_startup.py

Writes, relative to this script's folder:
    startup/101.png  the start-up picture, 286 x 279 RGBA: a brass-rimmed cartouche
                     under a top hat, with the title banner, the resting looks of the
                     two picture buttons and a silhouette portrait
    startup/102.png  the two lit button pictures side by side, 128 x 93 RGBA:
                     "create" in columns 0..63, "edit" in columns 64..127
    startup/101@2x.png, startup/102@2x.png  both pictures at twice the size, for
                     screens of twice the pixel density
    startup/101.txt  the window shape: the opaque pixels (alpha >= 128) of 101.png as
                     horizontal bands "left,top,right,bottom," (right and bottom
                     exclusive), row by row, left to right, on one line

Standard library only; the output is deterministic. The shape is derived from the
very picture written in the same run, so picture and outline cannot drift apart.
"""
import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from generate_assets import feather, sd_circle, sd_ellipse  # noqa: E402  (one drawing for both)
import palette  # noqa: E402

W, H = 286, 279
# The picture buttons' areas in window pixels (left, top, width, height) and the
# top-left corners of their lit pictures, centred over them as the program places them.
BUTTON_AREAS = [(32, 128, 57, 97), (112, 128, 57, 97)]
LIT_W, LIT_H = 64, 93
LIT_POS = [(x + int((w - LIT_W) / 2), y + int((h - LIT_H) / 2)) for x, y, w, h in BUTTON_AREAS]


def rgb(hexcode):
    return tuple(int(hexcode[i:i + 2], 16) / 255 for i in (1, 3, 5))


# Palette: sepia ink, brass, oxblood, parchment (as the icons), with a few shades.
INK = rgb(palette.INK)
INK_SOFT = rgb('#7d6450')
BRASS = rgb(palette.BRASS)
BRASS_DARK = rgb('#7c5a1e')
BRASS_LIGHT = rgb('#d9ad55')
GOLD = rgb('#f2c867')
OXBLOOD = rgb(palette.OXBLOOD)
OXBLOOD_DARK = rgb('#561815')
PAPER = rgb(palette.PAPER)
PAPER_DARK = rgb(palette.PAPER_DARK)
PAPER_LIGHT = rgb('#fffaeb')


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def smoothstep(a, b, v):
    t = clamp((v - a) / (b - a))
    return t * t * (3 - 2 * t)


def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


# --------------------------------------------------------------------------
# Shapes as signed distances (negative inside) with a bounding box
# --------------------------------------------------------------------------

class Shape:
    def __init__(self, f, bbox):
        self.f = f
        self.bbox = bbox

    def __or__(self, other):
        f, g = self.f, other.f
        (a0, b0, a1, b1), (c0, d0, c1, d1) = self.bbox, other.bbox
        return Shape(lambda x, y: min(f(x, y), g(x, y)),
                     (min(a0, c0), min(b0, d0), max(a1, c1), max(b1, d1)))

    def __and__(self, other):
        f, g = self.f, other.f
        (a0, b0, a1, b1), (c0, d0, c1, d1) = self.bbox, other.bbox
        return Shape(lambda x, y: max(f(x, y), g(x, y)),
                     (max(a0, c0), max(b0, d0), min(a1, c1), min(b1, d1)))

    def grow(self, r):
        f = self.f
        x0, y0, x1, y1 = self.bbox
        return Shape(lambda x, y: f(x, y) - r, (x0 - r, y0 - r, x1 + r, y1 + r))

    def inner_ring(self, width):
        """The band of the given width just inside the outline."""
        f = self.f
        return Shape(lambda x, y: max(f(x, y), -f(x, y) - width), self.bbox)

    def line(self, width):
        """The outline itself, drawn with a pen of the given width."""
        f = self.f
        x0, y0, x1, y1 = self.bbox
        h = width / 2
        return Shape(lambda x, y: abs(f(x, y)) - h, (x0 - h, y0 - h, x1 + h, y1 + h))


def seg_dist(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy or 1))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def bbox_of(points, pad=0.0):
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return (min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad)


def circle(cx, cy, r):
    return Shape(sd_circle(cx, cy, r), (cx - r, cy - r, cx + r, cy + r))


def ellipse(cx, cy, rx, ry):
    return Shape(sd_ellipse(cx, cy, rx, ry), (cx - rx, cy - ry, cx + rx, cy + ry))


def superellipse(cx, cy, a, b, n):
    """|x/a|^n + |y/b|^n = 1: an oval with fuller shoulders; distance to first order."""
    def f(x, y):
        u, v = abs(x - cx) / a, abs(y - cy) / b
        s = u ** n + v ** n
        if s == 0:
            return -min(a, b)
        r = s ** (1 / n)
        gx = r ** (1 - n) * u ** (n - 1) / a
        gy = r ** (1 - n) * v ** (n - 1) / b
        return (r - 1) / math.hypot(gx, gy)
    return Shape(f, (cx - a, cy - b, cx + a, cy + b))


def box(x0, y0, x1, y1, r=0.0):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def f(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r
    return Shape(f, (x0, y0, x1, y1))


def polygon(points):
    n = len(points)
    segs = [(points[i][0], points[i][1], points[(i + 1) % n][0], points[(i + 1) % n][1])
            for i in range(n)]

    def f(x, y):
        d = min(seg_dist(x, y, *s) for s in segs)
        inside = False
        for ax, ay, bx, by in segs:
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
        return -d if inside else d
    return Shape(f, bbox_of(points))


def strokes(lines):
    """Pen strokes: a list of (points, width); the union of round-capped polylines."""
    segs = [(a[0], a[1], b[0], b[1], w / 2) for pts, w in lines for a, b in zip(pts, pts[1:])]
    pad = max(w for _, w in lines) / 2
    bbox = bbox_of([p for pts, _ in lines for p in pts], pad)
    return Shape(lambda x, y: min(seg_dist(x, y, ax, ay, bx, by) - h for ax, ay, bx, by, h in segs),
                 bbox)


def cubic(p0, p1, p2, p3, n=10):
    out = []
    for i in range(n + 1):
        t = i / n
        s = 1 - t
        out.append((s * s * s * p0[0] + 3 * s * s * t * p1[0] + 3 * s * t * t * p2[0] + t * t * t * p3[0],
                    s * s * s * p0[1] + 3 * s * s * t * p1[1] + 3 * s * t * t * p2[1] + t * t * t * p3[1]))
    return out


def path(start, *curves, n=10):
    """A polyline from start through cubic curves, each given as three points."""
    pts = [start]
    for c1, c2, end in curves:
        pts += cubic(pts[-1], c1, c2, end, n)[1:]
    return pts


def arc(cx, cy, rx, ry, a0, a1, n=16):
    """Points on an elliptic arc from angle a0 to a1 (degrees, 0 = right, 90 = down)."""
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


def placer(ox, oy, scale=1.0, angle=0.0):
    """Maps local points: scale, rotate by angle degrees, move to (ox, oy)."""
    c, s = math.cos(math.radians(angle)) * scale, math.sin(math.radians(angle)) * scale
    return lambda pts: [(ox + c * x - s * y, oy + s * x + c * y) for x, y in pts]


# --------------------------------------------------------------------------
# Canvas: premultiplied RGBA floats, painted with antialiased shapes
# --------------------------------------------------------------------------

class Canvas:
    """Shapes are drawn in picture units; a scale of 2 gives twice as many pixels
    each way, for screens of twice the pixel density."""
    def __init__(self, w, h, scale=1):
        self.scale = scale
        self.w, self.h = w * scale, h * scale
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(self.w * self.h)]

    def paint(self, shape, color, opacity=1.0, feather=0.0):
        """Fills the shape; color is (r, g, b) or f(x, y) -> (r, g, b). A feather wider
        than a pixel gives a soft edge (for glows)."""
        n = self.scale
        x0, y0, x1, y1 = shape.bbox
        x0, y0 = max(0, math.floor((x0 - feather - 1) * n)), max(0, math.floor((y0 - feather - 1) * n))
        x1, y1 = min(self.w, math.ceil((x1 + feather + 1) * n)), min(self.h, math.ceil((y1 + feather + 1) * n))
        f = shape.f
        for y in range(y0, y1):
            for x in range(x0, x1):
                px, py = (x + 0.5) / n, (y + 0.5) / n
                d = f(px, py)
                if feather > 0:
                    cover = 1 - smoothstep(-0.5 / n, feather, d)
                else:
                    cover = clamp(0.5 - d * n)
                if cover <= 0:
                    continue
                a = cover * opacity
                c = color(px, py) if callable(color) else color
                p = self.px[y * self.w + x]
                k = 1 - a
                p[0] = c[0] * a + p[0] * k
                p[1] = c[1] * a + p[1] * k
                p[2] = c[2] * a + p[2] * k
                p[3] = a + p[3] * k

    def outlined(self, shape, fill, pen=1.5, ink=INK):
        """A filled shape with its outline drawn just inside its edge."""
        self.paint(shape, fill)
        self.paint(shape.inner_ring(pen), ink)

    def rgba_rows(self, alpha_of=None):
        """8-bit straight RGBA rows; alpha_of(x, y) may override the alpha."""
        rows = []
        for y in range(self.h):
            row = bytearray()
            for x in range(self.w):
                r, g, b, a = self.px[y * self.w + x]
                if alpha_of is not None:
                    target = alpha_of(x, y)
                    # Whatever the layers left uncovered inside the outline is ink.
                    r, g, b = (r + INK[0] * (1 - a), g + INK[1] * (1 - a), b + INK[2] * (1 - a))
                    a = 1.0
                    if target == 0:
                        r = g = b = a = 0.0
                if a > 0:
                    r, g, b = r / a, g / a, b / a
                row += bytes(int(round(clamp(v) * 255)) for v in (r, g, b, a))
            rows.append(row)
        return rows


# --------------------------------------------------------------------------
# Lettering: an engraver's capitals drawn as pen strokes on a 10-unit cap height
# --------------------------------------------------------------------------

def _glyphs():
    thin = 0.55  # serifs and hairlines, relative to the main stroke
    g = {}
    g['A'] = (7, [([(0, 10), (3.5, 0), (7, 10)], 1), ([(1.6, 6.4), (5.4, 6.4)], thin),
                  ([(-1, 10), (1.4, 10)], thin), ([(5.6, 10), (8, 10)], thin)])
    g['C'] = (6.6, [(arc(3.7, 5, 3.7, 5, -40, -320, 24), 1), ([(6.2, 0.6), (6.2, 2.6)], thin)])
    g['D'] = (7, [([(0.5, 0), (0.5, 10)], 1),
                  ([(-0.6, 0), (3, 0)] + arc(3, 5, 3.9, 5, -90, 90, 18) + [(3, 10), (-0.6, 10)], 1)])
    g['E'] = (6, [([(5.6, 1.6), (5.6, 0), (0.5, 0), (0.5, 10), (5.8, 10), (5.8, 8.2)], 1),
                  ([(-0.6, 0), (0.5, 0)], 1), ([(-0.6, 10), (0.5, 10)], 1),
                  ([(0.5, 5), (4.2, 5)], thin), ([(4.2, 4), (4.2, 6)], thin)])
    g['H'] = (6.8, [([(0.5, 0), (0.5, 10)], 1), ([(6.3, 0), (6.3, 10)], 1), ([(0.5, 5), (6.3, 5)], thin),
                    ([(-0.7, 0), (1.7, 0)], thin), ([(-0.7, 10), (1.7, 10)], thin),
                    ([(5.1, 0), (7.5, 0)], thin), ([(5.1, 10), (7.5, 10)], thin)])
    g['I'] = (2, [([(1, 0), (1, 10)], 1), ([(-0.2, 0), (2.2, 0)], thin), ([(-0.2, 10), (2.2, 10)], thin)])
    g['L'] = (5.8, [([(0.5, 0), (0.5, 10), (5.8, 10), (5.8, 8.2)], 1), ([(-0.7, 0), (1.7, 0)], thin),
                    ([(-0.7, 10), (0.5, 10)], thin)])
    g['N'] = (6.8, [([(0.5, 10), (0.5, 0), (6.3, 10), (6.3, 0)], 1),
                    ([(-0.7, 10), (1.7, 10)], thin), ([(5.1, 0), (7.5, 0)], thin)])
    g['O'] = (7.4, [(arc(3.7, 5, 3.7, 5, 0, 360, 28), 1)])
    g['R'] = (7, [([(0.5, 0), (0.5, 10)], 1),
                  ([(-0.6, 0), (3.4, 0)] + arc(3.4, 2.6, 2.9, 2.6, -90, 90, 12) + [(3.4, 5.2), (0.5, 5.2)], 1),
                  ([(3.2, 5.2), (6.4, 10), (7.4, 10)], 1), ([(-0.7, 10), (1.7, 10)], thin)])
    g['S'] = (6.2, [(path((5.8, 1.7), ((5.2, 0.4), (4.1, 0), (3.1, 0)), ((1.4, 0), (0.3, 1), (0.3, 2.6)),
                          ((0.3, 4.4), (2.2, 4.8), (3.3, 5.1)), ((4.9, 5.5), (6, 6.2), (6, 7.6)),
                          ((6, 9.1), (4.8, 10), (3, 10)), ((1.8, 10), (0.6, 9.5), (0, 8.2))), 1)])
    g['T'] = (6.4, [([(0, 1.6), (0, 0), (6.4, 0), (6.4, 1.6)], 1), ([(3.2, 0), (3.2, 10)], 1),
                    ([(2, 10), (4.4, 10)], thin)])
    g['U'] = (6.8, [([(0.5, 0), (0.5, 6.6)] + arc(3.4, 6.6, 2.9, 3.4, 180, 0, 14) + [(6.3, 6.6), (6.3, 0)], 1),
                    ([(-0.7, 0), (1.7, 0)], thin), ([(5.1, 0), (7.5, 0)], thin)])
    g['V'] = (7, [([(0, 0), (3.5, 10), (7, 0)], 1), ([(-1, 0), (1.4, 0)], thin), ([(5.6, 0), (8, 0)], thin)])
    g['0'] = (6, [(arc(3, 5, 3, 5, 0, 360, 28), 1)])
    g['1'] = (4.6, [([(0.6, 2.2), (2.8, 0), (2.8, 10)], 1), ([(1, 10), (4.6, 10)], thin)])
    g['8'] = (6, [(arc(3, 2.6, 2.5, 2.6, 90, 450, 20), 1), (arc(3, 7.5, 3, 2.5, -90, 270, 22), 1)])
    g[' '] = (4, [])
    g['-'] = (4, [([(0.5, 5.5), (3.5, 5.5)], thin)])
    return g


GLYPHS = _glyphs()


def text_width(text, cap, tracking):
    unit = cap / 10
    return sum(GLYPHS[ch][0] * unit for ch in text) + tracking * (len(text) - 1)


def lettering(text, cx, top, cap, pen, tracking, warp=None):
    """Shapes of the letters of a line centred on cx. warp(x, y) -> (x, y) may bend the line."""
    unit = cap / 10
    x = cx - text_width(text, cap, tracking) / 2
    shapes = []
    for ch in text:
        advance, lines = GLYPHS[ch]
        placed = []
        for pts, weight in lines:
            mapped = [(x + px * unit, top + py * unit) for px, py in pts]
            if warp:
                mapped = [warp(*p) for p in mapped]
            placed.append((mapped, pen * weight))
        if placed:
            shapes.append(strokes(placed))
        x += advance * unit + tracking
    return shapes


# --------------------------------------------------------------------------
# The two button icons (32 x 32 at scale 1), drawn at origin (ox, oy)
# --------------------------------------------------------------------------

def startup_feather(nib, tip, width):
    """The quill of the create button: a little slimmer than the icons' quills."""
    return feather(nib, tip, width, steps=12, start=0.25, back=0.55)


def icon_create(cv, ox, oy, s, bright=False):
    """A blank sheet with a quill writing on it and a brass seal with a plus."""
    P = placer(ox, oy, s)
    paper = PAPER_LIGHT if bright else PAPER
    sheet = P([(4, 3), (19, 3), (25, 9), (25, 29), (4, 29)])
    cv.outlined(polygon(sheet), paper, 1.7 * s)
    cv.outlined(polygon(P([(19, 3), (19, 9), (25, 9)])), PAPER_DARK, 1.4 * s)
    cv.paint(strokes([(P([(8, 22), (12, 22)]), 1.3 * s)]), INK_SOFT)
    quill = P(startup_feather((10, 25), (30, 2), 5.2))
    cv.outlined(polygon(quill), PAPER_LIGHT if bright else rgb('#fbf4e2'), 1.4 * s)
    cv.paint(strokes([(P([(10.5, 24.4), (26.5, 6)]), 1.2 * s)]), INK)
    cv.paint(strokes([(P([(10, 25), (12.6, 22)]), 2.2 * s)]), BRASS_LIGHT if bright else BRASS)
    seal = circle(*P([(8.5, 8.5)])[0], 5.6 * s)
    cv.outlined(seal, BRASS_LIGHT if bright else BRASS, 1.4 * s)
    cv.paint(strokes([(P([(8.5, 5.6), (8.5, 11.4)]), 1.6 * s), (P([(5.6, 8.5), (11.4, 8.5)]), 1.6 * s)]),
             OXBLOOD)


def icon_edit(cv, ox, oy, s, bright=False):
    """An open ledger with written lines and an oxblood ribbon marker."""
    P = placer(ox, oy, s)
    paper = PAPER_LIGHT if bright else PAPER
    cover = path((1, 9), ((8, 6.5), (13, 7), (16, 9.5)), ((19, 7), (24, 6.5), (31, 9)))
    cover += [(31, 27.5)] + path((31, 27.5), ((24, 25.5), (19, 26), (16, 28.5)),
                                 ((13, 26), (8, 25.5), (1, 27.5)))[1:]
    cv.outlined(polygon(P(cover)), OXBLOOD if bright else OXBLOOD_DARK, 1.5 * s)
    left = path((3, 7), ((8, 4.5), (12.5, 5), (16, 7.5)))
    left += path((16, 7.5), ((16, 13), (16, 20), (16, 26)))[1:]
    left += path((16, 26), ((12.5, 23.5), (8, 23), (3, 25)))[1:]
    right = [(32 - x, y) for x, y in left]
    cv.outlined(polygon(P(left)), paper, 1.5 * s)
    cv.outlined(polygon(P(right)), paper, 1.5 * s)
    rules = []
    for i, y in enumerate((10.5, 13.5, 16.5, 19.5)):
        rules.append((P([(5.5, y), (13, y + 0.6)]), 1.1 * s))
        if i < 3:
            rules.append((P([(19, y + 0.6), (26.5 - 2 * (i == 2), y)]), 1.1 * s))
    cv.paint(strokes(rules), INK_SOFT)
    ribbon = P([(20.5, 6.2), (23.5, 5.6), (23.5, 31), (22, 29.4), (20.5, 31)])
    cv.outlined(polygon(ribbon), OXBLOOD, 1.1 * s)
    cv.paint(strokes([(P([(16, 7.5), (16, 26)]), 1.4 * s)]), INK)


ICON_PAINTERS = [icon_create, icon_edit]
CAPTIONS = ['NEU', 'LADEN']


# --------------------------------------------------------------------------
# The start-up picture
# --------------------------------------------------------------------------

def plaque(x0, y0, x1, y1):
    """An arch-topped plaque: a box whose top is a half ellipse."""
    r = (x1 - x0) / 2
    return box(x0, y0 + r * 0.6, x1, y1, 3) | ellipse((x0 + x1) / 2, y0 + r * 0.6, r, r * 0.6 + 0.01)


def gentleman(cx, cy, s):
    """A gentleman's silhouette bust facing left, head centre at (cx, cy), scaled by s."""
    P = placer(cx, cy, s)
    face = P([(-2, -17), (-6.5, -14.5), (-8.6, -10.8), (-8.6, -9), (-7.6, -7.6), (-8.6, -6.4),
              (-13.4, -1.6), (-12.8, -0.4), (-9.4, 0.2), (-11.2, 1.2), (-11.2, 2.6), (-9.6, 2.8),
              (-10, 4), (-9, 5.4), (-10.2, 7.8), (-9, 9.8), (-4, 10.6), (4, 4), (3, -10)])
    skull = ellipse(*P([(2.6, -6.2)])[0], 10.4 * s, 11.4 * s)
    neck = P([(-5.4, 9), (-4.8, 14), (-9, 16.5), (-17, 21), (-22, 40), (24, 40), (20, 20),
              (10, 14.5), (7, 9), (6, 1)])
    whiskers = ellipse(*P([(1, 3.6)])[0], 5.4 * s, 6.4 * s)
    return polygon(face) | skull | polygon(neck) | whiskers


def collar(cx, cy, s):
    """The white collar and cravat of the silhouette."""
    P = placer(cx, cy, s)
    return [(polygon(P([(-6.5, 14.5), (-3, 20.5), (0.5, 15), (-1.5, 11.6)])), PAPER),
            (polygon(P([(-3, 20.5), (-6, 28), (-3.2, 31), (-0.4, 28)])), OXBLOOD)]


def banner_centre(x):
    """Centre line of the title ribbon: a gentle arch."""
    return 94 + 0.00085 * (x - 143) ** 2


def top_hat(cv, cx, base, angle):
    """The hat crowning the cartouche, its brim centre at (cx, base)."""
    P = placer(cx, base, 1.0, angle)
    crown = P(path((-27, -3), ((-28, -22), (-30, -42), (-28, -56)),
                   ((-10, -66), (10, -66), (28, -56)),
                   ((30, -42), (28, -22), (27, -3)), n=12))
    brim_curve = P([(x, 1.5 - 9 * (x / 46) ** 2) for x in range(-46, 47, 4)])
    brim = strokes([(brim_curve, 8)])
    band = P([(-27.6, -17), (-27, -3)] + path((27, -3), ((27.4, -8), (27.6, -12), (27.6, -17)))
             + path((27.6, -17), ((10, -20), (-10, -20), (-27.6, -17)))[1:])
    cv.outlined(polygon(crown), INK, 2)
    cv.paint(strokes([(P([(-21, -51), (-22.4, -24)]), 2.6)]), INK_SOFT)
    cv.paint(strokes([(P([(-15, -54), (-15.6, -45)]), 1.6)]), INK_SOFT)
    cv.outlined(polygon(band), OXBLOOD, 1.6)
    buckle = polygon(P([(10, -17.8), (18, -17.2), (18, -4), (10, -3.6)]))
    cv.outlined(buckle, BRASS, 1.4)
    cv.paint(polygon(P([(12.6, -14.2), (15.4, -14), (15.4, -7.2), (12.6, -7)])), INK)
    cv.outlined(brim, INK, 2)
    cv.paint(strokes([(P([(x, 3.4 - 9 * (x / 46) ** 2) for x in range(-40, 9, 4)]), 1.4)]), INK_SOFT)
    return polygon(crown) | brim


def startup_picture(scale=1):
    cv = Canvas(W, H, scale)
    silhouette = []

    # Bottom: ribbon tails behind a brass medal.
    tails = [polygon([(131, 256), (141, 262), (130, 279.5), (125, 271), (118, 277)]),
             polygon([(155, 256), (145, 262), (156, 279.5), (161, 271), (168, 277)])]
    for t in tails:
        cv.outlined(t, OXBLOOD, 1.5)
        silhouette.append(t)

    # Banner tails, folded behind the cartouche.
    for side in (-1, 1):
        def sx(x, side=side):
            return 143 + side * (x - 143)
        tail = polygon([(sx(-0.5), 100), (sx(44), 98), (sx(44), 126), (sx(-0.5), 128), (sx(13), 114)])
        cv.outlined(tail, OXBLOOD, 1.6)
        cv.paint(strokes([([(sx(8), 104.5), (sx(40), 103.5)], 1), ([(sx(8), 123.5), (sx(40), 122.5)], 1)]),
                 OXBLOOD_DARK, 0.8)
        fold = polygon([(sx(30), 98.5), (sx(44), 98), (sx(44), 126)])
        cv.outlined(fold, OXBLOOD_DARK, 1.4)
        silhouette.append(tail)

    # The cartouche: ink edge, brass rim with an engraved line, parchment field.
    outer = superellipse(143, 162, 126, 101, 3.2)
    silhouette.append(outer)
    cv.paint(outer, INK)
    rim = outer.grow(-2)
    cv.paint(rim, lambda x, y: mix(BRASS_LIGHT, BRASS, smoothstep(60, 260, y + 0.3 * x)))
    cv.paint(outer.grow(-5.2).line(0.9), BRASS_DARK)
    for i in range(64):  # rivets around the rim
        a = 2 * math.pi * i / 64
        ca, sa = math.cos(a), math.sin(a)
        u = (abs(ca) ** (2 / 3.2)) * (1 if ca >= 0 else -1)
        v = (abs(sa) ** (2 / 3.2)) * (1 if sa >= 0 else -1)
        px, py = 143 + (126 - 5.2) * u, 162 + (101 - 5.2) * v
        cv.paint(circle(px, py, 1.1), BRASS_DARK)
        cv.paint(circle(px - 0.4, py - 0.4, 0.45), GOLD)
    field = outer.grow(-9)
    cv.paint(field, INK)

    def parchment(x, y):
        # Darker towards the rim, with faint engraved wave lines.
        edge = smoothstep(-60, 0, field.f(x, y))
        c = mix(PAPER, PAPER_DARK, 0.85 * edge)
        wave = y + 1.6 * math.sin(x / 7.0)
        line = 1 - smoothstep(0.25, 0.75, abs((wave % 4) - 2) / 2 * 2)
        return mix(c, INK_SOFT, 0.07 * line)
    cv.paint(field.grow(-1.5), parchment)
    cv.paint(field.grow(-5.5).line(0.8), INK_SOFT)

    # Title banner across the upper field.
    band = Shape(lambda x, y: max(abs(y - banner_centre(x)) - 13, abs(x - 143) - 104), (38, 80, 248, 117))
    cv.outlined(band, OXBLOOD, 1.8)
    cv.paint(Shape(lambda x, y: abs(abs(y - banner_centre(x)) - 9.6) - 0.45,
                   (41, 83, 245, 114)) & band.grow(-3), BRASS_LIGHT, 0.9)
    silhouette.append(band)

    def bend(x, y):
        # Letters set on a straight line ride the ribbon's arch.
        return (x, y + banner_centre(x) - 94)
    for s in lettering('VALDRIS 1880', 143, 87, 14.5, 2.3, 3.2, bend):
        cv.paint(s.grow(0.7), OXBLOOD_DARK, 0.6)
        cv.paint(s, PAPER_LIGHT)

    # Flourish between banner and buttons.
    cv.paint(strokes([([(70, 123), (128, 123)], 0.9), ([(158, 123), (216, 123)], 0.9)]), INK_SOFT)
    diamond = polygon([(143, 118), (148.5, 123), (143, 128), (137.5, 123)])
    cv.outlined(diamond, BRASS, 1.1)
    for x in (132, 154):
        cv.paint(circle(x, 123, 1.4), BRASS_DARK)

    # The two picture buttons at rest.
    for (ax, ay, aw, ah), painter, caption in zip(BUTTON_AREAS, ICON_PAINTERS, CAPTIONS):
        cx = ax + aw / 2
        p = plaque(cx - 25.5, ay + 5, cx + 25.5, ay + 91)
        cv.paint(p.grow(1.2), INK_SOFT, 0.35)
        cv.outlined(p, BRASS, 1.5)
        inner = plaque(cx - 21.5, ay + 9, cx + 21.5, ay + 87)
        cv.outlined(inner, lambda x, y: mix(PAPER, PAPER_DARK, smoothstep(140, 225, y)), 1.2, BRASS_DARK)
        painter(cv, cx - 16, ay + 22, 1.0)
        for s in lettering(caption, cx, ay + 63, 7, 1.3, 1.4):
            cv.paint(s, INK_SOFT)
        for dx in (-8, 0, 8):
            cv.paint(circle(cx + dx, ay + 79, 1.5 if dx == 0 else 1.0), BRASS_DARK)

    # Silhouette portrait in an oval frame.
    fx, fy = 219, 172
    frame = ellipse(fx, fy, 26, 34)
    cv.paint(frame.grow(1.5), INK_SOFT, 0.35)
    cv.outlined(frame, BRASS, 1.5)
    cameo = ellipse(fx, fy, 21.5, 29.5)
    cv.outlined(cameo, PAPER_LIGHT, 1.2, BRASS_DARK)
    bust = gentleman(fx + 3, fy - 3, 1.15) & cameo.grow(-1.2)
    cv.paint(bust, INK)
    for s, c in collar(fx + 3, fy - 3, 1.15):
        cv.paint(s & cameo.grow(-1.2), c)
    cv.paint(strokes([(arc(fx, fy + 34, 7, 5, 200, 340, 8), 1.6)]), BRASS_DARK)

    # Lettering under the buttons.
    for s in lettering('CHARACTER CREATOR', 143, 232, 8, 1.35, 1.7):
        cv.paint(s, INK)

    # Brass medal at the foot.
    medal = circle(143, 258, 13)
    cv.outlined(medal, lambda x, y: mix(BRASS_LIGHT, BRASS, smoothstep(246, 270, y)), 1.6)
    cv.paint(circle(143, 258, 9.5).line(0.8), BRASS_DARK)
    star = [(143 + (6.5 if i % 2 == 0 else 2.7) * math.sin(math.pi * i / 5),
             258 - (6.5 if i % 2 == 0 else 2.7) * math.cos(math.pi * i / 5)) for i in range(10)]
    cv.outlined(polygon(star), OXBLOOD, 1.0)
    silhouette.append(medal)

    # The top hat sits on the rim.
    silhouette.append(top_hat(cv, 143, 63, -3))

    union = silhouette[0]
    for s in silhouette[1:]:
        union = union | s
    # A crisp ink edge all round: the window's outline is hard, so the picture's is too.
    cv.paint(union.inner_ring(1.6), INK)
    inside = [[union.f((x + 0.5) / scale, (y + 0.5) / scale) <= 0 for x in range(cv.w)] for y in range(cv.h)]
    return cv.rgba_rows(lambda x, y: 255 if inside[y][x] else 0)


# --------------------------------------------------------------------------
# The lit pictures
# --------------------------------------------------------------------------

def lit_picture(index, scale=1):
    cv = Canvas(LIT_W, LIT_H, scale)
    cx = LIT_W / 2
    outer = plaque(cx - 27, 1, cx + 27, 92)
    cv.paint(outer.grow(1), GOLD, 0.85, feather=4)
    cv.outlined(outer, BRASS_LIGHT, 1.6)
    cv.paint(outer.grow(-3.2).line(0.8), GOLD)
    inner = plaque(cx - 22.5, 5, cx + 22.5, 88)

    def glow(x, y):
        r = math.hypot((x - cx) / 26, (y - 36) / 40)
        return mix(PAPER_LIGHT, PAPER, smoothstep(0.2, 1.0, r))
    cv.outlined(inner, glow, 1.2, BRASS)
    for k in range(12):  # rays behind the icon
        a = math.pi * 2 * k / 12 + math.pi / 12
        ray = polygon([(cx, 36), (cx + 30 * math.cos(a - 0.09), 36 + 30 * math.sin(a - 0.09)),
                       (cx + 30 * math.cos(a + 0.09), 36 + 30 * math.sin(a + 0.09))])
        cv.paint(ray & inner.grow(-2), GOLD, 0.35)
    ICON_PAINTERS[index](cv, cx - 20, 16, 1.25, bright=True)
    for s in lettering(CAPTIONS[index], cx, 65, 8, 1.5, 1.6):
        cv.paint(s, OXBLOOD)
    for dx in (-9, 0, 9):
        cv.paint(circle(cx + dx, 80, 1.6 if dx == 0 else 1.1), BRASS)
    return cv.rgba_rows()


# --------------------------------------------------------------------------
# Output
# --------------------------------------------------------------------------

def png(width, height, rgba_rows):
    def chunk(tag, payload):
        return (struct.pack('>I', len(payload)) + tag + payload
                + struct.pack('>I', zlib.crc32(tag + payload) & 0xffffffff))
    raw = b''.join(b'\x00' + bytes(r) for r in rgba_rows)
    return (b'\x89PNG\r\n\x1a\n'
            + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def shape_text(rgba_rows):
    """The opaque pixels as bands, one per run of opaque pixels in a row."""
    numbers = []
    for y, row in enumerate(rgba_rows):
        x, width = 0, len(row) // 4
        while x < width:
            if row[4 * x + 3] >= 128:
                start = x
                while x < width and row[4 * x + 3] >= 128:
                    x += 1
                numbers += [start, y, x, y + 1]
            else:
                x += 1
    return ''.join(f'{n},' for n in numbers)


def write(rel, data):
    target = os.path.join(HERE, rel)
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target, 'wb') as f:
        f.write(data)
    print(f'wrote {rel} ({len(data)} bytes)')


def main():
    picture = startup_picture()
    text = shape_text(picture)
    numbers = [int(n) for n in text.split(',')[:-1]]
    bounds = (min(numbers[0::4]), min(numbers[1::4]), max(numbers[2::4]), max(numbers[3::4]))
    # The window's shape must reach every edge of the picture.
    assert bounds == (0, 0, W, H), bounds
    lit = [lit_picture(i) for i in range(2)]
    write('startup/101.png', png(W, H, picture))
    write('startup/101.txt', text.encode('ascii'))
    write('startup/102.png', png(2 * LIT_W, LIT_H, [a + b for a, b in zip(*lit)]))
    print(f'{len(numbers) // 4} bands')
    # The same pictures at twice the density; the shape stays that of the first.
    write('startup/101@2x.png', png(2 * W, 2 * H, startup_picture(2)))
    lit = [lit_picture(i, 2) for i in range(2)]
    write('startup/102@2x.png', png(4 * LIT_W, 2 * LIT_H, [a + b for a, b in zip(*lit)]))


if __name__ == '__main__':
    main()
