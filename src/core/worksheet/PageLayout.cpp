#include "worksheet/PageLayout.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/CorePath.h"
#include "text/DateTexts.h"
#include "text/Sjis.h"
#include "text/TextCuts.h"
#include "typeset/Formula.h"
#include "typeset/MeasuringCanvas.h"
#include "worksheet/AnswerBoxes.h"
#include "worksheet/LayoutMath.h"
#include "worksheet/PageGeometry.h"
#include "worksheet/PageImage.h"
#include "worksheet/Worksheet.h"
#include "worksheet/Workspace.h"

using layoutmath::clampi;
using layoutmath::roundi;

namespace {

constexpr int MaxKaiLines = 1 << 16;

class Layouter {
  public:
    Layouter(Workspace& program, Worksheet& sheet, Canvas& canvas, const LayoutRequest& request,
             const std::function<void(bool before)>& aroundNumberLine = {})
        : pg_(program), ws_(sheet), meter_(canvas), cv_(meter_), st_(sheet.layout),
          scratch_(program.sheets.layoutScratch), printing_(request.printing),
          collect_(request.collectBoxes && !sheet.layout.drawTypedAnswers),
          options_(request.options), aroundNumberLine_(aroundNumberLine) {}

    void run() {
        if (!printing_) BlankPage(cv_);
        // Header texts are drawn without a background: a filled text cell would cut
        // into the header rules wherever a face's cell is taller than the gap.
        cv_.setBrushStyle(BrushStyle::Clear);
        derive();
        rules();
        if (aroundNumberLine_) aroundNumberLine_(true);
        numberLine();
        if (aroundNumberLine_) aroundNumberLine_(false);
        title();
        nameLine();
        questionLines();
        placeGraphs();
        DrawAnswerBoxes(ws_, cv_, s_);
        pictures();
    }

    // The number line alone, on a canvas whose drawing stands where the page's drawing
    // stood just before it: only the geometry is derived, nothing of the layout written.
    void runNumberLine() {
        geometry();
        numberLine();
    }

  private:
    // Where the page's parts stand on the target; writes nothing but the layouter's own.
    void geometry() {
        W_ = cv_.deviceWidth();
        H_ = cv_.deviceHeight();
        const int paperWidth = ws_.paper.Width > 0 ? ws_.paper.Width : page::DefaultPaperWidth;
        // One geometry for every target: the paper's width in layout units maps onto the
        // canvas's width (1 on the page image), so B5, B4 and A3 sheets fill their paper as
        // A4 does, and paper shows what the screen shows, scaled.
        s_ = W_ > 0 ? static_cast<double>(W_) / paperWidth : 1.0;
        r_ = s_;
        const int t = ws_.FontSize;
        T_ = t < 1 ? 10 : layoutmath::fontSize(t);
        // The typesetter's units are whole pixels of the screen page, scaled: rounding them
        // on the device instead would move every glyph of a printed line a little.
        B_ = roundi(page::VerticalUnit * s_);
        L_ = ws_.LineSpace * s_ * page::LineSpaceStep;
        x0_ = roundi(ws_.LeftMargin * page::SettingStep * s_);
        xr_ = roundi(ws_.RightMargin * page::SettingStep * s_);
        x1_ = clampi(static_cast<long long>(W_) - xr_);
        g20_ = roundi(page::QuestionsBelowName * r_);
        g17_ = roundi(page::QuestionsBelowNameSteps * page::LineSpaceStep * r_);
    }

    void derive() {
        geometry();
        FormulaContext& f = pg_.formula;
        f.unitV = B_;
        f.unitH = roundi(roundi(ws_.FontSize / 6.0) * s_);
        f.charSize = std::clamp(ws_.FontSize, 0, layoutmath::MaxFontSize);
        f.printing = printing_;
        f.worksheetCurrent = true;

        st_.runCount = 0;
        st_.answerCount = 0;
        st_.titleAnchor =
            Point{roundi(W_ - xr_ - page::ScoreAnchorFromRight * s_), roundi(page::TitleTop * r_)};

        cv_.setFontSize(T_);
        if (!ws_.strMainFont.empty()) cv_.setFontFace(ws_.strMainFont);
        cv_.setFontStyle(0);
    }

