#!/usr/bin/env python3
"""Generate the pictures of the settings dialog ("Einstellungen").

Usage:
    python3 assets/settings/generate_settings_pictures.py

Standard library only, deterministic; writes SVG files next to this script:

    portrait.svg, landscape.svg   48 x 48   the page turned upright or on its side ("Ausrichtung")
    presents1.svg, presents2.svg  320 x 160 the about page's title card by day and by night;
                                            the dialog blends one into the other
    link.svg                      200 x 32  brass plate leading to the user guide

Palette as the program's icons: sepia ink, brass, oxblood, parchment.
"""
import math
import os
import random
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

sys.path.insert(0, os.path.dirname(HERE))
from palette import BRASS, INK, OXBLOOD, PAPER, PAPER_DARK  # noqa: E402

BRASS_LIGHT = '#d9b15e'
NIGHT = '#1d2433'
NIGHT_LIGHT = '#3a4660'
# One family only: Qt's SVG renderer takes the attribute as one name; fontconfig maps this one.
SERIF = 'font-family="Times New Roman"'


def num(v):
    s = f'{v:.2f}'.rstrip('0').rstrip('.')
    return '0' if s == '-0' else s


def svg(width, height, title, body):
    return (f'<?xml version="1.0" encoding="UTF-8"?>\n'
            f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">\n  <title>{title}</title>\n{body}</svg>\n')


def page(x, y, w, h):
    """A sheet with folded corner, a name line, two frames and ruling lines."""
    fold = min(w, h) * 0.22
    out = [f'  <path d="M{num(x)} {num(y)} H{num(x + w - fold)} L{num(x + w)} {num(y + fold)} '
           f'V{num(y + h)} H{num(x)} Z" fill="{PAPER}" stroke="{INK}" stroke-width="1.5" stroke-linejoin="round"/>\n',
           f'  <path d="M{num(x + w - fold)} {num(y)} V{num(y + fold)} H{num(x + w)}" fill="{PAPER_DARK}" '
           f'stroke="{INK}" stroke-width="1.2" stroke-linejoin="round"/>\n',
           f'  <path d="M{num(x + 3)} {num(y + 4)} H{num(x + w * 0.55)}" stroke="{OXBLOOD}" stroke-width="2" '
           f'stroke-linecap="round"/>\n']
    inner = w - 6
    top = y + 8
    half = (inner - 2) / 2
    for left in (x + 3, x + 5 + half):
        out.append(f'  <rect x="{num(left)}" y="{num(top)}" width="{num(half)}" height="{num(h * 0.3)}" '
                   f'fill="none" stroke="{BRASS}" stroke-width="1"/>\n')
    rows = int((y + h - 3 - (top + h * 0.3 + 3)) // 3.2)
    for i in range(rows):
        ly = top + h * 0.3 + 3.5 + i * 3.2
        out.append(f'  <path d="M{num(x + 3)} {num(ly)} H{num(x + w - 3)}" stroke="{INK}" stroke-width="0.8" '
                   f'opacity="0.7"/>\n')
    return ''.join(out)


def orientation(landscape):
    w, h = (36, 25.5) if landscape else (25.5, 36)
    x, y = (48 - w) / 2, (48 - h) / 2
    title = 'Querformat' if landscape else 'Hochformat'
    return svg(48, 48, title, page(x, y, w, h))


def top_hat(cx, base, s, fill, band, stroke):
    return (f'  <g transform="translate({num(cx)} {num(base)}) scale({num(s)})">\n'
            f'    <path d="M-9 0 L-7.5 -17 Q0 -19 7.5 -17 L9 0 Z" fill="{fill}" stroke="{stroke}" stroke-width="1.2"/>\n'
            f'    <path d="M-8.6 -4.5 Q0 -6 8.6 -4.5 L9 0 L-9 0 Z" fill="{band}"/>\n'
            f'    <path d="M-15 0 Q0 5 15 0 Q0 2 -15 0 Z" fill="{fill}" stroke="{stroke}" stroke-width="1.2"/>\n'
            f'  </g>\n')


def presents(night):
    rnd = random.Random(1880)
    sky_top, sky_bottom = (NIGHT, NIGHT_LIGHT) if night else ('#fbf4e2', PAPER_DARK)
    ink = BRASS_LIGHT if night else INK
    out = [f'  <defs><linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">'
           f'<stop offset="0" stop-color="{sky_top}"/><stop offset="1" stop-color="{sky_bottom}"/>'
           f'</linearGradient></defs>\n',
           f'  <rect x="1" y="1" width="318" height="158" rx="6" fill="url(#sky)" stroke="{BRASS}" stroke-width="2"/>\n',
           f'  <rect x="6" y="6" width="308" height="148" rx="4" fill="none" stroke="{ink}" stroke-width="0.8"/>\n']
    if night:
        for _ in range(40):
            x, y = rnd.uniform(12, 308), rnd.uniform(10, 80)
            out.append(f'  <circle cx="{num(x)}" cy="{num(y)}" r="{num(rnd.uniform(0.4, 1.2))}" fill="#f4e8cc" '
                       f'opacity="{num(rnd.uniform(0.4, 0.9))}"/>\n')
        out.append(f'  <circle cx="284" cy="30" r="11" fill="#f4e8cc"/>\n'
                   f'  <circle cx="289" cy="26" r="10" fill="{NIGHT}"/>\n')
    else:
        out.append(f'  <circle cx="284" cy="30" r="10" fill="{BRASS_LIGHT}" opacity="0.8"/>\n')
        for k in range(12):
            a = k * math.pi / 6
            out.append(f'  <path d="M{num(284 + 13 * math.cos(a))} {num(30 + 13 * math.sin(a))} '
                       f'L{num(284 + 17 * math.cos(a))} {num(30 + 17 * math.sin(a))}" stroke="{BRASS}" '
                       f'stroke-width="1.5" stroke-linecap="round"/>\n')
    # A skyline of roofs and chimneys along the bottom.
    roofs = 'M6 154 V128 L20 118 L34 128 V112 H40 V128 L58 116 L76 128 V122 H84 V134 L104 120 L124 134 ' \
            'V126 L140 114 L156 126 V154 Z M200 154 V130 L214 120 L228 130 V116 H234 V130 L252 118 ' \
            'L270 130 V124 L290 110 L314 124 V154 Z'
    out.append(f'  <path d="{roofs}" fill="{ink}" opacity="{0.85 if night else 0.35}"/>\n')
    if night:
        for x, y in ((20, 134), (62, 132), (110, 138), (216, 136), (258, 134), (296, 130)):
            out.append(f'  <rect x="{x}" y="{y}" width="4" height="5" fill="{BRASS_LIGHT}"/>\n')
    out.append(top_hat(58, 86, 1.8, OXBLOOD if not night else INK, BRASS if not night else OXBLOOD,
                       INK if not night else BRASS_LIGHT))
    out.append(f'  <text x="184" y="68" text-anchor="middle" {SERIF} font-size="30" font-style="italic" '
               f'font-weight="bold" fill="{OXBLOOD if not night else BRASS_LIGHT}">Valdris 1880</text>\n'
               f'  <path d="M124 78 H244" stroke="{BRASS}" stroke-width="1.5"/>\n'
               f'  <text x="184" y="98" text-anchor="middle" {SERIF} font-size="17" fill="{ink}">'
               f'Character Creator</text>\n')
    return svg(320, 160, 'Valdris 1880 ' + ('bei Nacht' if night else 'bei Tag'), ''.join(out))


def link():
    # An open book: the link leads to the user guide.
    book = (f'  <path d="M18 9 C14 7 10 7 7 8 V24 C10 23 14 23 18 25 C22 23 26 23 29 24 V8 C26 7 22 7 18 9 Z" '
            f'fill="{PAPER}" stroke="{INK}" stroke-width="1.3" stroke-linejoin="round"/>\n'
            f'  <path d="M18 9 V25 M10 12 C12 11.5 14 11.5 16 12.5 M10 16 C12 15.5 14 15.5 16 16.5 '
            f'M20 12.5 C22 11.5 24 11.5 26 12 M20 16.5 C22 15.5 24 15.5 26 16" fill="none" stroke="{INK}" '
            f'stroke-width="0.9"/>\n')
    body = (f'  <rect x="1" y="1" width="198" height="30" rx="5" fill="{BRASS_LIGHT}" stroke="{INK}" '
            f'stroke-width="1.5"/>\n'
            f'  <rect x="4" y="4" width="192" height="24" rx="3" fill="none" stroke="{BRASS}" stroke-width="1"/>\n'
            + book +
            f'  <text x="112" y="21.5" text-anchor="middle" {SERIF} font-size="15" font-style="italic" '
            f'fill="{INK}">Zum Handbuch</text>\n')
    return svg(200, 32, 'Zum Handbuch', body)


def write(name, text):
    with open(os.path.join(HERE, name), 'w', encoding='utf-8', newline='\n') as f:
        f.write(text)


def main():
    write('portrait.svg', orientation(False))
    write('landscape.svg', orientation(True))
    write('presents1.svg', presents(False))
    write('presents2.svg', presents(True))
    write('link.svg', link())


if __name__ == '__main__':
    main()
