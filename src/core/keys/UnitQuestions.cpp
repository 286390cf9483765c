#include "keys/UnitQuestions.h"

#include <algorithm>

namespace keys {

namespace {

// Length of a question number "(12)" at pos: digits in round brackets, followed by a
// blank, a Japanese character or the end. 0 when there is none.
std::size_t numberAt(std::string_view t, std::size_t pos) {
    if (pos >= t.size() || t[pos] != '(') return 0;
    std::size_t i = pos + 1;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9')
        ++i;
    if (i == pos + 1 || i - pos > 4 || i >= t.size() || t[i] != ')') return 0;
    ++i;
    if (i < t.size() && t[i] != ' ' && static_cast<unsigned char>(t[i]) < 0x80) return 0;
    return i - pos;
}

std::size_t skipBlanks(std::string_view t, std::size_t pos = 0) {
    while (pos < t.size() && t[pos] == ' ')
        ++pos;
    return pos;
}

// The reading from byte `from` on.
ReadingText tail(const ReadingText& r, std::size_t from) {
    ReadingText out;
    out.text = r.text.substr(from);
    out.from.assign(r.from.begin() + static_cast<long>(from), r.from.end());
    return out;
}

// Whether the raw line starts with a blank (half or full width): it goes on with the
// question above it.
bool startsWithBlank(std::string_view raw) {
    return !raw.empty() && (raw[0] == ' ' || raw[0] == '\t' ||
                            (raw.size() >= 2 && raw[0] == '\x81' && raw[1] == '\x40'));
}

class Splitter {
  public:
    UnitQuestions run(std::span<const std::string_view> ques);

  private:
    void line(int index, std::string_view raw);
    void text(int index, const ReadingText& r, bool mayStart);
    void end() { current_ = -1; }

    UnitQuestions out_;
    int current_ = -1;             // question being read
    bool instructionOpen_ = false; // the last line read was an instruction
};

void Splitter::text(int index, const ReadingText& r, bool mayStart) {
    const std::size_t at = skipBlanks(r.text);
    const std::size_t n = mayStart ? numberAt(r.text, at) : 0;
    if (n > 0) {
        Question q;
        q.number = r.text.substr(at, n);
        q.instruction = static_cast<int>(out_.instructions.size()) - 1;
        out_.questions.push_back(std::move(q));
        current_ = static_cast<int>(out_.questions.size()) - 1;
    }
    if (current_ < 0) {
        Question q;
        q.instruction = static_cast<int>(out_.instructions.size()) - 1;
        out_.questions.push_back(std::move(q));
        current_ = static_cast<int>(out_.questions.size()) - 1;
    }
    QuestionPart p;
    p.line = index;
    p.reading = n > 0 ? tail(r, at + n) : r;
    out_.questions[static_cast<std::size_t>(current_)].parts.push_back(std::move(p));
}

void Splitter::line(int index, std::string_view raw) {
    // The pieces between "#": text, answer, text, ... A last "#" without its pair and what
    // follows it is not drawn.
    std::vector<std::size_t> hashes;
    for (std::size_t i = raw.find('#'); i != std::string_view::npos; i = raw.find('#', i + 1))
        hashes.push_back(i);
    if (hashes.size() % 2) hashes.pop_back();
    const std::size_t firstEnd = hashes.empty() ? raw.size() : hashes[0];
    const ReadingText first = MakeReadingText(raw.substr(0, firstEnd));
    const bool blank = startsWithBlank(raw);
    const std::size_t at = skipBlanks(first.text);
    const bool numbered = numberAt(first.text, at) > 0;

    if (hashes.empty() && !numbered && !(blank && current_ >= 0)) {
        // An instruction, or an empty line: either ends the question above.
        end();
        if (at >= first.text.size()) return;
        // Instruction lines one after another say one thing.
        if (instructionOpen_)
            out_.instructions.back() += "  " + first.text;
        else
            out_.instructions.push_back(first.text);
        instructionOpen_ = true;
        return;
    }
    instructionOpen_ = false;
    if (!numbered && !(blank && current_ >= 0)) end(); // a question of its own
    text(index, first, true);
    for (std::size_t k = 0; k < hashes.size(); k += 2) {
        QuestionPart b;
        b.line = index;
        b.blank = true;
        b.start = hashes[k] + 1;
        b.end = hashes[k + 1];
        out_.questions[static_cast<std::size_t>(current_)].parts.push_back(std::move(b));
        const std::size_t from = hashes[k + 1] + 1;
        const std::size_t to = k + 2 < hashes.size() ? hashes[k + 2] : raw.size();
        text(index, MakeReadingText(raw.substr(from, to - from), from), true);
    }
}

UnitQuestions Splitter::run(std::span<const std::string_view> ques) {
    std::size_t i = 0;
    // A teacher's note in braces at the top is never shown.
    if (!ques.empty() && ques[0] == "{") {
        i = 1;
        while (i < ques.size() && ques[i] != "}")
            ++i;
        ++i;
    }
    for (; i < ques.size(); ++i)
        line(static_cast<int>(i), ques[i]);
    return std::move(out_);
}

} // namespace

int Question::blankCount() const {
    return static_cast<int>(
        std::count_if(parts.begin(), parts.end(), [](const QuestionPart& p) { return p.blank; }));
}

UnitQuestions SplitQuestions(std::span<const std::string_view> ques) {
    return Splitter().run(ques);
}

std::vector<Chunk> SplitChunks(std::string_view text) {
    std::vector<Chunk> out;
    std::size_t i = skipBlanks(text);
    while (i < text.size()) {
        std::size_t j = i;
        // A chunk goes on over single blanks.
        while (j < text.size() && !(text[j] == ' ' && j + 1 < text.size() && text[j + 1] == ' '))
            ++j;
        std::size_t end = j;
        while (end > i && text[end - 1] == ' ')
            --end;
        if (end > i) out.push_back({i, end});
        i = skipBlanks(text, j);
    }
    return out;
}

} // namespace keys