    void rules() {
        cv_.setPenColor(colors::Black);
        cv_.setPenStyle(PenStyle::Solid);
        cv_.setPenMode(PenMode::Copy);
        cv_.setPenWidth(std::max(1, roundi(page::RuleWidth * s_)));
        const int y30 = roundi(page::TopRule * r_), y90 = roundi(page::BottomRule * r_);
        cv_.moveTo(x0_, y30);
        cv_.lineTo(x1_, y30);
        cv_.moveTo(x0_, y90);
        cv_.lineTo(x1_, y90);
        cv_.setPenWidth(1);
        if (ws_.kranSettings().twoColumns) {
            const long long sum = static_cast<long long>(W_) - xr_ + T_ + x0_;
            const int xm = clampi(sum / 2 - roundi(page::ColumnRuleLeftOfMiddle * s_));
            cv_.moveTo(xm, y90);
            cv_.lineTo(xm, roundi(page::ColumnRuleEnd * H_));
        }
    }

    void numberLine() {
        cv_.setFontSize(page::NumberLineFontSize);
        cv_.setFontColor(colors::Black);
        const int y = roundi(page::NumberLineTop * r_);
        std::string& text = scratch_.text;
        // A varied copy always carries its number and version code: its keys are found by them.
        const bool varied = !ws_.versionCode.empty();
        if ((ws_.Options & 4) || varied) {
            text.clear();
            if (options_.numbered || varied) {
                text.append(J("№ "));
                text.append(std::to_string(ws_.startNumber));
            }
            if (varied) {
                text.append("  ");
                text.append(ws_.versionCode);
            }
            if (ws_.Options & 4) {
                text.append("  ");
                const DateTime now = pg_.platform.clock.now();
                text.append(DateTextDots(now));
                text.push_back('-');
                text.append(TimeText(now));
                text.append(J("　"));
                // The file's name as the user reads paths, with "/".
                const std::string name = corepath::withSlashes(ws_.strPrintName);
                std::string_view shown = name.size() <= page::PrintNameBytes
                                             ? std::string_view(name)
                                             : std::string_view(name).substr(page::PrintNameBytes);
                // The version code takes room of its own: the name keeps its last folders
                // only as far as the line stays clear of the date field ('/' is never a
                // Shift-JIS trail byte).
                if (varied && (ws_.Options & 2)) {
                    const int room = dateX() - x0_ - cv_.textWidth(J("　"));
                    const std::size_t head = text.size();
                    text.append(shown);
                    while (!shown.empty() && cv_.textWidth(text) > room) {
                        const std::size_t slash = shown.find('/');
                        shown = slash == std::string_view::npos ? std::string_view()
                                                                : shown.substr(slash + 1);
                        text.resize(head);
                        text.append(shown);
                    }
                } else {
                    text.append(shown);
                }
            }
            cv_.textOut(x0_, y, text);
        }
        if (ws_.Options & 2) cv_.textOut(dateX(), y, J("実施日　　月　　日"));
    }

    int dateX() const {
        return roundi(W_ - xr_ - page::DateFromRight * s_);
    }

    void title() {
        cv_.setFontSize(page::TitleFontSize);
        int x = x0_;
        if (ws_.Options & 1)
            x = clampi(
                static_cast<long long>(roundi((ws_.classFlag.width + page::ClassFlagGap) * s_)) +
                x0_);
        const std::string& t = ws_.strTangen;
        if (t.size() < page::LongTitleBytes) {
            cv_.textOut(x, roundi(page::TitleTop * r_), t);
            return;
        }
        // A long title is cut at its first "§"; without one it all goes to the second line.
        const std::size_t cut = sjis::findText(t, J("§"));
        const std::size_t at = cut == std::string::npos ? 0 : cut;
        cv_.textOut(x, roundi(page::TitleTop * r_), std::string_view(t).substr(0, at));
        std::string& text = scratch_.text;
        text.assign(J("　　"));
        text.append(t, at, std::string::npos);
        cv_.textOut(x, roundi(page::TitleSecondLineTop * r_), text);
    }

