#include "learners/ClassView.h"

#include <algorithm>

#include "text/FileMessages.h"
#include "text/Lines.h"
#include "text/Sjis.h"

namespace {

bool validCell(const ClassGrid& grid, int row, int column) {
    return row >= 0 && row < static_cast<int>(grid.rows.size()) && column >= 0 &&
           column < static_cast<int>(grid.columns.size());
}

// The value a row is ordered by; false when it has none.
bool sortValue(const ClassViewState& view, int r, ClassSortKey key, int column, double& value) {
    const ClassRow& row = view.grid.rows[r];
    switch (key) {
    case ClassSortKey::Roster:
    case ClassSortKey::Learner:
        return false;
    case ClassSortKey::Practised:
        value = ShownSummary(view, r).practised;
        return row.state != ClassRow::State::Damaged;
    case ClassSortKey::Mean:
        value = ShownSummary(view, r).mean;
        return value >= 0;
    case ClassSortKey::Runs:
        if (column < 0 || column >= static_cast<int>(row.cells.size())) return false;
        value = row.cells[column].runs;
        return row.state != ClassRow::State::Damaged;
    case ClassSortKey::Score:
        if (column < 0 || column >= static_cast<int>(row.cells.size())) return false;
        value = row.cells[column].lastScore;
        return row.cells[column].lastScore >= 0;
    }
    return false;
}

} // namespace

ClassViewState ViewOfGrid(ClassGrid grid) {
    ClassViewState view;
    view.grid = std::move(grid);
    for (int i = 0; i < static_cast<int>(view.grid.rows.size()); ++i)
        view.rows.push_back(i);
    FilterSection(view, 0);
    return view;
}

std::vector<std::pair<int, std::string>> ClassSections(const ClassGrid& grid) {
    std::vector<std::pair<int, std::string>> out;
    bool worksheets = false;
    for (const ClassColumn& c : grid.columns) {
        if (c.section == 0) {
            worksheets = true;
            continue;
        }
        if (out.empty() || out.back().first != c.section) out.emplace_back(c.section, c.sectionTitle);
    }
    if (worksheets) out.emplace_back(-1, J("保存したプリント"));
    return out;
}

void FilterSection(ClassViewState& view, int section) {
    view.section = section;
    view.columns.clear();
    const int n = static_cast<int>(view.grid.columns.size());
    for (int i = 0; i < n; ++i) {
        const int s = view.grid.columns[i].section;
        if (section == 0 || s == section || (section < 0 && s == 0)) view.columns.push_back(i);
    }
}

RowSummary ShownSummary(const ClassViewState& view, int row) {
    RowSummary out;
    if (row < 0 || row >= static_cast<int>(view.grid.rows.size())) return out;
    const ClassRow& r = view.grid.rows[row];
    long sum = 0;
    int scored = 0;
    for (int c : view.columns) {
        if (c < 0 || c >= static_cast<int>(r.cells.size())) continue;
        const UnitProgress& cell = r.cells[c];
        if (cell.runs == 0) continue;
        ++out.practised;
        if (cell.lastScore < 0) continue;
        sum += cell.lastScore;
        ++scored;
    }
    if (scored > 0) out.mean = static_cast<double>(sum) / scored;
    return out;
}

void SortRows(ClassViewState& view, ClassSortKey key, int column, bool descending) {
    view.sortKey = key;
    view.sortColumn = column;
    view.descending = descending;
    const std::vector<ClassRow>& rows = view.grid.rows;
    auto byName = [&](int a, int b) {
        const std::string la = sjis::asciiLower(rows[a].learner);
        const std::string lb = sjis::asciiLower(rows[b].learner);
        return la != lb ? la < lb : a < b;
    };
    // The summaries are worked out once, not in every comparison.
    std::vector<double> values(rows.size(), 0);
    std::vector<char> has(rows.size(), 0);
    if (key != ClassSortKey::Roster && key != ClassSortKey::Learner)
        for (int r : view.rows)
            has[r] = sortValue(view, r, key, column, values[r]);
    std::sort(view.rows.begin(), view.rows.end(), [&](int a, int b) {
        if (key == ClassSortKey::Roster) return descending ? a > b : a < b;
        if (key == ClassSortKey::Learner) return descending ? byName(b, a) : byName(a, b);
        const double va = values[a], vb = values[b];
        const bool ha = has[a], hb = has[b];
        if (ha != hb) return ha;
        if (ha && va != vb) return descending ? va > vb : va < vb;
        return byName(a, b);
    });
}

std::vector<Record> CellRecords(Files& files, const ClassGrid& grid, int row, int column) {
    if (!validCell(grid, row, column)) return {};
    const ClassRow& r = grid.rows[row];
    if (r.file.empty()) return {};
    // Pupils may be practising: the writers append under this lock. When it cannot be had
    // the file is read as it stands; it is only ever replaced whole.
    const LockResult lock = files.lock(r.file);
    return ReadRecords(files, r.file, grid.columns[column].key);
}

Lines CellRecordLines(Files& files, const ClassGrid& grid, int row, int column) {
    Lines out;
    if (!validCell(grid, row, column)) return out;
    const ClassRow& r = grid.rows[row];
    if (r.state == ClassRow::State::Damaged) {
        out.push_back(r.problem);
        return out;
    }
    for (Record& rec : CellRecords(files, grid, row, column))
        out.push_back(std::move(rec.line));
    if (out.empty()) out.push_back(J("練習の記録はありません"));
    return out;
}

Report ExportClassGrid(Files& files, const ClassGrid& grid, const std::string& path) {
    const WriteResult written = files.write(path, ClassGridCsv(grid));
    if (!written) return Report::failed(WriteFailureText(path, written));
    return {};
}
