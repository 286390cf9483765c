#pragma once
// A headless program on a course folder, prepared as start-up prepares the windowed one:
// the master folder, the lesson list, A4 paper, answers shown. Worksheets are laid out on
// a screen page image owned here, as a worksheet window lays out on its own.

#include <QImage>
#include <memory>
#include <string>

#include "Program.h"
#include "qt/ConsolePrompter.h"
#include "qt/QtCanvas.h"
#include "qt/QtPlatform.h"
#include "typeset/LayoutOnlyCanvas.h"

// Console messages, counted so that a command can tell whether a failure was reported.
class CountingPrompter : public ConsolePrompter {
  public:
    void message(const std::string& text) override {
        ++count;
        ConsolePrompter::message(text);
    }
    int count = 0;
};

class CliSession {
  public:
    CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    Program& program() { return *program_; }
    QtPlatform& qt() { return qt_; }

    // Takes nativeDir (empty: the working directory) as the master folder and loads
    // its lesson list. False with the message already shown when that fails.
    bool openCourse(const std::string& nativeDir);
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

    CountingPrompter prompter_;
    QtPlatform qt_;
    std::unique_ptr<Program> program_;
    QImage page_;
    bool drawsPage_ = true;
    // The page measured on when nothing is drawn, kept from layout to layout with what it
    // has measured.
    std::unique_ptr<QtCanvas> measure_;
    std::unique_ptr<LayoutOnlyCanvas> layoutOnly_;
};
