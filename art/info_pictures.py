#!/usr/bin/env python3
"""Draws the two info-menu illustrations as SVG (300 x 360 px).

vegetace   - a bare, chalky marl slope with patches of dry grass and flowers
morfologie - a bare marl hill cut into by a branching network of deep gullies

Scatter (grass blades, flowers, stones) comes from a fixed-seed generator so
the output is the same on every run. Usage: info_pictures.py OUTDIR
"""
import math
import os
import random
import sys

W, H = 300, 360

SKY, SKY_LOW = "#d7e8f3", "#eaf3f8"
CHALK, CHALK_DARK, CHALK_LINE = "#ece4d1", "#d9ccae", "#c4b493"
CHALK_SHADOW = "#bfae8c"
GRASS, GRASS_DARK, GRASS_LIGHT, BLADE = "#9cba62", "#7a9f47", "#b8cf7e", "#5d8734"
HILL_FAR, TREE = "#a9c28a", "#7f9e62"
OUTLINE = "#6f6148"


def f(v):
    return f"{v:.1f}".rstrip("0").rstrip(".")


def path(points, closed=True):
    d = "M" + " L".join(f"{f(x)},{f(y)}" for x, y in points)
    return d + (" Z" if closed else "")


def smooth(points, closed=True):
    """Catmull-Rom through the points, as cubic Beziers: soft organic outlines."""
    n = len(points)
    pts = points if closed else [points[0]] + points + [points[-1]]
    segs = []
    rng = range(n) if closed else range(1, len(pts) - 2)
    for i in rng:
        p0, p1, p2, p3 = (pts[(i - 1) % len(pts)], pts[i % len(pts)],
                          pts[(i + 1) % len(pts)], pts[(i + 2) % len(pts)])
        c1 = (p1[0] + (p2[0] - p0[0]) / 6, p1[1] + (p2[1] - p0[1]) / 6)
        c2 = (p2[0] - (p3[0] - p1[0]) / 6, p2[1] - (p3[1] - p1[1]) / 6)
        segs.append(f"C{f(c1[0])},{f(c1[1])} {f(c2[0])},{f(c2[1])} {f(p2[0])},{f(p2[1])}")
    start = pts[0] if closed else pts[1]
    return f"M{f(start[0])},{f(start[1])} " + " ".join(segs) + (" Z" if closed else "")


def blob(rng, cx, cy, rx, ry, n=9, wobble=0.22):
    pts = []
    for i in range(n):
        a = 2 * math.pi * i / n
        k = 1 + rng.uniform(-wobble, wobble)
        pts.append((cx + rx * k * math.cos(a), cy + ry * k * math.sin(a)))
    return smooth(pts)


def grass_patch(rng, cx, cy, rx, ry, flowers=True):
    out = [f'<path d="{blob(rng, cx, cy, rx, ry)}" fill="{GRASS}" stroke="{GRASS_DARK}" stroke-width="1"/>']
    out.append(f'<path d="{blob(rng, cx - rx * 0.15, cy + ry * 0.25, rx * 0.6, ry * 0.45)}" fill="{GRASS_DARK}" opacity="0.55"/>')
    blades = []
    for _ in range(int(rx * ry / 14) + 3):
        a = rng.uniform(0, 2 * math.pi)
        r = math.sqrt(rng.uniform(0, 1))
        x, y = cx + rx * 0.85 * r * math.cos(a), cy + ry * 0.8 * r * math.sin(a)
        h = rng.uniform(3, 6.5)
        lean = rng.uniform(-2.2, 2.2)
        blades.append(f"M{f(x)},{f(y)} q{f(lean * 0.3)},{f(-h * 0.6)} {f(lean)},{f(-h)}")
    out.append(f'<path d="{" ".join(blades)}" fill="none" stroke="{BLADE}" stroke-width="0.9" stroke-linecap="round"/>')
    if flowers:
        for _ in range(max(1, int(rx * ry / 90))):
            a = rng.uniform(0, 2 * math.pi)
            r = math.sqrt(rng.uniform(0, 0.8))
            out.append(small_flower(rng, cx + rx * r * math.cos(a), cy + ry * r * math.sin(a) - 2))
    return "".join(out)


