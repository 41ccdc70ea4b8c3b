#!/usr/bin/env python3
"""Draws the runner sheet as SVG: a hiker in profile, running to the right.

Poses come from a small limb model (joint angles -> segment end points), so the
five run frames are samples of one periodic cycle and loop without a seam.
Each pose is lowered until its lowest point sits on the frame's bottom edge,
which is where the game puts the ground line.

Usage: player.py > sheet.svg   (prints the sheet size on stderr)
"""
import math
import sys

FRAME_H = 74
COLS, ROWS = 5, 3

# Palette: flat fills with a darker tone of the same hue as the outline.
SKIN, SKIN_LINE = "#f2c49b", "#9a6446"
SKIN_FAR = "#dba683"
SHIRT, SHIRT_LINE = "#e0713c", "#8e3d1b"
SHIRT_FAR = "#c45d2c"
SHORTS, SHORTS_LINE = "#6b7a3c", "#3a4420"
SHORTS_FAR = "#56632e"
BOOT, BOOT_LINE = "#6b4428", "#3b2414"
BOOT_FAR = "#573520"
PACK, PACK_LINE = "#3f6e8c", "#203d52"
ROLL = "#d9b44a"
HAIR = "#6a3f22"
CAP, CAP_LINE = "#2f7d5b", "#184a34"
SOCK = "#f3efe4"

OUTLINE = 1.3   # outline width in px, on each side of a shape

# Body proportions in px (74 px tall when standing).
HEAD_R = 7.2
NECK = 3.0
TORSO = 17.5
THIGH = 14.5
SHIN = 14.5
UPPER_ARM = 10.5
FOREARM = 10.0
LIMB_W = 5.2
ARM_W = 4.4
TORSO_W = 11.5


def rot(angle_deg, length):
    """Vector of a segment hanging down, turned forward (towards +x) by angle."""
    a = math.radians(angle_deg)
    return (length * math.sin(a), length * math.cos(a))


def add(p, v):
    return (p[0] + v[0], p[1] + v[1])


class Pose:
    def __init__(self, lean, legs, arms, head_tilt=0.0):
        # lean: torso tilt forward in degrees; legs/arms: (near, far) tuples of
        # (upper angle, lower angle relative to upper) in degrees, forward positive.
        self.lean = lean
        self.legs = legs
        self.arms = arms
        self.head_tilt = head_tilt

    def joints(self):
        hip = (0.0, 0.0)
        up = math.radians(self.lean)
        shoulder = (hip[0] + TORSO * math.sin(up), hip[1] - TORSO * math.cos(up))
        neck_top = (shoulder[0] + NECK * math.sin(up), shoulder[1] - NECK * math.cos(up))
        head = (neck_top[0] + HEAD_R * 0.75 * math.sin(up), neck_top[1] - HEAD_R * 0.9)
        legs = []
        for thigh_a, knee_a in self.legs:
            knee = add(hip, rot(thigh_a, THIGH))
            ankle = add(knee, rot(thigh_a - knee_a, SHIN))
            legs.append((hip, knee, ankle, thigh_a - knee_a))
        arms = []
        sh = add(shoulder, rot(self.lean + 180, 1.5))
        for upper_a, elbow_a in self.arms:
            elbow = add(sh, rot(upper_a, UPPER_ARM))
            hand = add(elbow, rot(upper_a + elbow_a, FOREARM))
            arms.append((sh, elbow, hand))
        return hip, shoulder, head, legs, arms

    def foot_points(self, ankle, shin_a):
        # The boot: heel behind the ankle, toe ahead of it, sole roughly square to the shin.
        sole = math.radians(shin_a)
        fx, fy = math.cos(sole), -math.sin(sole)   # forward along the sole
        dx, dy = math.sin(sole), math.cos(sole)     # down along the shin
        heel = (ankle[0] - 2.5 * fx + 2.6 * dx, ankle[1] - 2.5 * fy + 2.6 * dy)
        toe = (ankle[0] + 6.5 * fx + 2.6 * dx, ankle[1] + 6.5 * fy + 2.6 * dy)
        return heel, toe

    def extent(self):
        """Bounding box of the drawn figure, outlines included, hip at origin."""
        hip, shoulder, head, legs, arms = self.joints()
        pts = []
        pad_leg = LIMB_W / 2 + OUTLINE
        for hip_, knee, ankle, shin_a in legs:
            heel, toe = self.foot_points(ankle, shin_a)
            for p in (hip_, knee, ankle):
                pts.append((p, pad_leg))
            for p in (heel, toe):
                pts.append((p, 2.2 + OUTLINE))
        for sh, elbow, hand in arms:
            for p in (sh, elbow, hand):
                pts.append((p, ARM_W / 2 + OUTLINE + 0.6))
        pts.append((head, HEAD_R + OUTLINE + 0.5))
        # cap peak and backpack corners
        pts.append(((head[0] + HEAD_R + 4.0, head[1] - 2.0), OUTLINE + 1.0))
        pts.append(((head[0], head[1] - HEAD_R - 1.2), OUTLINE + 0.6))
        for corner in self.pack_corners(hip, shoulder):
            pts.append((corner, OUTLINE + 1.2))
        xs0 = min(p[0] - r for p, r in pts)
        xs1 = max(p[0] + r for p, r in pts)
        ys0 = min(p[1] - r for p, r in pts)
        ys1 = max(p[1] + r for p, r in pts)
        return xs0, ys0, xs1, ys1

    def pack_corners(self, hip, shoulder):
        # Backpack: a box on the back between shoulder and lower back, with a rolled mat on top.
        up = math.radians(self.lean)
        ux, uy = math.sin(up), -math.cos(up)        # along the spine, upwards
        bx, by = -math.cos(up), -math.sin(up)       # towards the back
        base = (hip[0] + ux * 5.0 + bx * 4.0, hip[1] + uy * 5.0 + by * 4.0)
        corners = []
        for a, b in ((0, 0), (0, 8.5), (15.0, 8.5), (15.0, 0), (18.0, 1.0), (18.0, 8.0)):
            corners.append((base[0] + ux * a + bx * b, base[1] + uy * a + by * b))
        return corners


