#!/usr/bin/env python3
"""Draws the pictures of the bundled course as 24-bit BMP files and SVG drawings.

Coordinate graphs of the linear-function lessons (question pictures and the matching answer
pictures) go to course/Fn1/Graph/; the class flag and the title picture go to course/.
Every picture is written twice with the same base name: the bitmap, shown on the screen
page, and an SVG drawing of the same picture at the same size, used on paper and on
screens of higher resolution.  Standard library only.  Run from anywhere:
python3 tools/draw_graphs.py
"""
import os
import struct
from fractions import Fraction as F

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
GREY = (200, 200, 200)
DARK_GREY = (120, 120, 120)
BLUE = (0, 0, 220)
RED = (220, 0, 0)
GREEN = (0, 140, 0)
NAVY = (20, 40, 120)
YELLOW = (250, 210, 40)
SKY = (170, 210, 250)

# 5 x 7 pixel glyphs of our own for the few characters the pictures need.
GLYPHS = {
    "0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    "3": ["11110", "00001", "00001", "01110", "00001", "00001", "11110"],
    "4": ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    "5": ["11111", "10000", "11110", "00001", "00001", "10001", "01110"],
    "6": ["00110", "01000", "10000", "11110", "10001", "10001", "01110"],
    "7": ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
    "8": ["01110", "10001", "10001", "01110", "10001", "10001", "01110"],
    "9": ["01110", "10001", "10001", "01111", "00001", "00010", "01100"],
    "-": ["00000", "00000", "00000", "11111", "00000", "00000", "00000"],
    "+": ["00000", "00100", "00100", "11111", "00100", "00100", "00000"],
    "=": ["00000", "00000", "11111", "00000", "11111", "00000", "00000"],
    "x": ["00000", "00000", "10001", "01010", "00100", "01010", "10001"],
    "y": ["00000", "00000", "10001", "10001", "01111", "00001", "01110"],
    "a": ["00000", "00000", "01110", "00001", "01111", "10001", "01111"],
    "b": ["10000", "10000", "10110", "11001", "10001", "10001", "11110"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "A": ["00100", "01010", "10001", "10001", "11111", "10001", "10001"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "D": ["11100", "10010", "10001", "10001", "10001", "10010", "11100"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "(": ["00010", "00100", "01000", "01000", "01000", "00100", "00010"],
    ")": ["01000", "00100", "00010", "00010", "00010", "00100", "01000"],
    ",": ["00000", "00000", "00000", "00000", "00110", "00100", "01000"],
    " ": ["00000"] * 7,
}


def hex_colour(colour):
    return "#%02x%02x%02x" % colour


class Picture:
    """A bitmap and, drawn alongside, the same picture as SVG elements.

    Pixel (x, y) covers the square x .. x + 1, y .. y + 1 of the drawing, so a pixel's
    centre is (x + 0.5, y + 0.5)."""

    def __init__(self, width, height, background=WHITE):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]
        self.svg = ['<rect width="%d" height="%d" fill="%s"/>'
                    % (width, height, hex_colour(background))]

    def dot(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        self.svg.append('<rect x="%d" y="%d" width="%d" height="%d" fill="%s"/>'
                        % (x0, y0, x1 - x0 + 1, y1 - y0 + 1, hex_colour(colour)))
        self.fill_rect(x0, y0, x1, y1, colour)

    def fill_rect(self, x0, y0, x1, y1, colour):
        for y in range(max(0, y0), min(self.height, y1 + 1)):
            for x in range(max(0, x0), min(self.width, x1 + 1)):
                self.pixels[y][x] = colour

    def line(self, x0, y0, x1, y1, colour, thick=1, svg=True):
        if svg:
            self.svg.append('<line x1="%g" y1="%g" x2="%g" y2="%g" stroke="%s" '
                            'stroke-width="%d" stroke-linecap="square"/>'
                            % (x0 + 0.5, y0 + 0.5, x1 + 0.5, y1 + 0.5, hex_colour(colour),
                               thick))
        # Bresenham; thicker pens stamp a small square at every step.
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        lo, hi = -(thick // 2), (thick - 1) // 2
        while True:
            for oy in range(lo, hi + 1):
                for ox in range(lo, hi + 1):
                    self.dot(x0 + ox, y0 + oy, colour)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disc(self, cx, cy, r, colour):
        self.svg.append('<circle cx="%g" cy="%g" r="%g" fill="%s"/>'
                        % (cx + 0.5, cy + 0.5, r + 0.5, hex_colour(colour)))
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r + r:
                    self.dot(x, y, colour)

    def ring(self, cx, cy, r, colour, thick=1):
        self.svg.append('<circle cx="%g" cy="%g" r="%g" fill="none" stroke="%s" '
                        'stroke-width="%d"/>' % (cx + 0.5, cy + 0.5, r, hex_colour(colour), thick))
        for y in range(cy - r - thick, cy + r + thick + 1):
            for x in range(cx - r - thick, cx + r + thick + 1):
                d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
                if r - thick / 2 <= d <= r + thick / 2:
                    self.dot(x, y, colour)

    def text(self, x, y, s, colour, scale=1):
        # In the drawing, the characters are set in a sans-serif face over the same cells:
        # capitals and digits as tall as the bitmap glyphs, standing on the same line.
        self.svg.append('<text x="%g" y="%g" font-family="DejaVu Sans, sans-serif" '
                        'font-size="%g" font-weight="bold" fill="%s">%s</text>'
                        % (x - 0.3 * scale, y + 7 * scale, 9.6 * scale, hex_colour(colour),
                           s.replace(" ", "&#160;")))
        for ch in s:
            rows = GLYPHS[ch]
            for gy, row in enumerate(rows):
                for gx, bit in enumerate(row):
                    if bit == "1":
                        self.fill_rect(x + gx * scale, y + gy * scale,
                                       x + gx * scale + scale - 1, y + gy * scale + scale - 1,
                                       colour)
            x += 6 * scale

    def save_svg(self, path):
        body = "\n".join(self.svg)
        text = ('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
                'width="%d" height="%d" viewBox="0 0 %d %d">\n%s\n</svg>\n'
                % (self.width, self.height, self.width, self.height, body))
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write(text)

    def save(self, path):
        row_bytes = (self.width * 3 + 3) & ~3
        pad = b"\0" * (row_bytes - self.width * 3)
        body = bytearray()
        for y in range(self.height - 1, -1, -1):  # BMP rows run bottom-up
            for (r, g, b) in self.pixels[y]:
                body += bytes((b, g, r))
            body += pad
        header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0,
                           len(body), 3780, 3780, 0, 0)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(header + info + body)
        self.save_svg(os.path.splitext(path)[0] + ".svg")


class Grid:
    """A coordinate plane from -5 to 5 on both axes, 16 pixels to one unit."""

    SIZE, UNIT, LIMIT = 176, 16, 5

    def __init__(self):
        self.pic = Picture(self.SIZE, self.SIZE)
        c = self.SIZE // 2
        for k in range(-self.LIMIT, self.LIMIT + 1):
            p = c + k * self.UNIT
            self.pic.line(p, 8, p, self.SIZE - 9, GREY)
            self.pic.line(8, p, self.SIZE - 9, p, GREY)
        self.pic.line(2, c, self.SIZE - 3, c, BLACK)
        self.pic.line(c, 2, c, self.SIZE - 3, BLACK)
        for d in range(1, 4):  # arrow heads
            self.pic.line(self.SIZE - 3 - d, c - d, self.SIZE - 3 - d, c + d, BLACK)
            self.pic.line(c - d, 2 + d, c + d, 2 + d, BLACK)

    def done(self):
        """The picture, with the axis names and tick labels over whatever was drawn, each on
        a white patch so that no line hides it."""
        c = self.SIZE // 2
        # The axis name x stands above the axis: below it is the tick label 5.
        for (x, y, s, colour) in [(self.SIZE - 8, c - 10, "x", BLACK), (c + 4, 0, "y", BLACK),
                                  (c - 7, c + 2, "O", BLACK),
                                  (c + 5 * self.UNIT - 2, c + 3, "5", DARK_GREY),
                                  (c - 9, c - 5 * self.UNIT - 3, "5", DARK_GREY)]:
            self.pic.rect(x - 1, max(0, y - 1), x + 6 * len(s) - 1, y + 7, WHITE)
            self.pic.text(x, y, s, colour)
        return self.pic

    def px(self, x, y):
        c = self.SIZE // 2
        return round(c + x * self.UNIT), round(c - y * self.UNIT)

    def straight(self, m, b, colour, x_from=-5.5, x_to=5.5, thick=2):
        """Draws y = m x + b between x_from and x_to, clipped to the plane."""
        m, b = F(m), F(b)
        pts = []
        steps = 400
        for i in range(steps + 1):
            x = x_from + (x_to - x_from) * i / steps
            y = float(m) * x + float(b)
            if -5.5 <= y <= 5.5:
                pts.append(self.px(x, y))
        for p, q in zip(pts, pts[1:]):
            self.pic.line(p[0], p[1], q[0], q[1], colour, thick, svg=False)
        # The drawing takes the exact straight line between the same ends.
        xs = [x_from + (x_to - x_from) * i / steps for i in range(steps + 1)]
        xs = [x for x in xs if -5.5 <= float(m) * x + float(b) <= 5.5]
        if xs:
            c = self.SIZE // 2
            ends = [(c + x * self.UNIT, c - (float(m) * x + float(b)) * self.UNIT)
                    for x in (xs[0], xs[-1])]
            self.pic.svg.append('<line x1="%.2f" y1="%.2f" x2="%.2f" y2="%.2f" stroke="%s" '
                                'stroke-width="%d" stroke-linecap="round"/>'
                                % (ends[0][0] + 0.5, ends[0][1] + 0.5, ends[1][0] + 0.5,
                                   ends[1][1] + 0.5, hex_colour(colour), thick))

    def point(self, x, y, colour, r=3):
        px, py = self.px(x, y)
        self.pic.disc(px, py, r, colour)

    def open_point(self, x, y, colour):
        px, py = self.px(x, y)
        self.pic.disc(px, py, 3, WHITE)
        self.pic.ring(px, py, 3, colour)

    def label(self, x, y, s, colour):
        px, py = self.px(x, y)
        self.pic.text(px, py, s, colour)


def line_graph(lines, points=(), labels=()):
    g = Grid()
    for (m, b, colour) in lines:
        g.straight(m, b, colour)
    for (x, y, colour) in points:
        g.point(x, y, colour)
    for (x, y, s, colour) in labels:
        g.label(x, y, s, colour)
    return g.done()


def course_graphs():
    """File name -> picture, for the lesson folder Fn1\\Graph\\."""
    pics = {}
    # Drawing lines: an empty plane as the question, the drawn lines as the answers.
    pics["KAKU_Q.BMP"] = Grid().done()
    pics["KAKU_A1.BMP"] = line_graph([(2, -1, BLUE)], [(0, -1, RED), (1, 1, RED)])
    pics["KAKU_A2.BMP"] = line_graph([(F(-1, 2), 3, BLUE)], [(0, 3, RED), (2, 2, RED)])
    pics["KAKU_A3.BMP"] = line_graph([(-1, 2, BLUE)], [(0, 2, RED), (2, 0, RED)])
    pics["KAKU_A4.BMP"] = line_graph([(F(2, 3), -1, BLUE)], [(0, -1, RED), (3, 1, RED)])
    # Reading equations off lines: two labelled lines per plane; answers mark lattice points.
    read_sets = {
        "YOMU_1": [(3, -2, "A", (1.3, 3.2)), (F(-2, 3), 1, "B", (-4.8, 4.6))],
        "YOMU_2": [(F(1, 2), 2, "C", (-4.8, -0.9)), (-2, -3, "D", (-3.9, 4.8))],
        "YOMU_3": [(-3, 4, "A", (0.0, 5.0)), (F(3, 4), -2, "B", (3.8, 2.2))],
        "YOMU_4": [(1, 3, "C", (-4.8, -1.2)), (F(-1, 3), -1, "D", (-4.8, 1.3))],
    }
    colours = [BLUE, GREEN]
    for name, items in read_sets.items():
        q = Grid()
        a = Grid()
        for i, (m, b, tag, (lx, ly)) in enumerate(items):
            for g in (q, a):
                g.straight(m, b, colours[i])
                g.label(lx, ly, tag, colours[i])
            a.point(0, b, RED)
            step = F(m).denominator
            a.point(step, F(m) * step + b, RED)
        pics[name + "Q.BMP"] = q.done()
        pics[name + "A.BMP"] = a.done()
    # Domain and range: the whole line, then only the part for -2 <= x <= 4.
    pics["HEN_Q.BMP"] = line_graph([(F(1, 2), 1, BLUE)])
    h = Grid()
    h.straight(F(1, 2), 1, GREY, thick=1)
    h.straight(F(1, 2), 1, BLUE, x_from=-2, x_to=4, thick=3)
    h.point(-2, 0, RED)
    h.point(4, 3, RED)
    pics["HEN_A.BMP"] = h.done()
    # Two lines and their crossing point.
    pics["KOTEN_Q.BMP"] = line_graph([(1, 1, BLUE), (-2, 4, GREEN)],
                                     labels=[(2.2, 4.9, "A", BLUE), (2.9, -1.0, "B", GREEN)])
    pics["KOTEN_A.BMP"] = line_graph([(1, 1, BLUE), (-2, 4, GREEN)], [(1, 2, RED)],
                                     labels=[(2.2, 4.9, "A", BLUE), (2.9, -1.0, "B", GREEN),
                                             (1.3, 2.9, "P", RED)])
    return pics


def class_flag():
    """A class flag of our own: a navy field, a yellow band and a white disc with a 2."""
    pic = Picture(60, 45, NAVY)
    # The band of the bitmap (rows 45 - 3x/4 - 5 to 45 - 3x/4 + 5), inside the picture.
    pic.svg.append('<polygon points="0,39.5 52.67,0 60,0 60,5.5 7.33,45 0,45" fill="%s"/>'
                   % hex_colour(YELLOW))
    for x in range(60):
        y = round(45 - x * 45 / 60)
        for d in range(-5, 6):
            pic.dot(x, y + d, YELLOW)
    pic.disc(30, 22, 12, WHITE)
    pic.ring(30, 22, 12, RED, 2)
    pic.text(26, 16, "2", RED, 2)
    pic.rect(0, 0, 59, 1, BLACK)
    pic.rect(0, 43, 59, 44, BLACK)
    pic.rect(0, 0, 1, 44, BLACK)
    pic.rect(58, 0, 59, 44, BLACK)
    return pic


def title_picture():
    """Title picture: framed banner with the course's formulas and a small graph."""
    pic = Picture(400, 200, SKY)
    pic.rect(6, 6, 393, 193, WHITE)
    for k in range(3):
        pic.rect(6 + k, 6 + k, 393 - k, 6 + k, NAVY)
        pic.rect(6 + k, 193 - k, 393 - k, 193 - k, NAVY)
        pic.rect(6 + k, 6 + k, 6 + k, 193 - k, NAVY)
        pic.rect(393 - k, 6 + k, 393 - k, 193 - k, NAVY)
    pic.text(24, 28, "2x+3=11", NAVY, 4)
    pic.text(24, 80, "x+y=5", GREEN, 4)
    pic.text(24, 132, "y=ax+b", RED, 4)
    # small plane on the right
    ox, oy, u = 320, 100, 12
    for k in range(-5, 6):
        pic.line(ox + k * u, oy - 60, ox + k * u, oy + 60, GREY)
        pic.line(ox - 60, oy + k * u, ox + 60, oy + k * u, GREY)
    pic.line(ox - 64, oy, ox + 64, oy, BLACK, 2)
    pic.line(ox, oy - 64, ox, oy + 64, BLACK, 2)
    pic.line(ox - 30, oy + 60, ox + 30, oy - 60, BLUE, 3)   # y = 2x
    pic.line(ox - 60, oy - 30, ox + 60, oy + 30, GREEN, 3)  # y = -x/2
    pic.disc(ox, oy, 4, RED)
    return pic


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "course")
    root = os.path.normpath(root)
    for name, pic in course_graphs().items():
        pic.save(os.path.join(root, "Fn1", "Graph", name))
    class_flag().save(os.path.join(root, "classFlag.bmp"))
    title_picture().save(os.path.join(root, "Title.BMP"))
    print("pictures written to", root)


if __name__ == "__main__":
    main()
