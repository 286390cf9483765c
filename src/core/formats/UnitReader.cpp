#include "formats/UnitReader.h"

#include "formats/CourseIndex.h"
#include "text/Sjis.h"

namespace {

using Status = UnitReadResult::Status;

constexpr int ValueLines = 7;
constexpr int FontLines = 7;
constexpr int KranLines = 10;

class Reader {
  public:
    Reader(ParseBuffer& buffer, std::span<const std::string_view> lines, const UnitReadRequest& r,
           UnitLineMap* map)
        : r_(r), lines_(lines), buf_(buffer), map_(map), questionCount_(buffer.questions.size()) {}

    // Reads the unit; the question list then holds exactly the lines read into it.
    UnitReadResult run() {
        UnitReadResult result = walk();
        buf_.questions.resize(questionCount_);
        return result;
    }

  private:
    // Finds the ">>" that closes the block whose keyword stands at `keyword`, starting
    // the content at `from`. False (and the failure set) when the file ends first.
    bool closeOf(std::size_t keyword, std::size_t from, std::size_t& close);
    // Consumes a block at i: its content lines go to `out` (when given), i moves to ">>".
    bool takeBlock(std::size_t& i, Lines* out, std::vector<int>* numbers);
    bool takeQuestions(std::size_t& i);
    bool takeCounted(std::size_t& i, Lines& out, int exact, int max, Status failure,
                     const char* messageUtf8);
    UnitReadResult walk();
    void compose();
    UnitReadResult fail(Status s, std::size_t line, std::string message = {}) {
        int number = line == std::string::npos ? 0 : static_cast<int>(line) + 1;
        failure_ = UnitReadResult{s, number, std::move(message)};
        return failure_;
    }
    void noteBlock(std::size_t keyword, std::size_t close) {
        if (map_)
            map_->blocks.push_back({std::string(lines_[keyword]), static_cast<int>(keyword),
                                    static_cast<int>(close - keyword - 1)});
    }