    void nameLine() {
        cv_.setFontSize(page::NameFontSize);
        cv_.setFontColor(colors::Black);
        std::string& text = scratch_.text;
        text.clear();
        const std::string& learner = pg_.session.learnerName;
        if (ws_.PrintLearner && learner != "noname" && learner != J("公開") &&
            learner != J("共通")) {
            text.append(learner);
            text.push_back(' ');
        }
        const std::string& school = pg_.session.schoolName;
        if (school.empty()) {
            text.append(J("　　　　　　　　氏名"));
        } else {
            text.append(school);
            text.append(J("　　氏名"));
        }
        cv_.textOut(roundi(page::NameFromLeft * s_ + x0_), roundi(page::NameLineTop * r_), text);
    }

    // One text run: "@" codes set the style and the size of the following segments.
    int drawRun(int x, int y, std::string_view text) {
        ++st_.runCount;
        if (st_.LinePos.size() <= static_cast<std::size_t>(st_.runCount))
            st_.LinePos.resize(static_cast<std::size_t>(st_.runCount) + 1);
        st_.LinePos[st_.runCount] = Point{x, y};
        if (text.empty()) return x;
        // The run ends at the pen position; a run that draws nothing ends where it starts.
        Point at{x, clampi(static_cast<long long>(y) + B_)};
        cv_.moveTo(at.x, at.y);
        unsigned style = 0;
        std::size_t pos = 0;
        bool first = true;
        for (;;) {
            const std::size_t mark = sjis::findFromBoundary(text, '@', pos);
            const std::size_t end = mark == std::string_view::npos ? text.size() : mark;
            // The text in front of the first "@" is always text; every later segment may
            // be a code.
            segment(text.substr(pos, end - pos), !first, style, at);
            first = false;
            if (mark == std::string_view::npos || mark + 1 >= text.size()) break;
            const std::size_t len = sjis::charLen(text, mark + 1);
            segment(text.substr(mark + 1, len), true, style, at);
            pos = mark + 1 + len;
            if (pos >= text.size()) break;
        }
        // A run cut at the page's right edge ends beyond it, not at its last drawn glyph.
        const int endX = at.x >= W_ ? at.x : cv_.penPos().x;
        cv_.setFontStyle(0);
        return endX;
    }

    void segment(std::string_view seg, bool mayBeCode, unsigned& style, Point& at) {
        if (seg.empty()) return;
        if (mayBeCode) {
            switch (seg[0]) {
            case 'B':
                style |= fontstyle::Bold;
                cv_.setFontStyle(style);
                return;
            case 'I':
                style |= fontstyle::Italic;
                cv_.setFontStyle(style);
                return;
            case 'U':
                style |= fontstyle::Underline;
                cv_.setFontStyle(style);
                return;
            case 'X':
                style |= fontstyle::Bold | fontstyle::Underline;
                cv_.setFontStyle(style);
                return;
            case '_':
                style |= fontstyle::StrikeOut;
                cv_.setFontStyle(style);
                return;
            case '/':
                style = 0;
                cv_.setFontStyle(style);
                return;
            case '+':
                workSize_ = layoutmath::fontSize(T_ + page::SizeStep);
                return;
            case '-':
                workSize_ = layoutmath::fontSize(T_ - page::SizeStep);
                return;
            case '=':
                workSize_ = T_;
                return;
            default:
                break;
            }
        }
        at = DrawFormulaAt(pg_.formula, at.x, at.y, workSize_, s_, cv_, seg, cv_.fontColor());
    }

    void addKai(std::string_view answer) {
        if (kai_ >= MaxKaiLines) return;
        if (kai_ < ws_.lstKai.size())
            ws_.lstKai[kai_].assign(answer);
        else
            ws_.lstKai.emplace_back(answer);
        ++kai_;
    }

