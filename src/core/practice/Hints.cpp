#include "practice/Hints.h"

#include "authoring/UnitBlock.h"
#include "formats/CourseNames.h"
#include "practice/AcceptedAnswers.h"
#include "worksheet/Worksheet.h"

Lines HintLines(const Lines& unitFile, const Worksheet& sheet) {
    if (sheet.FromCopyFile) return {};
    const std::optional<UnitBlockParts> block =
        ReadUnitBlock(unitFile, UnitBlockKey(sheet.unitRef));
    if (!block) return {};
    Lines hint = block->hint;
    while (!hint.empty() && NormalizeAnswer(hint.back()).empty())
        hint.pop_back();
    if (!hint.empty() && hint.front() == "Hint") return {};
    return hint;
}
