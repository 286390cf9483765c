#include "worksheet/WorksheetFile.h"

#include <algorithm>

#include "text/Sjis.h"
#include "text/TextCuts.h"
#include "worksheet/Worksheet.h"

void AppendBlock(Lines& out, const char* keyword, const Lines& content) {
    out.push_back(keyword);
    out.insert(out.end(), content.begin(), content.end());
    out.push_back(">>");
}

Lines WorksheetFileLines(const Worksheet& w, int paperWidth, const Lines& kgroup) {
    Lines out;
    out.push_back("[[unitX");
    AppendBlock(out, "<<header", {w.strTangen, w.strSchool, w.strShimei});
    // A first question line "{" would open the block's skipped group when read back: an
    // empty group in front of it keeps it a question line.
    if (!w.lstQues.empty() && w.lstQues.front() == "{") {
        Lines ques{"{", "}"};
        ques.insert(ques.end(), w.lstQues.begin(), w.lstQues.end());
        AppendBlock(out, "<<ques", ques);
    } else {
        AppendBlock(out, "<<ques", w.lstQues);
    }
    AppendBlock(out, "<<ans", {});
    if (!w.lstQGraph.empty()) AppendBlock(out, "<<graph", w.lstQGraph);
    if (!w.lstAGraph.empty()) AppendBlock(out, "<<AGraph", w.lstAGraph);
    Lines page = PageBlockLines(w, paperWidth);
    out.insert(out.end(), page.begin(), page.end());
    AppendBlock(out, "<<kgroup", kgroup);
    out.push_back("]]");
    return out;
}

Lines PageBlockLines(const Worksheet& w, int paperWidth) {
    Lines out;
    AppendBlock(out, "<<value",
                {std::to_string(paperWidth), BoolText(w.ShowAnswers), std::to_string(w.LineSpace),
                 std::to_string(w.LeftMargin), std::to_string(w.RightMargin),
                 std::to_string(w.StartNo), std::to_string(w.Options)});
    const SecondFont& f = w.secondFont;
    AppendBlock(out, "<<font",
                {std::to_string(w.FontSize), f.face, BoolText(f.bold), BoolText(f.italic),
                 BoolText(f.underline), BoolText(f.strikeOut), w.strMainFont});
    // Always ten kran lines, so that the file reads back whatever the list held.
    const Lines& lines = w.kranLines();
    Lines kran(lines.begin(), lines.begin() + std::min(lines.size(), KranLineCount));
    kran.resize(KranLineCount, "0");
    AppendBlock(out, "<<kran", kran);
    return out;
}

std::optional<std::string> WorksheetPathFor(const std::string& path) {
    std::string ext = ExtensionOf(path);
    if (ext.empty()) return path + ".prp";
    if (ext == ".prp") return path;
    return std::nullopt;
}

std::string BadExtensionText(const std::string& path) {
    return path + J(":拡張子が不正です");
}
