#include "typeset/Formula.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "text/Sjis.h"
#include "typeset/UnitPictures.h"

namespace {

// The full-width signs in Shift-JIS.
constexpr std::string_view SignGreaterEqual = "\x81\x86"; // ≧
constexpr std::string_view SignGreater = "\x81\x84";      // ＞
constexpr std::string_view SignLessEqual = "\x81\x85";    // ≦
constexpr std::string_view SignLess = "\x81\x83";         // ＜
constexpr std::string_view SignTimes = "\x81\x7E";        // ×
constexpr std::string_view SignDivide = "\x81\x80";       // ÷

int nearest(double v) {
    return static_cast<int>(std::nearbyint(v));
}

// Far right of any page at any resolution: drawing stops there on a canvas that does not
// tell its width, so that the pen of an endless line can never overflow.
constexpr int FarRight = 1 << 26;

// Nothing is drawn, and nothing shaped, from the canvas's right edge on: an endless line
// costs what its visible part costs.
int rightEdge(const Canvas& canvas) {
    const int w = canvas.deviceWidth();
    return w > 0 ? std::min(w, FarRight) : FarRight;
}

// Japanese text longer than this goes to the canvas in pieces of about this many bytes,
// up to the right edge.
constexpr std::size_t LongText = 512;

// Bytes that end the item being collected and are then drawn themselves.
bool endsItemAndIsDrawn(char c) {
    switch (c) {
    case ' ':
    case ')':
    case '+':
    case '-':
    case '=':
    case '_':
    case '}':
        return true;
    default:
        return c >= 'a' && c <= 'z';
    }
}

bool isLetterGlyph(unsigned char b) {
    return (b >= '!' && b <= '?') || (b >= 'A' && b <= '[') || b == ']' || (b >= 'a' && b <= 'z');
}

// How far the bar of a fraction at font size points is raised, in screen pixels.
double barRaise(int points) {
    switch (points) {
    case 6:
    case 8:
        return 4;
    case 10:
        return 2;
    case 12:
        return 0;
    case 14:
        return -1;
    case 16:
        return -2;
    case 18:
        return -4;
    default:
        return 15.0 - points;
    }
}

// One call's drawing: the fixed arguments, the running x and the parsing state.
//
// The pen position the rules speak of is the canvas pen as this call left it. The typesetter
// keeps its own copy (penX_), updated after every text-out and bar, and starts it at X: a
// glyph that draws nothing (a "^" opening a run, a letter while no worksheet is current)
// then counts from where this formula began, never from wherever earlier drawing left the
// canvas pen.
class Typesetter {
  public:
    Typesetter(const FormulaContext& ctx, int size, int x, int y, double scale, Canvas& canvas)
        : ctx_(ctx), canvas_(canvas), size_(size), y_(y), scale_(scale), u_(ctx.unitV),
          w_(ctx.unitH), edge_(rightEdge(canvas)), x_(x), penX_(x) {}

    int formula(std::string_view text);
    int plainPiece(std::string_view text) { return piece(text, {}, x_); }

  private:
    enum class Mode { Plain, Fraction, Bar };

    int piece(std::string_view numerator, std::string_view denominator, int x);
    int run(std::string_view s, int x, int top);
    void letter(std::string_view glyph, int x, int y);
    void fractionBar(Point p1, Point p2);
    int barPen() const { return std::max(1, nearest(scale_)); }
    void sign(std::string_view s);
    void flush();
    void defaultRule(std::string_view text, std::size_t& i);
    // Tokens and numerators are made of the text's bytes, so they never outgrow its length.
    // Short ones live in the strings' own small buffers; a longer one reserves the text's
    // length once and never grows again.
    void append(std::string& s, char c) {
        if (s.size() == s.capacity()) s.reserve(textSize_);
        s += c;
    }
    void copy(std::string& to, const std::string& from) {
        if (to.capacity() < from.size()) to.reserve(textSize_);
        to.assign(from);
    }
    void textOut(int x, int y, std::string_view s) {
        canvas_.textOut(x, y, s);
        penX_ = canvas_.penPos().x;
    }

