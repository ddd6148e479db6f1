#!/usr/bin/env python3
"""Generate the Valdris 1880 character creator's icons and toolbar tiles.

Usage:
    python3 assets/generate_assets.py                 # (re)write icons/*.svg and patterns/*.raw
    python3 assets/generate_assets.py --preview DIR   # only write PNG previews of the tiles to DIR

Standard library only; the output is deterministic (fixed-seed random.Random).
All paths are written relative to this script's folder.

Pattern tiles: 32 rows x W columns of raw bytes; the program adds each byte to the
R, G and B of the toolbar's button face (clamped at 255) and repeats the tile sideways.
"""
import math
import os
import random
import struct
import sys
import zlib

from palette import BRASS, INK, OXBLOOD, PAPER, PAPER_DARK

HERE = os.path.dirname(os.path.abspath(__file__))


# --------------------------------------------------------------------------
# SVG helpers
# --------------------------------------------------------------------------

def num(v):
    """Compact number formatting for SVG attributes."""
    if isinstance(v, str):
        return v
    s = f'{v:.2f}'.rstrip('0').rstrip('.')
    return '0' if s == '-0' else s


def el(tag, **attrs):
    """One self-closing SVG element; foo_bar -> foo-bar, class_ -> class."""
    parts = ' '.join(f'{k.rstrip("_").replace("_", "-")}="{num(v)}"'
                     for k, v in attrs.items())
    return f'  <{tag} {parts}/>\n'


def group(body, **attrs):
    """A <g> element around already rendered children."""
    parts = ' '.join(f'{k.replace("_", "-")}="{num(v)}"' for k, v in attrs.items())
    return f'  <g {parts}>\n' + ''.join('  ' + line for line in body.splitlines(True)) + '  </g>\n'


def dot(cx, cy, r, color):
    """Filled circle without outline (stroke spelt out for simple renderers)."""
    return el('circle', cx=cx, cy=cy, r=r, fill=color, stroke='none')


def placer(cx, cy, scale=1.0, angle=0.0):
    """Map local (x, y) to the canvas: scale, rotate by angle degrees, move to (cx, cy)."""
    c, sn = math.cos(math.radians(angle)) * scale, math.sin(math.radians(angle)) * scale
    return lambda x, y: (cx + c * x - sn * y, cy + sn * x + c * y)


def shape(spec, place):
    """Path data from absolute M/L/Q/C/Z commands in local coordinates, mapped by place().
    Coordinates are baked in (no transform attribute) so simple renderers agree with Qt."""
    out, toks = [], spec.split()
    while toks:
        t = toks.pop(0)
        if t.isalpha():
            out.append(t)
        else:
            x, y = place(float(t), float(toks.pop(0)))
            out.append(f'{num(x)} {num(y)}')
    return ' '.join(out)


def rounded_square(h, r):
    """Local path spec of a square with half-size h and corner radius r."""
    a = h - r
    return (f'M {-a} {-h} L {a} {-h} Q {h} {-h} {h} {-a} L {h} {a} Q {h} {h} {a} {h} '
            f'L {-a} {h} Q {-h} {h} {-h} {a} L {-h} {-a} Q {-h} {-h} {-a} {-h} Z')


def pts(points):
    return ' '.join(f'{num(x)},{num(y)}' for x, y in points)


def svg(size, title, body, height=None):
    """A square picture, or one of the given height (the toolbar's narrow arrows)."""
    height = size if height is None else height
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{height}" '
            f'viewBox="0 0 {size} {height}">\n'
            f'  <title>{title}</title>\n' + body + '</svg>\n')


def stroke(color=INK, width=1.5, fill='none', **extra):
    """Attribute dict for a stroked shape with round caps and joins."""
    d = dict(fill=fill, stroke=color, stroke_width=width,
             stroke_linecap='round', stroke_linejoin='round')
    d.update(extra)
    return d


def feather(nib, tip, width, steps=10, start=0.22, back=0.6):
    """Polygon of a quill feather from nib to tip (vane wider on the left side).

    The vane begins at `start` of the way from the nib; the right vane is `back`
    as wide as the left."""
    (x0, y0), (x1, y1) = nib, tip
    length = math.hypot(x1 - x0, y1 - y0)
    ux, uy = (x1 - x0) / length, (y1 - y0) / length
    nx, ny = -uy, ux
    left, right = [], []
    for i in range(steps + 1):
        t = start + (1 - start) * i / steps
        prof = abs(math.sin(math.pi * (t - start) / (1 - start))) ** 0.6
        cx, cy = x0 + ux * length * t, y0 + uy * length * t
        left.append((cx + nx * width * prof, cy + ny * width * prof))
        right.append((cx - nx * width * back * prof, cy - ny * width * back * prof))
    return [nib] + left + right[::-1]