    void questionLines() {
        double Y = page::NameLineTop * r_ + g20_ + g17_;
        cv_.setBrushStyle(BrushStyle::Clear);
        cv_.setPenWidth(1);
        cv_.setFontSize(T_);
        cv_.setFontColor(colors::Black);
        workSize_ = T_;
        if (collect_) st_.kranCount = 0;
        kai_ = 0;
        addKai("start");

        // A hidden answer keeps its place, but nothing of it reaches the page.
        const bool show = ws_.ShowAnswers;
        const int answerX0 = ws_.kranSettings().answerX;
        const BoxStyle style = AnswerBoxStyle(ws_);
        // Every answer is at least one line of text high.
        lineCell_ = cv_.textHeight("0");
        std::vector<std::string_view>& parts = scratch_.parts;
        std::vector<std::string_view>& alts = scratch_.alternatives;
        columns_ = ws_.kranSettings().twoColumns;
        if (columns_) measureColumns(parts);

        for (const std::string& line : ws_.lstQues) {
            const int y = roundi(Y);
            Y += L_;
            if (line.empty()) continue;
            const int m = SplitAtHash(line, parts) / 2;
            if (m == 0) {
                cv_.setFontColor(colors::Black);
                drawRun(x0_, y, parts[0]);
                continue;
            }
            Point p{x0_, y};
            for (int j = 0; j < m; ++j) {
                const int k = ++st_.answerCount;
                const std::size_t ku = static_cast<std::size_t>(k);
                // In two columns the question after a line's first answer is the right
                // column's: it starts at that column's edge, whatever the answer's width.
                const bool right = columns_ && j == 1 && startsWithBlank(parts[2]);
                const std::string_view text = right ? withoutBlanks(parts[2]) : parts[2 * j];
                int start = right ? std::max(p.x, rightX_) : p.x;
                if (st_.drawTypedAnswers) {
                    if (ku < st_.RunStartX.size()) start = roundi(st_.RunStartX[ku] * s_);
                } else {
                    if (st_.RunStartX.size() <= ku) st_.RunStartX.resize(ku + 1);
                    st_.RunStartX[ku] = roundi(start / s_);
                }
                cv_.setFontColor(colors::Black);
                const bool aligned = columns_ && answerX0 == 0 && (j == 0 || right);
                p.x = aligned ? drawAligned(start, y, text, columnAnswerX_[right ? 1 : 0])
                              : drawRun(start, y, text);
                const std::string_view answer = parts[2 * j + 1];
                addKai(answer);
                // The answer position setting, moved by the column; else, in two columns,
                // where the column's longest question ends.
                int ax = p.x;
                if (answerX0 != 0)
                    ax = clampi(static_cast<long long>(roundi(answerX0 * page::SettingStep * s_)) +
                                (right ? rightX_ - x0_ : 0));
                else if (aligned)
                    ax = std::max(p.x, columnAnswerX_[right ? 1 : 0]);
                SplitAtSemicolon(answer, alts);
                std::string_view drawn = alts[0];
                if (st_.drawTypedAnswers) {
                    // The learner's first answer, padded to the stored answer's length;
                    // a box without an answer (or beyond the table) shows blanks.
                    const bool inTable = k <= MaxKran;
                    std::string_view typed;
                    if (inTable && st_.firstAnswer[ku]) typed = *st_.firstAnswer[ku];
                    PadToWidth(typed, inTable ? st_.KranTable[ku].answerText : answer,
                               scratch_.text);
                    drawn = scratch_.text;
                }
                cv_.setFontColor(colors::Blue);
                // A box with sides keeps room between its left side and an answer typed
                // without a leading blank (a minus, a fraction's bar would touch it).
                const int lead =
                    HasSides(style.kind) && !startsWithBlank(drawn) ? roundi(AnswerRoom * s_) : 0;
                meter_.begin(show);
                p.x = drawRun(ax + lead, y, drawn);
                const std::optional<Rect> ink = meter_.end();
                const KranEntry placed = answerEntry(ax, p.x, y, ink);
                // The learner's sheet shows what was typed, never the stored alternatives.
                if (show && !st_.drawTypedAnswers && alts.size() >= 2 && options_.alternatives)
                    alternatives(alts, ax, p.x, y, style, placed);
                // What follows the answer starts behind its box.
                p.x = std::max(p.x, behindBox(style, placed));
                if (collect_ && st_.kranCount < MaxKran) {
                    KranEntry& e = st_.KranTable[++st_.kranCount];
                    e.x = placed.x;
                    e.y = placed.y;
                    e.width = placed.width;
                    e.answerTop = placed.answerTop;
                    e.answerBottom = placed.answerBottom;
                    e.inkRight = placed.inkRight;
                    e.answerText.assign(answer);
                    e.fontSize = placed.fontSize;
                    e.linePitch = placed.linePitch;
                }
            }
            cv_.setFontColor(colors::Black);
            drawRun(p.x, y, parts[2 * m]);
        }
        ws_.lstKai.resize(kai_);
    }