    const FormulaContext& ctx_;
    Canvas& canvas_;
    const int size_;
    const int y_;
    const double scale_;
    const int u_;
    const int w_;
    const int edge_;
    int x_;
    int penX_;
    bool exponentDrawing_ = false;

    std::size_t textSize_ = 0;
    std::string token_;
    std::string numerator_;
    Mode mode_ = Mode::Plain;
};

int Typesetter::formula(std::string_view text) {
    textSize_ = text.size();
    bool exponentPending = false;
    int depth = 0;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n && x_ < edge_; ++i) {
        const char c = text[i];
        if (depth > 0) {
            append(token_, c);
            if (c == ']') --depth;
            continue;
        }
        if ((c >= '0' && c <= '9') || c == '.') {
            if (exponentPending) {
                // An exponent is exactly one byte, raised and reduced.
                exponentDrawing_ = true;
                x_ = piece(text.substr(i, 1), {}, x_);
                exponentDrawing_ = false;
                canvas_.setFontSize(size_);
                exponentPending = false;
            } else {
                append(token_, c);
            }
            continue;
        }
        if (endsItemAndIsDrawn(c)) {
            flush();
            x_ = piece(text.substr(i, 1), {}, x_);
            continue;
        }
        switch (c) {
        case '[':
            append(token_, c);
            ++depth;
            break;
        case ']':
            --depth;
            append(token_, c);
            break;
        case 'R':
            append(token_, c);
            break;
        case '(':
            flush();
            x_ = piece(text.substr(i, 1), {}, x_);
            token_.clear();
            break;
        case '&':
            flush();
            break;
        case '>':
        case '<': {
            flush();
            const bool orEqual = i + 1 < n && text[i + 1] == '=';
            if (orEqual) ++i;
            if (c == '>')
                sign(orEqual ? SignGreaterEqual : SignGreater);
            else
                sign(orEqual ? SignLessEqual : SignLess);
            break;
        }
        case '*':
            flush();
            sign(SignTimes);
            break;
        case '\\':
            flush();
            sign(SignDivide);
            break;
        case '^':
            exponentPending = true;
            x_ = piece(token_, {}, x_);
            token_.clear();
            break;
        case '/':
        case '|':
            copy(numerator_, token_);
            token_.clear();
            mode_ = c == '/' ? Mode::Fraction : Mode::Bar;
            break;
        default:
            defaultRule(text, i);
            break;
        }
    }
    flush();
    return x_;
}

// Draws what has been collected; the mode stays as it is.
void Typesetter::flush() {
    if (mode_ == Mode::Plain) {
        x_ = piece(token_, {}, x_);
    } else {
        if (numerator_.empty()) std::swap(numerator_, token_); // a lone token: plain piece
        x_ = piece(numerator_, token_, x_);
    }
    numerator_.clear();
    token_.clear();
}

// A byte without a rule of its own ends the item being collected.
void Typesetter::defaultRule(std::string_view text, std::size_t& i) {
    const std::size_t at = i;
    switch (mode_) {
    case Mode::Plain:
        x_ = piece(token_, {}, x_);
        break;
    case Mode::Fraction:
        // A token left after a flush has no numerator: it is drawn as it stands.
        if (numerator_.empty())
            x_ = piece(token_, {}, x_);
        else
            x_ = piece(numerator_, token_, x_);
        break;
    case Mode::Bar: {
        // The tail up to ")" joins the numerator; a numerator "1" gives way to it. The
        // collection never takes the text's last byte, and reading resumes after where it
        // stopped.
        const bool noNumerator = numerator_.empty();
        if (numerator_ == "1") numerator_.clear();
        std::size_t j = i + 1;
        while (j + 1 < text.size() && text[j] != ')')
            append(numerator_, text[j++]);
        i = j;
        if (noNumerator && numerator_.empty())
            x_ = piece(token_, {}, x_);
        else
            x_ = piece(numerator_, token_, x_);
        break;
    }
    }
    numerator_.clear();
    token_.clear();
    if (mode_ != Mode::Bar) x_ = piece(text.substr(at, 1), {}, x_);
    mode_ = Mode::Plain;
}

