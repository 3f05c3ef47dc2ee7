#!/usr/bin/env python3
"""Draws the pictures of KVRestart.exe and writes them as .ico files next to this script:
the six action icons, the "Windows beenden..." icon, the menu icons, the program picture and
the sizing grip (see Pictures.h for their resource ids and the image-list orders).

Every icon holds 16x16 and 32x32 images (the program picture also 48x48 and 64x64), 32-bit
with alpha, stored PNG-compressed (as Windows reads them since Vista): a fifth of the size of
plain bitmaps in the program file. Shapes are described in a 0..1 square and sampled 5x5 times per pixel; only the
standard library is used. Run it again after changing a drawing; the .ico files are kept in
the repository so that the build needs no Python."""
import math
import os
import struct
import zlib

SAMPLES = 5  # per axis


# ---- shapes: functions (x, y) -> bool over the unit square, y pointing down ----

def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_in, r_out):
    return lambda x, y: r_in * r_in <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def rounded(x0, y0, x1, y1, radius):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        dx = max(x0 + radius - x, 0, x - (x1 - radius))
        dy = max(y0 + radius - y, 0, y - (y1 - radius))
        return dx * dx + dy * dy <= radius * radius
    return inside


def segment(x0, y0, x1, y1, width):
    """A stroke with round ends."""
    vx, vy = x1 - x0, y1 - y0
    length2 = vx * vx + vy * vy or 1e-12

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * vx + (y - y0) * vy) / length2))
        px, py = x0 + t * vx - x, y0 + t * vy - y
        return px * px + py * py <= width * width / 4
    return inside


def polyline(points, width):
    return union(*(segment(*a, *b, width) for a, b in zip(points, points[1:])))


def polygon(points):
    def inside(x, y):
        hit = False
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                hit = not hit
        return hit
    return inside


def angle_of(cx, cy, x, y):
    """Degrees clockwise from 12 o'clock."""
    return math.degrees(math.atan2(x - cx, cy - y)) % 360


def arc(cx, cy, radius, width, start, end):
    """Part of a ring from angle start clockwise to angle end (degrees from 12 o'clock)."""
    body = ring(cx, cy, radius - width / 2, radius + width / 2)
    span = (end - start) % 360

    def inside(x, y):
        return body(x, y) and (angle_of(cx, cy, x, y) - start) % 360 <= span
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, *holes):
    return lambda x, y: shape(x, y) and not any(h(x, y) for h in holes)


def rotate(shape, cx, cy, degrees):
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    return lambda x, y: shape(cx + (x - cx) * c + (y - cy) * s, cy - (x - cx) * s + (y - cy) * c)


# ---- paints: colour (r, g, b, a) at a point ----

def solid(r, g, b, a=255):
    return lambda x, y: (r, g, b, a)


def vertical(top, bottom):
    """A linear blend from the top colour to the bottom colour."""
    def paint(x, y):
        t = min(max(y, 0.0), 1.0)
        return tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)) + (255,)
    return paint


def radial(cx, cy, r, inner, outer):
    def paint(x, y):
        t = min(math.hypot(x - cx, y - cy) / r, 1.0)
        return tuple(round(a + (b - a) * t) for a, b in zip(inner, outer)) + (255,)
    return paint


# ---- rendering ----

def render(size, layers):
    """layers: (shape, paint) pairs, painted bottom to top. Returns rows of BGRA bytes."""
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied sums
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    r = g = b = a = 0.0
                    for shape, paint in layers:
                        if shape(x, y):
                            cr, cg, cb, ca = paint(x, y)
                            k = ca / 255.0
                            r, g, b = r * (1 - k) + cr * k, g * (1 - k) + cg * k, b * (1 - k) + cb * k
                            a = a * (1 - k) + k
                    acc[0] += r
                    acc[1] += g
                    acc[2] += b
                    acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if alpha <= 0:
                row += bytes(4)
                continue
            # the colour sums carry the weights already; undo them for straight alpha
            r, g, b = (min(255, round(c / n / alpha)) for c in acc[:3])
            row += bytes((b, g, r, round(alpha * 255)))
        rows.append(bytes(row))
    return rows