# --------------------------------------------------------------------------
# 24 x 24 toolbar icons
# --------------------------------------------------------------------------

def icon_roll():
    place = placer(16.25, 7.75, angle=12)
    body = el('path', d=shape(rounded_square(5.25, 2), place), **stroke(fill=BRASS))
    for k in (-1, 0, 1):
        body += dot(*place(2.55 * k, 2.55 * k), 1.25, PAPER)
    body += el('rect', x=3, y=10, width=11, height=11, rx=2, **stroke(width=2, fill=PAPER))
    for cx, cy in [(6, 13), (11, 13), (8.5, 15.5), (6, 18), (11, 18)]:
        body += dot(cx, cy, 1.25, INK)
    return svg(24, 'Neu würfeln', body)


def forward_body():
    """Pointing hand (manicule) to the right, the period's 'see next' mark."""
    hand = ('M6.5 8.5 C8.5 7 10.5 7 12.5 7.5 H19.8 C21.6 7.5 21.6 11 19.8 11 H14 '
            'C16.4 11 16.4 14.8 14 14.8 C16.4 14.8 16.4 18.6 14 18.6 '
            'C11.5 19.4 9 19.4 6.5 18.6 Z')
    body = el('path', d=hand, **stroke(width=1.5, fill=PAPER))
    body += el('path', d='M9 11.6 C10.8 10.6 12.4 10.8 14 11 M11 14.8 H14', **stroke(width=1.5))
    body += el('rect', x=2.5, y=6.5, width=4.5, height=14, rx=1, **stroke(width=1.5, fill=BRASS))
    return body


def icon_forward():
    return svg(24, 'Weiter', forward_body())


def icon_back():
    return svg(24, 'Zurück', group(forward_body(), transform='matrix(-1 0 0 1 24 0)'))


def icon_overview():
    body = el('rect', x=3, y=2, width=13, height=17, rx=1, **stroke(width=2, fill=PAPER))
    body += el('path', d='M6 6 H13 M6 9 H11 M6 12 H9', **stroke(width=1.5))
    body += el('circle', cx=14, cy=13, r=5, **stroke(width=3.5, fill='#ffffff', fill_opacity=0.55))
    body += el('circle', cx=14, cy=13, r=5, **stroke(BRASS, 1.6))
    body += el('path', d='M17.8 16.8 L21.2 20.2', **stroke(width=3.2))
    return svg(24, 'Charakterwerte ansehen', body)


def icon_finish():
    body = el('path', d='M2.5 13.5 L7 18 L12.5 11.5', **stroke(OXBLOOD, 3))
    quill = feather((12.5, 11.5), (22, 1.5), 4.4)
    body += el('polygon', points=pts(quill), **stroke(width=1.5, fill=PAPER))
    body += el('path', d='M12.5 11.5 L19.8 3.8', **stroke(width=1.5))
    body += el('path', d='M12.5 11.5 L14.3 9.6', **stroke(BRASS, 2.2))
    return svg(24, 'Fertig', body)


def icon_erase():
    body = el('path', d='M2 6.5 Q6.5 5 11 6.5 V19.5 Q6.5 18 2 19.5 Z', **stroke(fill=PAPER))
    body += el('path', d='M22 6.5 Q17.5 5 13 6.5 V19.5 Q17.5 18 22 19.5 Z', **stroke(fill=PAPER))
    body += el('path', d='M11 6.5 Q12 7.5 13 6.5 M11 19.5 Q12 20.5 13 19.5', **stroke())
    body += el('path', d='M4.5 10 H8.5 M4.5 13 H8.5 M4.5 16 H7.5', **stroke())
    body += el('path', d='M14.5 9.5 L20.5 17.5 M20.5 9.5 L14.5 17.5', **stroke(PAPER, 4.5))
    body += el('path', d='M14.5 9.5 L20.5 17.5 M20.5 9.5 L14.5 17.5', **stroke(OXBLOOD, 2.4))
    return svg(24, 'Spielerhistorie löschen', body)