void Typesetter::sign(std::string_view s) {
    textOut(x_, y_ + u_, s);
    x_ = penX_ + w_ / 2;
}

// A plain piece (empty denominator) or a fraction; returns the x after it.
int Typesetter::piece(std::string_view numerator, std::string_view denominator, int x) {
    int y = y_;
    int gap;
    if (exponentDrawing_) {
        canvas_.setFontSize(nearest(size_ * 0.8));
        y -= u_;
        gap = w_;
    } else {
        canvas_.setFontSize(size_);
        gap = 2 * w_;
    }
    if (numerator.empty()) return x;
    if (denominator.empty()) return run(numerator, x, y + u_) + w_;

    if (numerator.front() == '[') {
        if (numerator.find('R') != std::string_view::npos)
            numerator.remove_prefix(1);
        else
            numerator = numerator.size() >= 2 ? numerator.substr(1, numerator.size() - 2)
                                              : std::string_view{};
    }
    const auto nN = static_cast<std::int64_t>(numerator.size());
    const auto nD = static_cast<std::int64_t>(denominator.size());
    int topN = y - nearest(0.5 * u_);
    int topD = y + nearest(2.5 * u_);
    const int barY = y + nearest(2.0 * u_);
    {
        // Large sizes outgrow the fixed places. The numerator's baseline (7/10 of its cell
        // down) keeps a fifth of the cell above the bar; the tail of a y (or g, j, p, q)
        // reaches 11/10 of the cell down and keeps a tenth. The denominator's glyph tops
        // (1/8 of the cell down) keep a sixth of it below.
        const int h = canvas_.textHeight("0");
        const int barTop = barY - nearest(barRaise(canvas_.fontSize()) * scale_);
        const bool tail = numerator.find_first_of("gjpqy") != std::string_view::npos;
        const int inkBottom =
            tail ? (h * 11 + 9) / 10 + std::max(1, h / 10) : (h * 7 + 5) / 10 + h / 5 + 1;
        topN = std::min(topN, barTop - inkBottom);
        const int gap = std::max(nearest(2.0 * scale_), h / 6);
        topD = std::max(topD, barTop + barPen() + gap - (h + 4) / 8);
    }
    int xEnd;
    if (nN == nD) {
        run(numerator, x, topN);
        xEnd = penX_;
        run(denominator, x, topD);
    } else if (nN > nD) {
        run(numerator, x, topN);
        xEnd = penX_;
        const auto offset = static_cast<int>((xEnd - x) / nN * (nN - nD) / 2);
        run(denominator, x + offset, topD);
    } else {
        run(denominator, x, topD);
        xEnd = penX_;
        const auto offset = static_cast<int>((xEnd - x) / nD * (nD - nN) / 2);
        run(numerator, x + offset, topN);
    }
    const int s = nearest(scale_);
    fractionBar({x - s, barY}, {xEnd + s, barY});
    return xEnd + s + gap;
}

// Draws the bytes of s one by one, 2 W apart (W / 4 after an "R"); returns the x after it.
int Typesetter::run(std::string_view s, int x, int top) {
    std::size_t i = 0;
    for (; i < s.size() && x < edge_; ++i) {
        const char c = s[i];
        if (c == '^') {
            // nothing drawn
        } else if (isLetterGlyph(static_cast<unsigned char>(c))) {
            letter(s.substr(i, 1), x, top);
        } else {
            textOut(x, top, s.substr(i, 1));
        }
        x = c == 'R' ? penX_ + w_ / 4 : penX_ + 2 * w_;
    }
    // The closing space of a run is two screen pixels, scaled on paper like every other
    // distance, so that printed answers stand where the screen layout put their boxes. A
    // run cut at the page's edge ends beyond it.
    return (i < s.size() ? x : penX_) + w_ + nearest(2.0 * scale_);
}