def fmt(v):
    return f"{v:.2f}".rstrip("0").rstrip(".")


def seg(points, fill, line, width):
    d = "M" + " L".join(f"{fmt(x)},{fmt(y)}" for x, y in points)
    return (f'<path d="{d}" fill="none" stroke="{line}" stroke-width="{fmt(width + 2 * OUTLINE)}" '
            f'stroke-linecap="round" stroke-linejoin="round"/>'
            f'<path d="{d}" fill="none" stroke="{fill}" stroke-width="{fmt(width)}" '
            f'stroke-linecap="round" stroke-linejoin="round"/>')


def poly(points, fill, line, extra=""):
    d = "M" + " L".join(f"{fmt(x)},{fmt(y)}" for x, y in points) + " Z"
    return (f'<path d="{d}" fill="{fill}" stroke="{line}" stroke-width="{fmt(2 * OUTLINE * 0.8)}" '
            f'stroke-linejoin="round" {extra}/>')


def draw_leg(pose, leg, near):
    hip, knee, ankle, shin_a = leg
    short_fill = SHORTS if near else SHORTS_FAR
    skin = SKIN if near else SKIN_FAR
    boot = BOOT if near else BOOT_FAR
    out = []
    # shin (skin) first, then the shorts over the thigh, then sock and boot
    mid = (knee[0] + (ankle[0] - knee[0]) * 0.78, knee[1] + (ankle[1] - knee[1]) * 0.78)
    out.append(seg([knee, ankle], skin, SKIN_LINE, LIMB_W - 0.6))
    out.append(seg([mid, ankle], SOCK, "#9d978a", LIMB_W - 0.4))
    thigh_end = (hip[0] + (knee[0] - hip[0]) * 1.08, hip[1] + (knee[1] - hip[1]) * 1.08)
    out.append(seg([hip, thigh_end], short_fill, SHORTS_LINE, LIMB_W + 1.2))
    heel, toe = pose.foot_points(ankle, shin_a)
    out.append(seg([heel, toe], boot, BOOT_LINE, 4.4))
    return "".join(out)


