#include "worksheet/GraphDrag.h"

#include <algorithm>
#include <string>

#include "worksheet/WorksheetDocument.h"
#include "worksheet/Workspace.h"

namespace {

bool shown(const Worksheet& sheet, int index) {
    return index >= 0 && index < MaxGraphs && sheet.graphPlaced[index].visible;
}

} // namespace

int GraphAt(const Worksheet& sheet, Point p) {
    for (int i = MaxGraphs - 1; i >= 0; --i) {
        const Worksheet::Placed& g = sheet.graphPlaced[i];
        if (!g.visible || g.width <= 0 || g.height <= 0) continue;
        const long long dx = static_cast<long long>(p.x) - g.left;
        const long long dy = static_cast<long long>(p.y) - g.top;
        if (dx >= 0 && dy >= 0 && dx < g.width && dy < g.height) return i;
    }
    return -1;
}

bool MoveGraph(Workspace& program, Worksheet& sheet, int index, Point topLeft) {
    if (!shown(sheet, index)) return false;
    const Worksheet::Placed& g = sheet.graphPlaced[index];
    // The picture's own answer triple holds the place only where no question graph stands.
    const std::size_t slot = static_cast<std::size_t>(index) * 3;
    Lines& triples =
        g.answerPicture && sheet.lstQGraph.size() < slot + 3 ? sheet.lstAGraph : sheet.lstQGraph;
    if (triples.size() < slot + 3) return false;
    const int maxX = std::max(1, sheet.paper.Width - 1);
    const int maxY = std::max(0, sheet.paper.Height - 1);
    const int x = std::clamp(topLeft.x, 1, maxX);
    const int y = std::clamp(topLeft.y, 0, maxY);
    triples[slot + 1] = std::to_string(x);
    triples[slot + 2] = std::to_string(y);
    sheet.Modified = true;
    Relayout(program, sheet);
    return true;
}

Rect GraphSelection(const Worksheet& sheet, int index) {
    if (!shown(sheet, index)) return {};
    const Worksheet::Placed& g = sheet.graphPlaced[index];
    return Rect{g.left - 1, g.top - 1, g.left + g.width, g.top + g.height};
}
