#!/usr/bin/env python3
"""Proves the keys of a set of varied copies without the program's answer-key checker.

  prove_keys.py VELMIX COURSE_DIR SHEET.prp SEED COPIES WORK_DIR

Each copy is taken as the program writes it (velmix export --vary SEED --copy N), its
questions are solved by course_notation (equations, pairs of equations, expressions to
work out, expressions whose letters are given values), and every alternative of every key
must be exactly right; a question this reader does not solve must stand on every copy as
on the sheet. The key booklet (velmix render --vary SEED --key-booklet) is read back with
pdftotext, and each copy's row must hold that copy's keys. Every copy must differ from the
others. Last, a key made wrong and a booklet cell changed must both be caught, which shows
the proof can fail. Exit status 0 when all holds.
"""

import os
import re
import subprocess
import sys
import unicodedata

import course_notation as cn

PAIR, SOLVE, WORK_OUT, VALUES = "pair", "solve", "work out", "values"


def ques_lines(prp_bytes):
    lines = prp_bytes.decode("cp932").replace("\r\n", "\n").split("\n")
    start = lines.index("<<ques") + 1
    return lines[start:lines.index(">>", start)]


def kind_of(instruction):
    if "連立方程式" in instruction:
        return PAIR
    if "方程式を解き" in instruction:
        return SOLVE
    if "計算" in instruction or "簡単" in instruction:
        return WORK_OUT
    if "のとき" in instruction and "値" in instruction:
        return VALUES
    return None


def questions(lines):
    """The numbered questions: their number, lines, the instruction in force."""
    out, instruction, current = [], "", None
    for line in lines:
        wide = unicodedata.normalize("NFKC", line)
        m = re.match(r"\((\d+)\)", wide)
        if m:
            current = {"number": m.group(0), "lines": [line], "instruction": instruction}
            out.append(current)
        elif current and line[:1] in (" ", "\u3000") and line.strip():
            current["lines"].append(line)
        elif line.strip():
            instruction, current = cn.normalise(line), None
    return out


def blanks_of(q):
    """Every answer box of the question: (letter written before it or None, its key)."""
    out = []
    for line in q["lines"]:
        for m in re.finditer(r"#([^#]*)#", line):
            before = cn.normalise(line[:m.start()])
            named = re.search(r"([a-z])\s*=\s*$", before)
            out.append((named.group(1) if named else None, m.group(1).strip()))
    return out


def formulas(q):
    """The formula of each line: its first item (items stand two blanks apart)."""
    out = []
    for k, line in enumerate(q["lines"]):
        text = line.split("#")[0].replace("\u3000", "  ")
        if k == 0:
            text = re.sub(r"^\s*[(（][0-9０-９]+[)）]", "", text)
        items = [t for t in re.split(r"\s{2,}", text.strip()) if t]
        if items:
            out.append(items[0])
    return out


def expected_values(q):
    """What each box must hold: a number per letter, or a polynomial; None: not solved here."""
    kind, f = kind_of(q["instruction"]), formulas(q)
    if kind == PAIR:
        return cn.solve_pair(f[0], f[1])
    if kind == SOLVE:
        letters = set(re.findall(r"[a-z]", cn.normalise(f[0])))
        if len(letters) != 1:
            raise cn.NotRead("not one unknown")
        v = letters.pop()
        return {v: cn.solve_one(f[0], v), None: cn.solve_one(f[0], v)}
    if kind == WORK_OUT:
        return {None: cn.parse(f[0])}
    if kind == VALUES:
        given = {v: cn.parse(n).get((), 0) for v, n in
                 re.findall(r"([a-z])=(-?[0-9./]+)", q["instruction"])}
        return {None: cn.evaluate(cn.parse(f[0]), given)}
    return None