def icon_random():
    body = el('rect', x=3, y=4, width=18, height=17, rx=1.5, **stroke(width=2, fill=PAPER))
    body += el('path', d='M3 4 H21 V8.5 H3 Z', **stroke(width=2, fill=OXBLOOD))
    body += el('path', d='M7.5 2 V5.5 M16.5 2 V5.5', **stroke(BRASS, 2))
    body += el('path', d='M9.5 12.3 C9.5 10.8 10.6 10.2 12 10.2 C13.5 10.2 14.6 11 14.6 12.3 '
                         'C14.6 13.6 13.3 14 12.6 14.5 C12.1 14.9 12 15.3 12 16.3',
               **stroke(width=2))
    body += dot(12, 18.6, 1.2, INK)
    return svg(24, 'Zufall', body)


def icon_abort():
    octagon = [(12 + 10 * math.cos(math.radians(22.5 + 45 * i)),
                12 + 10 * math.sin(math.radians(22.5 + 45 * i))) for i in range(8)]
    body = el('polygon', points=pts(octagon), **stroke(width=1.5, fill=OXBLOOD))
    body += el('path', d='M8 8 L16 16 M16 8 L8 16', **stroke(PAPER, 2.8))
    return svg(24, 'Abbrechen', body)


# The sheet window's toolbar.

def sheet_with_corner(x0, y0, x1, y1, fold=5):
    """A parchment leaf with its top right corner folded over."""
    body = el('path', d=f'M{x0} {y0} H{x1 - fold} L{x1} {y0 + fold} V{y1} H{x0} Z', **stroke(fill=PAPER))
    body += el('path', d=f'M{x1 - fold} {y0} V{y0 + fold} H{x1}', **stroke(fill=PAPER_DARK))
    return body


def icon_new():
    body = sheet_with_corner(3.5, 2.5, 17.5, 21.5)
    body += el('path', d='M6.5 8.5 H11.5 M6.5 11.5 H14.5 M6.5 14.5 H10.5', **stroke(width=1.2))
    star = []
    for i in range(16):
        r = 5.2 if i % 2 == 0 else 1.9
        a = math.radians(22.5 * i - 90)
        star.append((17.5 + r * math.cos(a), 17 + r * math.sin(a)))
    body += el('polygon', points=pts(star), **stroke(width=1, fill=BRASS))
    return svg(24, 'Neuer Charakter', body)


def icon_open():
    body = el('path', d='M2.5 19.5 V5.5 H8.5 L10.5 7.5 H18.5 V10.5', **stroke(fill=BRASS))
    body += el('path', d='M6 4.5 H15.5 V11', **stroke(width=1.2, fill=PAPER))
    body += el('path', d='M8 7 H13.5', **stroke(width=1.1))
    body += el('path', d='M2.5 19.5 L6 10.5 H22 L18.5 19.5 Z', **stroke(fill=PAPER_DARK))
    body += el('path', d='M9.5 15 H15', **stroke(BRASS, 1.6))
    return svg(24, 'Öffnen', body)


def icon_save():
    # A leaf going down into a brass document tray.
    body = el('path', d='M7 2.5 H17 V10.5', **stroke(width=1.3, fill=PAPER))
    body += el('path', d='M9.5 5.5 H14.5 M9.5 8 H13', **stroke(width=1.1))
    body += el('path', d='M12 9.5 V16 M8.8 12.8 L12 16 L15.2 12.8', **stroke(OXBLOOD, 2.2))
    body += el('path', d='M2.5 14.5 H7 L8.5 17.5 H15.5 L17 14.5 H21.5 V21.5 H2.5 Z', **stroke(fill=BRASS))
    return svg(24, 'Speichern', body)


def icon_print():
    body = el('path', d='M6.5 9.5 V2.5 H17.5 V9.5', **stroke(width=1.3, fill=PAPER))
    body += el('rect', x=2.5, y=9.5, width=19, height=8, rx=1.5, **stroke(fill=BRASS))
    body += dot(18.5, 12.3, 1.1, OXBLOOD)
    body += el('path', d='M6.5 15 V21.5 H17.5 V15 Z', **stroke(width=1.3, fill=PAPER))
    body += el('path', d='M8.8 17.5 H15.2 M8.8 19.5 H13', **stroke(width=1.1))
    return svg(24, 'Drucken', body)