// Letters, digits and signs: the main face, x, y and a in the letter face.
void Typesetter::letter(std::string_view glyph, int x, int y) {
    if (!ctx_.worksheetCurrent) return;
    canvas_.setPenMode(PenMode::Copy);
    canvas_.setFontFace(ctx_.mainFace);
    canvas_.setFontStyle(ctx_.mainStyle);
    const char c = glyph.front();
    if (c == 'x' || c == 'y' || c == 'a') {
        canvas_.setFontFace(ctx_.letterFace);
        canvas_.setFontStyle(ctx_.letterStyle);
    }
    textOut(x, y, glyph);
    canvas_.setFontFace(ctx_.mainFace);
    canvas_.setFontStyle(ctx_.mainStyle);
}

void Typesetter::fractionBar(Point p1, Point p2) {
    // The bar is raised by e screen pixels, by the size of its piece; on other scales the
    // raise and the pen grow with the page.
    const int raise = nearest(barRaise(canvas_.fontSize()) * scale_);
    canvas_.setPenColor(canvas_.fontColor());
    canvas_.setPenWidth(barPen());
    canvas_.setPenMode(PenMode::Copy);
    canvas_.moveTo(p1.x, p1.y - raise);
    canvas_.lineTo(p2.x, p2.y - raise);
    penX_ = p2.x;
    canvas_.setPenColor(colors::Black);
    canvas_.setPenWidth(1);
}

// A long text in pieces cut at character boundaries, until the pen passes the right edge.
int longText(Canvas& canvas, int x, int y, std::string_view text) {
    const int edge = rightEdge(canvas);
    std::size_t pos = 0;
    while (pos < text.size() && x < edge) {
        std::size_t end = pos;
        while (end < text.size() && end - pos < LongText)
            end += sjis::charLen(text, end);
        canvas.textOut(x, y, text.substr(pos, end - pos));
        x = canvas.penPos().x;
        pos = end;
    }
    return x;
}

} // namespace

Point DrawFormula(const FormulaContext& ctx, int size, int x, int y, double scale, Canvas& canvas,
                  std::string_view text, Color color) {
    if (text.empty() || x >= rightEdge(canvas)) return {x, y};
    canvas.setFontColor(color);
    canvas.setFontSize(size);

    if (text.size() == 1) {
        const char c = text.front();
        if (c == '#') return {x, y};
        if (c == 'l' || c == 'g' || c == '~') {
            // A unit sign alone is a picture of the worksheet's character size.
            const Bitmap& picture = *unitPictures().forSign(c, color == colors::Red);
            const int top = (c == 'g' ? y + nearest(scale * 5) : y) + ctx.unitV;
            const int d = nearest(scale * 20 * ctx.charSize * 0.0625);
            canvas.stretchDraw({x, top, x + d, top + d}, picture);
            return {x + d, y};
        }
        Typesetter t(ctx, size, x, y, scale, canvas);
        return {t.plainPiece(text), y};
    }

    for (char c : text) {
        if (static_cast<unsigned char>(c) > 128) {
            // Japanese text is drawn as it stands.
            if (text.size() <= LongText) {
                canvas.textOut(x, y + ctx.unitV, text);
                return {canvas.penPos().x, y};
            }
            return {longText(canvas, x, y + ctx.unitV, text), y};
        }
    }

    Typesetter t(ctx, size, x, y, scale, canvas);
    return {t.formula(text), y};
}

Point DrawFormulaAt(const FormulaContext& ctx, int x, int y, int size, double scale, Canvas& canvas,
                    std::string_view text, Color color) {
    return DrawFormula(ctx, size, x, y, scale, canvas, text, color);
}