    static bool startsWithBlank(std::string_view t) {
        return !t.empty() && (t[0] == ' ' || t.substr(0, 2) == "\x81\x40");
    }
    static std::string_view withoutBlanks(std::string_view t) {
        while (startsWithBlank(t))
            t.remove_prefix(t[0] == ' ' ? 1 : 2);
        return t;
    }

    // A question before a column's answer: what follows its last gap of blanks (such as
    // "x=") ends where the column's answers start, so that it stays next to its answer.
    int drawAligned(int x, int y, std::string_view text, int answerX) {
        const std::size_t gap = text.rfind("  ");
        const std::size_t tail = text.find_first_not_of(' ', gap == text.npos ? 0 : gap);
        if (gap == text.npos || tail == text.npos) return drawRun(x, y, text);
        const int headEnd = drawRun(x, y, text.substr(0, gap));
        // The tail is part of the same run: it neither counts as a run nor moves one.
        const int runs = st_.runCount;
        meter_.begin(false);
        const int width = drawRun(0, y, text.substr(tail)) - 0;
        meter_.end();
        const int end = drawRun(std::max(headEnd, answerX - width), y, text.substr(tail));
        st_.runCount = runs;
        return end;
    }

    // The right column's edge (the column rule plus the left margin) and, for each column,
    // where its longest question before an answer ends.
    void measureColumns(std::vector<std::string_view>& parts) {
        const long long sum = static_cast<long long>(W_) - xr_ + T_ + x0_;
        rightX_ = clampi(sum / 2 - roundi(10 * s_) + x0_);
        columnAnswerX_[0] = columnAnswerX_[1] = 0;
        const int runs = st_.runCount;
        meter_.begin(false);
        for (const std::string& line : ws_.lstQues) {
            const int m = line.empty() ? 0 : SplitAtHash(line, parts) / 2;
            if (m == 0) continue;
            columnAnswerX_[0] = std::max(columnAnswerX_[0], drawRun(x0_, 0, parts[0]));
            if (m >= 2 && startsWithBlank(parts[2]))
                columnAnswerX_[1] =
                    std::max(columnAnswerX_[1], drawRun(rightX_, 0, withoutBlanks(parts[2])));
        }
        meter_.end();
        st_.runCount = runs;
    }

    // Where the answer just drawn stands, in layout units: from its start to the run's end,
    // as high as the ink it laid and at least one line of text.
    KranEntry answerEntry(int ax, int endX, int y, const std::optional<Rect>& ink) const {
        long long top = static_cast<long long>(y) + 2LL * B_;
        long long bottom = top + lineCell_;
        if (ink) {
            top = std::min<long long>(top, ink->top);
            bottom = std::max<long long>(bottom, ink->bottom);
        }
        KranEntry e;
        e.x = roundi(ax / s_);
        e.y = roundi(y / s_);
        e.width = clampi(static_cast<long long>(roundi(endX / s_)) - e.x);
        e.answerTop = roundi(std::floor(static_cast<double>(top) / s_));
        e.answerBottom = roundi(std::ceil(static_cast<double>(bottom) / s_));
        e.inkRight = ink ? roundi(std::ceil(static_cast<double>(ink->right) / s_)) : e.x;
        e.fontSize = cv_.fontSize();
        e.linePitch = roundi(L_ / s_);
        return e;
    }