def ico_image(size, rows):
    """One image of the icon as a PNG (8-bit RGBA, not interlaced)."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = bytearray()
    for row in rows:  # BGRA -> RGBA, each line after filter type 0
        raw.append(0)
        for x in range(size):
            b, g, r, a = row[x * 4:x * 4 + 4]
            raw += bytes((r, g, b, a))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def write_ico(path, images):
    """images: (size, rows) pairs."""
    data = [ico_image(size, rows) for size, rows in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, _), blob in zip(images, data):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(data))


# ---- the pictures; each function draws for one pixel size ----

WHITE = solid(255, 255, 255)
SHADOW = solid(0, 0, 0, 60)


def stroke_for(size, small, large):
    return small if size <= 16 else large


def button(colour_top, colour_bottom, edge):
    """A round badge with a darker rim, the ground of several action icons."""
    return [
        (circle(0.5, 0.5, 0.49), solid(*edge)),
        (circle(0.5, 0.5, 0.43), vertical(colour_top, colour_bottom)),
    ]


def power_symbol(size, cx=0.5, cy=0.52, radius=0.24):
    w = stroke_for(size, 0.13, 0.1)
    return union(
        minus(ring(cx, cy, radius - w / 2, radius + w / 2),
              lambda x, y: abs(angle_of(cx, cy, x, y) - 180) > 140),
        segment(cx, cy - radius - 0.06, cx, cy - 0.02, w))


def shutdown(size):
    return button((240, 90, 80), (170, 20, 20), (120, 10, 10)) + [(power_symbol(size), WHITE)]


def restart(size):
    w = stroke_for(size, 0.13, 0.1)
    r = 0.22
    head_angle = math.radians(40)
    tip = (0.5 + r * math.sin(head_angle), 0.5 - r * math.cos(head_angle))
    # the arrow head at the end of the arc, pointing along the clockwise direction
    tx, ty = math.cos(head_angle), math.sin(head_angle)  # tangent
    nx, ny = math.sin(head_angle), -math.cos(head_angle)  # outward normal
    h = stroke_for(size, 0.24, 0.21)
    head = polygon([
        (tip[0] + tx * h, tip[1] + ty * h),
        (tip[0] + nx * h - tx * 0.02, tip[1] + ny * h - ty * 0.02),
        (tip[0] - nx * h - tx * 0.02, tip[1] - ny * h - ty * 0.02),
    ])
    return button((110, 210, 90), (30, 135, 40), (15, 90, 25)) + [
        (union(arc(0.5, 0.5, r, w, 100, 40), head), WHITE)]


def logoff(size):
    person = vertical((90, 150, 235), (30, 80, 180))
    w = stroke_for(size, 0.12, 0.1)
    return [
        (circle(0.36, 0.27, 0.17), solid(20, 60, 140)),
        (circle(0.36, 0.27, 0.13), person),
        (minus(rounded(0.06, 0.5, 0.66, 1.0, 0.26), rect(0, 0.96, 1, 1)), solid(20, 60, 140)),
        (minus(rounded(0.1, 0.54, 0.62, 1.0, 0.22), rect(0, 0.92, 1, 1)), person),
        # the arrow out to the right
        (union(segment(0.58, 0.66, 0.9, 0.66, w + 0.08),
               polygon([(0.98, 0.66), (0.78, 0.44), (0.78, 0.88)])), solid(150, 60, 0)),
        (union(segment(0.6, 0.66, 0.86, 0.66, w),
               polygon([(0.93, 0.66), (0.8, 0.51), (0.8, 0.81)])), solid(255, 170, 40)),
    ]


def standby(size):
    moon = minus(circle(0.5, 0.5, 0.3), circle(0.66, 0.38, 0.26))
    stars = union(circle(0.73, 0.68, stroke_for(size, 0.06, 0.045)),
                  circle(0.8, 0.28, stroke_for(size, 0.05, 0.035)))
    return button((70, 90, 170), (20, 30, 90), (10, 15, 60)) + [
        (moon, solid(255, 215, 60)), (stars, solid(255, 245, 190))]


def hibernate(size):
    """A snowflake; at 16 pixels only its six arms, as the side branches would blur."""
    w = stroke_for(size, 0.12, 0.075)
    arm = stroke_for(size, 0.34, 0.32)
    branch = 0.11
    strokes = []
    for k in range(3):
        a = math.radians(90 + 60 * k)
        dx, dy = math.cos(a) * arm, math.sin(a) * arm
        strokes.append(segment(0.5 - dx, 0.5 - dy, 0.5 + dx, 0.5 + dy, w))
    for k in range(6 if size > 16 else 0):
        a = math.radians(30 + 60 * k)
        ex, ey = 0.5 + math.cos(a) * arm * 0.62, 0.5 + math.sin(a) * arm * 0.62
        for turn in (-45, 45):
            b = a + math.radians(turn)
            strokes.append(segment(ex, ey, ex + math.cos(b) * branch, ey + math.sin(b) * branch, w * 0.9))
    flake = union(*strokes)
    return button((110, 180, 240), (25, 95, 180), (15, 60, 130)) + [(flake, WHITE)]


def lock(size):
    w = stroke_for(size, 0.12, 0.1)
    shackle = union(arc(0.5, 0.36, 0.2, w, 270, 90),
                    segment(0.3, 0.36, 0.3, 0.52, w), segment(0.7, 0.36, 0.7, 0.52, w))
    keyhole = union(circle(0.5, 0.66, stroke_for(size, 0.08, 0.07)),
                    polygon([(0.46, 0.68), (0.54, 0.68), (0.57, 0.84), (0.43, 0.84)]))
    return [
        (shackle, solid(110, 110, 120)),
        (rounded(0.14, 0.44, 0.86, 0.96, 0.08), solid(140, 95, 0)),
        (rounded(0.18, 0.48, 0.82, 0.92, 0.05), vertical((255, 220, 90), (220, 160, 20))),
        (keyhole, solid(90, 60, 0)),
    ]


def window_frame():
    return [
        (rounded(0.04, 0.1, 0.96, 0.9, 0.06), solid(30, 60, 120)),
        (rect(0.08, 0.14, 0.92, 0.86), WHITE),
        (rect(0.08, 0.14, 0.92, 0.3), vertical((90, 140, 230), (40, 90, 190))),
    ]


def end_dialog(size):
    return window_frame() + [(power_symbol(size, cy=0.6, radius=0.18), solid(200, 30, 30))]


def options(size):
    teeth = 8
    outer, inner = 0.44, 0.33

    def gear(x, y):
        r = math.hypot(x - 0.5, y - 0.5)
        a = (angle_of(0.5, 0.5, x, y) * teeth / 360) % 1
        return r <= (outer if 0.25 <= a <= 0.75 else inner)
    hole = circle(0.5, 0.5, 0.14)
    return [
        (minus(gear, hole), solid(60, 65, 75)),
        (minus(lambda x, y: gear((x - 0.5) / 0.9 + 0.5, (y - 0.5) / 0.9 + 0.5), circle(0.5, 0.5, 0.17)),
         vertical((200, 205, 215), (120, 125, 140))),
    ]


def check_rows(size, ticked):
    """Check boxes with text lines beside them: two rows at 16 pixels, three at 32."""
    rows = (0.3, 0.72) if size <= 16 else (0.2, 0.5, 0.8)
    box = 0.3 if size <= 16 else 0.22
    w = stroke_for(size, 0.11, 0.08)
    layers = []
    for cy in rows:
        x0, y0 = 0.04, cy - box / 2
        layers.append((rect(x0, y0, x0 + box, y0 + box), solid(60, 70, 90)))
        layers.append((rect(x0 + 0.06, y0 + 0.06, x0 + box - 0.06, y0 + box - 0.06), WHITE))
        layers.append((rect(0.46, cy - 0.04, 0.96, cy + 0.04), solid(110, 120, 140)))
        if ticked:
            layers.append((polyline([(x0 + 0.05, cy), (x0 + box * 0.42, cy + box * 0.38),
                                     (x0 + box + 0.06, cy - box * 0.55)], w), solid(20, 140, 30)))
    return layers


def select_all(size):
    return check_rows(size, True)


def select_none(size):
    return check_rows(size, False)


def help_icon(size):
    w = stroke_for(size, 0.12, 0.1)
    mark = union(arc(0.5, 0.38, 0.13, w, 270, 150),
                 segment(0.5 + 0.13 * math.sin(math.radians(150)), 0.38 - 0.13 * math.cos(math.radians(150)),
                         0.5, 0.6, w),
                 circle(0.5, 0.76, w * 0.62))
    return button((90, 150, 240), (25, 75, 180), (15, 50, 130)) + [(mark, WHITE)]


def info_icon(size):
    w = stroke_for(size, 0.14, 0.11)
    mark = union(circle(0.5, 0.28, w * 0.62), segment(0.5, 0.45, 0.5, 0.76, w))
    return button((90, 150, 240), (25, 75, 180), (15, 50, 130)) + [(mark, WHITE)]


def size_grip(size):
    """Three rows of dots in the lower right corner, each with a light highlight, as on the
    status bar of a sizable window."""
    dot = 2 / 16 if size <= 16 else 3 / 32
    step = 4 / 16 if size <= 16 else 7 / 32
    layers = []
    for row in range(3):
        for col in range(row + 1):
            x = 1 - (col + 1) * step
            y = 1 - (row - col + 1) * step
            layers.append((rect(x + dot * 0.5, y + dot * 0.5, x + dot * 1.5, y + dot * 1.5), WHITE))
            layers.append((rect(x, y, x + dot, y + dot), solid(128, 128, 128)))
    return layers


def program(size):
    """The program picture: a white power symbol on a blue rounded square, with a light
    sheen from 48 pixels on."""
    w = 0.22 if size <= 16 else 0.17 if size <= 32 else 0.13
    symbol = union(
        minus(ring(0.5, 0.53, 0.26 - w / 2, 0.26 + w / 2),
              lambda x, y: abs(angle_of(0.5, 0.53, x, y) - 180) > 142),
        segment(0.5, 0.17, 0.5, 0.5, w))
    layers = [
        (rounded(0.03, 0.03, 0.97, 0.97, 0.15), vertical((40, 110, 215), (20, 70, 170))),
    ]
    if size >= 48:
        layers = [(rounded(0.04, 0.06, 0.98, 0.99, 0.15), SHADOW)] + [
            (rounded(0.02, 0.02, 0.96, 0.96, 0.15), solid(15, 50, 130)),
            (rounded(0.04, 0.04, 0.94, 0.94, 0.13), radial(0.35, 0.25, 0.9, (90, 160, 245), (25, 75, 175))),
            (minus(rounded(0.08, 0.07, 0.9, 0.45, 0.1), circle(0.5, 1.25, 0.85)), solid(255, 255, 255, 40)),
        ]
        # the square is smaller and sits 0.01 up and left: scale the symbol about its centre
        symbol = lambda x, y, s=symbol: s((x - 0.49) / 0.9 + 0.5, (y - 0.49) / 0.9 + 0.5)  # noqa: E731
    return layers + [(symbol, WHITE)]


PICTURES = [
    # file, drawing, sizes
    ("shutdown.ico", shutdown, (16, 32)),
    ("restart.ico", restart, (16, 32)),
    ("logoff.ico", logoff, (16, 32)),
    ("standby.ico", standby, (16, 32)),
    ("hibernate.ico", hibernate, (16, 32)),
    ("lock.ico", lock, (16, 32)),
    ("enddialog.ico", end_dialog, (16, 32)),
    ("options.ico", options, (16, 32)),
    ("selectall.ico", select_all, (16, 32)),
    ("selectnone.ico", select_none, (16, 32)),
    ("help.ico", help_icon, (16, 32)),
    ("info.ico", info_icon, (16, 32)),
    ("sizegrip.ico", size_grip, (16, 32)),
    ("program.ico", program, (16, 32, 48, 64)),
]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, draw, sizes in PICTURES:
        write_ico(os.path.join(here, name), [(s, render(s, draw(s))) for s in sizes])
        print(name)


if __name__ == "__main__":
    main()