def icon_word():
    body = sheet_with_corner(3.5, 2.5, 19.5, 21.5)
    body += el('path', d='M5.5 8.5 L8 17.5 L10.5 11 L13 17.5 L15.5 8.5', **stroke(OXBLOOD, 2))
    body += el('path', d='M4.5 8.5 H7 M14 8.5 H16.5', **stroke(OXBLOOD, 1.2))
    return svg(24, 'Datenblatt in Word', body)


def icon_settings():
    teeth = []
    for i in range(8):
        a = math.radians(45 * i)
        for da, r in ((-13, 7.2), (-8, 10), (8, 10), (13, 7.2)):
            b = a + math.radians(da)
            teeth.append((12 + r * math.cos(b), 12 + r * math.sin(b)))
    body = el('polygon', points=pts(teeth), **stroke(width=1.3, fill=BRASS))
    body += el('circle', cx=12, cy=12, r=3.2, **stroke(width=1.3, fill=PAPER))
    return svg(24, 'Einstellungen', body)


def icon_delete():
    # A wicker waste-paper basket with a crumpled leaf.
    body = el('path', d='M8 6.5 L9.5 3 L13 4.2 L15.5 2.8 L16.5 6.5', **stroke(width=1.2, fill=PAPER))
    body += el('path', d='M4 7 H20 L18 21.5 H6 Z', **stroke(fill=BRASS))
    body += el('path', d='M4.5 11 H19.5 M5 15.5 H19 M5.6 19.5 H18.4', **stroke(width=1.1))
    body += el('path', d='M9 7.5 L9.8 21 M12 7.5 V21 M15 7.5 L14.2 21', **stroke(width=1.1))
    body += el('path', d='M3 7 H21', **stroke(width=2))
    return svg(24, 'Charakter löschen', body)


def icon_dropdown():
    # Drawn beside a 24-pixel button, so 9 wide and as high as the button.
    body = el('path', d='M1.5 10.5 H7.5 L4.5 14 Z', **stroke(width=1, fill=INK))
    return svg(9, 'Aufklappen', body, height=24)


# --------------------------------------------------------------------------
# 64 x 64 program and file icons
# --------------------------------------------------------------------------

def top_hat(cx, base, scale=1.0, angle=0.0):
    """Top hat whose brim centre sits at (cx, base)."""
    place = placer(cx, base, scale, angle)
    crown = 'M -8 0 L -9 -17 Q 0 -19.5 9 -17 L 8 0 Z'
    band = 'M -8.3 -5 Q 0 -6.5 8.3 -5 L 8 0 L -8 0 Z'
    shine = 'M -5 -15 L -5.6 -8'
    brim = 'M -14 -1.5 Q 0 5 14 -1.5 Q 0 1.5 -14 -1.5 Z'
    return (el('path', d=shape(crown, place), **stroke(width=2, fill=INK))
            + el('path', d=shape(band, place), **stroke(width=2, fill=OXBLOOD))
            + el('path', d=shape(shine, place), **stroke('#7d6450', 1.5))
            + el('path', d=shape(brim, place), **stroke(width=2, fill=INK)))


def icon_app():
    body = el('rect', x=12, y=8, width=42, height=52, rx=2, **stroke(width=2.5, fill=PAPER))
    body += el('rect', x=16, y=12, width=34, height=44, **stroke(BRASS, 1.5))
    body += el('path', d='M39 21 H47 M39 26 H45 M20 36 H46 M20 42 H30 M20 48 H28', **stroke(width=2))
    body += top_hat(26, 28, 0.85, -10)
    body += el('path', d='M34.5 47 C31 52 26 53 22 52.5', **stroke(BRASS, 1.8, stroke_dasharray='1.5 2'))
    body += el('circle', cx=42.5, cy=45.5, r=8.5, **stroke(width=5, fill='#ffffff', fill_opacity=0.45))
    body += el('circle', cx=42.5, cy=45.5, r=8.5, **stroke(BRASS, 2.5))
    body += el('path', d='M37.8 42.5 Q39.4 39.6 42.5 39.2', **stroke('#ffffff', 1.5))
    return svg(64, 'Valdris 1880 Charaktererschaffung', body)


def file_page(title, emblem):
    body = el('path', d='M12 4 H40 L52 16 V60 H12 Z', **stroke(width=2, fill=PAPER))
    body += el('path', d='M40 4 V16 H52', **stroke(width=2, fill=PAPER_DARK))
    body += el('circle', cx=32, cy=33, r=14, **stroke(BRASS, 2.5, fill='#fbf4e2'))
    body += el('circle', cx=32, cy=33, r=16, **stroke(INK, 1.5))
    body += el('path', d='M18 9 H34 M18 13 H30 M20 54 H44', **stroke(width=2))
    return svg(64, title, body + emblem)