    // The grey alternatives, each after a blank: at the usual place a little right of the
    // answer's start, or after the answer when it is wider. They do not stand inside the answer's
    // box, however wide the box is made: they start behind its right side (behind the
    // closing bracket for bracket kinds), a gap away, when they fit on the page there; a
    // box line never crosses them.
    void alternatives(const std::vector<std::string_view>& alts, int ax, int answerEnd, int y,
                      const BoxStyle& style, const KranEntry& entry) {
        const AnswerPlace place = PlaceAnswer(entry, style);
        int start =
            std::max(clampi(static_cast<long long>(roundi(page::AlternativesFromAnswer * s_)) + ax),
                     answerEnd);
        const int yb = clampi(static_cast<long long>(y) + B_);
        const int pen = std::max(1, roundi(s_));
        const long long behind = std::max(start, behindBox(style, entry));
        if (start < behind) {
            meter_.begin(false);
            const long long width = drawAlternatives(alts, start, yb) - start;
            meter_.end();
            const int right = roundi(place.box.right * s_);
            if (behind + width <= W_)
                start = clampi(behind);
            else if (HasSides(style.kind) && start <= right + pen && start + width >= right - pen)
                start = clampi(static_cast<long long>(right) + pen);
        }
        drawAlternatives(alts, start, yb);
    }

    // Where something after an answer may start: a gap behind the right side of its box,
    // or behind its closing bracket.
    int behindBox(const BoxStyle& style, const KranEntry& entry) {
        const AnswerPlace place = PlaceAnswer(entry, style);
        const int gap = std::max(1, roundi(AnswerRoom * s_));
        long long right = 0;
        if (FollowsBoxSize(style.kind)) {
            right = roundi(place.box.right * s_);
        } else if (IsBracket(style.kind)) {
            const int size = cv_.fontSize();
            cv_.setFontSize(layoutmath::fontSize(entry.fontSize));
            right = static_cast<long long>(roundi(place.base.right * s_)) +
                    cv_.textWidth(style.kind == BoxKind::SquareBrackets ? J("］") : J("】"));
            cv_.setFontSize(size);
        } else {
            return 0;
        }
        return clampi(right + gap);
    }

    int drawAlternatives(const std::vector<std::string_view>& alts, int x, int yb) {
        for (std::size_t i = 1; i < alts.size(); ++i) {
            scratch_.text.clear();
            scratch_.text.push_back(' ');
            scratch_.text.append(alts[i]);
            x = DrawFormulaAt(pg_.formula, x, yb, T_, s_, cv_, scratch_.text, colors::Grey).x;
        }
        return x;
    }

    // Automatic places follow the run of the same number, a little right of its start.
    Point autoPlace(int k) const {
        Point run{};
        if (k <= st_.runCount && static_cast<std::size_t>(k) < st_.LinePos.size())
            run = st_.LinePos[k];
        return Point{clampi(static_cast<long long>(roundi(run.x / s_)) + page::GraphFromRun),
                     roundi(run.y / s_)};
    }

    int graphCount(const Lines& triples) {
        int n = static_cast<int>(std::min<std::size_t>(triples.size() / 3, 1 << 20));
        if (n >= 16) {
            pg_.platform.prompter.message(TooManyGraphsText(n));
            n = MaxGraphs;
        }
        return n;
    }

    void placeGraphs() {
        for (Worksheet::Placed& g : ws_.graphPlaced)
            g.visible = false;
        const int nQ = graphCount(ws_.lstQGraph);
        for (int k = 1; k <= nQ; ++k) {
            Worksheet::Placed& g = ws_.graphPlaced[k - 1];
            const Bitmap& pic = ws_.qGraphPictures[k - 1];
            std::string& xs = ws_.lstQGraph[3 * (k - 1) + 1];
            std::string& ys = ws_.lstQGraph[3 * (k - 1) + 2];
            const int x = DecimalOr(xs, 0);
            if (x < 1) {
                const Point at = autoPlace(k);
                g.left = at.x;
                g.top = at.y;
                xs = std::to_string(at.x);
                ys = std::to_string(at.y);
            } else {
                g.left = x;
                g.top = DecimalOr(ys, 0);
            }
            g.width = pic.width;
            g.height = pic.height;
            g.visible = true;
            g.answerPicture = false;
        }
        if (!ws_.ShowAnswers || ws_.lstAGraph.size() < 3) return;
        const int nA = graphCount(ws_.lstAGraph);
        for (int k = 1; k <= nA; ++k) {
            Worksheet::Placed& g = ws_.graphPlaced[k - 1];
            const Bitmap& pic = ws_.aGraphPictures[k - 1];
            if (k > nQ) {
                // No question graph stands here: the answer graph takes its own place.
                const int x = DecimalOr(ws_.lstAGraph[3 * (k - 1) + 1], 0);
                if (x < 1) {
                    const Point at = autoPlace(k);
                    g.left = at.x;
                    g.top = at.y;
                } else {
                    g.left = x;
                    g.top = DecimalOr(ws_.lstAGraph[3 * (k - 1) + 2], 0);
                }
            }
            g.width = pic.width;
            g.height = pic.height;
            g.visible = true;
            g.answerPicture = true;
        }
    }

