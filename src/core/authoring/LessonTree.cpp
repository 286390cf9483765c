#include "authoring/LessonTree.h"

#include <array>

#include "formats/CourseIndex.h"

LessonTree BuildLessonTree(const Lines& indexLines, const std::array<Lines, 81>* marks) {
    LessonTree tree;
    if (!indexLines.empty()) tree.title = indexLines.front();
    std::vector<SectionBlock> blocks = ParseLessonIndex(indexLines);
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        LessonTree::Section section;
        section.name = blocks[k].name;
        const Lines* sectionMarks = marks && k + 1 < marks->size() ? &(*marks)[k + 1] : nullptr;
        for (std::size_t u = 0; u < blocks[k].units.size(); ++u) {
            std::string mark;
            if (sectionMarks && u < sectionMarks->size()) mark = (*sectionMarks)[u];
            section.units.push_back(mark + blocks[k].units[u]);
        }
        tree.sections.push_back(std::move(section));
    }
    return tree;
}
