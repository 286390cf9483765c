#!/usr/bin/env python3
"""Writes a large synthetic course for timing `velmix check`.

The course has the shape of a real one grown big: lessons of sections with 80 units each,
every unit with two similar questions, question lines much alike, and graph pictures in the
master folder's Graph folder only (the lesson folders have none). Files are Shift-JIS with
CR LF, as the program reads them. Every unit is sound, so the check reports 0 problems.

usage: make-large-course.py OUT_DIR [--mb SIZE]   (default 50 MB of course files)
"""

import argparse
import os
import struct
import sys

UNITS_PER_SECTION = 80
SECTIONS_PER_LESSON = 10
VARIANTS = 2  # similar questions per unit
GRAPHS = ["G%02d.BMP" % n for n in range(1, 9)]


def sjis(text):
    return text.encode("cp932")


def write_lines(path, lines):
    with open(path, "wb") as f:
        f.write(b"".join(sjis(line) + b"\r\n" for line in lines))


def bitmap(path, width, height):
    """A small white 24-bit BMP."""
    row = (width * 3 + 3) & ~3
    pixels = b"\xff" * (row * height)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def unit_block(header, seed, with_graph):
    a, b = seed % 9 + 1, seed % 7 + 2
    lines = [header, "<<ques", "@B次の方程式を解きなさい。"]
    for q in range(1, 11):
        c = a * q + b
        lines.append("(%d) %dx+%d=%d        x=#%d#" % (q, a, b, c, q))
    lines.append("(11) x/%d+1/%d=%d       x=#%d;%d.0#" % (a, b, q, a, a))
    lines += [">>", "<<dummy", ">>"]
    if with_graph:
        g = GRAPHS[seed % len(GRAPHS)]
        lines += ["<<graph", g, "-1", "-1", ">>", "<<AGraph", g, "-1", "-1", ">>"]
    lines += ["<<value", "630", "False", "40", "5", "5", "1", "7", ">>"]
    lines += ["<<font", "12", "MS 明朝", "False", "False", "False", "False", "0", ">>"]
    lines += ["<<kran", "5", "15", "2", "0", "0", "0", "15", "10", "0", "0", ">>", "]]"]
    return lines


def section_file(lesson, section):
    lines = []
    for u in range(1, UNITS_PER_SECTION + 1):
        seed = lesson * 100000 + section * 1000 + u
        lines += unit_block("[[unit%d" % u, seed, u % 10 == 0)
        for r in range(1, VARIANTS + 1):
            lines += unit_block("[[unit%dR%d" % (u, r), seed + r, False)
    return lines


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("out")
    ap.add_argument("--mb", type=float, default=50.0, help="approximate size in megabytes")
    args = ap.parse_args()

    os.makedirs(os.path.join(args.out, "Graph"), exist_ok=True)
    for g in GRAPHS:
        bitmap(os.path.join(args.out, "Graph", g), 120, 90)

    target = args.mb * 1e6
    section_bytes = len(b"".join(sjis(l) + b"\r\n" for l in section_file(1, 1)))
    sections = max(1, round(target / section_bytes))
    lessons = (sections + SECTIONS_PER_LESSON - 1) // SECTIONS_PER_LESSON
    if lessons > 80:
        sys.exit("more than 80 lessons: ask for a smaller course")

    main_ind = ["大きな練習コース", "生成された問題集"]
    written = 0
    for lesson in range(1, lessons + 1):
        folder, base = "L%02d" % lesson, "l%02d" % lesson
        main_ind.append("第%d課,%s\\ %s" % (lesson, folder, base))
        os.makedirs(os.path.join(args.out, folder), exist_ok=True)
        count = min(SECTIONS_PER_LESSON, sections - written)
        index = ["第%d課" % lesson]
        for s in range(1, count + 1):
            index += ["[[sect%d" % s, "方程式 %d-%d" % (lesson, s), "<<"]
            index += ["(%d) 練習 %d" % (u, u) for u in range(1, UNITS_PER_SECTION + 1)]
            index += [">>", "]]"]
            write_lines(os.path.join(args.out, folder, "%s%d.que" % (base, s)),
                        section_file(lesson, s))
        write_lines(os.path.join(args.out, folder, base + ".ind"), index)
        written += count
    main_ind.append(">>")
    write_lines(os.path.join(args.out, "Main.ind"), main_ind)
    print("%s: %d lessons, %d sections, %d units with %d similar questions each"
          % (args.out, lessons, sections, sections * UNITS_PER_SECTION, VARIANTS))


if __name__ == "__main__":
    main()