    const UnitReadRequest& r_;
    std::span<const std::string_view> lines_;
    ParseBuffer& buf_;
    UnitLineMap* map_;
    UnitReadResult failure_;
    // Question lines in use: the list is filled from the front, reusing the strings it
    // holds from an earlier read, so that reading unit after unit allocates little.
    std::size_t questionCount_;
    std::size_t lastQues_ = 0;
    std::size_t lastHeader_ = std::string::npos;
};

bool Reader::closeOf(std::size_t keyword, std::size_t from, std::size_t& close) {
    for (close = from; close < lines_.size(); ++close)
        if (lines_[close] == ">>") return true;
    fail(Status::Unclosed, keyword,
         std::string(lines_[keyword]) + J(" block error (>>がありません)"));
    return false;
}

bool Reader::takeBlock(std::size_t& i, Lines* out, std::vector<int>* numbers) {
    std::size_t close = 0;
    if (!closeOf(i, i + 1, close)) return false;
    noteBlock(i, close);
    for (std::size_t j = i + 1; j < close; ++j) {
        if (out) out->emplace_back(lines_[j]);
        if (numbers) numbers->push_back(static_cast<int>(j));
    }
    i = close;
    return true;
}

bool Reader::takeQuestions(std::size_t& i) {
    std::size_t keyword = i;
    std::size_t from = i + 1;
    if (from < lines_.size() && lines_[from] == "{") {
        std::size_t brace = from + 1;
        while (brace < lines_.size() && lines_[brace] != "}")
            ++brace;
        if (brace >= lines_.size()) {
            fail(Status::Unclosed, keyword,
                 std::string(lines_[keyword]) + J(" block error ({ に対応する } がありません)"));
            return false;
        }
        from = brace + 1;
    }
    std::size_t close = 0;
    if (!closeOf(keyword, from, close)) return false;
    noteBlock(keyword, close);
    for (std::size_t j = from; j < close; ++j) {
        if (questionCount_ < buf_.questions.size())
            buf_.questions[questionCount_].assign(lines_[j]);
        else
            buf_.questions.emplace_back(lines_[j]);
        ++questionCount_;
        if (map_) map_->questionLines.push_back(static_cast<int>(j));
    }
    lastQues_ = keyword;
    i = close;
    return true;
}

bool Reader::takeCounted(std::size_t& i, Lines& out, int exact, int max, Status failure,
                         const char* messageUtf8) {
    const std::size_t keyword = i;
    if (!takeBlock(i, nullptr, nullptr)) return false;
    const auto n = static_cast<int>(i - keyword - 1); // i is at the block's ">>" now
    if ((exact > 0 && n != exact) || (max > 0 && n > max)) {
        fail(failure, keyword, sjis::fromUtf8(messageUtf8));
        return false;
    }
    // A second block of the same kind is checked but the first one's lines stay in use,
    // as the worksheet reads its values from the top of the list.
    if (!out.empty()) return true;
    for (std::size_t j = keyword + 1; j < i; ++j)
        out.emplace_back(lines_[j]);
    while (max > 0 && static_cast<int>(out.size()) < max)
        out.push_back("0");
    return true;
}

void Reader::compose() {
    std::string unit = std::to_string(r_.unit);
    std::string section = std::to_string(r_.section);
    std::string suffix =
        r_.section == buf_.previousSection ? "," + unit : J(" §") + section + "-" + unit;
    switch (r_.mode) {
    case UnitReadMode::Open:
        buf_.title = r_.names.lesson + "//" + r_.names.section + J("§") + section + "-" + unit +
                     " " + r_.names.unit;
        buf_.school = J("中学校");
        buf_.nameField = J("　年　組　番　氏名");
        break;
    case UnitReadMode::WorksheetFile:
        buf_.title = buf_.header[0];
        buf_.school = buf_.header[1];
        buf_.nameField = buf_.header[2];
        break;
    case UnitReadMode::Append: {
        const AppendTarget& t = r_.target;
        if (!t.uneditedCourseUnit)
            buf_.title = t.title + suffix;
        else if (buf_.previousMode == 0 || buf_.previousMode == 1)
            buf_.title = r_.names.lesson + "//" + J("§") + std::to_string(t.firstSection) + "-" +
                         std::to_string(t.firstUnit) + suffix;
        else
            buf_.title = t.titleBase + suffix;
        break;
    }
    }
    buf_.previousSection = r_.section;
    buf_.previousMode = static_cast<int>(r_.mode);
}

UnitReadResult Reader::walk() {
    if (map_) map_->clear();
    if (lines_.empty()) return fail(Status::Empty, std::string::npos);

    bool append = r_.mode == UnitReadMode::Append;
    buf_.softkey.clear();
    buf_.kgroup.clear();
    buf_.value.clear();
    buf_.font.clear();
    buf_.kran.clear();
    if (!append) {
        questionCount_ = 0;
        buf_.qgraph.clear();
        buf_.agraph.clear();
        buf_.header.clear();
        buf_.title.clear();
        buf_.school.clear();
        buf_.nameField.clear();
        buf_.qgraphBefore = 0;
    } else {
        int held = static_cast<int>(buf_.qgraph.size());
        buf_.qgraphBefore = std::min(std::max(r_.target.questionGraphLines, 0), held);
    }

    std::size_t i = 0;
    const auto known = static_cast<std::size_t>(r_.headerLine);
    if (r_.headerLine >= 0 && known < lines_.size() && lines_[known] == r_.header) i = known;
    while (i < lines_.size() && lines_[i] != r_.header)
        ++i;
    if (i >= lines_.size()) return fail(Status::NoHeader, std::string::npos);
    std::size_t headerLine = i;
    if (map_) map_->headerLine = static_cast<int>(i);

    std::vector<int>* qgNumbers = map_ ? &map_->qgraphLines : nullptr;
    std::vector<int>* agNumbers = map_ ? &map_->agraphLines : nullptr;
    for (; i < lines_.size() && lines_[i] != "]]"; ++i) {
        if (lines_[i] == "<<ques" && !takeQuestions(i)) return failure_;
        if (questionCount_ > static_cast<std::size_t>(MaxQuestionLines))
            return fail(Status::TooManyQuestions, lastQues_ > headerLine ? lastQues_ : headerLine,
                        J("問題の行は６０行以下です"));
        const std::string_view line = lines_[i];
        if (line.size() < 6 || line[0] != '<' || line[1] != '<') continue; // no keyword
        bool ok = true;
        if (line == "<<ans")
            ok = takeBlock(i, nullptr, nullptr);
        else if (line == "<<header") {
            lastHeader_ = i;
            ok = takeBlock(i, &buf_.header, nullptr);
        } else if (line == "<<value")
            ok = takeCounted(i, buf_.value, ValueLines, 0, Status::ValueBlock,
                             "<<value block error");
        else if (line == "<<font")
            ok = takeCounted(i, buf_.font, FontLines, 0, Status::FontBlock, "<<font block error");
        else if (line == "<<kran")
            ok = takeCounted(i, buf_.kran, 0, KranLines, Status::KranBlock, "<<kran block error");
        else if (line == "<<graph")
            ok = takeBlock(i, &buf_.qgraph, qgNumbers);
        else if (line == "<<kgroup")
            ok = takeBlock(i, &buf_.kgroup, nullptr);
        else if (line == "<<softkey")
            ok = takeBlock(i, &buf_.softkey, nullptr);
        else if (line == "<<AGraph")
            ok = takeBlock(i, &buf_.agraph, agNumbers);
        if (!ok) return failure_;
    }

    if (r_.mode == UnitReadMode::WorksheetFile && buf_.header.size() < 3)
        return fail(Status::HeaderBlock,
                    lastHeader_ != std::string::npos ? lastHeader_ : headerLine,
                    J("<<header block error (3行必要です)"));
    if (map_) map_->endLine = static_cast<int>(i);
    compose();
    UnitReadResult ok;
    ok.line = static_cast<int>(headerLine) + 1;
    return ok;
}

} // namespace

UnitReadResult ParseUnit(ParseBuffer& buffer, const Lines& fileLines, const UnitReadRequest& r,
                         UnitLineMap* map) {
    const LineViews lines = lines::views(fileLines);
    return Reader(buffer, lines, r, map).run();
}

UnitReadResult ParseUnitLines(ParseBuffer& buffer, std::span<const std::string_view> lines,
                              const UnitReadRequest& r, UnitLineMap* map) {
    return Reader(buffer, lines, r, map).run();
}

UnitReadResult ReadUnit(Files& files, ParseBuffer& buffer, Lines& fileLines,
                        const UnitReadRequest& r) {
    fileLines.clear();
    const LoadStatus status = LoadLines(files, r.path, fileLines);
    switch (status) {
    case LoadStatus::Ok:
        break;
    case LoadStatus::Missing:
        return {UnitReadResult::Missing, 0, {}};
    case LoadStatus::Error:
    case LoadStatus::Outside:
        return {UnitReadResult::ReadError, 0, LoadFailureText(r.path, status)};
    }
    return ParseUnit(buffer, fileLines, r, nullptr);
}