FLOWER_KINDS = [("#78aee6", "#3f6fa6", "#f4e27a"),   # flax
                ("#9a6cd0", "#5b3a8c", "#f2c232"),   # aster
                ("#fdfdfb", "#8c969e", "#f4cf3c"),   # anemone
                ("#f2cf3a", "#a88218", "#e79b1c")]   # yellow legume


def small_flower(rng, x, y, size=None):
    fill, line, centre = rng.choice(FLOWER_KINDS)
    r = size if size is not None else rng.uniform(1.6, 2.6)
    parts = [f'<path d="M{f(x)},{f(y + r)} l0,{f(r * 1.8)}" stroke="{BLADE}" stroke-width="0.7"/>']
    for k in range(5):
        a = 2 * math.pi * k / 5 - math.pi / 2
        parts.append(f'<circle cx="{f(x + r * 0.8 * math.cos(a))}" cy="{f(y + r * 0.8 * math.sin(a))}" '
                     f'r="{f(r * 0.62)}" fill="{fill}" stroke="{line}" stroke-width="0.45"/>')
    parts.append(f'<circle cx="{f(x)}" cy="{f(y)}" r="{f(r * 0.42)}" fill="{centre}"/>')
    return "".join(parts)


def big_flower(x, y, kind, r, stem):
    fill, line, centre = FLOWER_KINDS[kind]
    out = [f'<path d="M{f(x)},{f(y)} q{f(-2)},{f(stem * 0.5)} {f(1)},{f(stem)}" fill="none" '
           f'stroke="{BLADE}" stroke-width="1.3"/>']
    petals = 5 if kind != 1 else 14
    for k in range(petals):
        a = 360 * k / petals
        if kind == 1:
            d = f"M0,-{f(r * 0.3)} C-{f(r * 0.16)},-{f(r * 0.6)} -{f(r * 0.1)},-{f(r)} 0,-{f(r)} C{f(r * 0.1)},-{f(r)} {f(r * 0.16)},-{f(r * 0.6)} 0,-{f(r * 0.3)} Z"
        else:
            d = f"M0,-{f(r * 0.15)} C-{f(r * 0.55)},-{f(r * 0.3)} -{f(r * 0.55)},-{f(r)} 0,-{f(r)} C{f(r * 0.55)},-{f(r)} {f(r * 0.55)},-{f(r * 0.3)} 0,-{f(r * 0.15)} Z"
        out.append(f'<path d="{d}" transform="translate({f(x)} {f(y)}) rotate({f(a)})" fill="{fill}" '
                   f'stroke="{line}" stroke-width="0.7"/>')
    out.append(f'<circle cx="{f(x)}" cy="{f(y)}" r="{f(r * 0.3)}" fill="{centre}" stroke="{line}" stroke-width="0.5"/>')
    return "".join(out)


def grass_blades(rng, count, top, wave, period, depth, heights, lean, width):
    """Curved blades along a wavy meadow edge; `lean` is how far a tip may bend sideways."""
    blades = []
    for _ in range(count):
        x = rng.uniform(0, W)
        y = top + wave * math.sin(x / period) + rng.uniform(0, depth)
        h = rng.uniform(*heights)
        blades.append(f"M{f(x)},{f(y)} q{f(rng.uniform(-2, 2))},{f(-h * 0.6)} {f(rng.uniform(-lean, lean))},{f(-h)}")
    return f'<path d="{" ".join(blades)}" fill="none" stroke="{BLADE}" stroke-width="{width}" stroke-linecap="round"/>'