def icon_file_hat():
    return file_page('Valdris-Charakter (.tvk)', top_hat(32, 39, 0.62))


def icon_file_compass():
    e = ''
    for i in range(8):
        place = placer(32, 33, angle=45 * i - 90)
        r, w = (12.5, 3.3) if i % 2 == 0 else (7.5, 2.4)
        tip, side1, side2 = place(r, 0), place(0, -w), place(0, w)
        if i % 2 == 1:
            e = el('polygon', points=pts([tip, side1, (32, 33), side2]), **stroke(width=1.2, fill=BRASS)) + e
        else:
            e += el('polygon', points=pts([tip, side1, (32, 33)]), **stroke(width=1.2, fill=INK))
            e += el('polygon', points=pts([tip, (32, 33), side2]), **stroke(width=1.2, fill=PAPER))
    e += el('circle', cx=32, cy=33, r=1.8, **stroke(width=1.2, fill=OXBLOOD))
    return file_page('Valdris-Charakter (.tvk)', e)


def icon_file_quill():
    quill = feather((24, 43), (42, 21), 5.2, steps=14)
    e = el('polygon', points=pts(quill), **stroke(width=1.8, fill=PAPER))
    ux, uy = 18 / math.hypot(18, 22), -22 / math.hypot(18, 22)
    for t in (9, 12.5, 16, 19.5, 23):  # barbs, slanting towards the tip
        bx, by = 24 + ux * t, 43 + uy * t
        e += el('path', d=f'M{num(bx)} {num(by)} l{num(-uy * 4 + ux * 2.5)} {num(ux * 4 + uy * 2.5)}',
                **stroke(width=1.3))
    e += el('path', d='M24 43 L38.5 25.3', **stroke(width=1.8))
    e += el('path', d='M24 43 L26.5 40', **stroke(BRASS, 2.6))
    e += el('path', d='M20 46.5 C22.5 44.5 24.5 44.5 25.5 46 S30 47.5 35 45.5', **stroke(width=1.6))
    return file_page('Valdris-Charakter (.tvk)', e)


def icon_file_cylinder():
    e = el('circle', cx=32, cy=33, r=11, **stroke(width=2, fill=BRASS))
    for i in range(6):
        a = math.radians(60 * i - 90)
        fa = a + math.radians(30)
        e += dot(32 + 10.6 * math.cos(fa), 33 + 10.6 * math.sin(fa), 1.8, '#fbf4e2')
        e += el('circle', cx=32 + 6.2 * math.cos(a), cy=33 + 6.2 * math.sin(a), r=2.4,
                **stroke(width=1.2, fill=INK))
    e += el('circle', cx=32, cy=33, r=1.6, **stroke(width=1.2, fill=PAPER))
    return file_page('Valdris-Charakter (.tvk)', e)


# --------------------------------------------------------------------------
# Toolbar pattern tiles: 32 rows x W columns, one byte per pixel
# --------------------------------------------------------------------------

H = 32


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def smoothstep(a, b, v):
    t = clamp((v - a) / (b - a))
    return t * t * (3 - 2 * t)


STRENGTH = 0.27  # scales the painted values (0..63) into the range a light face can show


class Tile:
    """Float canvas that wraps horizontally; shapes are painted via signed distances."""

    def __init__(self, width):
        self.w = width
        self.px = [[0.0] * width for _ in range(H)]

    def paint(self, sdf, bbox, value):
        """Antialiased fill where sdf < 0; value is a number or f(x, y). Max-blend."""
        x0, y0, x1, y1 = bbox
        for y in range(max(0, math.floor(y0)), min(H, math.ceil(y1) + 1)):
            row = self.px[y]
            for xi in range(math.floor(x0), math.ceil(x1) + 1):
                cover = clamp(0.5 - sdf(xi + 0.5, y + 0.5))
                if cover > 0:
                    v = value(xi + 0.5, y + 0.5) if callable(value) else value
                    x = xi % self.w
                    row[x] = max(row[x], v * cover)

    def paint_at(self, sdf, cx, cy, radius, value):
        self.paint(sdf, (cx - radius - 1, cy - radius - 1, cx + radius + 1, cy + radius + 1), value)

    def tobytes(self):
        # Light desktop faces (#efefef) reach white after 16: keep the tiles that gentle.
        return bytes(int(clamp(round(v * STRENGTH), 0, 255)) for row in self.px for v in row)