def judge(q, original):
    """Problems with the question's keys (an empty list when every key is right)."""
    try:
        expected = expected_values(q)
    except cn.NotRead as e:
        return ["%s: not read (%s)" % (q["number"], e)]
    if expected is None:  # a question kept as written
        same = original.get(q["number"]) == q["lines"]
        return [] if same else ["%s: changed, but not a question that varies" % q["number"]]
    problems = []
    for letter, key in blanks_of(q):
        for alternative in key.split(";"):
            try:
                named, value = cn.key_value(alternative)
            except cn.NotRead as e:
                problems.append("%s: key %r not read (%s)" % (q["number"], alternative, e))
                continue
            want = expected.get(named or letter, expected.get(None))
            want = cn.const(want) if not isinstance(want, dict) else want
            if cn.add(value, want, -1):
                problems.append("%s: key %r is wrong (%s)" % (q["number"], alternative,
                                                                " / ".join(q["lines"])))
    return problems


def first_keys(lines):
    return [key.split(";")[0].strip() for q in questions(lines) for _, key in blanks_of(q)]


def booklet_rows(text, seed):
    """Copy number -> its keys, from the booklet's text (pdftotext -layout)."""
    if ("V%d-" % seed) not in text:
        raise SystemExit("the booklet does not name its set V%d-" % seed)
    rows, heads = {}, 0
    for line in text.splitlines():
        cells = line.split()
        if cells and cells[0] == "№":
            heads = len(cells) - 1
        elif cells and cells[0].isdigit() and heads and len(cells) == heads + 1:
            rows.setdefault(int(cells[0]), []).extend(cells[1:])
    return rows


def run(cmd):
    env = dict(os.environ, SOURCE_DATE_EPOCH="1765094400", QT_QPA_PLATFORM="offscreen")
    done = subprocess.run(cmd, env=env, capture_output=True)
    if done.returncode != 0:
        raise SystemExit("%s failed (%d): %s" % (" ".join(cmd), done.returncode,
                                                 done.stderr.decode(errors="replace")))
    return done.stdout


def main(velmix, course, sheet, seed, copies, work):
    seed, copies = int(seed), int(copies)
    with open(sheet, "rb") as f:
        original = {q["number"]: q["lines"] for q in questions(ques_lines(f.read()))}
    problems, seen, proved, kept, made = [], set(), 0, 0, {}
    for n in range(1, copies + 1):
        lines = ques_lines(run([velmix, "export", course, "--prp", sheet, "--vary", str(seed),
                                "--copy", str(n)]))
        made[n] = lines
        if tuple(lines) in seen:
            problems.append("copy %d repeats another copy" % n)
        seen.add(tuple(lines))
        for q in questions(lines):
            found = judge(q, original)
            problems += ["copy %d %s" % (n, p) for p in found]
            solvable = kind_of(q["instruction"]) is not None
            proved += len(blanks_of(q)) if solvable and not found else 0
            kept += 0 if solvable else 1
    pdf = os.path.join(work, "booklet.pdf")
    run([velmix, "render", course, "--prp", sheet, "-o", pdf, "--copies", str(copies),
         "--numbered", "--vary", str(seed), "--key-booklet"])
    rows = booklet_rows(run(["pdftotext", "-layout", pdf, "-"]).decode("utf-8"), seed)
    for n in range(1, copies + 1):
        if rows.get(n) != first_keys(made[n]):
            problems.append("booklet row %d %s is not copy %d's keys %s" %
                            (n, rows.get(n), n, first_keys(made[n])))

    # The proof must be able to fail: a wrong key, and a booklet cell changed.
    wrong = [re.sub(r"#\s*(-?)(\d+)\s*#", lambda m: "# %s%d#" % (m.group(1), int(m.group(2)) + 1),
                    l, count=1) for l in made[1]]
    caught = any(judge(q, original) for q in questions(wrong))
    changed = dict(rows)
    changed[1] = ["0" + changed[1][0]] + changed[1][1:]
    caught_booklet = changed[1] != first_keys(made[1])
    if wrong == made[1] or not caught or not caught_booklet:
        problems.append("a deliberately wrong key was not caught")

    for p in problems:
        print(p)
    print("%d copies, %d keys proved by solving, %d questions kept as written on each copy, "
          "booklet rows %d" % (copies, proved, kept // max(copies, 1), len(rows)))
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) != 7:
        raise SystemExit(__doc__)
    sys.exit(main(*sys.argv[1:]))