def sky_and_far_hills(rng, horizon):
    out = [f'<rect width="{W}" height="{H}" fill="{SKY}"/>',
           f'<rect y="{horizon - 46}" width="{W}" height="{H}" fill="{SKY_LOW}" opacity="0.6"/>',
           f'<rect y="{horizon - 30}" width="{W}" height="{H}" fill="{SKY_LOW}"/>']
    # one small cloud in the same style as the game's clouds
    cl = [(54, 34, 11), (68, 26, 14), (84, 32, 11), (70, 38, 10)]
    out.append("".join(f'<circle cx="{x}" cy="{y}" r="{r}" fill="#a5b6ca" stroke="#a5b6ca" stroke-width="2.4"/>' for x, y, r in cl))
    out.append("".join(f'<circle cx="{x}" cy="{y}" r="{r}" fill="#f4f7fb"/>' for x, y, r in cl))
    def ridge(x):
        return horizon - 12 - 9 * math.sin(x / 47 + 1.1) - 5 * math.sin(x / 19)
    hill = [(x, ridge(x)) for x in range(-20, W + 40, 20)]
    trees = []
    for _ in range(18):
        x = rng.uniform(0, W)
        rx = rng.uniform(4, 8)
        trees.append(f'<ellipse cx="{f(x)}" cy="{f(ridge(x) + rng.uniform(-1, 5))}" rx="{f(rx)}" ry="{f(rx * 0.8)}" fill="{TREE}"/>')
    out.append("".join(trees))
    out.append(f'<path d="{smooth(hill, closed=False)} L{W + 20},{H} L-20,{H} Z" fill="{HILL_FAR}"/>')
    return "".join(out)


def strata(rng, top_of, x0, x1, count, spread):
    lines = []
    for i in range(count):
        y0 = rng.uniform(0, spread)
        xs = [x0 + (x1 - x0) * k / 6 for k in range(7)]
        pts = [(x, top_of(x) + 14 + y0 + rng.uniform(-2, 2)) for x in xs]
        lines.append(f'<path d="{smooth(pts, closed=False)}" fill="none" stroke="{CHALK_LINE}" '
                     f'stroke-width="{f(rng.uniform(0.7, 1.4))}" stroke-dasharray="{int(rng.uniform(12, 40))} {int(rng.uniform(5, 14))}" '
                     f'stroke-linecap="round" opacity="0.8"/>')
    return "".join(lines)


def vegetace():
    rng = random.Random(20)
    horizon = 112
    out = [sky_and_far_hills(rng, horizon)]

    def crest(x):  # slope edge rising to the left
        return 96 + 0.22 * x + 6 * math.sin(x / 37)
    edge = [(x, crest(x)) for x in range(0, W + 1, 25)]
    out.append(f'<path d="{smooth(edge, closed=False)} L{W},{H} L0,{H} Z" fill="{CHALK}" stroke="{OUTLINE}" stroke-width="1.2"/>')
    # grassy brow along the top edge
    brow = [(x, crest(x) - 3 + rng.uniform(-1.5, 1.5)) for x in range(-10, W + 20, 20)]
    brow_low = [(x, crest(x) + 9 + rng.uniform(-3, 4)) for x in range(W + 10, -20, -20)]
    out.append(f'<path d="{smooth(brow + brow_low)}" fill="{GRASS}" stroke="{GRASS_DARK}" stroke-width="1"/>')
    # layered marl shows as broken, roughly contour-parallel lines and darker washes
    for _ in range(7):
        x, y = rng.uniform(20, 280), rng.uniform(170, 330)
        out.append(f'<path d="{blob(rng, x, y, rng.uniform(18, 34), rng.uniform(5, 9), wobble=0.3)}" fill="{CHALK_DARK}" opacity="0.55"/>')
    out.append(strata(rng, crest, -10, W + 10, 16, 230))
    # patches of grass and flowers, denser lower down where soil has collected
    for _ in range(15):
        x = rng.uniform(0, W)
        y = rng.uniform(crest(x) + 26, H - 30)
        s = 0.5 + (y - 150) / 260
        out.append(grass_patch(rng, x, y, rng.uniform(14, 26) * s, rng.uniform(6, 10) * s))
    # foreground meadow with bigger flowers
    fg = [(x, H - 42 + 8 * math.sin(x / 29) + rng.uniform(-3, 3)) for x in range(-10, W + 20, 22)]
    out.append(f'<path d="{smooth(fg, closed=False)} L{W + 10},{H + 5} L-10,{H + 5} Z" fill="{GRASS}" stroke="{GRASS_DARK}" stroke-width="1.2"/>')
    out.append(grass_blades(rng, 140, H - 38, 8, 29, 40, (6, 14), 4, "1.1"))
    for x, y, kind, r in [(30, 318, 0, 7), (62, 330, 2, 8), (112, 312, 1, 9), (150, 334, 0, 6.5),
                          (196, 318, 2, 7.5), (238, 326, 1, 8.5), (276, 314, 0, 7)]:
        out.append(big_flower(x, y, kind, r, 30))
    return "".join(out)