def sd_circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def sd_ellipse(cx, cy, rx, ry):
    def f(x, y):
        px, py = (x - cx) / rx, (y - cy) / ry
        k0 = math.hypot(px, py)
        k1 = math.hypot(px / rx, py / ry)
        return k0 * (k0 - 1) / k1 if k1 > 0 else -min(rx, ry)
    return f


def seg_dist(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy or 1))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def sd_polyline(points, width, closed=False):
    segs = list(zip(points, points[1:] + (points[:1] if closed else [])))
    return lambda x, y: min(seg_dist(x, y, *a, *b) for a, b in segs) - width / 2


def sd_polygon(points):
    n = len(points)

    def f(x, y):
        d = min(seg_dist(x, y, *points[i], *points[(i + 1) % n]) for i in range(n))
        inside = False
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
        return -d if inside else d
    return f


def ring(sdf, width):
    return lambda x, y: abs(sdf(x, y)) - width / 2


def pattern_glyphs():
    """103: faint alchemical / ornamental glyphs, staggered."""
    t = Tile(94)
    v, w = 52, 1.3
    # sun: ring with a dot
    t.paint_at(ring(sd_circle(12, 10, 4.5), w), 12, 10, 6, v)
    t.paint_at(sd_circle(12, 10, 1.2), 12, 10, 2, v)
    # air: triangle with bar
    tri = [(35.5, 16.5), (41, 26.5), (30, 26.5)]
    t.paint_at(sd_polyline(tri, w, closed=True), 35.5, 21.5, 7, v)
    t.paint_at(sd_polyline([(31.5, 22.5), (39.5, 22.5)], w), 35.5, 22.5, 5, v)
    # mercury: horns, circle, cross
    t.paint_at(ring(sd_circle(59, 10, 3.2), w), 59, 10, 5, v)
    horns = [(59 + 3.2 * math.cos(a), 4.3 + 2.6 * math.sin(a))
             for a in [math.radians(20 + 14 * i) for i in range(11)]]
    t.paint_at(sd_polyline(horns, w), 59, 5.5, 5, v)
    t.paint_at(sd_polyline([(59, 13.2), (59, 19.5)], w), 59, 16.5, 4, v)
    t.paint_at(sd_polyline([(56, 16.5), (62, 16.5)], w), 59, 16.5, 4, v)
    # crescent
    cres = lambda x, y: max(sd_circle(82, 21, 5)(x, y), -sd_circle(84.5, 19.5, 4.3)(x, y))
    t.paint_at(cres, 82, 21, 6, v)
    # small diamonds as spacers
    for cx, cy in [(24, 24), (47, 8), (70, 26), (93, 7)]:
        t.paint_at(lambda x, y, cx=cx, cy=cy: (abs(x - cx) + abs(y - cy)) / 1.41 - 1.2,
                   cx, cy, 2.5, 36)
    return t


def pattern_bars():
    """104: vertical bars of varying width, like pin-striped cloth."""
    rng = random.Random(1880104)
    spans = []
    for _ in range(16):
        spans.append((rng.choice([1.5, 3, 5, 8, 13, 20]), rng.choice([14, 22, 32, 44])))
        spans.append((rng.choice([3, 5, 8, 12]), 0))
    scale = 275 / sum(s for s, _ in spans)
    t = Tile(275)
    pos = 0.0
    for width, value in spans:
        a, b = pos, pos + width * scale
        pos = b
        for x in range(math.floor(a), math.ceil(b)):
            cover = min(b, x + 1) - max(a, x)
            for y in range(H):
                t.px[y][x % 275] += value * cover
    return t