    const Bitmap& graphPicture(int i) const {
        return ws_.graphPlaced[i].answerPicture ? ws_.aGraphPictures[i] : ws_.qGraphPictures[i];
    }

    void pictures() {
        // The class flag stands at the left edge, centred between the two header rules.
        Worksheet::Placed& flag = ws_.classFlagPlaced;
        flag.left = roundi(ws_.LeftMargin * page::SettingStep);
        flag.top = roundi(
            page::TopRule +
            (static_cast<double>(page::BottomRule - page::TopRule) - ws_.classFlag.height) * 0.5);
        flag.width = ws_.classFlag.width;
        flag.height = ws_.classFlag.height;
        flag.visible = (ws_.Options & 1) != 0 && ws_.classFlagVisible && !ws_.classFlag.empty();
        if (flag.visible)
            cv_.stretchDraw(printing_ ? PrinterPictureRect(flag, s_) : ScreenPictureRect(flag),
                            ws_.classFlag);
        for (int i = 0; i < MaxGraphs; ++i) {
            const Worksheet::Placed& g = ws_.graphPlaced[i];
            const Bitmap& pic = graphPicture(i);
            if (!g.visible || pic.empty()) continue;
            cv_.stretchDraw(printing_ ? PrinterPictureRect(g, s_) : ScreenPictureRect(g), pic);
        }
    }

    Workspace& pg_;
    Worksheet& ws_;
    // Everything is drawn through the meter, which can note what an answer covers and keep
    // a hidden answer off the page.
    MeasuringCanvas meter_;
    Canvas& cv_;
    SheetLayout& st_;
    WorksheetState::LayoutScratch& scratch_;
    const bool printing_;
    const bool collect_; // the screen page's answer-box table is written
    const PageOptions options_;
    const std::function<void(bool before)> aroundNumberLine_;

    int W_ = 0, H_ = 0;
    double s_ = 1, r_ = 1;
    int T_ = 10, B_ = 7;
    double L_ = 0;
    int x0_ = 0, xr_ = 0, x1_ = 0, g20_ = 0, g17_ = 0;
    int workSize_ = 10;
    int lineCell_ = 0; // text height at the question size
    bool columns_ = false;
    int rightX_ = 0;
    int columnAnswerX_[2] = {0, 0};
    std::size_t kai_ = 0;
};

} // namespace

void LayOutPage(Workspace& program, Worksheet& sheet, Canvas& target,
                const LayoutRequest& request) {
    if (!program.sheets.layoutEnabled) return;
    Layouter(program, sheet, target, request).run();
}

void LayOutPage(Workspace& program, Worksheet& sheet, Canvas& target, const LayoutRequest& request,
                const std::function<void(bool before)>& aroundNumberLine) {
    if (!program.sheets.layoutEnabled) return;
    Layouter(program, sheet, target, request, aroundNumberLine).run();
}

void DrawNumberLine(Workspace& program, Worksheet& sheet, Canvas& target,
                    const LayoutRequest& request) {
    if (!program.sheets.layoutEnabled) return;
    Layouter(program, sheet, target, request).runNumberLine();
}

void LayOutPage(Workspace& program, Worksheet& sheet, Canvas& target, bool printing) {
    LayOutPage(program, sheet, target,
               LayoutRequest{printing, !printing, program.sheets.pageOptions});
}