def morfologie():
    rng = random.Random(7)
    horizon = 96
    out = [sky_and_far_hills(rng, horizon)]
    base_y = H - 40

    # A bare marl hill whose whole face is dissected by a branching gully network.
    def crest(x):
        return 118 - 30 * math.exp(-((x - 150) / 110) ** 2) + 4 * math.sin(x / 21)
    top = [(x, crest(x)) for x in range(-20, W + 30, 15)]
    out.append(f'<path d="{smooth(top, closed=False)} L{W + 20},{H} L-20,{H} Z" fill="{CHALK}" '
               f'stroke="{OUTLINE}" stroke-width="1.2"/>')
    out.append(strata(rng, crest, -10, W + 10, 12, 190))
    # a cap of turf survives only along the very top
    cap = [(x, crest(x) - 2.5) for x in range(-20, W + 30, 15)]
    cap_low = [(x, crest(x) + 5 + 3 * math.sin(x / 9)) for x in range(W + 25, -25, -15)]
    out.append(f'<path d="{smooth(cap + cap_low)}" fill="{GRASS}" stroke="{GRASS_DARK}" stroke-width="1"/>')

    # Every channel is a tapering cut: it starts as a hairline at its head and
    # widens downstream. Light comes from the upper left, so the left-hand wall
    # of a cut faces away from it and lies in shade. Side channels branch off and
    # join at sharp angles, as run-off gathers on the way down.
    walls, floors, rims = [], [], []

    def channel(x0, y0, x1, y1, w0, w1, bend, depth):
        n = 8
        axis, widths = [], []
        for i in range(n + 1):
            t = i / n
            x = x0 + (x1 - x0) * t + bend * math.sin(t * math.pi) + rng.uniform(-1.2, 1.2)
            axis.append((x, y0 + (y1 - y0) * t))
            widths.append(w0 + (w1 - w0) * t ** 0.9)
        left = [(x - w, y) for (x, y), w in zip(axis, widths)]
        right = [(x + w, y) for (x, y), w in zip(axis, widths)]
        floor = [(x - w * 0.2, y) for (x, y), w in zip(axis, widths)]
        walls.append(f'<path d="{smooth(left + floor[::-1], closed=True)}" fill="#8f7a55"/>')
        walls.append(f'<path d="{smooth(floor + right[::-1], closed=True)}" fill="#c4b18a"/>')
        floors.append(f'<path d="{smooth(floor, closed=False)}" fill="none" stroke="#5a4a31" '
                      f'stroke-width="{f(0.6 + w1 * 0.08)}" stroke-linecap="round"/>')
        rims.append(f'<path d="{smooth(left, closed=False)}" fill="none" stroke="#5a4a31" stroke-width="1.3"/>')
        rims.append(f'<path d="{smooth(right, closed=False)}" fill="none" stroke="#fbf7ee" stroke-width="1.4"/>')
        rills = []
        for i in range(2, n):
            (x, y), w = axis[i], widths[i]
            for k in (0.45, 0.75):
                rills.append(f"M{f(x + w * k)},{f(y - 6)} L{f(x + w * (k - 0.12))},{f(y + 5)}")
        rims.append(f'<path d="{" ".join(rills)}" fill="none" stroke="#a8956f" stroke-width="0.8" stroke-linecap="round"/>')
        if depth > 0:
            for _ in range(2):
                k = rng.randint(3, 6)
                jx, jy = axis[k]
                side = rng.choice((-1, 1))
                length = rng.uniform(40, 70) * (y1 - y0) / 240
                sx = jx + side * length * rng.uniform(0.5, 0.8)
                sy = max(crest(sx) + 10, jy - length)
                channel(sx, sy, jx, jy, 0.6, widths[k] * 0.55, side * rng.uniform(-4, 4), depth - 1)

    outlets = [(22, 8, 16), (86, 76, 22), (150, 150, 24), (214, 226, 22), (276, 298, 16)]
    for x0, x1, w1 in outlets:
        channel(x0, crest(x0) + 1, x1, base_y + 4, 2.5, w1, rng.uniform(-8, 8), 0)
    out.extend(walls)
    out.extend(rims)
    out.extend(floors)

    # turf and a few flowers holding on to the ridges between the cuts
    for x, y, rx, ry in [(56, 178, 9, 4.5), (112, 214, 8, 4), (170, 168, 9, 4.5), (232, 222, 8, 4),
                         (282, 182, 7, 4), (110, 290, 7, 4), (236, 300, 7, 4)]:
        out.append(grass_patch(rng, x, y, rx, ry, flowers=rx > 7))
    # washed-out marl spreads in fans at the foot, and a strip of meadow
    base = [(x, base_y + 3 * math.sin(x / 23)) for x in range(-20, W + 30, 20)]
    out.append(f'<path d="{smooth(base, closed=False)} L{W + 20},{H + 5} L-20,{H + 5} Z" fill="#e2d7bc" '
               f'stroke="{OUTLINE}" stroke-width="1"/>')
    # each gully dumps what it washed out in a fan spreading from its mouth
    for _, x1, w1 in outlets:
        out.append(f'<path d="M{f(x1 - w1)},{f(base_y + 2)} C{f(x1 - w1 * 1.8)},{f(base_y + 14)} {f(x1 - w1 * 2)},{f(base_y + 24)} '
                   f'{f(x1 - w1 * 2.2)},{f(base_y + 28)} L{f(x1 + w1 * 2.2)},{f(base_y + 28)} '
                   f'C{f(x1 + w1 * 2)},{f(base_y + 24)} {f(x1 + w1 * 1.8)},{f(base_y + 14)} {f(x1 + w1)},{f(base_y + 2)} Z" '
                   f'fill="#d6c8a6"/>')
    stones = []
    for _ in range(50):
        x, y = rng.uniform(0, W), rng.uniform(base_y + 4, H - 14)
        stones.append(f'<ellipse cx="{f(x)}" cy="{f(y)}" rx="{f(rng.uniform(1.2, 3))}" ry="{f(rng.uniform(0.8, 1.6))}"/>')
    out.append(f'<g fill="#c2b291" stroke="#9c8a68" stroke-width="0.5">{"".join(stones)}</g>')
    fg = [(x, H - 12 + 4 * math.sin(x / 17) + rng.uniform(-2, 2)) for x in range(-20, W + 30, 20)]
    out.append(f'<path d="{smooth(fg, closed=False)} L{W + 20},{H + 5} L-20,{H + 5} Z" fill="{GRASS}" '
               f'stroke="{GRASS_DARK}" stroke-width="1"/>')
    out.append(grass_blades(rng, 70, H - 8, 4, 17, 10, (5, 10), 3, "1"))
    return "".join(out)


def write(outdir, name, body):
    svg = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}">'
           f'<defs><clipPath id="frame"><rect width="{W}" height="{H}"/></clipPath></defs>'
           f'<g clip-path="url(#frame)">{body}</g>'
           f'<rect x="0.5" y="0.5" width="{W - 1}" height="{H - 1}" fill="none" stroke="#8a8f7a" stroke-width="1"/></svg>\n')
    with open(os.path.join(outdir, name + ".svg"), "w") as fh:
        fh.write(svg)


def main():
    outdir = sys.argv[1] if len(sys.argv) > 1 else "."
    write(outdir, "vegetace", vegetace())
    write(outdir, "morfologie", morfologie())


if __name__ == "__main__":
    main()
