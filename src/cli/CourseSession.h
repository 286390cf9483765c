#pragma once
// A headless program on a course folder, prepared as start-up prepares the windowed one:
// the master folder, the lesson list, A4 paper, answers shown. Built on QtCore alone, so
// that the commands that only read the course (velmix records) start without QtGui;
// CliSession adds the pictures and the page the drawing commands lay worksheets out on.

#include <memory>
#include <string>

#include "Program.h"
#include "qt/ConsolePrompter.h"
#include "qt/QtCorePlatform.h"

// Console messages, counted so that a command can tell whether a failure was reported.
class CountingPrompter : public ConsolePrompter {
  public:
    void message(const std::string& text) override {
        ++count;
        ConsolePrompter::message(text);
    }
    int count = 0;
};

class CourseSession {
  public:
    // pictures: the pictures service to use; none (no picture can be read) when empty.
    explicit CourseSession(const QtCorePlatform::PicturesMaker& pictures = {});
    CourseSession(const CourseSession&) = delete;
    CourseSession& operator=(const CourseSession&) = delete;

    Program& program() { return *program_; }
    QtCorePlatform& qt() { return qt_; }

    // Takes nativeDir (empty: the working directory) as the master folder and loads
    // its lesson list. False with the message already shown when that fails.
    bool openCourse(const std::string& nativeDir);

  protected:
    CountingPrompter prompter_;
    QtCorePlatform qt_;
    std::unique_ptr<Program> program_;
};
