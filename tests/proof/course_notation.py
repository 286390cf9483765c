"""A reader of the course's question notation, written apart from the program's answer-key
checker, to solve a worksheet's questions on its own and judge the keys the program wrote.

Only the standard library: exact arithmetic on fractions.Fraction, polynomials as
dictionaries from monomials to coefficients. What it reads, as a teacher writes it:

  numbers 12, 0.4 (exact), letters a..z, + - * (also "×"), "\\" and "÷" for division,
  "/" for division and for fractions ("2/5x" is two fifths of x), "^" powers,
  ( ) and [ ] (a bar fraction "[2x-1]/3"), a juxtaposed product "3(x+2)", "2ab";
  full-width characters as their half-width twins; "@" style codes are left out.
"""

import re
import unicodedata
from fractions import Fraction


class NotRead(Exception):
    """Text this reader does not take."""


# A polynomial: {monomial: coefficient}, a monomial a sorted tuple of (letter, power).
def const(c):
    return {(): Fraction(c)} if c != 0 else {}


def letter(v):
    return {((v, 1),): Fraction(1)}


def add(p, q, sign=1):
    out = dict(p)
    for m, c in q.items():
        out[m] = out.get(m, 0) + sign * c
        if out[m] == 0:
            del out[m]
    return out


def mul(p, q):
    out = {}
    for m1, c1 in p.items():
        for m2, c2 in q.items():
            powers = dict(m1)
            for v, e in m2:
                powers[v] = powers.get(v, 0) + e
            m = tuple(sorted(powers.items()))
            out[m] = out.get(m, 0) + c1 * c2
            if out[m] == 0:
                del out[m]
    return out


def constant_of(p):
    if any(m != () for m in p):
        raise NotRead("division by a letter")
    return p.get((), Fraction(0))


def power(p, q):
    e = constant_of(q)
    if e.denominator != 1 or e < 0 or e > 12:
        raise NotRead("power")
    out = const(1)
    for _ in range(int(e)):
        out = mul(out, p)
    return out


def normalise(text):
    text = unicodedata.normalize("NFKC", text)
    text = re.sub(r"@.", "", text)  # style codes
    return (text.replace("×", "*").replace("÷", "\\").replace("−", "-")
            .replace("，", ",").strip())


class Parser:
    """Expression := term (('+'|'-') term)*; term := unary (('*'|'/'|'\\'|juxtaposed) unary)*;
    unary := '-' unary | '+' unary | factor ('^' factor)?; factor := number | letter | (expr)."""

    def __init__(self, text):
        self.tokens = re.findall(r"\d+\.\d+|\d+|[a-z]|[-+*/\\^()\[\]]|\S", text.replace(" ", ""))
        self.i = 0

    def peek(self):
        return self.tokens[self.i] if self.i < len(self.tokens) else None

    def take(self, expected=None):
        t = self.peek()
        if t is None or (expected and t != expected):
            raise NotRead("expected %s at %r" % (expected, t))
        self.i += 1
        return t

    def whole(self):
        p = self.expression()
        if self.peek() is not None:
            raise NotRead("left over: %r" % self.tokens[self.i:])
        return p

    def expression(self):
        p = self.term()
        while self.peek() in ("+", "-"):
            sign = 1 if self.take() == "+" else -1
            p = add(p, self.term(), sign)
        return p

    def term(self):
        p = self.unary()
        while True:
            t = self.peek()
            if t == "*":
                self.take()
                p = mul(p, self.unary())
            elif t in ("/", "\\"):
                self.take()
                d = constant_of(self.unary())
                if d == 0:
                    raise NotRead("division by zero")
                p = mul(p, const(1 / d))
            elif t is not None and (t[0].isdigit() or t.isalpha() or t in ("(", "[")):
                p = mul(p, self.unary())  # juxtaposed: 2x, 3(x+2), 2ab
            else:
                return p

    def unary(self):
        t = self.peek()
        if t == "-":
            self.take()
            return mul(const(-1), self.unary())
        if t == "+":
            self.take()
            return self.unary()
        base = self.factor()
        if self.peek() == "^":
            self.take()
            return power(base, self.factor())
        return base

    def factor(self):
        t = self.take()
        if t[0].isdigit():
            return const(Fraction(t))
        if t.isalpha() and len(t) == 1 and "a" <= t <= "z":
            return letter(t)
        if t in ("(", "["):
            p = self.expression()
            self.take(")" if t == "(" else "]")
            return p
        raise NotRead("unexpected %r" % t)


def parse(text):
    return Parser(normalise(text)).whole()


def evaluate(p, values):
    total = Fraction(0)
    for m, c in p.items():
        term = c
        for v, e in m:
            if v not in values:
                raise NotRead("no value for " + v)
            term *= values[v] ** e
        total += term
    return total


def linear_parts(p, letters):
    """Coefficients of each letter and the constant of a polynomial of degree one."""
    coeff = {v: Fraction(0) for v in letters}
    c0 = Fraction(0)
    for m, c in p.items():
        if m == ():
            c0 += c
        elif len(m) == 1 and m[0][1] == 1 and m[0][0] in coeff:
            coeff[m[0][0]] += c
        else:
            raise NotRead("not linear")
    return coeff, c0


def equation(text):
    sides = normalise(text).split("=")
    if len(sides) != 2:
        raise NotRead("not one equation: " + text)
    return add(parse(sides[0]), parse(sides[1]), -1)  # left - right = 0


def solve_one(text, v="x"):
    coeff, c0 = linear_parts(equation(text), [v])
    if coeff[v] == 0:
        raise NotRead("no unknown")
    return -c0 / coeff[v]


def solve_pair(first, second):
    (a, c1), (b, c2) = (linear_parts(equation(t), ["x", "y"]) for t in (first, second))
    det = a["x"] * b["y"] - a["y"] * b["x"]
    if det == 0:
        raise NotRead("no single solution")
    x = (-c1 * b["y"] + c2 * a["y"]) / det
    y = (-c2 * a["x"] + c1 * b["x"]) / det
    return {"x": x, "y": y}


def key_value(alternative):
    """A key's alternative as a polynomial; "x=4" names its letter."""
    text = normalise(alternative)
    m = re.fullmatch(r"([a-z])=(.*)", text)
    if m:
        return m.group(1), parse(m.group(2))
    return None, parse(text)