def draw_arm(arm, near):
    sh, elbow, hand = arm
    sleeve_end = (sh[0] + (elbow[0] - sh[0]) * 0.7, sh[1] + (elbow[1] - sh[1]) * 0.7)
    skin = SKIN if near else SKIN_FAR
    shirt = SHIRT if near else SHIRT_FAR
    out = seg([sh, elbow, hand], skin, SKIN_LINE, ARM_W)
    out += seg([sh, sleeve_end], shirt, SHIRT_LINE, ARM_W + 1.4)
    out += (f'<circle cx="{fmt(hand[0])}" cy="{fmt(hand[1])}" r="{fmt(ARM_W * 0.62)}" '
            f'fill="{skin}" stroke="{SKIN_LINE}" stroke-width="{fmt(OUTLINE * 0.9)}"/>')
    return out


def draw_head(head, lean, tilt):
    x, y = head
    a = lean * 0.4 + tilt
    r = HEAD_R
    g = [f'<g transform="rotate({fmt(a)} {fmt(x)} {fmt(y)})">']
    # hair at the back of the head, face, ear, eye, cap with a peak to the front
    g.append(f'<circle cx="{fmt(x - 1.0)}" cy="{fmt(y + 0.3)}" r="{fmt(r)}" fill="{HAIR}" '
             f'stroke="{SKIN_LINE}" stroke-width="{fmt(OUTLINE * 1.6)}"/>')
    g.append(f'<circle cx="{fmt(x + 0.4)}" cy="{fmt(y)}" r="{fmt(r - 0.5)}" fill="{SKIN}"/>')
    g.append(f'<path d="M{fmt(x - 2.0)},{fmt(y - r + 0.3)} Q{fmt(x - r - 0.5)},{fmt(y - 2)} '
             f'{fmt(x - 3.4)},{fmt(y + r - 1.0)} L{fmt(x - 1.6)},{fmt(y + 1)} Z" fill="{HAIR}"/>')
    g.append(f'<ellipse cx="{fmt(x - 0.6)}" cy="{fmt(y + 0.8)}" rx="1.5" ry="2" fill="{SKIN_FAR}" '
             f'stroke="{SKIN_LINE}" stroke-width="0.7"/>')
    g.append(f'<circle cx="{fmt(x + 3.6)}" cy="{fmt(y - 0.2)}" r="1.05" fill="#2b1d14"/>')
    g.append(f'<path d="M{fmt(x + 3.2)},{fmt(y + 3.6)} Q{fmt(x + 4.6)},{fmt(y + 4.4)} {fmt(x + 5.6)},{fmt(y + 3.2)}" '
             f'fill="none" stroke="{SKIN_LINE}" stroke-width="0.8" stroke-linecap="round"/>')
    g.append(f'<path d="M{fmt(x - r + 0.2)},{fmt(y - 1.6)} Q{fmt(x - r + 0.4)},{fmt(y - r - 1.4)} '
             f'{fmt(x + 1.0)},{fmt(y - r - 1.0)} Q{fmt(x + r)},{fmt(y - r + 0.2)} {fmt(x + r - 0.6)},{fmt(y - 2.6)} '
             f'L{fmt(x + r + 4.0)},{fmt(y - 2.2)} Q{fmt(x + r + 3.0)},{fmt(y - 0.8)} {fmt(x + r - 1.0)},{fmt(y - 1.0)} '
             f'L{fmt(x - r + 0.2)},{fmt(y - 1.6)} Z" fill="{CAP}" stroke="{CAP_LINE}" '
             f'stroke-width="{fmt(OUTLINE * 1.2)}" stroke-linejoin="round"/>')
    g.append("</g>")
    return "".join(g)