def pattern_clouds():
    """105: soft clouds from horizontally tileable value noise."""
    rng = random.Random(1880105)
    W = 350
    total = [[0.0] * W for _ in range(H)]
    amp_sum = 0.0
    for cells, amp in [(5, 1.0), (10, 0.5), (20, 0.25), (40, 0.125)]:
        size = W / cells
        rows = math.ceil(H / size) + 2
        lat = [[rng.random() for _ in range(cells)] for _ in range(rows)]
        for y in range(H):
            fy = (y + 0.5) / size
            j, ty = int(fy), smoothstep(0, 1, fy % 1)
            for x in range(W):
                fx = (x + 0.5) / size
                i, i1, tx = int(fx) % cells, (int(fx) + 1) % cells, smoothstep(0, 1, fx % 1)
                a, b = (r[i] + (r[i1] - r[i]) * tx for r in (lat[j], lat[j + 1]))
                total[y][x] += amp * (a + (b - a) * ty)
        amp_sum += amp
    t = Tile(W)
    for y in range(H):
        for x in range(W):
            n = total[y][x] / amp_sum
            t.px[y][x] = 60 * smoothstep(0.42, 0.72, n)
    return t


def pattern_water():
    """106: engraved water waves; integer wave counts keep the tile seamless."""
    W = 173
    t = Tile(W)
    rng = random.Random(1880106)
    for j in range(6):
        y0 = 2.5 + 5.6 * j
        k1, k2 = rng.choice([7, 8, 9]), rng.choice([3, 4, 5])
        p1, p2 = rng.uniform(0, 6.28), rng.uniform(0, 6.28)
        for x in range(W):
            xc = x + 0.5
            a1, a2 = 2 * math.pi * k1 / W, 2 * math.pi * k2 / W
            fy = y0 + 1.5 * math.sin(a1 * xc + p1) + 0.7 * math.sin(a2 * xc + p2)
            slope = 1.5 * a1 * math.cos(a1 * xc + p1) + 0.7 * a2 * math.cos(a2 * xc + p2)
            crest = math.sin(a1 * xc + p1)  # lines are heavier on the crests
            for y in range(max(0, int(fy) - 3), min(H, int(fy) + 4)):
                d = abs(y + 0.5 - fy) / math.sqrt(1 + slope * slope)
                cover = clamp(0.5 - (d - 0.55 - 0.25 * crest))
                t.px[y][x] = max(t.px[y][x], (34 + 18 * max(crest, 0)) * cover)
    return t


def pattern_bullets():
    """107: rows of brass rivets with a highlight, small dots in between."""
    W = 287
    t = Tile(W)
    for cy, off in [(8.5, 0.0), (24.5, 20.5)]:
        for k in range(7):
            cx = off + 41 * k + 10
            hx, hy = cx - 1.4, cy - 1.4
            shade = lambda x, y, hx=hx, hy=hy: 26 + 42 * clamp(1 - math.hypot(x - hx, y - hy) / 3.6)
            t.paint_at(ring(sd_circle(cx, cy, 6.2), 1.0), cx, cy, 7, 16)
            t.paint_at(sd_circle(cx, cy, 4.4), cx, cy, 5, shade)
            t.paint_at(sd_circle(cx + 20.5, cy, 1.3), cx + 20.5, cy, 2, 24)
    return t


def pattern_filter():
    """108: fine diagonal hatching with period 6 (x + y)."""
    t = Tile(6)
    profile = [0, 9, 26, 9, 0, 0]
    for y in range(H):
        for x in range(6):
            t.px[y][x] = profile[(x + y) % 6]
    return t


def cameo_silhouette(cx, cy, facing):
    """Signed distance of a lady's profile (with hair bun), facing +1 right / -1 left."""
    def p(px, py):
        return (cx + facing * px, cy + py)
    face = [p(*q) for q in [(1.5, -8.6), (4.4, -6), (5.2, -2.8), (4.9, -1.3), (7.1, 1.7),
                            (5.3, 2.4), (5.7, 3.3), (5.0, 4.1), (5.4, 5.1), (4.4, 7.1),
                            (2.3, 7.9), (-1.5, 5), (-2, -5)]]
    neck = [p(*q) for q in [(-3, 2.5), (2.2, 7), (3.2, 10.5), (8, 13.8), (-8, 13.8), (-4.2, 9.5)]]
    parts = [sd_ellipse(*p(-0.6, -2.8), 5.7, 5.9), sd_polygon(face), sd_polygon(neck),
             sd_circle(*p(-5.6, -5), 2.9)]
    return lambda x, y: min(f(x, y) for f in parts)


