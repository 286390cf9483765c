#pragma once
// A course session for the commands that draw (render, export, the check's pages): with
// the pictures on QtGui, and worksheets laid out on a screen page image owned here, as a
// worksheet window lays out on its own.

#include <QImage>
#include <memory>
#include <string>

#include "cli/CourseSession.h"
#include "qt/QtCanvas.h"
#include "typeset/LayoutOnlyCanvas.h"

class CliSession : public CourseSession {
  public:
    CliSession();

    // Opens a unit of the course (lesson, section, unit, similar question). False when
    // it cannot be opened; every message has been shown.
    bool openUnit(const UnitRef& ref);
    // Opens a worksheet file given as a native path.
    bool openWorksheetFile(const std::string& nativePath);

    // The current worksheet and its screen page image after the last layout.
    Worksheet* sheet() { return program_->sheets.current; }
    const QImage& pageImage() const { return page_; }
    // Whether layouts draw the page image (the default) or only lay the worksheet out, as
    // a print job at the printer's resolution or an export needs: the page image then
    // stays blank.
    void setDrawsPage(bool draws) { drawsPage_ = draws; }

  private:
    void layOutOnPage(Worksheet& sheet);

    QImage page_;
    bool drawsPage_ = true;
    // The page measured on when nothing is drawn, kept from layout to layout with what it
    // has measured.
    std::unique_ptr<QtCanvas> measure_;
    std::unique_ptr<LayoutOnlyCanvas> layoutOnly_;
};