def draw_pose(pose):
    hip, shoulder, head, legs, arms = pose.joints()
    parts = []
    parts.append(draw_arm(arms[1], near=False))
    parts.append(draw_leg(pose, legs[1], near=False))
    c = pose.pack_corners(hip, shoulder)
    parts.append(poly(c[:4], PACK, PACK_LINE))
    # rolled sleeping mat across the top of the pack
    top_a, top_b = c[3], c[2]
    mid = ((top_a[0] + top_b[0]) / 2, (top_a[1] + top_b[1]) / 2)
    up = math.radians(pose.lean)
    ux, uy = math.sin(up), -math.cos(up)
    mat = (mid[0] + ux * 2.0, mid[1] + uy * 2.0)
    parts.append(f'<ellipse cx="{fmt(mat[0])}" cy="{fmt(mat[1])}" rx="6.2" ry="2.6" '
                 f'transform="rotate({fmt(pose.lean)} {fmt(mat[0])} {fmt(mat[1])})" '
                 f'fill="{ROLL}" stroke="#8a6d1e" stroke-width="{fmt(OUTLINE * 0.9)}"/>')
    # torso: a capsule from hip to shoulder
    parts.append(seg([add(hip, rot(pose.lean, -1.0)), add(shoulder, rot(pose.lean, 2.0))],
                     SHIRT, SHIRT_LINE, TORSO_W))
    # strap over the shoulder
    s0 = add(shoulder, rot(pose.lean + 180, -1.0))
    s1 = add(hip, rot(pose.lean, -6.0))
    parts.append(f'<path d="M{fmt(s0[0] - 2.5)},{fmt(s0[1] + 1)} Q{fmt(s0[0] + 3.5)},{fmt((s0[1] + s1[1]) / 2)} '
                 f'{fmt(s1[0] - 1.5)},{fmt(s1[1])}" fill="none" stroke="{PACK_LINE}" stroke-width="1.6" '
                 f'stroke-linecap="round"/>')
    parts.append(draw_leg(pose, legs[0], near=True))
    parts.append(draw_head(head, pose.lean, pose.head_tilt))
    parts.append(draw_arm(arms[0], near=True))
    return "".join(parts)


def run_pose(phase):
    """One sample of the run cycle; phase in [0, 1) and the cycle is periodic."""
    def leg(p):
        w = 2 * math.pi * p
        thigh = 8 + 34 * math.sin(w)
        # knee folds most while the leg swings forward, stays nearly straight on the ground
        swing = max(0.0, math.cos(w - 0.35))
        knee = 14 + 78 * swing ** 1.4
        return thigh, knee

    def arm(p):
        w = 2 * math.pi * p
        return -40 * math.sin(w) + 4, 82 + 14 * math.cos(w)

    near_leg, far_leg = leg(phase), leg(phase + 0.5)
    near_arm, far_arm = arm(phase + 0.5), arm(phase)
    return Pose(lean=12, legs=(near_leg, far_leg), arms=(near_arm, far_arm))


def jump_pose():
    # knees tucked, arms raised for balance
    return Pose(lean=6, legs=((52, 96), (18, 72)), arms=((145, -40), (-60, -85)), head_tilt=-6)


def hit_pose():
    # knocked off balance: thrown backwards, front leg stuck out, arms flailing
    return Pose(lean=-14, legs=((40, 30), (-10, 60)), arms=((100, 45), (215, 20)), head_tilt=-12)


def main():
    run = [run_pose(i / COLS) for i in range(COLS)]
    jump, hit = jump_pose(), hit_pose()
    poses = [run, [jump] * COLS, [hit] * COLS]

    # One horizontal anchor for all frames keeps the hip still while the cycle
    # plays; the frame is as wide as the widest pose needs.
    boxes = [p.extent() for row in poses for p in row]
    left = min(b[0] for b in boxes)
    right = max(b[2] for b in boxes)
    frame_w = int(math.ceil(right - left))
    anchor_x = (frame_w - (right - left)) / 2 - left
    for b in boxes:
        if b[3] - b[1] > FRAME_H:
            sys.exit(f"pose taller than the frame: {b[3] - b[1]:.1f}")

    width, height = frame_w * COLS, FRAME_H * ROWS
    out = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
           f'viewBox="0 0 {width} {height}">']
    for r, row in enumerate(poses):
        for c, pose in enumerate(row):
            x0, y0, x1, y1 = pose.extent()
            # feet (lowest point, outline included) on the frame's bottom edge
            dy = FRAME_H - y1 + 0.35
            tx = c * frame_w + anchor_x
            ty = r * FRAME_H + dy
            out.append(f'<svg x="{c * frame_w}" y="{r * FRAME_H}" width="{frame_w}" height="{FRAME_H}" '
                       f'viewBox="{c * frame_w} {r * FRAME_H} {frame_w} {FRAME_H}" overflow="hidden">'
                       f'<g transform="translate({fmt(tx)} {fmt(ty)})">{draw_pose(pose)}</g></svg>')
    out.append("</svg>")
    print("\n".join(out))
    print(f"{width}x{height} frame {frame_w}x{FRAME_H}", file=sys.stderr)


if __name__ == "__main__":
    main()
