#pragma once
// Program-wide state of the open worksheets and of the page layout.

class Worksheet;

struct WorksheetState {
    Worksheet* current = nullptr; // CurrentWorksheet
    int count = 0;                // WorksheetCount
    bool layoutEnabled = true;    // LayoutEnabled
};
