#pragma once
// The pages of a key booklet: a table of every copy's keys, the copies in rows and the
// answer boxes in columns, on as few pages as the paper holds. Columns that do not fit
// across the page go on in a band below, each band with its own heads and copy numbers.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/Canvas.h"
#include "worksheet/VariedCopies.h"

// Where the booklet's cells stand on a page of width × height: the bands of columns and
// the rows of copies each page takes.
struct BookletPlan {
    int margin = 0, top = 0; // page margin; top of the first band
    int rowHeight = 0;
    int numberWidth = 0;              // the copy number column
    std::vector<int> widths;          // per answer column
    std::vector<std::pair<std::size_t, std::size_t>> bands; // [first, last) columns
    int rowsPerPage = 1;              // copies per page
};

// Plans the booklet on canvas (fonts set as the pages draw them).
BookletPlan PlanBooklet(Canvas& canvas, const KeyBooklet& booklet);

// Draws the booklet's page page (0-based) of the plan; the title line names the sheet, the
// set's seed and the page.
void DrawBookletPage(Canvas& canvas, const KeyBooklet& booklet, const BookletPlan& plan,
                     std::size_t page, const std::string& title, std::uint64_t seed);

// Prints the booklet, a printer document per page. False when a document failed.
bool PrintKeyBooklet(Printer& printer, const KeyBooklet& booklet, const std::string& title,
                     std::uint64_t seed);