def pattern_faces():
    """109: two cameo silhouettes (facing right and left) with small rosettes."""
    W = 160
    t = Tile(W)
    for cx, facing in [(40, 1), (120, -1)]:
        cy = 16
        oval = sd_ellipse(cx, cy, 10.5, 13.5)
        t.paint_at(oval, cx, cy, 14, 12)
        t.paint_at(lambda x, y, o=oval, s=cameo_silhouette(cx, cy, facing): max(o(x, y) + 1.4, s(x, y)),
                   cx, cy, 14, 42)
        t.paint_at(ring(sd_ellipse(cx, cy, 12, 14.8), 1.5), cx, cy, 16, 44)
    for cx in (0, 80):
        for i in range(4):
            a = math.pi / 2 * i
            t.paint_at(sd_circle(cx + 3 * math.cos(a), 16 + 3 * math.sin(a), 1.5), cx, 16, 5, 30)
        t.paint_at(sd_circle(cx, 16, 1), cx, 16, 2, 44)
    return t


# --------------------------------------------------------------------------
# Output
# --------------------------------------------------------------------------

ICONS = {
    'icons/roll.svg': icon_roll,
    'icons/forward.svg': icon_forward,
    'icons/back.svg': icon_back,
    'icons/overview.svg': icon_overview,
    'icons/finish.svg': icon_finish,
    'icons/erase.svg': icon_erase,
    'icons/random.svg': icon_random,
    'icons/abort.svg': icon_abort,
    'icons/new.svg': icon_new,
    'icons/open.svg': icon_open,
    'icons/save.svg': icon_save,
    'icons/print.svg': icon_print,
    'icons/word.svg': icon_word,
    'icons/settings.svg': icon_settings,
    'icons/delete.svg': icon_delete,
    'icons/dropdown.svg': icon_dropdown,
    'icons/app.svg': icon_app,
    'icons/fileicon1.svg': icon_file_hat,
    'icons/fileicon2.svg': icon_file_compass,
    'icons/fileicon3.svg': icon_file_quill,
    'icons/fileicon4.svg': icon_file_cylinder,
}

PATTERNS = {  # file: (width, painter)
    'patterns/103.raw': (94, pattern_glyphs),
    'patterns/104.raw': (275, pattern_bars),
    'patterns/105.raw': (350, pattern_clouds),
    'patterns/106.raw': (173, pattern_water),
    'patterns/107.raw': (287, pattern_bullets),
    'patterns/108.raw': (6, pattern_filter),
    'patterns/109.raw': (160, pattern_faces),
}


def write(rel, data):
    if isinstance(data, str):
        data = data.encode('utf-8')
    path = os.path.join(HERE, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)
    print(f'wrote {rel} ({len(data)} bytes)')


def write_png(path, width, height, rgb_rows):
    def chunk(tag, payload):
        return (struct.pack('>I', len(payload)) + tag + payload
                + struct.pack('>I', zlib.crc32(tag + payload) & 0xffffffff))
    raw = b''.join(b'\x00' + bytes(r) for r in rgb_rows)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n'
                + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
                + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


PREVIEW_FACES = [(0xef, 0xef, 0xef), (0xc8, 0xb8, 0x98), (0x70, 0x64, 0x58)]


def preview(rel, data, outdir, span=640, zoom=2):
    """Tile repeated to `span` px, tinted like the program does, over several face colours."""
    w = len(data) // H
    rows = []
    for face in PREVIEW_FACES:
        for y in range(H):
            line = bytearray()
            for x in range(span):
                b = data[y * w + x % w]
                px = bytes(min(255, c + b) for c in face)
                line += px * zoom
            rows += [line] * zoom
        rows += [bytearray(b'\x40\x40\x40' * span * zoom)] * 4
    name = os.path.splitext(os.path.basename(rel))[0] + '.png'
    write_png(os.path.join(outdir, name), span * zoom, len(rows), rows)


def main(argv):
    if argv[:1] == ['--preview'] and len(argv) == 2:
        outdir = os.path.abspath(argv[1])
        if outdir == HERE or outdir.startswith(HERE + os.sep):
            sys.exit('preview folder must lie outside the assets folder')
        os.makedirs(outdir, exist_ok=True)
        for rel, (width, fn) in PATTERNS.items():
            preview(rel, fn().tobytes(), outdir)
        print(f'previews written to {outdir}')
        return
    if argv:
        sys.exit(__doc__)
    for rel, fn in ICONS.items():
        write(rel, fn())
    for rel, (width, fn) in PATTERNS.items():
        data = fn().tobytes()
        assert len(data) == H * width, rel
        write(rel, data)


if __name__ == '__main__':
    main(sys.argv[1:])
