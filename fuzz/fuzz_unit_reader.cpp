// One input is a question unit file. Every unit header a course may ask for is read in
// every mode; a read that starts at the indexed header line must give what the search from
// the top gives; the question editor's view and checks run on the same unit. (The course
// check reads such files in the course harness.)
#include <cstdint>
#include <string>

#include "CourseFixture.h"
#include "FuzzCheck.h"
#include "formats/QuestionChecks.h"
#include "formats/UnitReader.h"
#include "text/Lines.h"

namespace {

const char* const Headers[] = {"[[unit1", "[[unit1R1", "[[unit2", "[[unitX"};

bool sameBuffer(const ParseBuffer& a, const ParseBuffer& b) {
    return a.questions == b.questions && a.qgraph == b.qgraph && a.agraph == b.agraph &&
           a.value == b.value && a.font == b.font && a.kran == b.kran && a.kgroup == b.kgroup &&
           a.header == b.header && a.title == b.title;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CourseFixture f;
    Program& p = f.p;
    p.fileLines = lines::split(bytes);
    const LineViews views = lines::views(p.fileLines);

    for (const char* header : Headers) {
        int first = -1;
        for (std::size_t i = 0; i < p.fileLines.size() && first < 0; ++i)
            if (p.fileLines[i] == header) first = static_cast<int>(i);
        for (UnitReadMode mode :
             {UnitReadMode::Open, UnitReadMode::WorksheetFile, UnitReadMode::Append}) {
            UnitReadRequest r;
            r.path = "C:\\course\\Eq1\\eq11.que";
            r.header = header;
            r.unit = 1;
            r.section = 1;
            r.mode = mode;
            r.target.questionGraphLines = static_cast<int>(size % 7);
            ParseBuffer before = p.parse;
            UnitLineMap map;
            const UnitReadResult searched = ParseUnit(p.parse, p.fileLines, r, &map);
            const ParseBuffer fromSearch = p.parse;

            p.parse = before;
            r.headerLine = first;
            const UnitReadResult indexed = ParseUnitLines(p.parse, views, r, nullptr);
            FUZZ_CHECK(indexed.status == searched.status && indexed.line == searched.line);
            FUZZ_CHECK(sameBuffer(p.parse, fromSearch));

            if (searched.ok()) {
                FUZZ_CHECK(p.parse.questions.size() <= static_cast<std::size_t>(MaxQuestionLines));
                FUZZ_CHECK(p.parse.kran.empty() || p.parse.kran.size() == 10u);
                FUZZ_CHECK(p.parse.value.empty() || p.parse.value.size() == 7u);
                FUZZ_CHECK(p.parse.font.empty() || p.parse.font.size() == 7u);
                FUZZ_CHECK(map.headerLine == first);
            }
            if (map.headerLine >= 0) {
                EditorUnitView view =
                    ReadEditorView(views, static_cast<std::size_t>(map.headerLine));
                const TextCheck q = CheckQuestionLines(view.ques);
                FUZZ_CHECK(q.ok || (q.line >= 0 && (view.ques.empty() ||
                                                    q.line < static_cast<int>(view.ques.size()))));
                const TextCheck b = CheckBlocks(view.pasteLo);
                FUZZ_CHECK(b.ok || b.line < static_cast<int>(view.pasteLoLines.size()));
            }
        }
    }

    return 0;
}
